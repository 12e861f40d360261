// SPDX-License-Identifier: MIT
// The embedding methods the laboratory compares: the demonstration's block
// pairs, the least significant bit, the quantisation of DCT coefficients and
// the spread spectrum. Each describes itself once (its name, its strength
// and what it yields) for every front end; adding a method means one file
// of its own and one line in the registry.
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

// A method's strength as every front end offers it: a spin box, an option
// of zek-demo, a table's column.
struct Fuerza {
    const char* nombre;  // "plano de bits", "alfa", "el grado en uso"
    double desde, hasta;
    double inicial;  // what it starts at, in the windows, the page and zek-demo
    double paso;     // one step of a spin box
    int decimales;   // as a strength is written: "0,049" for the spread spectrum
    bool entera;
};

// What a method yields: the watermark's picture read blindly from the
// picture alone, or a detector's decision against the original host.
enum class Rinde { Lectura, Decision };

struct DescripcionMetodo {
    const char* nombre;    // as zek-demo and the files take it: "bloques", "lsb", ...
    const char* titulo;    // as a table or a menu shows it: "Pares de bloques"
    const char* en_frase;  // after "el método": "de bloques", "LSB", "DCT"
    Fuerza fuerza;
    Rinde rinde;
    // The demonstration's own method: its strength is the Grado in force and
    // its picture the one "Paso 2" drew.
    bool de_la_demostracion;
    // Why a cut cannot be searched for this method's grid, in Spanish;
    // nothing when it can (see busca_rejilla).
    const char* sin_rejilla = nullptr;
};

struct Sincronizacion;  // engine/sincronizacion.h

class Metodo {
  public:
    virtual ~Metodo() = default;
    virtual const DescripcionMetodo& descripcion() const = 0;
    const char* nombre() const { return descripcion().nombre; }
    const char* titulo() const { return descripcion().titulo; }
    const Fuerza& fuerza() const { return descripcion().fuerza; }
    bool lee_la_marca() const { return descripcion().rinde == Rinde::Lectura; }
    bool de_la_demostracion() const { return descripcion().de_la_demostracion; }
    // The Wm x Hm watermark pixels a W x H host holds with this method.
    virtual int64_t capacidad(int W, int H, int Wm, int Hm) const = 0;
    // Empty when the watermark fits a W x H host; otherwise, in Spanish with
    // the numbers, why not.
    virtual std::string no_cabe(int W, int H, int Wm, int Hm) const;
    // The host with the bits embedded at this strength and key; nothing when
    // the watermark does not fit (never a partial embedding).
    virtual std::optional<SuperficieMemoria> inserta(const SuperficieImagen& anfitrion,
                                                     const Bits& marca, int Wm, int Hm,
                                                     double fuerza, double clave) const = 0;
    // The bits read from a picture alone: -1 where no bit is carried (every
    // one, for a method that yields a decision).
    virtual Bits lee(const SuperficieImagen& imagen, int Wm, int Hm, double fuerza,
                     double clave) const = 0;
    // What the reading looks at for each watermark pixel, as a fraction of
    // its step in [0, 1): 1/2 reads light, 0 dark; -1 where none is carried.
    virtual std::vector<double> fracciones(const SuperficieImagen& imagen, int Wm, int Hm,
                                           double fuerza, double clave) const = 0;
    // The lowest JPEG quality the mark is predicted to survive, for a method
    // whose steps are JPEG's; nothing for the others.
    virtual std::optional<int> calidad_predicha(int, int, int, int, double) const { return {}; }
    // The search for its grid in a picture cut from a W x H one, with its
    // own reading: p the reading's parameters (the block pairs' side in
    // p.LongBloque, the key in p.Clave), `fuerza` its strength. Nothing,
    // with why in `motivo`, for a method without a grid (sin_rejilla) or a
    // picture that cannot be searched. Defined with the search.
    virtual std::optional<Sincronizacion> busca_rejilla(const SuperficieImagen& imagen, int W,
                                                        int H, const ParametrosLectura& p,
                                                        double fuerza, const Bits& marca,
                                                        std::string* motivo) const;
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
// Their names as a list says them: "bloques, lsb, dct o espectro".
std::string nombres_de_metodos();
// A strength as the method writes it, with the decimal separator given.
std::string texto_de_fuerza(const Metodo& m, double fuerza, char separador);

// The methods themselves, one file each.
const Metodo& metodo_bloques();
const Metodo& metodo_lsb();
const Metodo& metodo_dct();
const Metodo& metodo_espectro();

// The lowest JPEG quality (1 to 100) whose quantisation moves none of the
// DCT method's coefficients by half its step or more, for a Wm x Hm
// watermark in a W x H host at strength alfa; nothing when no quality is
// that gentle or the watermark does not fit.
std::optional<int> calidad_predicha_dct(int W, int H, int Wm, int Hm, double alfa);

}  // namespace zek
