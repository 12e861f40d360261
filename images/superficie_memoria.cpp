#include "superficie_memoria.h"

#include <algorithm>

namespace zek {

void SuperficieMemoria::fija_tamano(int ancho, int alto) {
    ancho = std::max(ancho, 0);
    alto = std::max(alto, 0);
    std::vector<int32_t> nuevos(static_cast<std::size_t>(ancho) * static_cast<std::size_t>(alto),
                                kColorFondo);
    for (int y = 0; y < std::min(alto, alto_); ++y) {
        for (int x = 0; x < std::min(ancho, ancho_); ++x) {
            nuevos[static_cast<std::size_t>(y) * static_cast<std::size_t>(ancho) +
                   static_cast<std::size_t>(x)] = pixeles_[indice(x, y)];
        }
    }
    ancho_ = ancho;
    alto_ = alto;
    pixeles_ = std::move(nuevos);
}

void SuperficieMemoria::limpia() {
    std::fill(pixeles_.begin(), pixeles_.end(), kColorFondo);
}

}  // namespace zek
