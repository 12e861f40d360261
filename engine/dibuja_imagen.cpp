// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>
#include <vector>

#include "base/paralelo.h"
#include "base/vectores.h"
#include "engine/funciones.h"

namespace zek {
namespace {

using Matriz = std::array<std::array<double, 3>, 3>;

// Rows Y, I, Q of the capture's colour conversion, columns red, green, blue.
constexpr Matriz kRgbAYiq{{{0.299, 0.587, 0.114}, {0.596, -0.275, -0.321}, {0.212, -0.523, 0.311}}};

constexpr Matriz inversa(const Matriz& m) {
    const auto cof = [&m](int f, int c) {
        const int f1 = (f + 1) % 3, f2 = (f + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
        return m[f1][c1] * m[f2][c2] - m[f1][c2] * m[f2][c1];
    };
    const double det = m[0][0] * cof(0, 0) + m[0][1] * cof(0, 1) + m[0][2] * cof(0, 2);
    Matriz inv{};
    for (int f = 0; f < 3; ++f) {
        for (int c = 0; c < 3; ++c) inv[f][c] = cof(c, f) / det;  // adjugate over determinant
    }
    return inv;
}

// Back from (Y, I, Q) to red, green and blue: the exact inverse of the
// capture, so that an untouched pixel comes back in its captured colour.
constexpr Matriz kYiqARgb = inversa(kRgbAYiq);

// One channel of two pixels: the Y term, then the I term, then the Q term;
// clamped to 0 to 255 and rounded half to even. Adding 2^52 rounds a value
// from 0 to 255 without the sign and range tests of redondea_par.
inline vec::Enteros canal(const std::array<double, 3>& pesos, vec::Dobles Y, vec::Dobles I,
                          vec::Dobles Q) {
    using D = vec::Dobles;
    D v = pesos[0] * Y + pesos[1] * I + pesos[2] * Q;
    v = v < vec::junta<D>(0) ? vec::junta<D>(0) : v;
    v = vec::junta<D>(255) < v ? vec::junta<D>(255) : v;
    constexpr double dos_52 = 4503599627370496.0;
    return __builtin_convertvector((v + dos_52) - dos_52, vec::Enteros);
}

inline void colores_de_par(const double* Y, const double* I, const double* Q, int32_t* colores) {
    using D = vec::Dobles;
    const D y = vec::carga<D>(Y), i = vec::carga<D>(I), q = vec::carga<D>(Q);
    const vec::Enteros r = canal(kYiqARgb[0], y, i, q);
    const vec::Enteros g = canal(kYiqARgb[1], y, i, q);
    const vec::Enteros b = canal(kYiqARgb[2], y, i, q);
    vec::pon(colores, r + 256 * g + 65536 * b);
}

// The colours of one column of n pixels, two at a time.
void colores_de_columna(const double* Y, const double* I, const double* Q, int n,
                        int32_t* colores) {
    int i = 0;
    for (; i + vec::kCarriles <= n; i += vec::kCarriles) {
        colores_de_par(Y + i, I + i, Q + i, colores + i);
    }
    if (i < n) {  // the last one, through a padded copy
        const double y[] = {Y[i], 0}, iq[] = {I[i], 0}, q[] = {Q[i], 0};
        int32_t ultimos[vec::kCarriles];
        colores_de_par(y, iq, q, ultimos);
        colores[i] = ultimos[0];
    }
}

}  // namespace

void Dibuja_Imagen(const Vbles& vbles, const SuperficieImagen& Picture1,
                   SuperficieImagen& Picture3) {
    const Tabla& tY = vbles.MatrizY;
    const Tabla& tI = vbles.MatrizI;
    const Tabla& tQ = vbles.MatrizQ;
    if (!tY.contiene(1, 1) || !tI.contiene(1, 1) || !tQ.contiene(1, 1)) return;
    // Only what the host's size and all three tables cover is drawn.
    const int W = std::min({Picture1.ancho(), tY.x_hasta(), tI.x_hasta(), tQ.x_hasta()});
    const int H = std::min({Picture1.alto(), tY.y_hasta(), tI.y_hasta(), tQ.y_hasta()});
    if (W < 1 || H < 1) return;
    // The colours are worked out on both cores; the picture is written from
    // this thread alone.
    const auto alto = static_cast<std::size_t>(H);
    std::vector<int32_t> colores(static_cast<std::size_t>(W) * alto);
    en_dos_mitades(1, W, int64_t{W} * H, [&](int desde, int hasta) {
        for (int x = desde; x <= hasta; ++x) {
            colores_de_columna(tY.columna(x) + (1 - tY.y_desde()),
                               tI.columna(x) + (1 - tI.y_desde()),
                               tQ.columna(x) + (1 - tQ.y_desde()), H,
                               &colores[static_cast<std::size_t>(x - 1) * alto]);
        }
    });
    for (int x = 1; x <= W; ++x) {
        Picture3.pon_columna(x, 1, H, &colores[static_cast<std::size_t>(x - 1) * alto]);
    }
}

}  // namespace zek
