// SPDX-License-Identifier: MIT
// The embedding methods the laboratory compares: the demonstration's block
// pairs, the least significant bit, and the quantisation of DCT
// coefficients. Each reading looks where a quantity falls within its step;
// adding a method means one file of its own and one line in the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/superficie.h"
#include "base/superficie_memoria.h"
#include "base/tabla.h"
#include "engine/extraccion_ciega.h"

namespace zek {

// The watermark as bits: pixel (xm, ym) of 1..Wm x 1..Hm is number
// (ym - 1) Wm + (xm - 1); 1 where the embedding classes it light, 0 dark,
// -1 where it is left out (a -1 in MatrizMarca).
using Bits = std::vector<int8_t>;
Bits bits_de_marca(const Tabla& MatrizMarca, int Wm, int Hm);
// A blind reading as bits and back: 1 light, 0 dark, -1 where no bit is
// carried (so that every method's reading shows as the block pairs' does).
Bits bits_de_lectura(const MarcaLeida& leida);
MarcaLeida lectura_de_bits(const Bits& bits, int Wm, int Hm);
// Read against embedded, over the pixels embedded.
Aciertos compara_bits(const Bits& leidos, const Bits& marca);

// A colour's luminance as the DCT methods take it (the per-block one and
// the spread spectrum's); 0 for a pixel that cannot be read.
inline double luminancia_dct(int32_t c) {
    const double r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return c < 0 ? 0 : (0.587 * g + 0.299 * r) + 0.114 * b;
}

struct RangoFuerza {
    double desde, hasta;
    bool entera;
};

class Metodo {
  public:
    virtual ~Metodo() = default;
    virtual const char* nombre() const = 0;  // as zek-demo takes it: "bloques", "lsb", "dct"
    // As a sentence names it after "el método": "de bloques", "LSB", "DCT".
    virtual const char* en_frase() const = 0;
    // As a table or a menu shows it, and what its strength is.
    virtual const char* titulo() const = 0;
    virtual const char* que_es_la_fuerza() const = 0;
    virtual RangoFuerza fuerza() const = 0;
    // The Wm x Hm watermark pixels a W x H host holds with this method.
    virtual int64_t capacidad(int W, int H, int Wm, int Hm) const = 0;
    // The host with the bits embedded at this strength and key; nothing when
    // the watermark does not fit (never a partial embedding).
    virtual std::optional<SuperficieMemoria> inserta(const SuperficieImagen& anfitrion,
                                                     const Bits& marca, int Wm, int Hm,
                                                     double fuerza, double clave) const = 0;
    // The bits read from a picture alone: -1 where no bit is carried.
    virtual Bits lee(const SuperficieImagen& imagen, int Wm, int Hm, double fuerza,
                     double clave) const = 0;
    // What the reading looks at for each watermark pixel, as a fraction of
    // its step in [0, 1): 1/2 reads light, 0 dark; -1 where none is carried.
    virtual std::vector<double> fracciones(const SuperficieImagen& imagen, int Wm, int Hm,
                                           double fuerza, double clave) const = 0;
};

// How the fractions of the carried pixels fall, light and dark apart, in
// `cajas` equal intervals of [0, 1) (the histogram's `grado` is `cajas`).
Histograma histograma_de_fracciones(const std::vector<double>& fracciones, const Bits& marca,
                                    int cajas = 16);

// Empty when the watermark fits; otherwise, in Spanish with the numbers,
// why not: "La marca de 181 × 227 píxeles no cabe con el método DCT en una
// imagen de 100 × 100: caben 2160 píxeles."
std::string no_cabe(const Metodo& m, int W, int H, int Wm, int Hm);

// Every method, in the order the laboratory shows them.
const std::vector<const Metodo*>& metodos();
const Metodo* metodo(std::string_view nombre);

// The methods themselves, one file each.
const Metodo& metodo_bloques();
const Metodo& metodo_lsb();
const Metodo& metodo_dct();

// The lowest JPEG quality (1 to 100) whose quantisation moves none of the
// DCT method's coefficients by half its step or more, for a Wm x Hm
// watermark in a W x H host at strength alfa; nothing when no quality is
// that gentle or the watermark does not fit.
std::optional<int> calidad_predicha_dct(int W, int H, int Wm, int Hm, double alfa);

}  // namespace zek
