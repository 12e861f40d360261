// SPDX-License-Identifier: MIT
// An image reader over pictures held in memory, each under a path: for the
// front ends that make their pictures themselves (tests, fuzzers,
// benchmarks). A path it does not hold goes to the reader of the rest, if
// there is one; otherwise it is an unreadable file.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "base/superficie.h"
#include "images/lector_imagen.h"

namespace zek {

class LectorMemoria final : public LectorImagen {
  public:
    std::optional<TamanoImagen> tamano(const std::string& ruta) override {
        const auto i = imagenes.find(ruta);
        if (i == imagenes.end()) return resto ? resto->tamano(ruta) : std::nullopt;
        return i->second.tamano;
    }
    std::optional<ImagenDecodificada> lee(const std::string& ruta) override {
        const auto i = imagenes.find(ruta);
        if (i == imagenes.end()) return resto ? resto->lee(ruta) : std::nullopt;
        return i->second;
    }

    // Holds the picture's pixels under the path.
    void pon(const std::string& ruta, const SuperficieImagen& imagen) {
        ImagenDecodificada& d = imagenes[ruta];
        d.tamano = {imagen.ancho(), imagen.alto()};
        d.colores.clear();
        for (int y = 0; y < imagen.alto(); ++y) {
            for (int x = 0; x < imagen.ancho(); ++x) d.colores.push_back(imagen.lee_pixel(x, y));
        }
    }

    std::map<std::string, ImagenDecodificada> imagenes;
    LectorImagen* resto = nullptr;  // reads what is not held here (files, say)
};

}  // namespace zek
