// SPDX-License-Identifier: MIT
#include "engine/lectura_ciega.h"

#include "engine/funciones.h"
#include "images/capturas.h"

namespace zek {

int32_t lado_de_lectura(int32_t dado, int W, int H, int Wm, int Hm) {
    if (dado >= 1) return dado;
    const int64_t P = int64_t{Wm} * Hm;
    if (P < 1 || P % 2 != 0) return 0;
    return disposicion_de_bloques(W, H, P).LongBloque;
}

LecturaCiega lee_a_ciegas(const SuperficieImagen& imagen, double Grado, double Clave,
                          int32_t lado_dado, const Tabla& MatrizMarca, int Wm, int Hm) {
    const int W = imagen.ancho(), H = imagen.alto();
    Tabla Y;
    captura_luminancia(imagen, Y);
    const ParametrosLectura p{Grado, Clave, lado_de_lectura(lado_dado, W, H, Wm, Hm), Wm, Hm};
    return lee_a_ciegas(std::move(Y), W, H, p, MatrizMarca);
}

LecturaCiega lee_a_ciegas(Tabla Y, int W, int H, const ParametrosLectura& p,
                          const Tabla& MatrizMarca) {
    LecturaCiega l{p, std::move(Y), std::nullopt, std::nullopt};
    l.leida = extraccion_ciega(l.Y, W, H, p);
    if (l.leida && MatrizMarca.dimensionada())
        l.aciertos = compara_con_marca(*l.leida, MatrizMarca);
    return l;
}

}  // namespace zek
