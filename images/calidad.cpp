#include "images/calidad.h"

#include <cmath>
#include <cstdint>

#include "base/colores.h"

namespace zek {

std::optional<double> psnr_entre(const SuperficieImagen& a, const SuperficieImagen& b, Zona zona) {
    int64_t suma = 0, muestras = 0;
    for (int x = zona.x_desde; x <= zona.x_hasta; ++x) {
        for (int y = zona.y_desde; y <= zona.y_hasta; ++y) {
            const int32_t ca = a.lee_pixel(x, y), cb = b.lee_pixel(x, y);
            if (!es_color(ca) || !es_color(cb)) continue;
            for (auto canal : {rojo, verde, azul}) {
                const int64_t d = canal(ca) - canal(cb);
                suma += d * d;
            }
            muestras += 3;
        }
    }
    if (suma == 0) return std::nullopt;
    const double mse = static_cast<double>(suma) / static_cast<double>(muestras);
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace zek
