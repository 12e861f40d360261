// SPDX-License-Identifier: MIT
// Capturing the two loaded pictures into the tables of the shared state.
#pragma once

#include <cstdint>

#include "base/superficie.h"
#include "base/vbles.h"

namespace zek {

template <class D>
struct YiqDe {
    D Y, I, Q;
};
using Yiq = YiqDe<double>;

// Luminance and chrominance of a colour, in this exact order of operations;
// D is double, or a vector of doubles for several pixels at once (always
// inlined, so that wide vectors never cross a call without AVX).
template <class D>
[[gnu::always_inline]] inline YiqDe<D> yiq_de(D R, D G, D B) {
    return {(0.587 * G + 0.299 * R) + 0.114 * B, (0.596 * R - 0.275 * G) - 0.321 * B,
            (0.212 * R - 0.523 * G) + 0.311 * B};
}
inline Yiq yiq_de_color(int32_t R, int32_t G, int32_t B) {
    return yiq_de<double>(R, G, B);
}

// Fills MatrizY, MatrizI and MatrizQ over (1..W) x (1..H) from the host
// picture; an unreadable pixel (column W, row H) stores 0 in all three.
void Captura_Imagen(const SuperficieImagen& Picture1, Vbles& vbles);

// MatrizY alone, exactly as Captura_Imagen fills it.
void captura_luminancia(const SuperficieImagen& imagen, Tabla& MatrizY);

// Fills MatrizMarca over (1..Wm) x (1..Hm) with the colours as read, -1
// included.
void Captura_Marca(const SuperficieImagen& Picture2, Vbles& vbles);

}  // namespace zek
