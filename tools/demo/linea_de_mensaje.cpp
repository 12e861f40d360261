// SPDX-License-Identifier: MIT
#include "tools/demo/linea_de_mensaje.h"

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

}  // namespace zek
