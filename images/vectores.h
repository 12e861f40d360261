// Two doubles at a time, with the vector types GCC and Clang share (one
// SSE2 register on x86-64), for the per-pixel loops over the tables. Each
// lane is computed with the same operations, in the same order, as a
// double would be, so the results are bit for bit those of scalar code.
#pragma once

#include <cstdint>
#include <cstring>

namespace zek::vec {

inline constexpr int kCarriles = 2;
using Dobles = double __attribute__((vector_size(kCarriles * sizeof(double))));
using Mascara = int64_t __attribute__((vector_size(kCarriles * sizeof(int64_t))));
using Enteros = int32_t __attribute__((vector_size(kCarriles * sizeof(int32_t))));

inline Dobles junta(double x) {
    return Dobles{x, x};
}
inline Dobles absoluto(Dobles v) {
    return v < junta(0) ? -v : v;
}
inline Dobles carga(const double* origen) {
    Dobles v;
    std::memcpy(&v, origen, sizeof v);
    return v;
}
inline void guarda(double* destino, Dobles v) {
    std::memcpy(destino, &v, sizeof v);
}
inline Enteros carga(const int32_t* origen) {
    Enteros v;
    std::memcpy(&v, origen, sizeof v);
    return v;
}
inline void guarda(int32_t* destino, Enteros v) {
    std::memcpy(destino, &v, sizeof v);
}

}  // namespace zek::vec
