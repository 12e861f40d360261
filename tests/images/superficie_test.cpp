#include <gtest/gtest.h>

#include "superficie_memoria.h"

namespace zek {
namespace {

TEST(SuperficieMemoria, ReadsMinusOneAndIgnoresWritesOutsideThePicture) {
    SuperficieMemoria s(3, 2);
    EXPECT_EQ(s.lee_pixel(0, 0), kColorFondo);
    for (auto [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}}) {
        s.pon_pixel(x, y, 255);
        EXPECT_EQ(s.lee_pixel(x, y), kColorInvalido);
    }
    s.pon_pixel(2, 1, 0x123456);
    s.pon_pixel(1, 1, kColorInvalido);  // not a colour: nothing happens
    EXPECT_EQ(s.lee_pixel(2, 1), 0x123456);
    EXPECT_EQ(s.lee_pixel(1, 1), kColorFondo);
}

TEST(SuperficieMemoria, ResizingKeepsTheSharedPartAndClearingKeepsTheSize) {
    SuperficieMemoria s(2, 2);
    s.pon_pixel(1, 1, 7);
    s.fija_tamano(4, 3);
    EXPECT_EQ(s.lee_pixel(1, 1), 7);
    EXPECT_EQ(s.lee_pixel(3, 2), kColorFondo);
    s.limpia();
    EXPECT_EQ(s.ancho(), 4);
    EXPECT_EQ(s.alto(), 3);
    EXPECT_EQ(s.lee_pixel(1, 1), kColorFondo);
}

}  // namespace
}  // namespace zek
