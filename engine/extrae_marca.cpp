#include <algorithm>

#include "funciones.h"

namespace zek {

void Extrae_Marca(const Vbles& vbles, const SuperficieImagen& Picture2,
                  SuperficieImagen& Picture4) {
    const Tabla& marca = vbles.MatrizMarca;
    if (!marca.contiene(1, 1)) return;  // no watermark captured (or reset since)
    const int Wm = std::min(Picture2.ancho(), marca.x_hasta());
    const int Hm = std::min(Picture2.alto(), marca.y_hasta());
    for (int x = 1; x <= Wm; ++x) {
        for (int y = 1; y <= Hm; ++y) {
            Picture4.pon_pixel(x, y, static_cast<int32_t>(marca.lee(x, y)));
        }
    }
}

}  // namespace zek
