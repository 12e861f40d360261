// SPDX-License-Identifier: MIT
#include "images/bmp.h"

#include <cstddef>

namespace zek {
namespace {

void pon(std::vector<uint8_t>& b, size_t en, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[en + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> codifica_bmp(const SuperficieImagen& imagen) {
    const int W = imagen.ancho(), H = imagen.alto();
    if (W <= 0 || H <= 0) return {};
    const size_t fila = (static_cast<size_t>(W) * 3 + 3) / 4 * 4;
    const size_t datos = fila * static_cast<size_t>(H);
    std::vector<uint8_t> b(54 + datos, 0);
    b[0] = 'B';
    b[1] = 'M';
    pon(b, 2, static_cast<uint32_t>(b.size()), 4);
    pon(b, 10, 54, 4);  // where the pixels start
    pon(b, 14, 40, 4);  // BITMAPINFOHEADER
    pon(b, 18, static_cast<uint32_t>(W), 4);
    pon(b, 22, static_cast<uint32_t>(H), 4);
    pon(b, 26, 1, 2);   // planes
    pon(b, 28, 24, 2);  // bits per pixel
    pon(b, 34, static_cast<uint32_t>(datos), 4);
    pon(b, 38, 2835, 4);
    pon(b, 42, 2835, 4);
    std::vector<int32_t> columna(static_cast<size_t>(H));
    for (int x = 0; x < W; ++x) {
        imagen.lee_columna(x, 0, H, columna.data());
        for (int y = 0; y < H; ++y) {
            // Bottom-up, blue, green, red: the colour 0x00BBGGRR backwards.
            const auto c = static_cast<uint32_t>(columna[static_cast<size_t>(y)]);
            uint8_t* p =
                &b[54 + static_cast<size_t>(H - 1 - y) * fila + static_cast<size_t>(x) * 3];
            p[0] = static_cast<uint8_t>(c >> 16);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c);
        }
    }
    return b;
}

}  // namespace zek
