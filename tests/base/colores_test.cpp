// SPDX-License-Identifier: MIT
#include "base/colores.h"

#include <gtest/gtest.h>

#include <string>

namespace zek {
namespace {

struct CasoColor {
    int32_t color;
    const char* hexadecimal;
    int32_t rojo, verde, azul;
};

class Componentes : public testing::TestWithParam<CasoColor> {};

TEST_P(Componentes, SplitTheColourThroughItsHexadecimalText) {
    const CasoColor& c = GetParam();
    const std::string texto = std::to_string(c.color);
    EXPECT_EQ(Convierte_Hexadecimal(c.color), c.hexadecimal);
    EXPECT_EQ(Obtiene_Rojo(texto, "D"), c.rojo);
    EXPECT_EQ(Obtiene_Verde(texto, "D"), c.verde);
    EXPECT_EQ(Obtiene_Azul(texto, "D"), c.azul);
}

INSTANTIATE_TEST_SUITE_P(Casos, Componentes,
                         testing::Values(CasoColor{0, "&H0&", 0, 0, 0},
                                         CasoColor{5, "&H5&", 5, 0, 0},
                                         CasoColor{255, "&HFF&", 255, 0, 0},
                                         CasoColor{2760, "&HAC8&", 200, 10, 0},
                                         CasoColor{65536, "&H10000&", 0, 0, 1},
                                         CasoColor{1048575, "&HFFFFF&", 255, 255, 15},
                                         CasoColor{16777215, "&HFFFFFF&", 255, 255, 255}));

TEST(Componentes, TextProceduresAgreeWithTheLowBytesOnSampledColours) {
    for (int32_t c = 0; c <= 0xFFFFFF; c += 4093) {
        const std::string t = std::to_string(c);
        ASSERT_EQ(Obtiene_Rojo(t, "D"), rojo(c)) << c;
        ASSERT_EQ(Obtiene_Verde(t, "D"), verde(c)) << c;
        ASSERT_EQ(Obtiene_Azul(t, "D"), azul(c)) << c;
    }
}

TEST(Digitos, OnlyZeroToFifteenAndUpperCaseDigitsHaveAMeaning) {
    EXPECT_EQ(Convierte_Digito(9), "9");
    EXPECT_EQ(Convierte_Digito(10), "A");
    EXPECT_EQ(Convierte_Digito(15), "F");
    EXPECT_EQ(Convierte_Digito(16), "");
    EXPECT_EQ(Convierte_Digito(-1), "");
    EXPECT_EQ(Evalua_Digito("7"), 7);
    EXPECT_EQ(Evalua_Digito("E"), 14);
    EXPECT_EQ(Evalua_Digito(""), 0);
    EXPECT_EQ(Evalua_Digito("e"), 0);
    EXPECT_EQ(Evalua_Digito("1A"), 0);
    EXPECT_EQ(Convierte_Hexadecimal(-1), "");  // a negative colour has no digits
    EXPECT_EQ(Obtiene_Rojo("-1", "D"), 0);
}

}  // namespace
}  // namespace zek
