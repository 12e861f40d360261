// SPDX-License-Identifier: MIT
// Finding the grid again after a crop. A picture cut from a W x H one has
// lost its place: the reader lays the layout of W x H over it at every
// offset the cut could have had and keeps the one where the reading agrees
// best with the watermark. The mark was never gone; the reader was lost.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/superficie.h"
#include "base/superficie_memoria.h"
#include "base/tabla.h"
#include "engine/extraccion_ciega.h"
#include "engine/metodo.h"

namespace zek {

// Block sums of a luminance table in O(1) each, equal to suma_bloque's
// (made whole after every addition): each luminance is rounded once into a
// summed-area table, which gives the same sum unless a luminance lies
// within 10^-6 of a half, where the order of the roundings matters; those
// blocks are summed the slow way.
class SumasDeBloques {
  public:
    // Y over columns 1..W, rows 1..H.
    SumasDeBloques(const Tabla& Y, int W, int H);
    // The sum of the L x L block whose first column and row are x0, y0
    // (from 1), as suma_bloque gives it.
    std::optional<int32_t> suma(int x0, int y0, int L) const;

  private:
    int64_t en(const std::vector<int64_t>& t, int x, int y) const {
        return t[static_cast<size_t>(y) * static_cast<size_t>(W_ + 1) + static_cast<size_t>(x)];
    }
    int64_t rectangulo(const std::vector<int64_t>& t, int x0, int y0, int L) const;
    const Tabla& Y_;
    int W_;
    std::vector<int64_t> redondeadas_, dudosas_;  // both summed-area tables, (W+1) x (H+1)
    bool de_fiar_;                                // no sum can leave the 32-bit range
};

// A map over the candidate offsets (x0, y0), x0 in 0..ancho-1 and y0 in
// 0..alto-1, row by row; NaN where no pair lies wholly inside.
struct Mapa {
    int ancho = 0, alto = 0;
    std::vector<double> valores;
    double en(int x0, int y0) const {
        return valores[static_cast<size_t>(y0) * static_cast<size_t>(ancho) +
                       static_cast<size_t>(x0)];
    }
};

// What the search found.
struct Sincronizacion {
    int x = 0, y = 0;  // the offset taken: the picture's (0, 0) is the layout's (x, y)
    // S: the mean of cos(4 pi (r - Clave) / step) over the pairs (or
    // coefficients) wholly inside, r their residue; 1 where every one sits
    // at one of the embedding's two levels, about 0 where none does.
    Mapa ciega;
    // A: the share of those carrying an embedded pixel that read as it.
    Mapa acuerdo;
    double ciega_en = 0, acuerdo_en = 0;                  // at the offset taken
    double ciega_sin_buscar = 0, acuerdo_sin_buscar = 0;  // at (0, 0); NaN when nothing there
    MarcaLeida leida;        // with the offset taken; SinPar for what the cut took away
    Aciertos aciertos;       // over the pixels still carried
    Aciertos sin_buscar;     // the same at (0, 0)
    int64_t portadores = 0;  // pixels the whole layout carries (the embedded ones)
    // What the reading looks at, with the offset taken: residues for the
    // block pairs, fractions of the step for the DCT method.
    Histograma histograma;
};

// The block pairs' search: Y is the luminance of the Wc x Hc picture, W x H
// the size the layout was made on, p the reading's parameters (block side
// included) and marca the watermark's bits. Nothing, with the reason in
// Spanish, when the picture is larger than W x H or no pair lies wholly
// inside it at any offset; no reading is then invented.
std::optional<Sincronizacion> sincroniza_pares(const Tabla& Y, int Wc, int Hc, int W, int H,
                                               const ParametrosLectura& p, const Bits& marca,
                                               std::string* motivo);
std::optional<Sincronizacion> sincroniza_pares(const SuperficieImagen& imagen, int W, int H,
                                               const ParametrosLectura& p, const Bits& marca,
                                               std::string* motivo);

// The DCT method's search over its 8 x 8 grid of a W x H picture, at
// strength alfa, with ((c - Clave) mod step) / step doubled the same way
// for S.
std::optional<Sincronizacion> sincroniza_dct(const SuperficieImagen& imagen, int W, int H,
                                             const Bits& marca, int Wm, int Hm, double alfa,
                                             double clave, std::string* motivo);

// Empty when a Wc x Hc picture can have been cut from a W x H one;
// otherwise why not, in Spanish.
std::string comprueba_tamano(int Wc, int Hc, int W, int H);

// The tallies of one candidate offset, from which the maps and the choice
// are made: the pairs (or coefficients) wholly inside, the sum of their
// cosines, and the reading against the embedded pixels among them.
struct CuentaDesplazamiento {
    int64_t pares = 0;
    double suma = 0;
    Aciertos aciertos;
};
// Fills s's maps, the offset taken and the figures at it and at (0, 0),
// from the tallies of ancho x alto offsets, row by row; false when no
// offset has an embedded pixel inside. The offset taken is the one whose
// agreement stands furthest above chance, (2 correct - total) / sqrt(total)
// standard deviations of a coin's: a high A over a handful of pairs at the
// cut's edge can be luck (a uniform corner of the watermark over a uniform
// corner of the picture), over hundreds it cannot. Among equal pair counts
// that is the highest A. Where a smooth watermark agrees as well one or two
// pixels off, the blocks sit at their levels only where aligned: a tie goes
// to the highest S, then to the smallest y, then x.
bool elige_desplazamiento(const std::vector<CuentaDesplazamiento>& cuentas, int ancho, int alto,
                          Sincronizacion& s);

// Where a picture cut from the original sits in it: the offset with the
// least sum of squared luminance differences. The suspect is the original
// plus a mark and an attack, both small beside the picture's own content,
// so the right offset stands far below every other; the sums are exact,
// and an offset is left as soon as its sum passes the best one's.
struct Desplazamiento {
    int x = 0, y = 0;
};
std::optional<Desplazamiento> registra(const SuperficieImagen& sospechosa,
                                       const SuperficieImagen& original, std::string* motivo);
// The suspect put back in the original's frame: the original's pixels
// around it, so that only the part kept can answer the detector.
SuperficieMemoria en_el_marco(const SuperficieImagen& sospechosa, const SuperficieImagen& original,
                              Desplazamiento d);
// What the detector compares with the original: the suspect itself when it
// has the original's size; put back in its frame when smaller (d then says
// where it was found); nothing, with the reason, when larger.
std::optional<SuperficieMemoria> para_el_detector(const SuperficieImagen& sospechosa,
                                                  const SuperficieImagen& original,
                                                  std::optional<Desplazamiento>* d,
                                                  std::string* motivo);

// A map as a picture, one pixel per offset: grey from black at its least
// value to white at its greatest, black where nothing was read, and the
// offset taken in red.
SuperficieMemoria imagen_de_mapa(const Mapa& m, int x, int y);
// Both maps side by side, S on the left and A on the right, a grey gap of
// four pixels between them: the picture the laboratory shows.
SuperficieMemoria imagen_de_mapas(const Sincronizacion& s);

}  // namespace zek
