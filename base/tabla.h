// SPDX-License-Identifier: MIT
// A per-pixel table of the shared state: two indices (x, y) with inclusive
// bounds, usually 1..W by 1..H. Elements are numbers; every write keeps
// exactly what writing the number as text and reading it back would give.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/numeros.h"
#include "base/portatil.h"

namespace zek {

class Tabla {
  public:
    // Re-creates the table with the given inclusive index ranges; the
    // previous contents are discarded and every element starts at 0.
    void dimensiona(int x_desde, int x_hasta, int y_desde, int y_hasta);

    // The same ranges, for a caller that then writes every element: the
    // previous values may remain until it does (no zeroing pass).
    void dimensiona_para_llenar(int x_desde, int x_hasta, int y_desde, int y_hasta);

    // Back to "not dimensioned": no element exists.
    void vacia();

    bool dimensionada() const { return !datos_.empty(); }
    bool contiene(int x, int y) const {
        return x >= x_desde_ && x <= x_hasta_ && y >= y_desde_ && y <= y_hasta_ && dimensionada();
    }
    // True when every element of x_desde..x_hasta by y_desde..y_hasta exists
    // (an empty range is covered by any table).
    bool cubre(int x_desde, int x_hasta, int y_desde, int y_hasta) const;

    int x_desde() const { return x_desde_; }
    int x_hasta() const { return x_hasta_; }
    int y_desde() const { return y_desde_; }
    int y_hasta() const { return y_hasta_; }

    // Column x from its first row on, for per-pixel loops; callers check
    // the range first.
    const double* columna(int x) const { return &datos_[indice(x, y_desde_)]; }
    // For bulk writers that store only values already equal to what their
    // text gives back (whole numbers, or results of valor_por_texto).
    double* columna_redondeada(int x) { return &datos_[indice(x, y_desde_)]; }

    // Callers check the indices first (contiene / cubre).
    double lee(int x, int y) const { return datos_[indice(x, y)]; }
    void escribe(int x, int y, double v) { datos_[indice(x, y)] = valor_por_texto(v); }
    // For a value that is already what its text gives back (checked in
    // debug builds), so that hot loops need not round it twice.
    void escribe_redondeado(int x, int y, double v) {
        assert(bits_de(v) == bits_de(valor_por_texto(v)));
        datos_[indice(x, y)] = v;
    }

    bool operator==(const Tabla&) const = default;

  private:
    // Column by column, as the captures and the engine walk the tables.
    std::size_t indice(int x, int y) const {
        assert(contiene(x, y));
        return static_cast<std::size_t>(x - x_desde_) * filas_ +
               static_cast<std::size_t>(y - y_desde_);
    }

    int x_desde_ = 0, x_hasta_ = -1, y_desde_ = 0, y_hasta_ = -1;
    std::size_t filas_ = 0;
    std::vector<double> datos_;
};

}  // namespace zek
