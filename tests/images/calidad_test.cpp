// SPDX-License-Identifier: MIT
// The figures of how far a picture moved: the PSNR.
#include "images/calidad.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/tabla.h"

namespace zek {
namespace {

TEST(Calidad, IdenticalPicturesHaveNoFigureAndOneStepOfOneChannelIsExact) {
    SuperficieMemoria a(9, 7);
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 7; ++y) a.pon_pixel(x, y, (x * 29 + y * 11) % 256 * 0x010101);
    }
    EXPECT_FALSE(psnr_entre(a, a, {0, 8, 0, 6}));
    SuperficieMemoria b(1, 1), c(1, 1);
    b.pon_pixel(0, 0, 100);
    c.pon_pixel(0, 0, 101);
    const auto psnr = psnr_entre(b, c, {0, 0, 0, 0});
    ASSERT_TRUE(psnr);
    EXPECT_DOUBLE_EQ(*psnr, 10 * std::log10(255.0 * 255.0 * 3));
    EXPECT_FALSE(psnr_entre(b, c, {5, 6, 5, 6}));  // outside both: nothing compared
}

// Tables of 1..n x 1..n, every element v.
Tabla plana(int n, double v) {
    Tabla t;
    t.dimensiona(1, n, 1, n);
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) t.escribe(x, y, v);
    }
    return t;
}

// Worked by hand: two flat windows differ only in their means, so SSIM is
// (2 x 100 x 110 + C1) / (100^2 + 110^2 + C1) with C1 = 6.5025; equal
// tables give exactly 1; a picture narrower than the window gives nothing.
TEST(Calidad, SsimOfFlatAndEqualTablesIsWorkedByHand) {
    const double C1 = 6.5025;
    const auto ssim = ssim_entre(plana(11, 100), plana(11, 110), 11, 11);
    ASSERT_TRUE(ssim);
    EXPECT_NEAR(*ssim, (22000 + C1) / (22100 + C1), 1e-12);
    EXPECT_NEAR(*ssim_entre(plana(14, 100), plana(14, 110), 14, 14), *ssim, 1e-12);
    Tabla textura = plana(16, 0);
    for (int x = 1; x <= 16; ++x) {
        for (int y = 1; y <= 16; ++y) textura.escribe(x, y, (x * 37 + y * 11) % 256);
    }
    EXPECT_EQ(ssim_entre(textura, textura, 16, 16), 1.0);
    EXPECT_LT(*ssim_entre(textura, plana(16, 128), 16, 16), 0.1);  // the structure is gone
    EXPECT_FALSE(ssim_entre(plana(10, 1), plana(10, 1), 10, 10));
}

// The difference picture worked by hand: |Y' - Y| of 2, 0, 5 and 0 on
// elements (1, 1) to (2, 2), the largest (5) white, so a gain of 51 and
// greys of 102 and 255; element (x, y) at pixel (x, y) of the picture.
TEST(Calidad, TheDifferencePictureIsTheAbsoluteDifferenceAmplified) {
    Tabla marcada = plana(3, 0), original = plana(3, 0);
    const double valores[2][2][2] = {{{10, 12}, {20, 20}}, {{30, 25}, {40, 40}}};  // [x][y]{Y', Y}
    for (int x = 1; x <= 2; ++x) {
        for (int y = 1; y <= 2; ++y) {
            marcada.escribe(x, y, valores[x - 1][y - 1][0]);
            original.escribe(x, y, valores[x - 1][y - 1][1]);
        }
    }
    const Diferencia d = diferencia_de_luminancia(marcada, original, 3, 3);
    EXPECT_EQ(d.maxima, 5);
    EXPECT_EQ(d.ganancia, 51);
    EXPECT_EQ(d.imagen.lee_pixel(1, 1), 102 * 0x010101);  // 12 - 10: negative, shown as 2
    EXPECT_EQ(d.imagen.lee_pixel(1, 2), 0);
    EXPECT_EQ(d.imagen.lee_pixel(2, 1), 255 * 0x010101);
    EXPECT_EQ(d.imagen.lee_pixel(2, 2), 0);
}

}  // namespace
}  // namespace zek
