// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/superficie_memoria.h"

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

// Uses the interface's own bulk operations over a memory surface's pixels,
// as any surface without overrides would.
class SoloPixeles : public SuperficieImagen {
  public:
    explicit SoloPixeles(SuperficieMemoria& s) : s_(s) {}
    int ancho() const override { return s_.ancho(); }
    int alto() const override { return s_.alto(); }
    void fija_tamano(int w, int h) override { s_.fija_tamano(w, h); }
    void limpia() override { s_.limpia(); }
    int32_t lee_pixel(int x, int y) const override { return s_.lee_pixel(x, y); }
    void pon_pixel(int x, int y, int32_t c) override { s_.pon_pixel(x, y, c); }

  private:
    SuperficieMemoria& s_;
};

struct Rango {
    int x, y, ancho, alto;
};

class BulkOperations : public testing::TestWithParam<Rango> {};

// The memory surface's fast bulk operations must do exactly what the
// pixel-by-pixel defaults do, at and past every edge.
TEST_P(BulkOperations, MatchThePixelByPixelDefaults) {
    const Rango r = GetParam();
    SuperficieMemoria rapida(5, 4), lenta(5, 4);
    SoloPixeles por_pixeles(lenta);
    for (int32_t color : {0x00FF00, kColorInvalido, 0x1000000}) {
        rapida.rellena(r.x, r.y, r.ancho, r.alto, color);
        por_pixeles.rellena(r.x, r.y, r.ancho, r.alto, color);
        ASSERT_EQ(rapida, lenta) << color;
    }
    const std::vector<int32_t> colores = {1, kColorInvalido, 3, 0x2000000, 5, 6, 7};
    const int n = std::clamp(r.alto, 0, static_cast<int>(colores.size()));
    rapida.pon_columna(r.x, r.y, n, colores.data());
    por_pixeles.pon_columna(r.x, r.y, n, colores.data());
    ASSERT_EQ(rapida, lenta);
    std::vector<int32_t> leidos_rapida(static_cast<size_t>(n), 99), leidos_lenta = leidos_rapida;
    rapida.lee_columna(r.x, r.y, n, leidos_rapida.data());
    por_pixeles.lee_columna(r.x, r.y, n, leidos_lenta.data());
    EXPECT_EQ(leidos_rapida, leidos_lenta);
}

INSTANTIATE_TEST_SUITE_P(Rangos, BulkOperations,
                         testing::Values(Rango{0, 0, 5, 4}, Rango{1, 1, 2, 2}, Rango{4, 0, 1, 5},
                                         Rango{0, 3, 6, 1}, Rango{-2, -3, 4, 6}, Rango{5, 0, 1, 4},
                                         Rango{0, 4, 5, 1}, Rango{-1, 2, 1, 3}, Rango{2, -7, 1, 7},
                                         Rango{3, 2, 0, 0}, Rango{1, 1, -3, -2},
                                         Rango{2147483640, 0, 100, 2},
                                         Rango{0, 2147483640, 2, 100}));

TEST(SuperficieMemoria, BulkOperationsOnAnEmptyPictureDoNothing) {
    SuperficieMemoria s(3, 0);
    int32_t leido = 99;
    s.lee_columna(1, 0, 1, &leido);
    EXPECT_EQ(leido, kColorInvalido);
    s.rellena(0, 0, 3, 1, 0);
    s.pon_columna(0, 0, 1, &leido);
    EXPECT_EQ(s, SuperficieMemoria(3, 0));
}

}  // namespace
}  // namespace zek
