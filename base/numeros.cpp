// SPDX-License-Identifier: MIT
#include "base/numeros.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/portatil.h"

namespace zek {
namespace {

// Every finite double of 2^52 or more is whole; below, a cast tells.
bool es_entero(double v) {
    if (!(std::fabs(v) < 4503599627370496.0)) return std::isfinite(v);
    return static_cast<double>(static_cast<int64_t>(v)) == v;
}

}  // namespace

double valor_por_texto_lento(double v) {
    char texto[40];
    if (es_entero(v)) return v;
    std::snprintf(texto, sizeof texto, "%.15g", v);
    return std::strtod(texto, nullptr);
}

namespace detalle {

double valor_por_texto_fuera_de_rango(double v) {
    if (es_entero(v) || !std::isfinite(v)) return v;
    // 15 significant digits through the exact conversions.
    return numero_de_texto(texto_de_numero(v, FormatoNumero::Cientifico, 14)).value_or(v);
}

}  // namespace detalle

std::optional<double> lee_decimal(std::string_view texto) {
    return numero_de_texto(texto);
}

std::optional<double> lee_numero_con_separador(const std::string& texto, char separador_decimal) {
    const auto inicio = texto.find_first_not_of(" \t");
    if (inicio == std::string::npos) return std::nullopt;
    std::string numero = texto.substr(inicio, texto.find_last_not_of(" \t") + 1 - inicio);
    if (numero.size() > 1 && numero[0] == '+' && numero[1] != '-') numero.erase(0, 1);
    if (separador_decimal != '.') {
        if (numero.find('.') != std::string::npos) return std::nullopt;
        std::replace(numero.begin(), numero.end(), separador_decimal, '.');
    }
    return lee_decimal(numero);
}

std::string texto_general(double v, char separador_decimal) {
    // What printf would write in the C locale, whatever locale the process
    // runs under (a QApplication adopts the user's).
    if (v == 0) return "0";  // also -0
    const bool entero = std::fabs(v) < 1e15 && v == std::trunc(v);
    std::string s = entero ? texto_de_numero(v, FormatoNumero::Fijo, 0)
                           : texto_de_numero(v, FormatoNumero::General, 15);
    for (char& c : s) {
        if (c == '.') c = separador_decimal;
        if (c == 'e') c = 'E';
    }
    return s;
}

std::string texto_exacto(double v) {
    return texto_de_numero(v, FormatoNumero::Exacto);
}

std::string con_decimales(double v, int decimales, char separador_decimal) {
    std::string s = texto_de_numero(v, FormatoNumero::Fijo, decimales);
    if (s.empty()) return texto_general(v, separador_decimal);
    std::replace(s.begin(), s.end(), '.', separador_decimal);
    return s;
}

}  // namespace zek
