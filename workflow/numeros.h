// Number conversions shared by the tables, the engine and the captions.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace zek {

// Nearest whole number, ties to the even neighbour, kept as a double.
// Uses the 2^52 trick so that it is exact and needs no call into libm.
inline double redondea_par(double v) {
    constexpr double dos_52 = 4503599627370496.0;
    if (!(std::fabs(v) < dos_52)) return v;  // already whole, infinite or NaN
    return v >= 0 ? (v + dos_52) - dos_52 : (v - dos_52) + dos_52;
}

// whole(v): nearest 32-bit whole number, ties to even; nothing when the
// result leaves the 32-bit range or v is not a number.
inline std::optional<int32_t> entero(double v) {
    const double r = redondea_par(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
    return static_cast<int32_t>(r);
}

// The value that writing v as text and reading the text back gives:
// whole numbers stay exact, fractional ones keep 15 significant digits
// (general format), exactly as printf("%.15g") followed by strtod would.
double valor_por_texto(double v);

// The same round trip done literally through text; the slow reference that
// valor_por_texto must always agree with.
double valor_por_texto_lento(double v);

// A double in the general number format: whole numbers as plain digits,
// others with at most 15 significant digits and an exponent only for very
// large or very small magnitudes ("2.5", "1E+300", "1.5E-05").
std::string texto_general(double v, char separador_decimal = '.');

}  // namespace zek
