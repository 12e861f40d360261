// SPDX-License-Identifier: MIT
#include <cstdint>

#include "engine/funciones.h"

namespace zek {

bool Dibuja_Rejilla(SuperficieImagen& picture, int32_t S) {
    if (S < 1) return false;
    // Each line runs one pixel past the picture's edge, like the pixel loops
    // it replaces; that pixel lies outside and is not drawn.
    for (int64_t x = S; picture.ancho() > x; x += S) {
        picture.rellena(static_cast<int>(x), 0, 1, picture.alto() + 1, kColorRejilla);
    }
    for (int64_t y = S; picture.alto() > y; y += S) {
        picture.rellena(0, static_cast<int>(y), picture.ancho() + 1, 1, kColorRejilla);
    }
    return true;
}

}  // namespace zek
