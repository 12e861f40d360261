// SPDX-License-Identifier: MIT
// The embedding methods: each describes itself completely, reads back what
// it embedded, the capacity refusals, and the DCT method checked against
// the definition.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/espectro.h"
#include "engine/metodo.h"
#include "images/ataques.h"
#include "tests/comun/por_nombre.h"

namespace zek {
namespace {

// A textured host with no channel near 0 or 255, so that nothing clips.
SuperficieMemoria anfitrion(int W, int H) {
    SuperficieMemoria s(W, H);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) {
            const int r = 60 + (x * 7 + y * 3) % 120, g = 70 + (x * 5 + y * 11) % 100;
            s.pon_pixel(x, y, r + 256 * g + 65536 * (50 + (x + y) % 90));
        }
    }
    return s;
}

// As a capture leaves it: the last column and row out.
Bits marca(int Wm, int Hm) {
    Bits b(static_cast<size_t>(Wm) * Hm);
    for (int ym = 1; ym <= Hm; ++ym) {
        for (int xm = 1; xm <= Wm; ++xm) {
            b[static_cast<size_t>(ym - 1) * Wm + (xm - 1)] =
                xm == Wm || ym == Hm ? -1 : (xm * 3 + ym) % 5 < 2;
        }
    }
    return b;
}

struct CasoMetodo {
    const char* nombre;
    double fuerza;
};

class Metodos : public testing::TestWithParam<CasoMetodo> {};

TEST_P(Metodos, ReadBackEveryPixelTheyEmbed) {
    const Metodo* m = metodo(GetParam().nombre);
    ASSERT_NE(m, nullptr);
    const SuperficieMemoria host = anfitrion(96, 64);
    const Bits bits = marca(8, 6);
    const auto marcada = m->inserta(host, bits, 8, 6, GetParam().fuerza, 3);
    ASSERT_TRUE(marcada);
    EXPECT_NE(*marcada, host);
    const Aciertos a = compara_bits(m->lee(*marcada, 8, 6, GetParam().fuerza, 3), bits);
    EXPECT_EQ(a.total, 7 * 5);  // every pixel but the last column and row
    EXPECT_EQ(a.correctos, a.total);
}

INSTANTIATE_TEST_SUITE_P(Todos, Metodos,
                         testing::Values(CasoMetodo{"bloques", 16}, CasoMetodo{"lsb", 0},
                                         CasoMetodo{"lsb", 5}, CasoMetodo{"dct", 2},
                                         CasoMetodo{"dct", 4}),
                         [](const auto& caso) {
                             return std::string(caso.param.nombre) + "_" +
                                    std::to_string(static_cast<int>(caso.param.fuerza * 10));
                         });

// After the embedding, bit p sits in the upper half of its period for the
// light pixels (v mod 2 = 1: a fraction of exactly 1/2) and at 0 for the dark.
TEST(MetodoLsb, TheFractionsOfTheStepAreHalfForLightAndZeroForDark) {
    const Bits bits = marca(8, 6);
    const auto marcada = metodo_lsb().inserta(anfitrion(96, 64), bits, 8, 6, 0, 0);
    ASSERT_TRUE(marcada);
    const Histograma h =
        histograma_de_fracciones(metodo_lsb().fracciones(*marcada, 8, 6, 0, 0), bits);
    ASSERT_EQ(h.grado, 16);
    int64_t claros = 0, oscuros = 0;
    for (const int8_t b : bits) (b == 1 ? claros : oscuros) += b >= 0;
    EXPECT_EQ(h.claros[8], claros);
    EXPECT_EQ(h.oscuros[0], oscuros);
}

// A brightness of +1 moves every channel, so the integer luminance, by one:
// bit 0 flips everywhere and the watermark reads inverted.
TEST(MetodoLsb, BrightnessOfOneReadsTheWatermarkInverted) {
    const Metodo& m = metodo_lsb();
    const Bits bits = marca(8, 6);
    const auto marcada = m.inserta(anfitrion(96, 64), bits, 8, 6, 0, 0);
    ASSERT_TRUE(marcada);
    const auto atacada = aplica_ataque(*lee_ataque("brillo:1"), *marcada, nullptr);
    const Aciertos a = compara_bits(m.lee(*atacada, 8, 6, 0, 0), bits);
    EXPECT_EQ(a.correctos, 0);
    EXPECT_EQ(a.nc(), -1);
}

