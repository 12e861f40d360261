// SPDX-License-Identifier: MIT
#include "base/numeros.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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
    // 15 significant digits through the standard's exact conversions.
    char texto[40];
    const auto fin =
        std::to_chars(texto, texto + sizeof texto, v, std::chars_format::scientific, 14);
    double leido = 0;
    std::from_chars(texto, fin.ptr, leido);
    return leido;
}

}  // namespace detalle

std::optional<double> lee_decimal(std::string_view texto) {
    double v = 0;
    const char* fin = texto.data() + texto.size();
    const auto [p, ec] = std::from_chars(texto.data(), fin, v);
    if (ec != std::errc{} || p != fin || !std::isfinite(v)) return std::nullopt;
    return v;
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
    // to_chars writes what printf would in the C locale, whatever locale the
    // process runs under (a QApplication adopts the user's).
    char texto[40];
    if (v == 0) return "0";  // also -0
    const bool entero = std::fabs(v) < 1e15 && v == std::trunc(v);
    const auto fin =
        entero ? std::to_chars(texto, texto + sizeof texto, v, std::chars_format::fixed, 0)
               : std::to_chars(texto, texto + sizeof texto, v, std::chars_format::general, 15);
    std::string s(texto, fin.ptr);
    for (char& c : s) {
        if (c == '.') c = separador_decimal;
        if (c == 'e') c = 'E';
    }
    return s;
}

std::string texto_exacto(double v) {
    char texto[32];
    const auto fin = std::to_chars(texto, texto + sizeof texto, v);
    return std::string(texto, fin.ptr);
}

std::string con_decimales(double v, int decimales, char separador_decimal) {
    char texto[400];
    const auto fin =
        std::to_chars(texto, texto + sizeof texto, v, std::chars_format::fixed, decimales);
    if (fin.ec != std::errc{}) return texto_general(v, separador_decimal);
    std::string s(texto, fin.ptr);
    std::replace(s.begin(), s.end(), '.', separador_decimal);
    return s;
}

}  // namespace zek
