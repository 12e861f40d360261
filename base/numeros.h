// SPDX-License-Identifier: MIT
// Number conversions shared by the tables, the engine and the captions.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/portatil.h"

namespace zek {

// Nearest whole number, ties to the even neighbour, kept as a double.
// Uses the 2^52 trick so that it is exact and needs no call into libm.
inline double redondea_par(double v) {
    constexpr double dos_52 = 4503599627370496.0;
    if (!(std::fabs(v) < dos_52)) return v;  // already whole, infinite or NaN
    return v >= 0 ? (v + dos_52) - dos_52 : (v - dos_52) + dos_52;
}

// The nearest whole number to a v from 0 to 2^52, halves up, as std::lround
// gives it there; exact (v less its whole part is), and without the call
// into libm that lround is in the browser, where it cost the difference
// picture half its time.
inline int64_t redondea_positivo(double v) {
    const auto t = static_cast<int64_t>(v);
    return t + (v - static_cast<double>(t) >= 0.5 ? 1 : 0);
}

// whole(v): nearest 32-bit whole number, ties to even; nothing when the
// result leaves the 32-bit range or v is not a number.
inline std::optional<int32_t> entero(double v) {
    const double r = redondea_par(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
    return static_cast<int32_t>(r);
}

namespace detalle {

inline constexpr std::array<double, 24> kPotenciasDeDiez = [] {
    std::array<double, 24> p{};
    double v = 1.0;
    for (double& e : p) {
        e = v;  // every power up to 1e22 is exact in a double; 1e23 is never used
        v *= 10.0;
    }
    return p;
}();

// Values the fast path below cannot take: tiny, huge, infinite or NaN.
double valor_por_texto_fuera_de_rango(double v);

}  // namespace detalle

// The value that writing v as text and reading the text back gives:
// whole numbers stay exact, fractional ones keep 15 significant digits
// (general format), exactly as printf("%.15g") followed by strtod would.
// Inline and nearly branch-free: the captures call it for every pixel.
inline double valor_por_texto(double v) {
    const double a = std::fabs(v);
    if (!(a >= 1e-8 && a < 1e15)) return detalle::valor_por_texto_fuera_de_rango(v);
    if (redondea_par(a) == a) return v;  // whole numbers are written exactly

    // Scale so that the 15 significant digits become the integer part:
    // t = a * 10^k in [1e14, 1e15). floor(log2 a) * log10(2) gives the
    // decade, or one below it, which the comparison mends.
    const int e2 = static_cast<int>((bits_de(a) >> 52) & 0x7ff) - 1023;
    int k = std::max(13 - ((e2 * 78913) >> 18), 0);  // 0 already for a >= 1e14
    k += a * detalle::kPotenciasDeDiez[static_cast<size_t>(k)] < 1e14;
    const double p = detalle::kPotenciasDeDiez[static_cast<size_t>(k)];
    // a and p are exact, so m is t correctly rounded; a half can only be
    // misjudged when m itself is a half, and then the exact sign of t - m
    // (from one fused multiply-add) decides.
    const double m = a * p;
    double n = redondea_par(m);
    const double d = m - n;  // exact: m < 2^52
    if (d == 0.5 || d == -0.5) [[unlikely]] {
        const double resto = std::fma(a, p, -m);
        if (d == 0.5 && resto > 0) n += 1.0;
        if (d == -0.5 && resto < 0) n -= 1.0;
    }
    // n and p are exact: one division rounds the 15-digit decimal correctly,
    // which is what strtod does with its text.
    return std::copysign(n / p, v);
}

// The same round trip done literally through text; the slow reference that
// valor_por_texto must always agree with.
double valor_por_texto_lento(double v);

// The finite number the whole text denotes, written with the point as
// decimal separator (as from_chars reads it: no blanks, no plus sign);
// nothing for anything else, infinities and NaN included.
std::optional<double> lee_decimal(std::string_view texto);

// The number a text denotes when written with the given decimal separator,
// blanks and tabs around it and a leading plus sign allowed; nothing for
// anything else (infinities and NaN included). Independent of any locale.
std::optional<double> lee_numero_con_separador(const std::string& texto, char separador_decimal);

// A double in the general number format: whole numbers as plain digits,
// others with at most 15 significant digits and an exponent only for very
// large or very small magnitudes ("2.5", "1E+300", "1.5E-05").
std::string texto_general(double v, char separador_decimal = '.');

// The shortest text with the point that reads back to exactly v, for files
// and command lines meant for programs; the same under any locale.
std::string texto_exacto(double v);

// A number with fixed decimals and the given decimal separator, the same
// under any C locale.
std::string con_decimales(double v, int decimales, char separador_decimal);

}  // namespace zek
