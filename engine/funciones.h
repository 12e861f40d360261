// SPDX-License-Identifier: MIT
// The watermark engine: block layout, grid, embedding, rendering and
// extraction, each on the shared state and the pictures it is given.
#pragma once

#include <cstdint>

#include "base/puerto_ventana.h"
#include "base/superficie.h"
#include "base/vbles.h"

namespace zek {

// A light watermark pixel: red component 255, whatever green and blue; a
// colour as MatrizMarca stores it (-1 is no pixel at all).
inline bool es_claro(double color_en_tabla) {
    return color_en_tabla >= 0 && color_en_tabla <= 0xFFFFFF &&
           (static_cast<int32_t>(color_en_tabla) & 0xFF) == 255;
}

// Colour of the grid lines: pure red.
inline constexpr int32_t kColorRejilla = 255;

// The layout Calcula_Bloques finds for a host of W x H and a watermark of P
// pixels (P even): the side L (0 when none) and the whole blocks of the last
// side tried.
struct Disposicion {
    int32_t LongBloque = 0;
    double NumBloques = 0;
};
Disposicion disposicion_de_bloques(int W, int H, int64_t P);

// Finds the largest block side L for which the host holds an even number of
// whole block columns and at least one pair of blocks per watermark pixel;
// sets LongBloque (0 when none) and NumBloques and shows both. Refuses a
// watermark with an odd pixel count ("Marca de Agua no Válida").
bool Calcula_Bloques(Vbles& vbles, const SuperficieImagen& anfitrion, const SuperficieImagen& marca,
                     PuertoVentana& puerto);

// Red lines at columns S, 2S, ... and rows S, 2S, ...; false, drawing
// nothing, when there is no block side (S < 1).
bool Dibuja_Rejilla(SuperficieImagen& picture, int32_t S);

// Embeds the watermark into MatrizY block pair by block pair, then draws the
// result into Picture3. Returns true when it did; otherwise it has told the
// user why and left MatrizY and Picture3 as they were.
bool Inserta_Marca(Vbles& vbles, const SuperficieImagen& anfitrion, const SuperficieImagen& marca,
                   SuperficieImagen& Picture3, PuertoVentana& puerto);

// Draws the host tables into Picture3 as colours, over the host's size and
// the part of it that the tables cover.
void Dibuja_Imagen(const Vbles& vbles, const SuperficieImagen& Picture1,
                   SuperficieImagen& Picture3);

// Writes the stored watermark colours into Picture4 at the same positions,
// over the watermark's size and the part of it that MatrizMarca covers.
void Extrae_Marca(const Vbles& vbles, const SuperficieImagen& Picture2, SuperficieImagen& Picture4);

}  // namespace zek
