// SPDX-License-Identifier: MIT
// The one orthonormal DCT-II of the engine: its basis for any length, the
// whole picture's separable transform and its inverse, for the DCT method's
// 8 x 8 blocks and the spread spectrum's whole picture alike.
#pragma once

#include <vector>

namespace zek {

// M[k N + n] = a_N(k) cos((2n + 1) k pi / 2N), a_N(0) = sqrt(1/N) and
// sqrt(2/N) otherwise: row k of the orthonormal DCT-II of N samples. The
// angles are whole multiples of pi / 2N, taken modulo 2 pi, so that 4N
// cosines serve the whole table and equal angles get equal values.
std::vector<double> base_dct(int N);

// destino[i] += k origen[i], across vector lanes without reordering any
// sum: four lanes where the processor has AVX2, two otherwise, the same
// sums.
void suma_escalada(double* destino, const double* origen, double k, int n);

// The orthonormal 2-D DCT-II of a W x H picture held row by row, computed
// separably (rows, then columns): C(v, u) at v W + u. The inverse is its
// transpose.
std::vector<double> dct_2d(const std::vector<double>& Y, int W, int H);
std::vector<double> idct_2d(const std::vector<double>& C, int W, int H);

}  // namespace zek
