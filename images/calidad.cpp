// SPDX-License-Identifier: MIT
#include "images/calidad.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "base/colores.h"

namespace zek {

std::optional<double> psnr_entre(const SuperficieImagen& a, const SuperficieImagen& b, Zona zona) {
    int64_t suma = 0, muestras = 0;
    const int n = zona.y_hasta - zona.y_desde + 1;
    std::vector<int32_t> columna_a(static_cast<size_t>(std::max(n, 0))), columna_b = columna_a;
    for (int x = zona.x_desde; x <= zona.x_hasta && n > 0; ++x) {
        a.lee_columna(x, zona.y_desde, n, columna_a.data());
        b.lee_columna(x, zona.y_desde, n, columna_b.data());
        for (int i = 0; i < n; ++i) {
            const int32_t ca = columna_a[i], cb = columna_b[i];
            if (!es_color(ca) || !es_color(cb)) continue;
            for (auto canal : {rojo, verde, azul}) {
                const int64_t d = canal(ca) - canal(cb);
                suma += d * d;
            }
            muestras += 3;
        }
    }
    if (suma == 0) return std::nullopt;
    const double mse = static_cast<double>(suma) / static_cast<double>(muestras);
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

Diferencia diferencia_de_luminancia(const Tabla& Y_marcada, const Tabla& Y_original, int W, int H) {
    Diferencia d{SuperficieMemoria(W, H), 0, 1};
    d.imagen.rellena(0, 0, W, H, 0);
    // Columns and rows that both tables hold.
    const int x1 = std::min({W, Y_marcada.x_hasta(), Y_original.x_hasta()});
    const int y1 = std::min({H, Y_marcada.y_hasta(), Y_original.y_hasta()});
    const int x0 = std::max({1, Y_marcada.x_desde(), Y_original.x_desde()});
    const int y0 = std::max({1, Y_marcada.y_desde(), Y_original.y_desde()});
    if (!Y_marcada.dimensionada() || !Y_original.dimensionada() || x1 < x0 || y1 < y0) return d;
    const auto n = static_cast<size_t>(y1 - y0 + 1);
    std::vector<double> diferencias(static_cast<size_t>(x1 - x0 + 1) * n);
    for (int x = x0; x <= x1; ++x) {
        const double* a = Y_marcada.columna(x) + (y0 - Y_marcada.y_desde());
        const double* b = Y_original.columna(x) + (y0 - Y_original.y_desde());
        double* dif = &diferencias[static_cast<size_t>(x - x0) * n];
        for (size_t i = 0; i < n; ++i) {
            dif[i] = std::fabs(a[i] - b[i]);
            d.maxima = std::max(d.maxima, dif[i]);
        }
    }
    d.ganancia = d.maxima > 0 ? std::min(255.0 / d.maxima, 255.0) : 1;
    std::vector<int32_t> columna(n);
    for (int x = x0; x <= x1; ++x) {
        const double* dif = &diferencias[static_cast<size_t>(x - x0) * n];
        for (size_t i = 0; i < n; ++i) {
            const auto g = static_cast<int32_t>(std::min(std::lround(dif[i] * d.ganancia), 255L));
            columna[i] = g * 0x010101;
        }
        d.imagen.pon_columna(x, y0, static_cast<int>(n), columna.data());
    }
    return d;
}

namespace {

constexpr int kVentana = 11;

// The 11 weights of one direction; their products sum to 1.
std::array<double, kVentana> pesos_gaussianos() {
    std::array<double, kVentana> g{};
    double suma = 0;
    for (int k = 0; k < kVentana; ++k) {
        const double d = k - kVentana / 2;
        g[static_cast<size_t>(k)] = std::exp(-d * d / (2 * 1.5 * 1.5));
        suma += g[static_cast<size_t>(k)];
    }
    for (double& p : g) p /= suma;
    return g;
}

// The plane (w columns of h) filtered by the window at every position that
// lies wholly inside: (w - 10) columns of (h - 10), along each column first.
std::vector<double> filtra(const std::vector<double>& plano, int w, int h,
                           const std::array<double, kVentana>& g) {
    const int hv = h - kVentana + 1, wv = w - kVentana + 1;
    std::vector<double> columnas(static_cast<size_t>(w) * hv), salida(static_cast<size_t>(wv) * hv);
    for (int x = 0; x < w; ++x) {
        const double* c = &plano[static_cast<size_t>(x) * h];
        double* o = &columnas[static_cast<size_t>(x) * hv];
        // Weight by weight along the whole column, so that the compiler runs
        // it across vector lanes.
        for (int k = 0; k < kVentana; ++k) {
            const double p = g[static_cast<size_t>(k)];
            for (int y = 0; y < hv; ++y) o[y] += p * c[y + k];
        }
    }
    for (int x = 0; x < wv; ++x) {
        double* o = &salida[static_cast<size_t>(x) * hv];
        for (int k = 0; k < kVentana; ++k) {
            const double* c = &columnas[static_cast<size_t>(x + k) * hv];
            const double p = g[static_cast<size_t>(k)];
            for (int y = 0; y < hv; ++y) o[y] += p * c[y];
        }
    }
    return salida;
}

}  // namespace

std::optional<double> ssim_entre(const Tabla& Y_a, const Tabla& Y_b, int W, int H) {
    if (!Y_a.dimensionada() || !Y_b.dimensionada()) return std::nullopt;
    const int x1 = std::min({W, Y_a.x_hasta(), Y_b.x_hasta()});
    const int y1 = std::min({H, Y_a.y_hasta(), Y_b.y_hasta()});
    const int x0 = std::max({1, Y_a.x_desde(), Y_b.x_desde()});
    const int y0 = std::max({1, Y_a.y_desde(), Y_b.y_desde()});
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    if (w < kVentana || h < kVentana) return std::nullopt;
    const auto n = static_cast<size_t>(w) * h;
    std::vector<double> a(n), b(n), aa(n), bb(n), ab(n);
    for (int x = x0; x <= x1; ++x) {
        const double* ca = Y_a.columna(x) + (y0 - Y_a.y_desde());
        const double* cb = Y_b.columna(x) + (y0 - Y_b.y_desde());
        const size_t base = static_cast<size_t>(x - x0) * h;
        for (int y = 0; y < h; ++y) {
            const size_t i = base + y;
            a[i] = ca[y];
            b[i] = cb[y];
            aa[i] = ca[y] * ca[y];
            bb[i] = cb[y] * cb[y];
            ab[i] = ca[y] * cb[y];
        }
    }
    const auto g = pesos_gaussianos();
    const auto ma = filtra(a, w, h, g), mb = filtra(b, w, h, g), maa = filtra(aa, w, h, g),
               mbb = filtra(bb, w, h, g), mab = filtra(ab, w, h, g);
    constexpr double C1 = (0.01 * 255) * (0.01 * 255), C2 = (0.03 * 255) * (0.03 * 255);
    double suma = 0;
    for (size_t i = 0; i < ma.size(); ++i) {
        const double va = maa[i] - ma[i] * ma[i], vb = mbb[i] - mb[i] * mb[i];
        const double cov = mab[i] - ma[i] * mb[i];
        suma += (2 * ma[i] * mb[i] + C1) * (2 * cov + C2) /
                ((ma[i] * ma[i] + mb[i] * mb[i] + C1) * (va + vb + C2));
    }
    return suma / static_cast<double>(ma.size());
}

}  // namespace zek
