// SPDX-License-Identifier: MIT
// Reading image files: the decoded picture, and the largest picture each
// role takes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zek {

struct TamanoImagen {
    int ancho = 0, alto = 0;
};

struct ImagenDecodificada {
    TamanoImagen tamano;
    std::vector<int32_t> colores;  // 0x00BBGGRR, row by row
};

// Reads image files. The size comes from the file's header alone, so that a
// file declaring an enormous picture is refused without being decoded.
class LectorImagen {
  public:
    virtual ~LectorImagen() = default;
    virtual std::optional<TamanoImagen> tamano(const std::string& ruta) = 0;
    virtual std::optional<ImagenDecodificada> lee(const std::string& ruta) = 0;
};

// The largest host (Picture1) and watermark (Picture2) the boxes take; also
// the boxes' design sizes.
inline constexpr TamanoImagen kLimiteAnfitrion{378, 483};
inline constexpr TamanoImagen kLimiteMarca{181, 227};

}  // namespace zek
