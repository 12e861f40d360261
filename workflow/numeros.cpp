#include "numeros.h"

#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>

namespace zek {
namespace {

constexpr std::array<double, 23> potencias_de_diez = [] {
    std::array<double, 23> p{};
    double v = 1.0;
    for (double& e : p) {
        e = v;  // every power up to 1e22 is exact in a double
        v *= 10.0;
    }
    return p;
}();

// Every finite double of 2^52 or more is whole; below, a cast tells.
bool es_entero(double v) {
    if (!(std::fabs(v) < 4503599627370496.0)) return std::isfinite(v);
    return static_cast<double>(static_cast<int64_t>(v)) == v;
}

// Decimal exponent of a (floor of log10 a) for 1e-8 <= a < 1e15, from the
// binary exponent and one comparison; no call to log10.
int exponente_decimal(double a) {
    const auto bits = std::bit_cast<uint64_t>(a);
    const int e2 = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
    int e10 = (e2 * 78913) >> 18;  // floor(e2 * log10 2), at most one too small
    const int k = 14 - e10 - 1;
    if (k >= 0 && k <= 22 && a * potencias_de_diez[static_cast<size_t>(k)] >= 1e14) ++e10;
    return e10;
}

}  // namespace

double valor_por_texto_lento(double v) {
    char texto[40];
    if (es_entero(v)) return v;
    std::snprintf(texto, sizeof texto, "%.15g", v);
    return std::strtod(texto, nullptr);
}

double valor_por_texto(double v) {
    if (es_entero(v)) return v;
    const double a = std::fabs(v);
    if (!(a >= 1e-8 && a < 1e15)) return valor_por_texto_lento(v);

    // Scale so that the 15 significant digits become the integer part:
    // t = a * 10^k lies in [1e14, 1e15). Both a and 10^k are exact, so m is
    // the correctly rounded t and the sign of fma(a, p, -m) is that of t - m.
    const int k = 14 - exponente_decimal(a);
    const double p = potencias_de_diez[static_cast<size_t>(k)];
    const double m = a * p;
    double n = redondea_par(m);
    const double d = m - n;  // exact: |m| < 2^52
    if (d == 0.5 || d == -0.5) {
        // m sits on a half: the exact t decides which way to go.
        const double resto = std::fma(a, p, -m);
        if (d == 0.5 && resto > 0) n += 1.0;
        if (d == -0.5 && resto < 0) n -= 1.0;
    }
    // n and p are exact, so one division gives the correctly rounded value
    // of the 15-digit decimal, which is what strtod returns.
    const double r = n / p;
    return v < 0 ? -r : r;
}

std::string texto_general(double v, char separador_decimal) {
    char texto[40];
    if (v == 0) return "0";  // also -0
    if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
        std::snprintf(texto, sizeof texto, "%.0f", v);
    } else {
        std::snprintf(texto, sizeof texto, "%.15G", v);
    }
    std::string s = texto;
    for (char& c : s) {
        if (c == '.') c = separador_decimal;
    }
    return s;
}

}  // namespace zek
