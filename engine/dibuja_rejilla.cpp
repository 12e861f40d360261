#include <cstdint>

#include "funciones.h"

namespace zek {

bool Dibuja_Rejilla(SuperficieImagen& picture, int32_t S) {
    if (S < 1) return false;
    for (int64_t x = S; picture.ancho() > x; x += S) {
        const int Hn = picture.alto();
        for (int y = 0; y <= Hn; ++y) picture.pon_pixel(static_cast<int>(x), y, kColorRejilla);
    }
    for (int64_t y = S; picture.alto() > y; y += S) {
        const int Wn = picture.ancho();
        for (int x = 0; x <= Wn; ++x) picture.pon_pixel(x, static_cast<int>(y), kColorRejilla);
    }
    return true;
}

}  // namespace zek
