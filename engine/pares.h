// SPDX-License-Identifier: MIT
// The walk over block pairs that the embedding and the blind extraction
// share: which blocks pair up, in which order, and the residue of a pair.
#pragma once

#include <cstdint>
#include <optional>

#include "base/tabla.h"

namespace zek {

struct Bloque {
    int x0, y0, L;  // first column and row (from 1), side
};

// Sum of a block's luminances, made whole after every addition, column by
// column; nothing when a partial sum leaves the 32-bit range.
inline std::optional<int32_t> suma_bloque(const Tabla& MatrizY, Bloque b) {
    int32_t suma = 0;
    for (int x = b.x0; x < b.x0 + b.L; ++x) {
        const double* columna = &MatrizY.columna(x)[b.y0 - MatrizY.y_desde()];
        for (int i = 0; i < b.L; ++i) {
            const auto s = entero(suma + columna[i]);
            if (!s) return std::nullopt;
            suma = *s;
        }
    }
    return suma;
}

// d % g (truncating, with d's sign) for 32-bit d and g with |g| > 1,
// through one double division: |d / g| < 2^31, so its rounding error is far
// below 1/|g|, the least distance from d / g to a whole number it is not,
// and truncating it gives the exact quotient. Faster than an integer
// division in the pair loops.
inline int32_t resto(int32_t d, int32_t g) {
    const auto q = static_cast<int64_t>(static_cast<double>(d) / static_cast<double>(g));
    return static_cast<int32_t>(int64_t{d} - q * g);
}

// A pair's residue (below) from its two blocks' sums, side L: the one rule
// for every reader, whatever way it summed the blocks.
inline std::optional<double> residuo_de_sumas(std::optional<int32_t> S_A,
                                              std::optional<int32_t> S_B, int32_t L, double Grado,
                                              int32_t grado) {
    const double area = static_cast<double>(L) * L;
    if (!S_A || !S_B) return std::nullopt;
    const auto diferencia = entero(*S_A / area - *S_B / area + Grado * 256);
    if (!diferencia) return std::nullopt;
    return grado == 1 || grado == -1 ? 0.0 : static_cast<double>(resto(*diferencia, grado));
}

// Remainder of the pair's mean difference, lifted by Grado * 256, over
// whole(Grado), with the dividend's sign; nothing when a step leaves the
// 32-bit range. grado is whole(Grado), never 0.
inline std::optional<double> residuo_del_par(const Tabla& MatrizY, Bloque A, Bloque B, double Grado,
                                             int32_t grado) {
    return residuo_de_sumas(suma_bloque(MatrizY, A), suma_bloque(MatrizY, B), A.L, Grado, grado);
}

// One pair of the walk: number k from 1, its blocks, and the watermark
// pixel (xm, ym) it carries.
struct Par {
    int64_t k;
    Bloque A, B;
    int xm, ym;
};

// Calls visita(par) for the pairs of side-by-side blocks, row of blocks by
// row, while there are watermark pixels (Wm x Hm) left to carry; stops
// early when visita returns false. Bx and By count whole blocks.
template <class Visita>
bool recorre_pares(int Bx, int By, int L, int Wm, int Hm, Visita visita) {
    const int64_t pixeles_marca = int64_t{Wm} * Hm;
    int64_t k = 0;
    int xm = 0, ym = 1;
    for (int R = 1; R <= By; ++R) {
        for (int j = 1; j + 1 <= Bx; j += 2) {
            if (++k > pixeles_marca) break;  // no watermark pixel left for this row
            if (++xm > Wm) {
                xm = 1;
                ++ym;
            }
            const Bloque A{(j - 1) * L + 1, (R - 1) * L + 1, L};
            const Bloque B{j * L + 1, A.y0, L};
            if (!visita(Par{k, A, B, xm, ym})) return false;
        }
    }
    return true;
}

// The pair of the walk whose blocks hold table element (x, y) (from 1), on
// Bx x By whole blocks of side L; nothing when no pair carries a watermark
// pixel there.
inline std::optional<Par> par_en(int x, int y, int Bx, int By, int L, int Wm, int Hm) {
    if (L < 1 || x < 1 || y < 1) return std::nullopt;
    const int j = (x - 1) / L, R = (y - 1) / L;  // block column and row, from 0
    const int pares_por_fila = Bx / 2;
    if (j >= 2 * pares_por_fila || R >= By) return std::nullopt;
    const int64_t k = int64_t{R} * pares_por_fila + j / 2 + 1;
    if (k > int64_t{Wm} * Hm) return std::nullopt;
    const Bloque A{(j / 2 * 2) * L + 1, R * L + 1, L};
    return Par{k, A, Bloque{A.x0 + L, A.y0, L}, static_cast<int>((k - 1) % Wm) + 1,
               static_cast<int>((k - 1) / Wm) + 1};
}

}  // namespace zek
