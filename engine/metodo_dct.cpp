// SPDX-License-Identifier: MIT
// Quantisation of DCT coefficients on JPEG's own 8 x 8 grid: each watermark
// pixel brings one middle-frequency coefficient of one block to Clave or
// Clave + step/2 modulo its step, alfa times JPEG's quantiser for it, so
// that the quality at which JPEG breaks the mark can be predicted from
// JPEG's table.
#include <array>
#include <cmath>
#include <numbers>

#include "engine/metodo.h"

namespace zek {
namespace {

constexpr int kLado = 8;

// JPEG's standard luminance quantisation table (Annex K, Table K.1), row v
// (vertical frequency), column u.
constexpr int kQ50[kLado][kLado] = {
    {16, 11, 10, 16, 24, 40, 51, 61},     {12, 12, 14, 19, 26, 58, 60, 55},
    {14, 13, 16, 24, 40, 57, 69, 56},     {14, 17, 22, 29, 51, 87, 80, 62},
    {18, 22, 37, 56, 68, 109, 103, 77},   {24, 35, 55, 64, 81, 104, 113, 92},
    {49, 64, 78, 87, 103, 121, 120, 101}, {72, 92, 95, 98, 112, 100, 103, 99}};

// JPEG's zigzag positions 6 to 20, the anti-diagonals u + v = 3, 4, 5, as
// (v, u).
struct Coeficiente {
    int v, u;
};
constexpr Coeficiente kUsados[] = {{0, 3}, {1, 2}, {2, 1}, {3, 0}, {4, 0}, {3, 1}, {2, 2}, {1, 3},
                                   {0, 4}, {0, 5}, {1, 4}, {2, 3}, {3, 2}, {4, 1}, {5, 0}};
constexpr int kPorBloque = static_cast<int>(std::size(kUsados));

// a(k) cos((2n + 1) k pi / 16), the orthonormal DCT-II basis.
const std::array<std::array<double, kLado>, kLado>& base_dct() {
    static const auto b = [] {
        std::array<std::array<double, kLado>, kLado> t{};
        for (int k = 0; k < kLado; ++k) {
            const double a = k == 0 ? std::sqrt(1.0 / 8) : 0.5;
            for (int n = 0; n < kLado; ++n)
                t[k][n] = a * std::cos((2 * n + 1) * k * std::numbers::pi / 16);
        }
        return t;
    }();
    return b;
}

// Whole blocks from the picture's first pixel, on JPEG's own grid: the
// coefficients are those a JPEG encoder quantises.
struct Rejilla {
    int Bx, By;
    int64_t N() const { return int64_t{Bx} * By; }
};
Rejilla rejilla(int W, int H) {
    return {std::max(W, 0) / kLado, std::max(H, 0) / kLado};
}

// The luminance of every pixel, column by column, as the host capture
// computes it (which leaves out the first column and row: JPEG's grid
// starts there).
struct Plano {
    int W = 0, H = 0;
    std::vector<double> Y;
    double en(int x, int y) const { return Y[static_cast<size_t>(x) * H + y]; }
};
Plano luminancia(const SuperficieImagen& imagen) {
    Plano p{imagen.ancho(), imagen.alto(), {}};
    p.Y.resize(static_cast<size_t>(p.W) * p.H);
    std::vector<int32_t> columna(static_cast<size_t>(p.H));
    for (int x = 0; x < p.W; ++x) {
        imagen.lee_columna(x, 0, p.H, columna.data());
        double* Y = &p.Y[static_cast<size_t>(x) * p.H];
        for (int y = 0; y < p.H; ++y) {
            const int32_t c = columna[static_cast<size_t>(y)];
            const double r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            Y[y] = c < 0 ? 0 : (0.587 * g + 0.299 * r) + 0.114 * b;
        }
    }
    return p;
}

int coeficientes_por_bloque(int64_t N, int Wm, int Hm) {
    const int64_t P = int64_t{Wm} * Hm;
    return N < 1 ? kPorBloque + 1 : static_cast<int>((P + N - 1) / N);
}

double coeficiente(const Plano& Y, int x0, int y0, Coeficiente c) {
    const auto& b = base_dct();
    double s = 0;
    for (int y = 0; y < kLado; ++y) {
        double fila = 0;
        for (int x = 0; x < kLado; ++x) fila += Y.en(x0 + x, y0 + y) * b[c.u][x];
        s += fila * b[c.v][y];
    }
    return s;
}

// The position of watermark pixel i: its block's top left pixel and its
// coefficient.
struct Lugar {
    int x0, y0;
    Coeficiente c;
};
Lugar lugar(int64_t i, const Rejilla& r) {
    const int64_t bloque = i % r.N();
    return {static_cast<int>(bloque % r.Bx) * kLado, static_cast<int>(bloque / r.Bx) * kLado,
            kUsados[i / r.N()]};
}

double paso(double alfa, Coeficiente c) {
    return alfa * kQ50[c.v][c.u];
}

class Dct final : public Metodo {
  public:
    const char* nombre() const override { return "dct"; }
    const char* en_frase() const override { return "DCT"; }
    const char* titulo() const override { return "Coeficientes DCT"; }
    const char* que_es_la_fuerza() const override { return "alfa"; }
    RangoFuerza fuerza() const override { return {0.1, 10, false}; }

