// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "base/superficie_memoria.h"
#include "engine/funciones.h"
#include "images/capturas.h"

namespace zek {
namespace {

// Captures a picture holding the colours, draws the tables back, and checks
// that every colour comes back exactly.
void espera_colores_de_vuelta(const std::vector<int32_t>& colores) {
    const int W = 512;
    const int H = static_cast<int>(colores.size() / W) + 2;
    SuperficieMemoria anfitrion(W, H), resultado(W, H);
    for (size_t i = 0; i < colores.size(); ++i) {
        anfitrion.pon_pixel(1 + static_cast<int>(i % (W - 1)), 1 + static_cast<int>(i / (W - 1)),
                            colores[i]);
    }
    Vbles v;
    Captura_Imagen(anfitrion, v);
    Dibuja_Imagen(v, anfitrion, resultado);
    for (int x = 1; x < W; ++x) {
        for (int y = 1; y < H; ++y) {
            ASSERT_EQ(resultado.lee_pixel(x, y), anfitrion.lee_pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(DibujaImagen, AnUntouchedPixelComesBackInItsCapturedColour) {
    std::vector<int32_t> colores = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000,
                                    0xFFFF00, 0x00FFFF, 0xFF00FF, 0x808080, 0x010203};
    for (int32_t c = 0; c <= 0xFFFFFF; c += 997) colores.push_back(c);
    for (int32_t g = 0; g < 256; ++g) colores.push_back(g * 0x010101);
    espera_colores_de_vuelta(colores);
}

struct CasoYiq {
    double Y, I, Q;
    int32_t color;
};

class Conversion : public testing::TestWithParam<CasoYiq> {};

TEST_P(Conversion, ClampsEachChannelAndRoundsHalvesToEven) {
    SuperficieMemoria anfitrion(2, 2), resultado(2, 2);
    Vbles v;
    for (Tabla* t : {&v.MatrizY, &v.MatrizI, &v.MatrizQ}) t->dimensiona(1, 2, 1, 2);
    v.MatrizY.escribe(1, 1, GetParam().Y);
    v.MatrizI.escribe(1, 1, GetParam().I);
    v.MatrizQ.escribe(1, 1, GetParam().Q);
    Dibuja_Imagen(v, anfitrion, resultado);
    EXPECT_EQ(resultado.lee_pixel(1, 1), GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(Casos, Conversion,
                         testing::Values(CasoYiq{255, 0, 0, 0xFFFFFF}, CasoYiq{0, 0, 0, 0},
                                         CasoYiq{300, 0, 0, 0xFFFFFF}, CasoYiq{-20, 0, 0, 0},
                                         CasoYiq{118.4, 0, 0, 118 * 0x010101},
                                         CasoYiq{76.245, 151.98, 54.06, 0x0000FF}));

TEST(DibujaImagen, DrawsOnlyWithinTheHostSizeAndWhatTheTablesCover) {
    // The tables hold a 3 x 3 host; the host box now reports 6 x 6 (as after
    // a refused load) and Picture3 is larger still.
    SuperficieMemoria pequeno(3, 3);
    for (int i = 0; i < 9; ++i) pequeno.pon_pixel(i % 3, i / 3, 0xFFFFFF);
    Vbles v;
    Captura_Imagen(pequeno, v);
    SuperficieMemoria anfitrion(6, 6), resultado(8, 8);
    resultado.pon_pixel(7, 7, 0x123456);
    Dibuja_Imagen(v, anfitrion, resultado);
    EXPECT_EQ(resultado.lee_pixel(1, 1), 0xFFFFFF);
    EXPECT_EQ(resultado.lee_pixel(3, 3), 0);  // column W, row H of the tables hold 0
    EXPECT_EQ(resultado.lee_pixel(4, 4), kColorFondo);
    EXPECT_EQ(resultado.lee_pixel(7, 7), 0x123456);
    EXPECT_EQ(resultado.lee_pixel(0, 0), kColorFondo);
}

TEST(DibujaImagen, WithoutTablesDrawsNothing) {
    SuperficieMemoria anfitrion(4, 4), resultado(4, 4);
    Dibuja_Imagen(Vbles{}, anfitrion, resultado);
    EXPECT_EQ(resultado, SuperficieMemoria(4, 4));
}

}  // namespace
}  // namespace zek