// Worked by hand on a grey of 100, whose luminance is 100 (0b1100100):
// bit 0 set to 1 takes 99 or 101, a tie, so the negative step, 99; bit 2
// set to 0 takes 99 (one step down) rather than 104 (four up); a bit
// already right leaves the pixel; pixel (xm, ym) of the watermark is host
// pixel (xm, ym).
TEST(MetodoLsb, SetsTheBitWithTheSmallestStepTheNegativeOneOnATie) {
    SuperficieMemoria gris(4, 4);
    gris.rellena(0, 0, 4, 4, 100 * 0x010101);
    struct Caso {
        int plano;
        Bits bits;
        int32_t esperados[4];  // pixels (1, 1), (2, 1), (1, 2), (2, 2)
    };
    const Caso casos[] = {{0, {1, 0, 1, 0}, {99, 100, 99, 100}},
                          {2, {0, 1, 1, 0}, {99, 100, 100, 99}}};
    for (const Caso& c : casos) {
        const auto m = metodo_lsb().inserta(gris, c.bits, 2, 2, c.plano, 0);
        ASSERT_TRUE(m);
        const int32_t leidos[] = {m->lee_pixel(1, 1), m->lee_pixel(2, 1), m->lee_pixel(1, 2),
                                  m->lee_pixel(2, 2)};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(leidos[i], c.esperados[i] * 0x010101) << c.plano << i;
        EXPECT_EQ(m->lee_pixel(0, 0), 100 * 0x010101);
    }
}

// Every front end offers a method from its description alone: a name to
// find it by, words for a menu and a sentence, and a strength whose first
// value lies in its range and is written with its decimals.
TEST(Metodos, EachDescribesItselfCompletely) {
    std::vector<std::string> nombres;
    int de_la_demostracion = 0;
    for (const Metodo* m : metodos()) {
        const DescripcionMetodo& d = m->descripcion();
        SCOPED_TRACE(d.nombre);
        EXPECT_EQ(metodo(d.nombre), m);
        for (const char* texto : {d.titulo, d.en_frase, d.fuerza.nombre})
            EXPECT_GT(std::string(texto).size(), 2u);
        const Fuerza& f = d.fuerza;
        EXPECT_LT(f.desde, f.hasta);
        EXPECT_GT(f.paso, 0);
        EXPECT_GE(f.decimales, 0);
        EXPECT_TRUE(!f.entera || f.decimales == 0);
        EXPECT_TRUE(d.de_la_demostracion || (f.inicial >= f.desde && f.inicial <= f.hasta));
        de_la_demostracion += d.de_la_demostracion;
        nombres.push_back(d.nombre);
    }
    EXPECT_EQ(de_la_demostracion, 1);  // the block pairs, whose strength is the Grado in force
    EXPECT_EQ(nombres, (std::vector<std::string>{"bloques", "lsb", "dct", "espectro"}));
    EXPECT_EQ(nombres_de_metodos(), "bloques, lsb, dct o espectro");
    EXPECT_EQ(metodo("rgb"), nullptr);
}

// A strength as a table writes it: a bit plane whole, alfa of the DCT in
// hundredths, the spread spectrum's (found by bisection) in thousandths.
TEST(Metodos, WriteAStrengthWithTheirDecimals) {
    EXPECT_EQ(texto_de_fuerza(metodo_lsb(), 3, ','), "3");
    EXPECT_EQ(texto_de_fuerza(metodo_dct(), 2.126, ','), "2,13");
    EXPECT_EQ(texto_de_fuerza(metodo_espectro(), 0.0494, '.'), "0.049");
    EXPECT_EQ(texto_de_fuerza(metodo_bloques(), 16, ','), "16,00");
}