    int64_t capacidad(int W, int H, int, int) const override {
        return rejilla(W, H).N() * kPorBloque;
    }

    std::optional<SuperficieMemoria> inserta(const SuperficieImagen& anfitrion, const Bits& marca,
                                             int Wm, int Hm, double alfa,
                                             double clave) const override {
        const int W = anfitrion.ancho(), H = anfitrion.alto();
        if (!no_cabe(*this, W, H, Wm, Hm).empty() || !(alfa > 0)) return {};
        const Rejilla r = rejilla(W, H);
        const Plano Y = luminancia(anfitrion);
        // Y' - Y, the inverse transform of the coefficients' changes.
        std::vector<double> cambio(static_cast<size_t>(W) * H, 0.0);
        const auto& b = base_dct();
        for (int64_t i = 0; i < static_cast<int64_t>(marca.size()); ++i) {
            if (marca[static_cast<size_t>(i)] < 0) continue;
            const Lugar l = lugar(i, r);
            const double c = coeficiente(Y, l.x0, l.y0, l.c), q = paso(alfa, l.c);
            const double d = marca[static_cast<size_t>(i)] ? clave + q / 2 : clave;
            const double delta = d + q * std::round((c - d) / q) - c;
            for (int y = 0; y < kLado; ++y) {
                for (int x = 0; x < kLado; ++x) {
                    cambio[static_cast<size_t>(l.x0 + x) * H + (l.y0 + y)] +=
                        delta * b[l.c.u][x] * b[l.c.v][y];
                }
            }
        }
        SuperficieMemoria salida(W, H);
        std::vector<int32_t> columna(static_cast<size_t>(H));
        for (int x = 0; x < W; ++x) {
            anfitrion.lee_columna(x, 0, H, columna.data());
            const double* d = &cambio[static_cast<size_t>(x) * H];
            for (int y = 0; y < H; ++y) {
                const int32_t color = columna[static_cast<size_t>(y)];
                const long paso_entero = std::lround(d[y]);
                if (paso_entero == 0 || color < 0) continue;
                const auto canal = [paso_entero](int v) {
                    return static_cast<int>(std::clamp(v + paso_entero, 0L, 255L));
                };
                columna[static_cast<size_t>(y)] = canal(color & 0xFF) +
                                                  256 * canal((color >> 8) & 0xFF) +
                                                  65536 * canal((color >> 16) & 0xFF);
            }
            salida.pon_columna(x, 0, H, columna.data());
        }
        return salida;
    }

    // ((c - Clave) mod step) / step.
    std::vector<double> fracciones(const SuperficieImagen& imagen, int Wm, int Hm, double alfa,
                                   double clave) const override {
        std::vector<double> f(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
        const Rejilla r = rejilla(imagen.ancho(), imagen.alto());
        if (!(alfa > 0) || coeficientes_por_bloque(r.N(), Wm, Hm) > kPorBloque) return f;
        const Plano Y = luminancia(imagen);
        for (int64_t i = 0; i < static_cast<int64_t>(f.size()); ++i) {
            const Lugar l = lugar(i, r);
            const double q = paso(alfa, l.c);
            double resto = std::fmod(coeficiente(Y, l.x0, l.y0, l.c) - clave, q);
            if (resto < 0) resto += q;
            f[static_cast<size_t>(i)] = resto / q;
        }
        return f;
    }

    // Light where the coefficient falls in the middle half of its step.
    Bits lee(const SuperficieImagen& imagen, int Wm, int Hm, double alfa,
             double clave) const override {
        const std::vector<double> f = fracciones(imagen, Wm, Hm, alfa, clave);
        Bits bits(f.size(), -1);
        for (size_t i = 0; i < f.size(); ++i) {
            if (f[i] >= 0) bits[i] = f[i] >= 0.25 && f[i] < 0.75 ? 1 : 0;
        }
        return bits;
    }
};

}  // namespace

const Metodo& metodo_dct() {
    static const Dct m;
    return m;
}

std::optional<int> calidad_predicha_dct(int W, int H, int Wm, int Hm, double alfa) {
    const Rejilla r = rejilla(W, H);
    const int k = coeficientes_por_bloque(r.N(), Wm, Hm);
    if (k > kPorBloque || !(alfa > 0)) return std::nullopt;
    for (int Q = 1; Q <= 100; ++Q) {
        const int s = Q < 50 ? 5000 / Q : 200 - 2 * Q;
        bool a_salvo = true;
        for (int j = 0; j < k && a_salvo; ++j) {
            const int q50 = kQ50[kUsados[j].v][kUsados[j].u];
            const int q = std::max((q50 * s + 50) / 100, 1);  // as libjpeg clamps it
            a_salvo = q < paso(alfa, kUsados[j]) / 2;
        }
        if (a_salvo) return Q;
    }
    return std::nullopt;
}

}  // namespace zek
