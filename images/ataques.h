// SPDX-License-Identifier: MIT
// Attacks on a watermarked picture, to see what the watermark survives:
// JPEG compression, Gaussian noise, mean and median filters, brightness,
// and two geometric ones that this method cannot survive: a crop and a
// shrink-and-enlarge.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/superficie.h"
#include "base/superficie_memoria.h"

namespace zek {

enum class TipoAtaque { Jpeg, Ruido, Media, Mediana, Brillo, Contraste, Recorte, Escala };

// The largest crop: the host box's longer side, which empties any picture.
inline constexpr int kMayorRecorte = 483;
// The largest window of the mean and median filters.
inline constexpr int kLadoMaximo = 15;

struct Ataque {
    TipoAtaque tipo;
    double valor;       // quality, deviation, window side, step, pixels or percentage
    std::string texto;  // as written: "jpeg:75"
};

// What each attack takes, for every front end: its name as written, its
// title and its value's in a laboratory, the range of that value, whole or
// not, the decimals it is shown with, and the value a laboratory starts it
// at (the comparison's own).
struct RangoAtaque {
    const char* nombre;
    const char* titulo;
    const char* parametro;
    TipoAtaque tipo;
    double desde, hasta;
    bool entero;
    int decimales;
    double inicial;
};
inline constexpr RangoAtaque kRangosAtaque[] = {
    {"jpeg", "Compresión JPEG", "Calidad", TipoAtaque::Jpeg, 0, 100, true, 0, 75},
    {"ruido", "Ruido gaussiano", "Desviación", TipoAtaque::Ruido, 0, 255, false, 1, 5},
    {"media", "Filtro de media", "Lado de la ventana", TipoAtaque::Media, 1, kLadoMaximo, true, 0,
     3},
    {"mediana", "Filtro de mediana", "Lado de la ventana", TipoAtaque::Mediana, 1, kLadoMaximo,
     true, 0, 3},
    {"brillo", "Brillo", "Desplazamiento", TipoAtaque::Brillo, -255, 255, true, 0, 20},
    {"contraste", "Contraste", "Porcentaje", TipoAtaque::Contraste, 10, 300, true, 0, 150},
    {"recorte", "Recorte", "Columnas y filas quitadas", TipoAtaque::Recorte, 0, kMayorRecorte, true,
     0, 4},
    {"escala", "Escala", "Porcentaje", TipoAtaque::Escala, 1, 100, false, 0, 50},
};
// What a laboratory offers before the attacks: a brightness step of 0,
// which changes nothing.
inline constexpr const char* kSinAtaque = "Sin ataque";

// The range of an attack by its name; nullptr for an unknown one.
const RangoAtaque* rango_de_ataque(std::string_view nombre);
const RangoAtaque& rango_de_ataque(TipoAtaque tipo);
// The largest value of the attack on a picture of W x H: a crop leaves at
// least one column and one row.
double hasta_en_imagen(const RangoAtaque& rango, int W, int H);

// "jpeg:Q" (Q whole, 0 to 100), "ruido:S" (S from 0 to 255), "media:N" and
// "mediana:N" (N whole, 1 to 15), "brillo:D" (D whole, -255 to 255),
// "contraste:P" (P whole, 10 to 300),
// "recorte:N" (N whole, 0 to 483), "escala:P" (P from 1 to 100); nothing
// for anything else. Numbers use the point as decimal separator.
std::optional<Ataque> lee_ataque(const std::string& texto);

// Encodes a picture as JPEG at a quality and decodes it again; the front
// end provides it (the core has no image codecs of its own).
class CodecJpeg {
  public:
    virtual ~CodecJpeg() = default;
    virtual std::optional<SuperficieMemoria> comprime(const SuperficieImagen& imagen,
                                                      int calidad) const = 0;
};

// The picture after the attack. Noise is seeded, so that runs repeat;
// filters replicate the border pixels; a contrast of P % takes each channel
// c to round(128 + (c - 128) P / 100), clamped; a crop removes the first N columns
// and rows (a smaller picture, empty when N reaches a side); a scale shrinks
// each side to P % and enlarges it back, bilinearly. Nothing when a JPEG
// attack has no codec or the codec fails.
std::optional<SuperficieMemoria> aplica_ataque(const Ataque& ataque, const SuperficieImagen& imagen,
                                               const CodecJpeg* jpeg);

}  // namespace zek
