// SPDX-License-Identifier: MIT
#include "engine/dct.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "base/vectores.h"

namespace zek {

std::vector<double> base_dct(int N) {
    std::vector<double> c(static_cast<size_t>(4) * N);
    for (size_t j = 0; j < c.size(); ++j)
        c[j] = std::cos(static_cast<double>(j) * std::numbers::pi / (2.0 * N));
    std::vector<double> M(static_cast<size_t>(N) * N);
    for (int k = 0; k < N; ++k) {
        const double a = std::sqrt((k == 0 ? 1.0 : 2.0) / N);
        for (int n = 0; n < N; ++n)
            M[static_cast<size_t>(k) * N + n] =
                a * c[static_cast<size_t>((int64_t{2 * n + 1} * k) % (4 * N))];
    }
    return M;
}

namespace {

void suma_escalada_comun(double* destino, const double* origen, double k, int n) {
    for (int i = 0; i < n; ++i) destino[i] += k * origen[i];
}
#if defined(__x86_64__)
[[gnu::target("avx2")]] void suma_escalada_avx2(double* destino, const double* origen, double k,
                                                int n) {
    for (int i = 0; i < n; ++i) destino[i] += k * origen[i];
}
#endif

size_t en(int fila, int ancho, int columna) {
    return static_cast<size_t>(fila) * ancho + columna;
}

// One direction of the forward transform over `cuantos` vectors of
// `largo` values at once: salida(k) = sum_n M(k, n) entrada(n), each
// entrada(n) and salida(k) a vector. Row k of M is even about the middle
// for even k and odd for odd k, so the sums and differences of mirrored
// inputs halve the products.
void transforma(const std::vector<double>& M, int N, const double* entrada, double* salida,
                int largo) {
    const int mitad = N / 2;
    std::vector<double> suma(static_cast<size_t>(largo)), resta(static_cast<size_t>(largo));
    std::fill(salida, salida + static_cast<size_t>(N) * largo, 0.0);
    for (int n = 0; n < mitad; ++n) {
        const double* a = entrada + static_cast<size_t>(n) * largo;
        const double* b = entrada + static_cast<size_t>(N - 1 - n) * largo;
        for (int i = 0; i < largo; ++i) {
            suma[static_cast<size_t>(i)] = a[i] + b[i];
            resta[static_cast<size_t>(i)] = a[i] - b[i];
        }
        for (int k = 0; k < N; ++k) {
            suma_escalada(salida + static_cast<size_t>(k) * largo,
                          k % 2 ? resta.data() : suma.data(), M[en(k, N, n)], largo);
        }
    }
    if (N % 2) {  // the middle input: odd rows are zero there
        const double* m = entrada + static_cast<size_t>(mitad) * largo;
        for (int k = 0; k < N; k += 2)
            suma_escalada(salida + static_cast<size_t>(k) * largo, m, M[en(k, N, mitad)], largo);
    }
}

}  // namespace

void suma_escalada(double* destino, const double* origen, double k, int n) {
#if defined(__x86_64__)
    if (vec::hay_avx2()) return suma_escalada_avx2(destino, origen, k, n);
#endif
    suma_escalada_comun(destino, origen, k, n);
}

std::vector<double> dct_2d(const std::vector<double>& Y, int W, int H) {
    // Columns first, as vectors of whole rows: R(v, x) = sum_y MH(v, y) Y(y, x).
    std::vector<double> R(static_cast<size_t>(W) * H), C(R.size());
    transforma(base_dct(H), H, Y.data(), R.data(), W);
    // Then the rows, each as its transpose: C(v, u) = sum_x MW(u, x) R(v, x).
    std::vector<double> Rt(R.size()), Ct(R.size());
    for (int v = 0; v < H; ++v) {
        for (int x = 0; x < W; ++x) Rt[en(x, H, v)] = R[en(v, W, x)];
    }
    transforma(base_dct(W), W, Rt.data(), Ct.data(), H);
    for (int u = 0; u < W; ++u) {
        for (int v = 0; v < H; ++v) C[en(v, W, u)] = Ct[en(u, H, v)];
    }
    return C;
}

std::vector<double> idct_2d(const std::vector<double>& C, int W, int H) {
    const std::vector<double> MW = base_dct(W), MH = base_dct(H);
    std::vector<double> T(C.size(), 0.0), Y(C.size(), 0.0);
    for (int y = 0; y < H; ++y) {
        for (int v = 0; v < H; ++v)
            suma_escalada(&T[en(y, W, 0)], &C[en(v, W, 0)], MH[en(v, H, y)], W);
        for (int u = 0; u < W; ++u)
            suma_escalada(&Y[en(y, W, 0)], &MW[en(u, W, 0)], T[en(y, W, u)], W);
    }
    return Y;
}

}  // namespace zek
