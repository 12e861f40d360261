// SPDX-License-Identifier: MIT
// A picture box as the core sees it: a size in pixels and per-pixel colours
// 0x00BBGGRR (red in the low byte). Coordinates start at (0, 0), top left.
#pragma once

#include <cstdint>

namespace zek {

// The colour a read returns for a position outside the picture.
inline constexpr int32_t kColorInvalido = -1;

class SuperficieImagen {
  public:
    virtual ~SuperficieImagen() = default;

    virtual int ancho() const = 0;
    virtual int alto() const = 0;

    // The box takes that size; the part that both sizes share keeps its
    // pixels and the rest shows the background.
    virtual void fija_tamano(int ancho, int alto) = 0;

    // The box shows nothing: every pixel becomes the background colour.
    virtual void limpia() = 0;

    // kColorInvalido outside the picture. Reads may run on several threads
    // at once (the captures split their columns over two).
    virtual int32_t lee_pixel(int x, int y) const = 0;

    // Outside the picture, or with a value that is not a colour (such as
    // kColorInvalido), the write does nothing.
    virtual void pon_pixel(int x, int y, int32_t color) = 0;

    // Bulk forms for the per-pixel loops: each does exactly what reading or
    // writing the pixels one by one would, and surfaces that hold their
    // pixels in memory override them to skip the per-pixel calls.
    // n pixels of column x from row y down, into destino.
    virtual void lee_columna(int x, int y, int n, int32_t* destino) const;
    // n colours written down column x from row y.
    virtual void pon_columna(int x, int y, int n, const int32_t* colores);
    // Every pixel of the ancho x alto rectangle whose top left is (x, y).
    virtual void rellena(int x, int y, int ancho, int alto, int32_t color);
};

inline bool es_color(int32_t c) {
    return c >= 0 && c <= 0xFFFFFF;
}

}  // namespace zek
