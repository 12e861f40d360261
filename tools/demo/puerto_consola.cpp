// SPDX-License-Identifier: MIT
#include "tools/demo/puerto_consola.h"

#include <ostream>

namespace zek {

std::string linea_de_mensaje(const Mensaje& m) {
    std::string texto;
    for (size_t i = 0; i < m.texto.size(); ++i) {
        const char c = m.texto[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < m.texto.size() && m.texto[i + 1] == '\n') ++i;
            texto += " / ";
        } else {
            texto += c;
        }
    }
    return m.titulo + ": " + texto;
}

void PuertoConsola::mensaje(const std::string& texto, Icono icono, const std::string& titulo) {
    PuertoMemoria::mensaje(texto, icono, titulo);
    if (errores_) *errores_ << linea_de_mensaje(mensajes.back()) << '\n';
}

}  // namespace zek
