// SPDX-License-Identifier: MIT
#include "base/tabla.h"

namespace zek {

void Tabla::dimensiona(int x_desde, int x_hasta, int y_desde, int y_hasta) {
    if (x_hasta < x_desde || y_hasta < y_desde) {
        vacia();
        return;
    }
    x_desde_ = x_desde;
    x_hasta_ = x_hasta;
    y_desde_ = y_desde;
    y_hasta_ = y_hasta;
    filas_ = static_cast<std::size_t>(y_hasta - y_desde) + 1;
    datos_.assign(static_cast<std::size_t>(x_hasta - x_desde + 1) * filas_, 0.0);
}

void Tabla::dimensiona_para_llenar(int x_desde, int x_hasta, int y_desde, int y_hasta) {
    const bool mismo_tamano = x_hasta - x_desde == x_hasta_ - x_desde_ &&
                              y_hasta - y_desde == y_hasta_ - y_desde_ && dimensionada();
    if (!mismo_tamano || x_hasta < x_desde || y_hasta < y_desde) {
        dimensiona(x_desde, x_hasta, y_desde, y_hasta);
        return;
    }
    x_desde_ = x_desde;
    x_hasta_ = x_hasta;
    y_desde_ = y_desde;
    y_hasta_ = y_hasta;
}

void Tabla::vacia() {
    *this = Tabla{};
}

bool Tabla::cubre(int x_desde, int x_hasta, int y_desde, int y_hasta) const {
    if (x_hasta < x_desde || y_hasta < y_desde) return true;
    return contiene(x_desde, y_desde) && contiene(x_hasta, y_hasta);
}

}  // namespace zek
