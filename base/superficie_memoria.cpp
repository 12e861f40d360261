// SPDX-License-Identifier: MIT
#include "base/superficie_memoria.h"

#include <algorithm>
#include <cstdint>

namespace zek {

void SuperficieMemoria::fija_tamano(int ancho, int alto) {
    ancho = std::max(ancho, 0);
    alto = std::max(alto, 0);
    if (ancho == ancho_ && alto == alto_) return;  // every pixel is shared: nothing changes
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

namespace {

// The part [desde, desde + n) that lies within [0, limite), as a first index
// and a count; wide arithmetic so that no sum overflows.
struct Tramo {
    int64_t desde, n;
};
Tramo recorta(int64_t desde, int64_t n, int64_t limite) {
    const int64_t inicio = std::clamp<int64_t>(desde, 0, limite);
    const int64_t fin = std::clamp<int64_t>(desde + std::max<int64_t>(n, 0), 0, limite);
    return {inicio, std::max<int64_t>(fin - inicio, 0)};
}

}  // namespace

void SuperficieMemoria::lee_columna(int x, int y, int n, int32_t* destino) const {
    if (n <= 0) return;
    std::fill(destino, destino + n, kColorInvalido);
    if (x < 0 || x >= ancho_) return;
    const Tramo filas = recorta(y, n, alto_);
    if (filas.n == 0) return;
    const int32_t* origen = &pixeles_[indice(x, 0)];
    int32_t* salida = destino + (filas.desde - y);
    for (int64_t f = filas.desde; f < filas.desde + filas.n; ++f) *salida++ = origen[f * ancho_];
}

void SuperficieMemoria::pon_columna(int x, int y, int n, const int32_t* colores) {
    if (n <= 0 || x < 0 || x >= ancho_) return;
    const Tramo filas = recorta(y, n, alto_);
    if (filas.n == 0) return;
    int32_t* destino = &pixeles_[indice(x, 0)];
    const int32_t* entrada = colores + (filas.desde - y);
    for (int64_t f = filas.desde; f < filas.desde + filas.n; ++f, ++entrada) {
        if (es_color(*entrada)) destino[f * ancho_] = *entrada;
    }
}

void SuperficieMemoria::rellena(int x, int y, int ancho, int alto, int32_t color) {
    if (!es_color(color)) return;
    const Tramo columnas = recorta(x, ancho, ancho_);
    const Tramo filas = recorta(y, alto, alto_);
    if (columnas.n == 0 || filas.n == 0) return;
    for (int64_t f = filas.desde; f < filas.desde + filas.n; ++f) {
        int32_t* fila = &pixeles_[static_cast<std::size_t>(f * ancho_ + columnas.desde)];
        std::fill(fila, fila + columnas.n, color);
    }
}

void SuperficieMemoria::limpia() {
    std::fill(pixeles_.begin(), pixeles_.end(), kColorFondo);
}

SuperficieMemoria copia(const SuperficieImagen& s) {
    if (const auto* m = dynamic_cast<const SuperficieMemoria*>(&s)) return *m;
    SuperficieMemoria c(s.ancho(), s.alto());
    std::vector<int32_t> columna(static_cast<size_t>(std::max(s.alto(), 0)));
    for (int x = 0; x < s.ancho(); ++x) {
        s.lee_columna(x, 0, s.alto(), columna.data());
        c.pon_columna(x, 0, s.alto(), columna.data());
    }
    return c;
}

}  // namespace zek
