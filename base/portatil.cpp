// SPDX-License-Identifier: MIT
#include "base/portatil.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef __EMSCRIPTEN__
#include <charconv>
#endif

namespace zek {
namespace por_printf {
namespace {

// snprintf's text; the browser's C library only knows the C locale, and
// natively this path is only compared under it.
std::string con_printf(const char* formato, int precision, double v) {
    char texto[512];
    const int n = std::snprintf(texto, sizeof texto, formato, precision, v);
    return n > 0 && n < static_cast<int>(sizeof texto) ? std::string(texto, static_cast<size_t>(n))
                                                       : std::string();
}

// The fewest significant digits that read back to v, and v's decimal
// exponent: the same digits as the correctly rounded "%.*e" of that length.
struct Corto {
    std::string digitos;
    int exponente = 0;
};
Corto mas_corto(double v) {
    std::string e;
    for (int p = 1; p <= 17; ++p) {
        e = con_printf("%.*e", p - 1, v);
        if (std::strtod(e.c_str(), nullptr) == v) break;
    }
    Corto c;
    const size_t letra = e.find('e');
    for (size_t i = 0; i < letra; ++i) {
        if (e[i] >= '0' && e[i] <= '9') c.digitos += e[i];
    }
    c.exponente = std::atoi(e.c_str() + letra + 1);
    return c;
}

// Fixed or scientific, whichever is shorter (fixed on a tie), as
// std::to_chars writes the shortest form.
std::string exacto(double v) {
    if (std::isnan(v)) return std::signbit(v) ? "-nan" : "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    const std::string signo = std::signbit(v) ? "-" : "";
    if (v == 0) return signo + "0";
    const Corto c = mas_corto(v);
    const int n = static_cast<int>(c.digitos.size()), x = c.exponente;
    // Appended piece by piece: GCC 12 sees overlaps that are not there in
    // chains of string additions.
    std::string cientifico(1, c.digitos[0]);
    if (n > 1) cientifico.append(1, '.').append(c.digitos, 1);
    const std::string exp = std::to_string(std::abs(x));
    cientifico.append(x < 0 ? "e-" : "e+").append(exp.size() < 2 ? "0" : "").append(exp);
    std::string fijo;
    if (x >= n - 1) {
        // Whole: every digit of the exact value, as "%.0f" writes it.
        fijo = con_printf("%.*f", 0, std::fabs(v));
    } else if (x >= 0) {
        const auto punto = static_cast<size_t>(x + 1);
        fijo.append(c.digitos, 0, punto).append(1, '.').append(c.digitos, punto);
    } else {
        fijo.append("0.").append(static_cast<size_t>(-x - 1), '0').append(c.digitos);
    }
    return signo + (fijo.size() <= cientifico.size() ? fijo : cientifico);
}

bool es_digito(char c) {
    return c >= '0' && c <= '9';
}

// "-1.5e3": an optional minus, digits with at most one point (at least one
// digit), an optional exponent with its digits. Says whether any digit of
// the mantissa is not zero.
bool forma_decimal(std::string_view t, bool& no_cero) {
    size_t i = t.starts_with('-') ? 1 : 0, digitos = 0;
    bool punto = false;
    no_cero = false;
    for (; i < t.size() && (es_digito(t[i]) || (t[i] == '.' && !punto)); ++i) {
        if (t[i] == '.') {
            punto = true;
            continue;
        }
        ++digitos;
        no_cero |= t[i] != '0';
    }
    if (digitos == 0) return false;
    if (i == t.size()) return true;
    if (t[i] != 'e' && t[i] != 'E') return false;
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
        if (!es_digito(t[i])) return false;
    }
    return true;
}

}  // namespace

std::string texto_de_numero(double v, FormatoNumero f, int precision) {
    switch (f) {
        case FormatoNumero::Fijo:
            return con_printf("%.*f", precision, v);
        case FormatoNumero::Cientifico:
            return con_printf("%.*e", precision, v);
        case FormatoNumero::General:
            return con_printf("%.*g", precision, v);
        case FormatoNumero::Exacto:
            break;
    }
    return exacto(v);
}

std::optional<double> numero_de_texto(std::string_view texto) {
    bool no_cero = false;
    if (!forma_decimal(texto, no_cero)) return std::nullopt;
    const std::string t(texto);
    const double v = std::strtod(t.c_str(), nullptr);
    // Out of range: infinite, or a mantissa that is not zero gone to zero.
    if (!std::isfinite(v) || (v == 0 && no_cero)) return std::nullopt;
    return v;
}

}  // namespace por_printf

#ifdef __EMSCRIPTEN__

std::string texto_de_numero(double v, FormatoNumero f, int precision) {
    return por_printf::texto_de_numero(v, f, precision);
}

std::optional<double> numero_de_texto(std::string_view texto) {
    return por_printf::numero_de_texto(texto);
}

#else

std::string texto_de_numero(double v, FormatoNumero f, int precision) {
    char texto[512];
    std::to_chars_result r{};
    switch (f) {
        case FormatoNumero::Fijo:
            r = std::to_chars(texto, texto + sizeof texto, v, std::chars_format::fixed, precision);
            break;
        case FormatoNumero::Cientifico:
            r = std::to_chars(texto, texto + sizeof texto, v, std::chars_format::scientific,
                              precision);
            break;
        case FormatoNumero::General:
            r = std::to_chars(texto, texto + sizeof texto, v, std::chars_format::general,
                              precision);
            break;
        case FormatoNumero::Exacto:
            r = std::to_chars(texto, texto + sizeof texto, v);
            break;
    }
    return r.ec == std::errc{} ? std::string(texto, r.ptr) : std::string();
}

std::optional<double> numero_de_texto(std::string_view texto) {
    double v = 0;
    const char* fin = texto.data() + texto.size();
    const auto [p, ec] = std::from_chars(texto.data(), fin, v);
    if (ec != std::errc{} || p != fin || !std::isfinite(v)) return std::nullopt;
    return v;
}

#endif

}  // namespace zek
