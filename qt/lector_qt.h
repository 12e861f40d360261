// SPDX-License-Identifier: MIT
// Reads BMP, JPEG and GIF files with Qt's image plugins.
#pragma once

#include "images/lector_imagen.h"

namespace zek {

class LectorQt final : public LectorImagen {
  public:
    std::optional<TamanoImagen> tamano(const std::string& ruta) override;
    // Transparent pixels come out in the picture boxes' background colour.
    std::optional<ImagenDecodificada> lee(const std::string& ruta) override;
};

}  // namespace zek
