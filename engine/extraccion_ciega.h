// SPDX-License-Identifier: MIT
// Reading the watermark back from a watermarked picture alone, and how
// well that reading matches the watermark that was embedded.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/superficie.h"
#include "base/superficie_memoria.h"
#include "base/tabla.h"

namespace zek {

enum class Lectura : int8_t { SinPar = -1, Oscuro = 0, Claro = 1 };

// What a blind reading needs besides the picture: the parameters in force,
// the block side, and the watermark's size, which sets how many pairs carry
// a pixel.
struct ParametrosLectura {
    double Grado = 0, Clave = 0;
    int32_t LongBloque = 0;
    int Wm = 0, Hm = 0;
};

// How a pair's residue r is read, whole(Grado) being grado: light when r
// is nearer to Grado/2 + Clave than to Clave on the circle of circumference
// |grado|, dark otherwise (a tie is dark, and so is a pair whose sums
// overflowed).
class ReglaDeLectura {
  public:
    ReglaDeLectura(double Grado, double Clave, int32_t grado);
    Lectura lee(std::optional<double> r) const;
    // cos(4 pi (r - Clave) / |grado|): 1 at either level the embedding
    // brings a pair to, the angle being doubled so that both meet.
    double coseno(double r) const;

  private:
    double c_, claro_, oscuro_, Clave_;
};

// The watermark as read: Wm x Hm pixels, row by row; SinPar where no block
// pair carries the pixel.
struct MarcaLeida {
    int Wm = 0, Hm = 0;
    std::vector<Lectura> pixeles;
    Lectura en(int xm, int ym) const {
        return pixeles[static_cast<size_t>(ym - 1) * static_cast<size_t>(Wm) + (xm - 1)];
    }
};

// Captures the picture's luminance as the host capture does and, for each
// block pair the embedding handles with this Grado, LongBloque and watermark
// size, takes the pair's residue r: light when r is nearer to Grado/2 +
// Clave than to Clave on the circle of circumference |whole(Grado)|, dark
// otherwise (a tie is dark). Nothing when no embedding could have been made
// (whole(Grado) 0 or out of range, no block side, a watermark with no
// pixels). A pair whose sums leave the 32-bit range is read dark.
std::optional<MarcaLeida> extraccion_ciega(const SuperficieImagen& marcada,
                                           const ParametrosLectura& p);
// The same from the picture's luminance already captured (MatrizY of a
// picture of W x H, which sets the blocks).
std::optional<MarcaLeida> extraccion_ciega(const Tabla& MatrizY, int W, int H,
                                           const ParametrosLectura& p);

// The reading as a picture of Wm x Hm: white where read light, black where
// dark, grey 128 where no pair carries the pixel (all grey when nothing was
// read). Watermark pixel (xm, ym) is picture pixel (xm, ym), as in Picture4.
SuperficieMemoria imagen_de_lectura(const std::optional<MarcaLeida>& leida, int Wm, int Hm);

// How the residues of the carried pairs fall, by the class of the pixel
// each carries: counts for residues 0 .. grado - 1.
struct Histograma {
    int32_t grado = 0;  // |whole(Grado)|
    std::vector<int64_t> claros, oscuros;
    bool operator==(const Histograma&) const = default;
};

// For every pair the embedding makes carry a watermark pixel (one that is
// not -1 in MatrizMarca), the pair's residue in the luminance MatrizY of a
// picture of W x H, brought into 0 .. |whole(Grado)| - 1. Nothing when no
// embedding could have been made; a pair whose sums overflow is left out.
std::optional<Histograma> histograma_de_residuos(const Tabla& MatrizY, int W, int H,
                                                 const ParametrosLectura& p,
                                                 const Tabla& MatrizMarca);

struct Aciertos {
    int64_t correctos = 0;
    int64_t total = 0;  // watermark pixels embedded: carried by a pair and not -1
    double ber() const {
        return total == 0 ? 0.0
                          : static_cast<double>(total - correctos) / static_cast<double>(total);
    }
    // Normalised correlation of the read bits with the embedded ones, as
    // +1/-1: 1 all read right, 0 chance, -1 the watermark read inverted.
    double nc() const { return 1 - 2 * ber(); }
};

// Block pairs that the embedding makes carry a watermark pixel, on a host
// of W x H with side L: the pixels with a pair whose colour is not -1.
int64_t cuenta_pares(const Tabla& MatrizMarca, int W, int H, int32_t L, int Wm, int Hm);

// Compares a reading with the watermark as stored (MatrizMarca); elements
// holding -1 or outside the table were not embedded and do not count.
Aciertos compara_con_marca(const MarcaLeida& leida, const Tabla& MatrizMarca);

}  // namespace zek
