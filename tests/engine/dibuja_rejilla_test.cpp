// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <map>

#include "base/superficie_memoria.h"
#include "engine/funciones.h"

namespace zek {
namespace {

// Counts every write, those that fall outside the picture included.
class SuperficieContadora : public SuperficieImagen {
  public:
    SuperficieContadora(int w, int h) : imagen(w, h) {}
    int ancho() const override { return imagen.ancho(); }
    int alto() const override { return imagen.alto(); }
    void fija_tamano(int w, int h) override { imagen.fija_tamano(w, h); }
    void limpia() override { imagen.limpia(); }
    int32_t lee_pixel(int x, int y) const override { return imagen.lee_pixel(x, y); }
    void pon_pixel(int x, int y, int32_t c) override {
        ++escrituras;
        ++por_columna[x];
        ++por_fila[y];
        imagen.pon_pixel(x, y, c);
    }
    SuperficieMemoria imagen;
    int escrituras = 0;
    std::map<int, int> por_columna, por_fila;
};

TEST(DibujaRejilla, DrawsALineEverySidePixelsAcrossTheWholeExtentPlusOne) {
    SuperficieContadora p(320, 240);
    EXPECT_TRUE(Dibuja_Rejilla(p, 8));
    EXPECT_EQ(p.escrituras, 39 * 241 + 29 * 321);
    for (int x = 8; x <= 312; x += 8) EXPECT_EQ(p.por_columna[x], 241 + 29) << x;
    for (int y = 8; y <= 232; y += 8) EXPECT_EQ(p.por_fila[y], 321 + 39) << y;
    EXPECT_EQ(p.imagen.lee_pixel(8, 0), kColorRejilla);
    EXPECT_EQ(p.imagen.lee_pixel(0, 8), kColorRejilla);
    EXPECT_EQ(p.imagen.lee_pixel(7, 7), kColorFondo);
    EXPECT_EQ(p.imagen.lee_pixel(319, 239), kColorFondo);
}

TEST(DibujaRejilla, ASideOfZeroDrawsNothingAndALargeSideDrawsNoLine) {
    SuperficieContadora p(10, 10);
    EXPECT_FALSE(Dibuja_Rejilla(p, 0));
    EXPECT_TRUE(Dibuja_Rejilla(p, 10));
    EXPECT_TRUE(Dibuja_Rejilla(p, 500));
    EXPECT_EQ(p.escrituras, 0);
}

}  // namespace
}  // namespace zek
