// SPDX-License-Identifier: MIT
// What the first bytes of a BMP, GIF or JPEG file say, read without
// decoding anything: the picture's size, and whether the file holds all the
// data its header announces.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "images/lector_imagen.h"

namespace zek {

// Whether the first bytes are those of a BMP, GIF or JPEG file (whatever
// follows them).
bool firma_de_imagen(std::span<const unsigned char> bytes);

// Nothing for a file that is none of the three formats or whose header is
// cut short.
std::optional<TamanoImagen> tamano_de_cabecera(std::span<const unsigned char> bytes);

// A PNG's size from its IHDR chunk (the pictures the web page saves are
// PNG); nothing for another file or a size of 0 or beyond 2^31 - 1.
std::optional<TamanoImagen> tamano_png(std::span<const unsigned char> bytes);

// False when the file ends before its data does: an uncompressed BMP shorter
// than its rows, a GIF without its trailer, a JPEG without its end marker.
// Other files are taken as complete.
bool datos_completos(std::span<const unsigned char> bytes);

}  // namespace zek
