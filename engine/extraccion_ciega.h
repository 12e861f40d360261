// Reading the watermark back from a watermarked picture alone, and how
// well that reading matches the watermark that was embedded.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/superficie.h"
#include "base/tabla.h"

namespace zek {

enum class Lectura : int8_t { SinPar = -1, Oscuro = 0, Claro = 1 };

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
std::optional<MarcaLeida> extraccion_ciega(const SuperficieImagen& marcada, double Grado,
                                           double Clave, int32_t LongBloque, int Wm, int Hm);

struct Aciertos {
    int64_t correctos = 0;
    int64_t total = 0;  // watermark pixels embedded: carried by a pair and not -1
    double ber() const {
        return total == 0 ? 0.0
                          : static_cast<double>(total - correctos) / static_cast<double>(total);
    }
};

// Block pairs that the embedding makes carry a watermark pixel, on a host
// of W x H with side L: the pixels with a pair whose colour is not -1.
int64_t cuenta_pares(const Tabla& MatrizMarca, int W, int H, int32_t L, int Wm, int Hm);

// Compares a reading with the watermark as stored (MatrizMarca); elements
// holding -1 or outside the table were not embedded and do not count.
Aciertos compara_con_marca(const MarcaLeida& leida, const Tabla& MatrizMarca);

}  // namespace zek
