// SPDX-License-Identifier: MIT
#include "engine/extraccion_ciega.h"

#include <gtest/gtest.h>

#include "base/puerto_memoria.h"
#include "base/superficie_memoria.h"
#include "engine/funciones.h"
#include "images/capturas.h"

namespace zek {
namespace {

// A mid-tone host with gentle texture, far from 0 and 255 so that no shift
// is clamped, and a watermark whose every bit is known.
SuperficieMemoria anfitrion_con_margen(int W, int H) {
    SuperficieMemoria s(W, H);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) {
            const int g = 90 + (x * 7 + y * 3) % 60;
            s.pon_pixel(x, y, g + 256 * (g + 10) + 65536 * (g - 20));
        }
    }
    return s;
}

SuperficieMemoria marca_conocida(int Wm, int Hm) {
    SuperficieMemoria s(Wm, Hm);
    for (int x = 0; x < Wm; ++x) {
        for (int y = 0; y < Hm; ++y) s.pon_pixel(x, y, (x * 5 + y * 3) % 7 < 3 ? 0 : 0xFFFFFF);
    }
    return s;
}

struct Incrustacion {
    SuperficieMemoria anfitrion, marca, marcada;
    Vbles v;
    PuertoMemoria puerto;

    Incrustacion(int W, int H, int Wm, int Hm, double grado, double clave)
        : anfitrion(anfitrion_con_margen(W, H)), marca(marca_conocida(Wm, Hm)), marcada(W, H) {
        v.Grado = grado;
        v.Clave = clave;
        Captura_Imagen(anfitrion, v);
        Captura_Marca(marca, v);
        EXPECT_TRUE(Inserta_Marca(v, anfitrion, marca, marcada, puerto));
    }
    Aciertos lee(const SuperficieImagen& fuente) const {
        const auto leida =
            extraccion_ciega(fuente, {v.Grado, v.Clave, v.LongBloque, marca.ancho(), marca.alto()});
        EXPECT_TRUE(leida.has_value());
        return leida ? compara_con_marca(*leida, v.MatrizMarca) : Aciertos{};
    }
};

struct Caso {
    int W, H, Wm, Hm;
    double grado, clave;
};

class SinAtaque : public testing::TestWithParam<Caso> {};

// Without attack every embedded pixel reads back: the rendering's rounding
// moves a block mean by far less than the distance between the two targets.
TEST_P(SinAtaque, ReadsEveryEmbeddedPixel) {
    const Caso c = GetParam();
    const Incrustacion e(c.W, c.H, c.Wm, c.Hm, c.grado, c.clave);
    const Aciertos a = e.lee(e.marcada);
    // Column Wm and row Hm of the watermark are stored as -1 and not embedded.
    EXPECT_EQ(a.total, int64_t{c.Wm - 1} * (c.Hm - 1));
    EXPECT_EQ(a.correctos, a.total);
    EXPECT_EQ(a.ber(), 0.0);
    EXPECT_EQ(cuenta_pares(e.v.MatrizMarca, c.W, c.H, e.v.LongBloque, c.Wm, c.Hm), a.total);
}

INSTANTIATE_TEST_SUITE_P(Casos, SinAtaque,
                         testing::Values(Caso{120, 90, 16, 12, 16, 3}, Caso{64, 64, 8, 8, 10, 3},
                                         Caso{200, 100, 20, 10, 24, 5},
                                         Caso{100, 60, 10, 6, -16, 2}));

struct CasoPlano {
    double grado, clave;
    Lectura esperada;
};
class Plano : public testing::TestWithParam<CasoPlano> {};

// On a flat picture both blocks of a pair are equal, the residue is 0, and
// the rule decides: nearer to Grado/2 + Clave is light, a tie is dark.
TEST_P(Plano, ResidueZeroIsReadByTheCircularRule) {
    const CasoPlano c = GetParam();
    SuperficieMemoria plano(40, 20);
    plano.rellena(0, 0, 40, 20, 0x808080);
    const auto leida = extraccion_ciega(plano, {c.grado, c.clave, 4, 4, 2});
    ASSERT_TRUE(leida);
    EXPECT_EQ(leida->en(1, 1), c.esperada);
    EXPECT_EQ(leida->en(4, 2), c.esperada);
}

INSTANTIATE_TEST_SUITE_P(Casos, Plano,
                         testing::Values(CasoPlano{4, 1, Lectura::Oscuro},     // tie: 1 and 1
                                         CasoPlano{4, 3, Lectura::Oscuro},     // tie: 1 and 1
                                         CasoPlano{4, 2, Lectura::Claro},      // 0 against 2
                                         CasoPlano{10, 5, Lectura::Claro},     // 0 against 5
                                         CasoPlano{10, 3, Lectura::Claro},     // 2 against 3
                                         CasoPlano{10, 1, Lectura::Oscuro}));  // 4 against 1

TEST(ExtraccionCiega, NothingToReadWithoutADegreeOrABlockSide) {
    const SuperficieMemoria s(40, 20);
    EXPECT_FALSE(extraccion_ciega(s, {0, 3, 4, 4, 2}));
    EXPECT_FALSE(extraccion_ciega(s, {0.4, 3, 4, 4, 2}));  // whole(0.4) is 0
    EXPECT_FALSE(extraccion_ciega(s, {1e300, 3, 4, 4, 2}));
    EXPECT_FALSE(extraccion_ciega(s, {10, 3, 0, 4, 2}));
    EXPECT_FALSE(extraccion_ciega(s, {10, 3, 4, 0, 2}));
}

TEST(ExtraccionCiega, PixelsWithoutAPairAreLeftUnreadAndUncounted) {
    SuperficieMemoria s(8, 4);  // 4 blocks of side 2 in each of 2 rows: 4 pairs
    const auto leida = extraccion_ciega(s, {10, 3, 2, 3, 2});
    ASSERT_TRUE(leida);
    EXPECT_NE(leida->en(1, 1), Lectura::SinPar);
    EXPECT_NE(leida->en(1, 2), Lectura::SinPar);  // pair 4
    EXPECT_EQ(leida->en(2, 2), Lectura::SinPar);
    EXPECT_EQ(leida->en(3, 2), Lectura::SinPar);
    Tabla marca;
    marca.dimensiona(1, 3, 1, 2);
    marca.escribe(2, 1, -1);  // not embedded
    const Aciertos a = compara_con_marca(*leida, marca);
    EXPECT_EQ(a.total, 3);
}

// The reading a student looks at, worked by hand for a 4 x 3 watermark:
// light white, dark black, grey where no pair carries the pixel; pixel
// (xm, ym) at (xm, ym) as in Picture4, so column 0 and row 0 stay grey and
// the last column and row fall outside the picture.
TEST(ExtraccionCiega, TheReadingIsDrawnWhiteForLightAndBlackForDark) {
    const Lectura C = Lectura::Claro, O = Lectura::Oscuro, S = Lectura::SinPar;
    const MarcaLeida leida{4, 3, {C, O, S, C, O, C, C, O, S, S, S, S}};
    const SuperficieMemoria s = imagen_de_lectura(leida, 4, 3);
    const int32_t B = 0xFFFFFF, N = 0, G = 0x808080;
    const int32_t esperada[3][4] = {{G, G, G, G}, {G, B, N, G}, {G, N, B, B}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(s.lee_pixel(x, y), esperada[y][x]) << x << "," << y;
    }
    EXPECT_EQ(imagen_de_lectura(std::nullopt, 4, 3).lee_pixel(1, 1), G);
}

}  // namespace
}  // namespace zek
