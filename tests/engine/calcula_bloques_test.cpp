// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "base/puerto_memoria.h"
#include "base/superficie_memoria.h"
#include "engine/funciones.h"

namespace zek {
namespace {

struct CasoBloques {
    int W, H, Wm, Hm;
    int32_t lado;
    double bloques;
};

class CalculaBloques : public testing::TestWithParam<CasoBloques> {};

TEST_P(CalculaBloques, FindsTheLargestSideWithEvenColumnsAndAPairPerWatermarkPixel) {
    const CasoBloques& c = GetParam();
    SuperficieMemoria anfitrion(c.W, c.H), marca(c.Wm, c.Hm);
    Vbles v;
    PuertoMemoria puerto;
    EXPECT_TRUE(Calcula_Bloques(v, anfitrion, marca, puerto));
    EXPECT_EQ(v.LongBloque, c.lado);
    EXPECT_EQ(v.NumBloques, c.bloques);
    EXPECT_EQ(puerto.texto(Control::LBloque), "Longitud de bloque " + std::to_string(c.lado));
    EXPECT_EQ(puerto.texto(Control::LNumBloques), "Número de bloque " + texto_general(c.bloques));
    EXPECT_TRUE(puerto.mensajes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CalculaBloques,
    testing::Values(CasoBloques{320, 240, 32, 32, 5, 3072},  // 1024 pixels need 2048 blocks
                    CasoBloques{100, 100, 2, 2, 25, 16},     // 50 would give only 4 blocks
                    CasoBloques{3, 3, 2, 2, 0, 9},           // no side: W x H blocks
                    CasoBloques{378, 483, 180, 226, 1, 182574},
                    CasoBloques{200, 40, 2, 2, 25, 8},   // wider than tall: starts at H
                    CasoBloques{40, 200, 2, 2, 20, 20},  // taller than wide: starts at W
                    CasoBloques{0, 5, 2, 1, 0, 4}));     // no side to try: 2 x P stays

TEST(CalculaBloques, RefusesAnOddWatermarkAndChangesNothing) {
    SuperficieMemoria anfitrion(320, 240), marca(3, 5);
    Vbles v;
    v.LongBloque = 7;
    v.NumBloques = 99;
    PuertoMemoria puerto;
    EXPECT_FALSE(Calcula_Bloques(v, anfitrion, marca, puerto));
    EXPECT_EQ(puerto.mensajes,
              (std::vector<Mensaje>{{"Marca de Agua no Válida", Icono::Informacion, "ZEK"}}));
    EXPECT_EQ(v.LongBloque, 7);
    EXPECT_EQ(v.NumBloques, 99);
    EXPECT_TRUE(puerto.textos.empty());
}

}  // namespace
}  // namespace zek
