// SPDX-License-Identifier: MIT
#include "base/puerto_memoria.h"

#include "base/numeros.h"

namespace zek {

std::string PuertoMemoria::texto(Control control) const {
    const auto t = textos.find(control);
    return t == textos.end() ? std::string() : t->second;
}

std::optional<double> PuertoMemoria::lee_numero(const std::string& texto) const {
    return lector_numeros ? lector_numeros(texto) : lee_numero_con_separador(texto, separador);
}

}  // namespace zek
