// SPDX-License-Identifier: MIT
// A picture as a 24-bit BMP file, for the front end whose platform writes
// none (the browser: its canvases encode PNG and JPEG only).
#pragma once

#include <cstdint>
#include <vector>

#include "base/superficie.h"

namespace zek {

// Uncompressed, bottom-up, rows padded to four bytes, 2835 pixels per metre
// (72 dpi); nothing for a picture without pixels.
std::vector<uint8_t> codifica_bmp(const SuperficieImagen& imagen);

}  // namespace zek
