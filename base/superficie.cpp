// SPDX-License-Identifier: MIT
#include "base/superficie.h"

#include <algorithm>
#include <climits>

namespace zek {
namespace {

// How many of the n positions from desde on exist as ints, so that the
// loops below never step past INT_MAX (those positions are outside anyway).
int64_t cuantos(int desde, int n) {
    return std::clamp<int64_t>(int64_t{INT_MAX} - desde + 1, 0, std::max(n, 0));
}

}  // namespace

void SuperficieImagen::lee_columna(int x, int y, int n, int32_t* destino) const {
    const int64_t validos = cuantos(y, n);
    for (int i = 0; i < n; ++i) destino[i] = i < validos ? lee_pixel(x, y + i) : kColorInvalido;
}

void SuperficieImagen::pon_columna(int x, int y, int n, const int32_t* colores) {
    for (int i = 0; i < cuantos(y, n); ++i) pon_pixel(x, y + i, colores[i]);
}

void SuperficieImagen::rellena(int x, int y, int ancho, int alto, int32_t color) {
    for (int i = 0; i < cuantos(x, ancho); ++i) {
        for (int j = 0; j < cuantos(y, alto); ++j) pon_pixel(x + i, y + j, color);
    }
}

}  // namespace zek
