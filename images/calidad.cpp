// SPDX-License-Identifier: MIT
#include "images/calidad.h"

#include <algorithm>
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

}  // namespace zek
