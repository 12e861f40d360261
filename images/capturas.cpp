// SPDX-License-Identifier: MIT
// The four-lane kernels are inlined into AVX2 code, also yiq_de from the
// header below: GCC's note on the calling convention of AVX vectors without
// AVX does not apply to them.
#if defined(__GNUC__)  // GCC and Clang
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

#include "images/capturas.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "base/colores.h"
#include "base/paralelo.h"
#include "base/portatil.h"
#include "base/vectores.h"

namespace zek {
namespace {

using vec::absoluto;
using vec::carga;
using vec::con_signo_de;
using vec::junta;
using vec::pon;

// valor_por_texto for several values at once, or NaN in a lane it leaves to
// the scalar path: magnitudes from 0.1 down (0 excepted) and from 999 up,
// and halves.
//
// Like valor_por_texto it scales |v| by 10^k so that the 15 significant
// digits become the integer part, m = |v| * 10^k, rounds m to a whole n
// and divides back. k comes from three comparisons; the lane is kept only
// when 1e14 < m < 1e15 - 1, where no other k could give m in [1e14, 1e15),
// so the k is the one valor_por_texto takes and the result is the same.
// A zero comes out as itself (0 / p with v's sign), as its text gives it.
template <class C>
ZEK_EN_LINEA typename C::Dobles quince_cifras_o_nan(typename C::Dobles v) {
    using D = typename C::Dobles;
    using M = typename C::Mascara;
    const D a = absoluto(v);
    D p = junta<D>(1e15);  // for 0.1 <= a < 1
    p = a >= junta<D>(1) ? junta<D>(1e14) : p;
    p = a >= junta<D>(10) ? junta<D>(1e13) : p;
    p = a >= junta<D>(100) ? junta<D>(1e12) : p;
    constexpr double dos_52 = 4503599627370496.0;
    const D m = a * p;
    const D n = (m + dos_52) - dos_52;  // m rounded half to even, for m < 2^52
    const M valido = (((m > junta<D>(1e14)) & (m < junta<D>(1e15 - 1))) | (a == junta<D>(0))) &
                     (absoluto(m - n) != junta<D>(0.5));
    const D r = con_signo_de(n / p, v);
    return valido ? r : junta<D>(std::numeric_limits<double>::quiet_NaN());
}

// Y, I and Q of C::n colours (Y alone without kCrominancia), NaN where the
// scalar path must round them; true when there is such a NaN.
template <class C, bool kCrominancia>
ZEK_EN_LINEA bool captura_grupo(const int32_t* colores, double* Y, double* I, double* Q) {
    using D = typename C::Dobles;
    using E = typename C::Enteros;
    E c = carga<E>(colores);
    c &= (c & ~0xFFFFFF) == 0;  // a value that is not a colour counts as black
    const E R = c & 0xFF, G = (c >> 8) & 0xFF, B = (c >> 16) & 0xFF;
    const YiqDe<D> v = yiq_de(__builtin_convertvector(R, D), __builtin_convertvector(G, D),
                              __builtin_convertvector(B, D));
    const D y = quince_cifras_o_nan<C>(v.Y);
    pon(Y, y);
    auto nan = y != y;
    if constexpr (kCrominancia) {
        const D i = quince_cifras_o_nan<C>(v.I), q = quince_cifras_o_nan<C>(v.Q);
        pon(I, i);
        pon(Q, q);
        nan |= (i != i) | (q != q);
    }
    bool alguno = false;
    for (int k = 0; k < C::n; ++k) alguno |= nan[k] != 0;
    return alguno;
}

// The whole groups of a column, from the first row; returns how many rows
// they cover and sets pendientes when a lane was left to the scalar path.
template <class C, bool kCrominancia>
ZEK_EN_LINEA int captura_grupos(const int32_t* colores, int n, double* Y, double* I, double* Q,
                                bool& pendientes) {
    int i = 0;
    for (; i + C::n <= n; i += C::n) {
        // Without chrominance I and Q are null and must not be offset.
        pendientes |= captura_grupo<C, kCrominancia>(
            colores + i, Y + i, kCrominancia ? I + i : nullptr, kCrominancia ? Q + i : nullptr);
    }
    return i;
}

#if defined(__x86_64__)
template <bool kCrominancia>
[[gnu::target("avx2")]] int captura_grupos_avx2(const int32_t* colores, int n, double* Y, double* I,
                                                double* Q, bool& pendientes) {
    return captura_grupos<vec::Carriles<4>, kCrominancia>(colores, n, Y, I, Q, pendientes);
}
#endif

// The values the test above leaves go the general way. Tiny ones (the
// chrominance of greys, which cancels to a residue) take the slow path
// through text, but greys repeat the same few residues, so the last
// results are kept.
class Redondeo {
  public:
    double operator()(double v) {
        if (std::fabs(v) >= 1e-8) return valor_por_texto(v);
        const uint64_t bits = bits_de(v);
        Entrada& e = memoria_[(bits * 0x9E3779B97F4A7C15u) >> 54];  // 10 well-mixed bits
        if (!e.usada || e.bits != bits) e = {bits, valor_por_texto(v), true};
        return e.valor;
    }

