// SPDX-License-Identifier: MIT
#include <algorithm>
#include <vector>

#include "engine/funciones.h"

namespace zek {

void Extrae_Marca(const Vbles& vbles, const SuperficieImagen& Picture2,
                  SuperficieImagen& Picture4) {
    const Tabla& marca = vbles.MatrizMarca;
    if (!marca.contiene(1, 1)) return;  // no watermark captured (or reset since)
    const int Wm = std::min(Picture2.ancho(), marca.x_hasta());
    const int Hm = std::min(Picture2.alto(), marca.y_hasta());
    std::vector<int32_t> colores(static_cast<std::size_t>(std::max(Hm, 0)));
    for (int x = 1; x <= Wm; ++x) {
        const double* columna = marca.columna(x) + (1 - marca.y_desde());
        for (int y = 1; y <= Hm; ++y) colores[y - 1] = static_cast<int32_t>(columna[y - 1]);
        Picture4.pon_columna(x, 1, Hm, colores.data());
    }
}

}  // namespace zek
