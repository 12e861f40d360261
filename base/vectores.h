// SPDX-License-Identifier: MIT
// Several doubles at a time, with the vector types GCC and Clang share: two
// lanes (one SSE2 register, every x86-64 has it) or four (AVX2, used where
// the processor has it). Each lane is computed with the same operations, in
// the same order, as a double would be, so the results are bit for bit
// those of scalar code.
#pragma once

#include <cstdint>
#include <cstring>

// Four-lane vectors are passed between functions that are all inlined into
// AVX2 code; GCC's note that passing them changes the calling convention
// without AVX does not apply (GCC and Clang both give it).
#if defined(__GNUC__)  // GCC and Clang
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace zek::vec {

// Written out for each width: GCC 12 does not take vector types whose size
// depends on a template argument everywhere (__builtin_convertvector).
template <int N>
struct Carriles;
template <>
struct Carriles<2> {
    static constexpr int n = 2;
    using Dobles = double __attribute__((vector_size(2 * sizeof(double))));
    using Mascara = int64_t __attribute__((vector_size(2 * sizeof(int64_t))));
    using Enteros = int32_t __attribute__((vector_size(2 * sizeof(int32_t))));
};
template <>
struct Carriles<4> {
    static constexpr int n = 4;
    using Dobles = double __attribute__((vector_size(4 * sizeof(double))));
    using Mascara = int64_t __attribute__((vector_size(4 * sizeof(int64_t))));
    using Enteros = int32_t __attribute__((vector_size(4 * sizeof(int32_t))));
};

// Every function that takes or returns a vector is always inlined (no call,
// not even in debug builds), so that it takes the instruction set of the
// function it is used in and wide vectors never cross a call; for the same
// reason the helpers use builtins, not library templates such as bit_cast.
#define ZEK_EN_LINEA [[gnu::always_inline]] inline

template <class D>
ZEK_EN_LINEA D junta(double x) {
    return D{} + x;
}
template <class D>
ZEK_EN_LINEA D absoluto(D v) {
    return v < junta<D>(0) ? -v : v;
}
// |x| with the sign of y, for x >= 0.
template <class D>
ZEK_EN_LINEA D con_signo_de(D x, D y) {
    using M = decltype(x < y);
    const M signo = __builtin_bit_cast(M, y) & (M{} + INT64_MIN);
    return __builtin_bit_cast(D, __builtin_bit_cast(M, x) | signo);
}
template <class V>
ZEK_EN_LINEA V carga(const void* origen) {
    V v;
    std::memcpy(&v, origen, sizeof v);
    return v;
}
template <class V>
ZEK_EN_LINEA void pon(void* destino, V v) {
    std::memcpy(destino, &v, sizeof v);
}

// Whether this processor runs the four-lane paths. They are built with
// [[gnu::target("avx2")]] beside the two-lane ones and chosen with this at
// run time, never by a resolver that runs before the program starts (which
// ThreadSanitizer's runtime does not survive).
inline bool hay_avx2() {
#if defined(__x86_64__)
    static const bool hay = __builtin_cpu_supports("avx2");
    return hay;
#else
    return false;
#endif
}

// Two lanes, for the code that does not pick by processor.
inline constexpr int kCarriles = 2;
using Dobles = Carriles<2>::Dobles;
using Enteros = Carriles<2>::Enteros;

}  // namespace zek::vec
