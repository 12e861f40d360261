// SPDX-License-Identifier: MIT
// An in-memory picture surface, for headless runs, tests and benchmarks.
#pragma once

#include <vector>

#include "base/superficie.h"

namespace zek {

// Background of an empty picture: the light grey of a classic button face.
inline constexpr int32_t kColorFondo = 0xC8D0D4;  // red 212, green 208, blue 200

class SuperficieMemoria final : public SuperficieImagen {
  public:
    SuperficieMemoria() = default;
    SuperficieMemoria(int ancho, int alto) { fija_tamano(ancho, alto); }

    int ancho() const override { return ancho_; }
    int alto() const override { return alto_; }
    void fija_tamano(int ancho, int alto) override;
    void limpia() override;
    int32_t lee_pixel(int x, int y) const override {
        return dentro(x, y) ? pixeles_[indice(x, y)] : kColorInvalido;
    }
    void pon_pixel(int x, int y, int32_t color) override {
        if (dentro(x, y) && es_color(color)) pixeles_[indice(x, y)] = color;
    }

    void lee_columna(int x, int y, int n, int32_t* destino) const override;
    void pon_columna(int x, int y, int n, const int32_t* colores) override;
    void rellena(int x, int y, int ancho, int alto, int32_t color) override;

    // The pixels row by row, for a front end that copies them whole.
    const std::vector<int32_t>& filas() const { return pixeles_; }

    bool operator==(const SuperficieMemoria& otra) const {
        return ancho_ == otra.ancho_ && alto_ == otra.alto_ && pixeles_ == otra.pixeles_;
    }

  private:
    bool dentro(int x, int y) const { return x >= 0 && y >= 0 && x < ancho_ && y < alto_; }
    std::size_t indice(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(ancho_) +
               static_cast<std::size_t>(x);
    }

    int ancho_ = 0, alto_ = 0;
    std::vector<int32_t> pixeles_;
};

// Any picture's pixels in memory, column by column.
SuperficieMemoria copia(const SuperficieImagen& s);

}  // namespace zek