  private:
    struct Entrada {
        uint64_t bits = 0;
        double valor = 0;
        bool usada = false;
    };
    std::array<Entrada, 1024> memoria_{};
};

// Y, I and Q of one column of colours (Y alone without kCrominancia, and
// then I and Q are not touched); a value that is not a colour (the row below
// the picture) stores 0 in all three.
template <bool kCrominancia>
void captura_columna(const int32_t* colores, int n, double* Y, double* I, double* Q,
                     Redondeo& redondeo) {
    using Dos = vec::Carriles<2>;
    bool pendientes = false;
    int i = 0;
#if defined(__x86_64__)
    if (vec::hay_avx2()) i = captura_grupos_avx2<kCrominancia>(colores, n, Y, I, Q, pendientes);
#endif
    if (i == 0) i = captura_grupos<Dos, kCrominancia>(colores, n, Y, I, Q, pendientes);
    while (i < n) {  // the last few, through a padded copy, two at a time
        int32_t resto[Dos::n] = {kColorInvalido, kColorInvalido};
        double y[Dos::n], iq[2][Dos::n];
        const int cuantos = std::min(n - i, Dos::n);
        std::memcpy(resto, colores + i, sizeof(int32_t) * static_cast<std::size_t>(cuantos));
        pendientes |= captura_grupo<Dos, kCrominancia>(resto, y, iq[0], iq[1]);
        for (int j = 0; j < cuantos; ++j) {
            Y[i + j] = y[j];
            if constexpr (kCrominancia) {
                I[i + j] = iq[0][j];
                Q[i + j] = iq[1][j];
            }
        }
        i += cuantos;
    }
    for (i = 0; pendientes && i < n; ++i) {
        const int32_t c = es_color(colores[i]) ? colores[i] : 0;
        const Yiq v = yiq_de_color(rojo(c), verde(c), azul(c));
        if (std::isnan(Y[i])) Y[i] = redondeo(v.Y);
        if constexpr (kCrominancia) {
            if (std::isnan(I[i])) I[i] = redondeo(v.I);
            if (std::isnan(Q[i])) Q[i] = redondeo(v.Q);
        }
    }
}

// Fills Y (and I and Q with kCrominancia, which are then tables too) over
// (1..W) x (1..H) from the picture. Every element is written, so the tables
// need not be zeroed first. Each half of the columns reads the picture and
// fills its own columns.
template <bool kCrominancia>
void captura(const SuperficieImagen& imagen, Tabla& Y, Tabla* I, Tabla* Q) {
    const int W = imagen.ancho();
    const int H = imagen.alto();
    for (Tabla* t : {&Y, I, Q}) {
        if (t) t->dimensiona_para_llenar(1, W, 1, H);
    }
    if (W < 1 || H < 1) return;
    en_dos_mitades(1, W, int64_t{W} * H, [&](int desde, int hasta) {
        std::vector<int32_t> colores(static_cast<std::size_t>(H));
        Redondeo redondeo;
        for (int x = desde; x <= hasta; ++x) {
            // Column W and row H lie outside the 0-based picture and read as -1.
            imagen.lee_columna(x, 1, H, colores.data());
            captura_columna<kCrominancia>(colores.data(), H, Y.columna_redondeada(x),
                                          kCrominancia ? I->columna_redondeada(x) : nullptr,
                                          kCrominancia ? Q->columna_redondeada(x) : nullptr,
                                          redondeo);
        }
    });
}

}  // namespace

void Captura_Imagen(const SuperficieImagen& Picture1, Vbles& vbles) {
    captura<true>(Picture1, vbles.MatrizY, &vbles.MatrizI, &vbles.MatrizQ);
}

void captura_luminancia(const SuperficieImagen& imagen, Tabla& MatrizY) {
    captura<false>(imagen, MatrizY, nullptr, nullptr);
}

void Captura_Marca(const SuperficieImagen& Picture2, Vbles& vbles) {
    const int Wm = Picture2.ancho();
    const int Hm = Picture2.alto();
    vbles.MatrizMarca.dimensiona(1, Wm, 1, Hm);
    if (Wm < 1 || Hm < 1) return;
    std::vector<int32_t> colores(static_cast<std::size_t>(Hm));
    for (int x = 1; x <= Wm; ++x) {
        Picture2.lee_columna(x, 1, Hm, colores.data());
        double* columna = vbles.MatrizMarca.columna_redondeada(x);  // whole numbers
        for (int i = 0; i < Hm; ++i) columna[i] = colores[i];
    }
}

}  // namespace zek
