// SPDX-License-Identifier: MIT
// The whole state of one demonstration, shared by the handlers and the
// engine procedures. Everything starts at zero and no table is dimensioned.
#pragma once

#include <cstdint>

#include "base/tabla.h"

namespace zek {

struct Vbles {
    double Grado = 0;        // degree of resistance to high-frequency attacks
    double Clave = 0;        // coding key of the watermark
    int16_t Paso = 0;        // stage the next press runs (0 to 3); 4 when done
    int32_t LongBloque = 0;  // side of a square block in pixels; 0 = none found
    double NumBloques = 0;   // whole blocks of the last side the layout tried

    Tabla MatrizY;      // host luminance, (1..W) x (1..H)
    Tabla MatrizI;      // host chrominance I
    Tabla MatrizQ;      // host chrominance Q
    Tabla MatrizMarca;  // watermark colours 0x00BBGGRR, -1 where unreadable
};

}  // namespace zek