// The spread spectrum carries no picture: nothing is read from it, and it
// fits where the host has the coefficients to mark, whatever the watermark.
TEST(MetodoEspectro, YieldsADecisionAndReadsNothing) {
    const Metodo& m = metodo_espectro();
    EXPECT_FALSE(m.lee_la_marca());
    const SuperficieMemoria host = anfitrion(48, 32);
    const auto marcada = m.inserta(host, marca(8, 6), 8, 6, 0.1, 3);
    ASSERT_TRUE(marcada);
    EXPECT_NE(*marcada, host);
    EXPECT_EQ(compara_bits(m.lee(*marcada, 8, 6, 0.1, 3), marca(8, 6)).total, 0);
    EXPECT_EQ(m.no_cabe(48, 32, 8, 6), "");
    // 30 x 30 - 1 coefficients are fewer than the 1000 it marks.
    EXPECT_EQ(no_cabe(m, 30, 30, 8, 6), no_cabe_espectro(30, 30, 1000));
    EXPECT_FALSE(no_cabe(m, 30, 30, 8, 6).empty());
    EXPECT_FALSE(m.inserta(anfitrion(30, 30), marca(8, 6), 8, 6, 0.1, 3));
}

TEST(Metodos, SayWhyAWatermarkDoesNotFit) {
    // 12 x 12 whole blocks of 8 on JPEG's grid, 15 coefficients each: 2160.
    EXPECT_EQ(no_cabe(metodo_dct(), 100, 100, 181, 227),
              "La marca de 181 × 227 píxeles no cabe con el método DCT en una imagen de 100 × "
              "100: caben 2160 píxeles.");
    EXPECT_FALSE(metodo_dct().inserta(anfitrion(100, 100), Bits(181 * 227, 1), 181, 227, 2, 3));
    EXPECT_EQ(no_cabe(metodo_lsb(), 20, 10, 21, 4),
              "La marca de 21 × 4 píxeles no cabe con el método LSB en una imagen de 20 × 10: "
              "caben 0 píxeles.");
    // One pair per pixel needs 480 blocks; 200 are all a 20 x 10 host has.
    EXPECT_EQ(no_cabe(metodo_bloques(), 20, 10, 30, 8),
              "La marca de 30 × 8 píxeles no cabe con el método de bloques en una imagen de 20 × "
              "10: caben 0 píxeles.");
    EXPECT_EQ(no_cabe(metodo_dct(), 96, 64, 8, 6), "");
}

// Worked out from JPEG's table: coefficient (0, 3) has Q50 16, so alfa 2
// gives a step of 32; quality 51 quantises it by floor((16 x 98 + 50)/100)
// = 16, not below 16; quality 52 by 15.
TEST(MetodoDct, PredictsTheBreakingQualityFromJpegsTable) {
    EXPECT_EQ(calidad_predicha_dct(320, 240, 32, 32, 2), 52);
    EXPECT_EQ(calidad_predicha_dct(320, 240, 32, 32, 0.1), std::nullopt);
    EXPECT_EQ(calidad_predicha_dct(100, 100, 181, 227, 2), std::nullopt);  // does not fit
}

// The reading of one pixel, from the definition: the orthonormal DCT-II of
// its block (on JPEG's grid, from pixel (0, 0)) of the luminance as the
// capture computes it, then where the coefficient falls.
TEST(MetodoDct, AgreesWithTheDefinition) {
    const Bits bits = marca(8, 6);
    const auto marcada = metodo_dct().inserta(anfitrion(96, 64), bits, 8, 6, 1.5, 3);
    ASSERT_TRUE(marcada);
    // 12 x 8 whole blocks; pixel 13 is in block 13 (row 1, column 1), first
    // coefficient (v, u) = (0, 3), step 1.5 x 16.
    const int x0 = 1 * 8, y0 = 1 * 8;
    double c = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const int32_t p = marcada->lee_pixel(x0 + x, y0 + y);
            const double Y =
                (0.587 * ((p >> 8) & 0xFF) + 0.299 * (p & 0xFF)) + 0.114 * ((p >> 16) & 0xFF);
            c += Y * std::sqrt(1.0 / 8) * 0.5 * std::cos((2 * x + 1) * 3 * std::numbers::pi / 16);
        }
    }
    const double q = 1.5 * 16, r = std::fmod(std::fmod(c - 3, q) + q, q);
    const int8_t esperado = r >= q / 4 && r < 3 * q / 4;
    EXPECT_EQ(metodo_dct().lee(*marcada, 8, 6, 1.5, 3)[13], esperado);
    EXPECT_EQ(esperado, bits[13]);
}

}  // namespace
}  // namespace zek
