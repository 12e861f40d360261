// SPDX-License-Identifier: MIT
// One blind reading of a picture, as every front end makes it: the
// luminance captured as the host capture does, the block side chosen by one
// rule, the watermark read, and the reading compared with the watermark
// that was embedded.
#pragma once

#include <cstdint>
#include <optional>

#include "base/superficie.h"
#include "base/tabla.h"
#include "engine/extraccion_ciega.h"

namespace zek {

// The block side a picture of W x H is read with: the side given (the
// layout in force in the window, --lado in zek-demo) when there is one,
// otherwise the side "Paso 1" would lay out on this picture itself; 0 when
// there is none (a watermark with an odd pixel count, or too large).
int32_t lado_de_lectura(int32_t dado, int W, int H, int Wm, int Hm);

struct LecturaCiega {
    ParametrosLectura parametros;  // with the block side used
    Tabla Y;                       // the picture's luminance
    std::optional<MarcaLeida> leida;
    std::optional<Aciertos> aciertos;  // nothing without a watermark to compare with
};

// Reads the watermark from the picture alone with the side lado_dado (or,
// when it is below 1, the picture's own layout), and compares the reading
// with MatrizMarca when it holds a watermark.
LecturaCiega lee_a_ciegas(const SuperficieImagen& imagen, double Grado, double Clave,
                          int32_t lado_dado, const Tabla& MatrizMarca, int Wm, int Hm);
// The same from a luminance already captured, with the parameters given.
LecturaCiega lee_a_ciegas(Tabla Y, int W, int H, const ParametrosLectura& p,
                          const Tabla& MatrizMarca);

}  // namespace zek
