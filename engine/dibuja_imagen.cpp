#include <algorithm>
#include <array>

#include "funciones.h"

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

// One channel: the Y term, then the I term, then the Q term; clamped to 0 to
// 255 and rounded half to even. Adding 2^52 rounds a value from 0 to 255
// without the sign and range tests of redondea_par, which cost a fifth of
// the embedding stage in this loop.
inline int32_t canal(const std::array<double, 3>& pesos, double Y, double I, double Q) {
    const double v = pesos[0] * Y + pesos[1] * I + pesos[2] * Q;
    const double recortado = std::min(std::max(v, 0.0), 255.0);
    constexpr double dos_52 = 4503599627370496.0;
    return static_cast<int32_t>((recortado + dos_52) - dos_52);
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
    for (int x = 1; x <= W; ++x) {
        const double* colY = tY.columna(x) + (1 - tY.y_desde());
        const double* colI = tI.columna(x) + (1 - tI.y_desde());
        const double* colQ = tQ.columna(x) + (1 - tQ.y_desde());
        for (int y = 1; y <= H; ++y) {
            const double Y = colY[y - 1], I = colI[y - 1], Q = colQ[y - 1];
            const int32_t r = canal(kYiqARgb[0], Y, I, Q);
            const int32_t g = canal(kYiqARgb[1], Y, I, Q);
            const int32_t b = canal(kYiqARgb[2], Y, I, Q);
            Picture3.pon_pixel(x, y, r + 256 * g + 65536 * b);
        }
    }
}

}  // namespace zek
