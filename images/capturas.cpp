#include "capturas.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "colores.h"
#include "vectores.h"

namespace zek {
namespace {

using namespace vec;

// valor_por_texto for two values at once, or NaN in a lane it leaves to
// the scalar path: magnitudes from 0 to 0.001 and above 999, and halves.
//
// Like valor_por_texto it scales |v| by 10^k so that the 15 significant
// digits become the integer part, m = |v| * 10^k, rounds m to a whole n
// and divides back. k comes from a few comparisons; the lane is kept only
// when 1e14 < m < 1e15 - 1, where no other k could give m in [1e14, 1e15),
// so the k is the one valor_por_texto takes and the result is the same.
inline Dobles quince_cifras_o_nan(Dobles v) {
    const Dobles a = absoluto(v);
    Dobles p = junta(1e17);  // for 0.001 <= a < 0.01
    constexpr double kDecadas[][2] = {
        {0.01, 1e16}, {0.1, 1e15}, {1, 1e14}, {10, 1e13}, {100, 1e12}};
    for (const auto& [desde, potencia] : kDecadas) p = a >= junta(desde) ? junta(potencia) : p;
    constexpr double dos_52 = 4503599627370496.0;
    const Dobles m = a * p;
    const Dobles n = (m + dos_52) - dos_52;  // m rounded half to even, for m < 2^52
    const Dobles d = m - n;
    const Mascara valido =
        (m > junta(1e14)) & (m < junta(1e15 - 1)) & (d != junta(0.5)) & (d != junta(-0.5));
    const Dobles r = v < junta(0) ? -(n / p) : n / p;
    const Dobles o_cero = a == junta(0) ? v : junta(std::numeric_limits<double>::quiet_NaN());
    return valido ? r : o_cero;  // a zero's text gives it back as it is
}

// Y, I and Q of two colours (Y alone without kCrominancia), NaN where the
// scalar path must round them; true when there is such a NaN.
template <bool kCrominancia>
inline bool captura_par(const int32_t* colores, double* Y, double* I, double* Q) {
    Enteros c = carga(colores);
    c &= (c & ~0xFFFFFF) == 0;  // a value that is not a colour counts as black
    const auto canal = [](Enteros componente) {
        return __builtin_convertvector(componente, Dobles);
    };
    const YiqDe<Dobles> v =
        yiq_de(canal(c & 0xFF), canal((c >> 8) & 0xFF), canal((c >> 16) & 0xFF));
    const Dobles y = quince_cifras_o_nan(v.Y);
    guarda(Y, y);
    Mascara nan = y != y;
    if constexpr (kCrominancia) {
        const Dobles i = quince_cifras_o_nan(v.I), q = quince_cifras_o_nan(v.Q);
        guarda(I, i);
        guarda(Q, q);
        nan |= (i != i) | (q != q);
    }
    return (nan[0] | nan[1]) != 0;
}

// The values the test above leaves go the general way. Tiny ones (the
// chrominance of greys, which cancels to a residue) take the slow path
// through text, but greys repeat the same few residues, so the last
// results are kept.
class Redondeo {
  public:
    double operator()(double v) {
        if (std::fabs(v) >= 1e-8) return valor_por_texto(v);
        const uint64_t bits = std::bit_cast<uint64_t>(v);
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
    int i = 0;
    bool pendientes = false;
    for (; i + kCarriles <= n; i += kCarriles) {
        // Without chrominance I and Q are null and must not be offset.
        pendientes |= captura_par<kCrominancia>(colores + i, Y + i, kCrominancia ? I + i : nullptr,
                                                kCrominancia ? Q + i : nullptr);
    }
    if (i < n) {  // the last one, through a padded copy
        int32_t resto[kCarriles] = {kColorInvalido, kColorInvalido};
        double y[kCarriles], iq[2][kCarriles];
        std::memcpy(resto, colores + i, sizeof(int32_t) * static_cast<std::size_t>(n - i));
        pendientes |= captura_par<kCrominancia>(resto, y, iq[0], iq[1]);
        for (int j = 0; i + j < n; ++j) {
            Y[i + j] = y[j];
            if constexpr (kCrominancia) {
                I[i + j] = iq[0][j];
                Q[i + j] = iq[1][j];
            }
        }
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

}  // namespace

void Captura_Imagen(const SuperficieImagen& Picture1, Vbles& vbles) {
    const int W = Picture1.ancho();
    const int H = Picture1.alto();
    // Every element is written below, so the tables need not be zeroed.
    vbles.MatrizY.dimensiona_para_llenar(1, W, 1, H);
    vbles.MatrizI.dimensiona_para_llenar(1, W, 1, H);
    vbles.MatrizQ.dimensiona_para_llenar(1, W, 1, H);
    if (W < 1 || H < 1) return;
    std::vector<int32_t> colores(static_cast<std::size_t>(H));
    Redondeo redondeo;
    for (int x = 1; x <= W; ++x) {
        // Column W and row H lie outside the 0-based picture and read as -1.
        Picture1.lee_columna(x, 1, H, colores.data());
        captura_columna<true>(colores.data(), H, vbles.MatrizY.columna_redondeada(x),
                              vbles.MatrizI.columna_redondeada(x),
                              vbles.MatrizQ.columna_redondeada(x), redondeo);
    }
}

void Captura_Luminancia(const SuperficieImagen& imagen, Tabla& MatrizY) {
    const int W = imagen.ancho();
    const int H = imagen.alto();
    MatrizY.dimensiona_para_llenar(1, W, 1, H);
    if (W < 1 || H < 1) return;
    std::vector<int32_t> colores(static_cast<std::size_t>(H));
    Redondeo redondeo;
    for (int x = 1; x <= W; ++x) {
        imagen.lee_columna(x, 1, H, colores.data());
        captura_columna<false>(colores.data(), H, MatrizY.columna_redondeada(x), nullptr, nullptr,
                               redondeo);
    }
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
