// SPDX-License-Identifier: MIT
// The figures of how far a picture moved: the PSNR.
#include "images/calidad.h"

#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace zek
