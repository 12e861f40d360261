// SPDX-License-Identifier: MIT
// The findings of the demonstration in the status line.
#include <gtest/gtest.h>

#include "base/numeros.h"
#include "tests/comun/sesion_prueba.h"

namespace zek {
namespace {

// A host of W x H in greys and a chequered watermark of Wm x Hm, opened;
// Grado 16 and Clave 3.
struct DemoTexturada : prueba::SesionPrueba {
    DemoTexturada(int W, int H, int Wm, int Hm) {
        SuperficieMemoria anfitrion(W, H), marca(Wm, Hm);
        for (int x = 0; x < W; ++x) {
            for (int y = 0; y < H; ++y)
                anfitrion.pon_pixel(x, y, (100 + (x + 2 * y) % 50) * 0x010101);
        }
        for (int x = 0; x < Wm; ++x) {
            for (int y = 0; y < Hm; ++y) marca.pon_pixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0);
        }
        carga(anfitrion, marca);
        s.aplica(Parametro::Grado, "16");
        s.aplica(Parametro::Clave, "3");
    }
    const Demostracion& demo() const { return s.demostracion(); }
};

TEST(Demostracion, TheStatusLineTellsThePsnrAndTheBlindReading) {
    DemoTexturada b(80, 40, 8, 6);
    b.puerto.separador = ',';
    b.s.Command1_Click();
    EXPECT_EQ(b.estado(), "");
    b.s.Command1_Click();
    ASSERT_TRUE(b.demo().informe().psnr);
    EXPECT_EQ(b.demo().informe().pares, 35);  // 7 x 5: the last column and row are -1
    EXPECT_EQ(b.estado(), "Imagen marcada: PSNR frente a la imagen principal " +
                              con_decimales(*b.demo().informe().psnr, 2, ',') +
                              " dB, 35 pares de bloques con un píxel de la marca.");
    EXPECT_NE(b.estado().find(','), std::string::npos);
    b.s.Command1_Click();
    b.s.Command1_Click();
    EXPECT_EQ(b.estado(),
              "Extracción ciega de la imagen marcada: 35 de 35 píxeles correctos (100,0 %)");
    // The reading comes from Picture3 as stage 1 drew it, not from the grid.
    EXPECT_NE(b.demo().marcada(), b.p3);
    b.s.MnuReset_Click();
    EXPECT_EQ(b.estado(), "");
    EXPECT_FALSE(b.demo().informe().psnr);
}

TEST(Demostracion, ARefusedEmbeddingIsSaidAndNothingIsRead) {
    DemoTexturada b(80, 40, 8, 6);
    b.s.Command1_Click();
    b.memoria.pon("grande", SuperficieMemoria(kLimiteMarca.ancho + 1, 4));
    EXPECT_FALSE(b.abre("grande", false));  // a refused watermark leaves no table
    b.s.Command1_Click();
    EXPECT_EQ(b.estado(), "No se ha insertado la marca de agua.");
    b.s.Command1_Click();
    b.s.Command1_Click();
    EXPECT_EQ(b.estado(), "Extracción ciega: no hay ninguna marca insertada que leer.");
    EXPECT_EQ(b.v.Paso, 4);
}

TEST(Demostracion, APercentageShortOfAllIsNeverShownAsAHundred) {
    // Block side 1: the last pair of each row of blocks has its second block
    // in the tables' last column, which lies outside the picture, so half its
    // shift is never drawn; here one such pixel reads back wrong.
    DemoTexturada b(100, 50, 46, 46);
    b.s.aplica(Parametro::Grado, "32");
    for (int i = 0; i < 4; ++i) b.s.Command1_Click();
    // 2024 / 2025 is 99.95 %: rounded to nearest it would read 100.0.
    EXPECT_EQ(b.estado(),
              "Extracción ciega de la imagen marcada: 2024 de 2025 píxeles correctos (99.9 %)");
}

}  // namespace
}  // namespace zek
