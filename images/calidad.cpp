// SPDX-License-Identifier: MIT
#include "images/calidad.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "base/colores.h"
#include "base/numeros.h"
#include "base/vectores.h"

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
            const auto g = static_cast<int32_t>(
                std::min<int64_t>(redondea_positivo(dif[i] * d.ganancia), 255));
            columna[i] = g * 0x010101;
        }
        d.imagen.pon_columna(x, y0, static_cast<int>(n), columna.data());
    }
    return d;
}

namespace {

constexpr int kVentana = 11;

using Pesos = std::array<double, kVentana>;

// The 11 weights of one direction; their products sum to 1.
Pesos pesos_gaussianos() {
    Pesos g{};
    double suma = 0;
    for (int k = 0; k < kVentana; ++k) {
        const double d = k - kVentana / 2;
        g[static_cast<size_t>(k)] = std::exp(-d * d / (2 * 1.5 * 1.5));
        suma += g[static_cast<size_t>(k)];
    }
    for (double& p : g) p /= suma;
    return g;
}

// One column filtered along y at every position that lies wholly inside:
// o[y] = sum over k of g[k] c[y + k], the symmetric weights taken in pairs.
ZEK_EN_LINEA void filtra_columna(const double* c, double* o, int hv, const Pesos& g) {
    for (int y = 0; y < hv; ++y) {
        double s = g[5] * c[y + 5];
        for (int k = 0; k < 5; ++k) s += g[k] * (c[y + k] + c[y + 10 - k]);
        o[y] = s;
    }
}

// The five local moments of the windows: means of a and b, of a², b² and ab.
constexpr int kMomentos = 5;

// The sum of the SSIM terms over every window wholly inside the w columns
// of h. Each column is filtered along y once, into a ring of the last
// eleven; each column of windows then filters across the ring. Built for
// wide vectors too, with the same sums in the same order.
ZEK_EN_LINEA double suma_ssim_en(const double* const* A, const double* const* B, int w, int h,
                                 const Pesos& g) {
    const int hv = h - kVentana + 1;
    const auto n = static_cast<size_t>(hv);
    std::vector<double> anillo(kMomentos * kVentana * n), productos(3 * static_cast<size_t>(h)),
        momentos(kMomentos * n), terminos(n);
    const auto ranura = [&](int q, int x) {
        return &anillo[(static_cast<size_t>(q) * kVentana + static_cast<size_t>(x % kVentana)) * n];
    };
    constexpr double C1 = (0.01 * 255) * (0.01 * 255), C2 = (0.03 * 255) * (0.03 * 255);
    double sumas[4] = {0, 0, 0, 0};
    for (int x = 0; x < w; ++x) {
        double* aa = productos.data();
        double* bb = aa + h;
        double* ab = bb + h;
        for (int y = 0; y < h; ++y) {
            aa[y] = A[x][y] * A[x][y];
            bb[y] = B[x][y] * B[x][y];
            ab[y] = A[x][y] * B[x][y];
        }
        const double* fuentes[kMomentos] = {A[x], B[x], aa, bb, ab};
        for (int q = 0; q < kMomentos; ++q) filtra_columna(fuentes[q], ranura(q, x), hv, g);
        if (x < kVentana - 1) continue;
        for (int q = 0; q < kMomentos; ++q) {
            const double* c[kVentana];
            for (int k = 0; k < kVentana; ++k) c[k] = ranura(q, x - kVentana + 1 + k);
            double* o = &momentos[static_cast<size_t>(q) * n];
            for (int y = 0; y < hv; ++y) {
                double s = g[5] * c[5][y];
                for (int k = 0; k < 5; ++k) s += g[k] * (c[k][y] + c[10 - k][y]);
                o[y] = s;
            }
        }
        const double *ma = momentos.data(), *mb = ma + n, *maa = mb + n, *mbb = maa + n,
                     *mab = mbb + n;
        for (int y = 0; y < hv; ++y) {
            const double va = maa[y] - ma[y] * ma[y], vb = mbb[y] - mb[y] * mb[y];
            const double cov = mab[y] - ma[y] * mb[y];
            terminos[static_cast<size_t>(y)] =
                (2 * ma[y] * mb[y] + C1) * (2 * cov + C2) /
                ((ma[y] * ma[y] + mb[y] * mb[y] + C1) * (va + vb + C2));
        }
        for (int y = 0; y < hv; ++y) sumas[y % 4] += terminos[static_cast<size_t>(y)];
    }
    return (sumas[0] + sumas[1]) + (sumas[2] + sumas[3]);
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] double suma_ssim_avx2(const double* const* A, const double* const* B, int w,
                                              int h, const Pesos& g) {
    return suma_ssim_en(A, B, w, h, g);
}
#endif

double suma_ssim(const double* const* A, const double* const* B, int w, int h, const Pesos& g) {
#if defined(__x86_64__)
    if (vec::hay_avx2()) return suma_ssim_avx2(A, B, w, h, g);
#endif
    return suma_ssim_en(A, B, w, h, g);
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
    std::vector<const double*> A(static_cast<size_t>(w)), B(static_cast<size_t>(w));
    for (int x = x0; x <= x1; ++x) {
        A[static_cast<size_t>(x - x0)] = Y_a.columna(x) + (y0 - Y_a.y_desde());
        B[static_cast<size_t>(x - x0)] = Y_b.columna(x) + (y0 - Y_b.y_desde());
    }
    const double suma = suma_ssim(A.data(), B.data(), w, h, pesos_gaussianos());
    const auto ventanas = static_cast<double>(w - kVentana + 1) * (h - kVentana + 1);
    return suma / ventanas;
}

}  // namespace zek
