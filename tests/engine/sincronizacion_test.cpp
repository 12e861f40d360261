// SPDX-License-Identifier: MIT
// Finding the grid after a crop: the two maps worked out by hand on pixel
// pairs, crops at known offsets found exactly and read as the whole picture
// reads them, the refusals, and the block sums against the slow ones.
#include "engine/sincronizacion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/lectura_ciega.h"
#include "engine/pares.h"
#include "images/capturas.h"

namespace zek {
namespace {

// A cut of 5 x 2 whose luminance table holds one row of four pixels as the
// capture leaves it: the table's last column and row lie outside the
// picture and read black.
Tabla fila(std::initializer_list<double> valores) {
    Tabla Y;
    Y.dimensiona(1, 5, 1, 2);
    for (int x = 1; x <= 5; ++x) Y.escribe(x, 2, 0);
    int x = 1;
    for (double v : valores) Y.escribe(x++, 1, v);
    Y.escribe(5, 1, 0);
    return Y;
}

// A layout of 7 x 3 pixels with blocks of side 1 carries 3 x 2 watermark
// pixels, pairs k = 0, 1, 2 on row 0 and 3, 4, 5 on row 1. The cut keeps
// one row of 4: offsets x0 = 0..2, y0 = 0..1 (at x0 = 2 and y0 = 1 the cut
// reaches the layout's edge, where the black column and row were black in
// the embedding too, but no pair reaches them). With Grado 4 and Clave 1 a pair
// reads (Y_A - Y_B) mod 4: 3 light, 1 dark, 0 and 2 dark (0 is a tie), and
// its cosine cos(pi (r - 1)) is 1 at 1 and 3, -1 at 0 and 2. The row
// 13 10 10 10 has pairs at positions 0, 1, 2 reading 3 (light, +1), 0
// (dark, -1), 0 (dark, -1). Offset x0 = 0 sees positions 0 and 2 (pairs
// j = 0, 1), x0 = 1 position 1 (j = 1), x0 = 2 positions 0 and 2 (j = 1, 2).
struct CasoMapas {
    const char* nombre;
    Bits marca;
    double acuerdo[2][3];  // [y0][x0]
    int x, y;
};

class MapasAMano : public testing::TestWithParam<CasoMapas> {};

TEST_P(MapasAMano, GiveTheSharesWorkedOutAndTakeTheBest) {
    const CasoMapas& c = GetParam();
    std::string motivo;
    const auto s =
        sincroniza_pares(fila({13, 10, 10, 10}), 5, 2, 7, 3, {4, 1, 1, 3, 2}, c.marca, &motivo);
    ASSERT_TRUE(s) << motivo;
    ASSERT_EQ(s->ciega.ancho, 3);
    ASSERT_EQ(s->ciega.alto, 2);
    for (int y0 = 0; y0 < 2; ++y0) {
        EXPECT_DOUBLE_EQ(s->ciega.en(0, y0), 0);
        EXPECT_DOUBLE_EQ(s->ciega.en(1, y0), -1);
        EXPECT_DOUBLE_EQ(s->ciega.en(2, y0), 0);
        for (int x0 = 0; x0 < 3; ++x0)
            EXPECT_DOUBLE_EQ(s->acuerdo.en(x0, y0), c.acuerdo[y0][x0]) << x0 << ", " << y0;
    }
    EXPECT_EQ(s->x, c.x);
    EXPECT_EQ(s->y, c.y);
    EXPECT_DOUBLE_EQ(s->acuerdo_sin_buscar, c.acuerdo[0][0]);
    EXPECT_DOUBLE_EQ(s->ciega_sin_buscar, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sincronizacion, MapasAMano,
    testing::Values(
        // (0, 0) and (1, 0) both agree wholly, over two pairs and one:
        // two right are less likely by chance.
        CasoMapas{"MasParesPesanMas", {1, 0, 0, 0, 1, 1}, {{1, 1, 0.5}, {0, 0, 0.5}}, 0, 0},
        // (2, 0) and (0, 1) agree over two pairs each with the same S, (1, 1)
        // over one: the smaller y first.
        CasoMapas{"EmpateEntreFilas", {0, 1, 0, 1, 0, 0}, {{0, 0, 1}, {1, 1, 0.5}}, 2, 0},
        // Only row 1 agrees.
        CasoMapas{"OtraFila", {0, 1, 1, 1, 0, 0}, {{0, 0, 0.5}, {1, 1, 0.5}}, 0, 1}),
    [](const auto& i) { return std::string(i.param.nombre); });

TEST(Sincronizacion, ReadsWithTheOffsetTakenAndCountsOnlyThePairsInside) {
    std::string motivo;
    // Offset (2, 0) keeps pairs 1 and 2: read light (position 0) and dark.
    const auto s = sincroniza_pares(fila({13, 10, 10, 10}), 5, 2, 7, 3, {4, 1, 1, 3, 2},
                                    {0, 1, 0, 1, 0, 0}, &motivo);
    ASSERT_TRUE(s);
    const std::vector<Lectura> esperada = {Lectura::SinPar, Lectura::Claro,  Lectura::Oscuro,
                                           Lectura::SinPar, Lectura::SinPar, Lectura::SinPar};
    EXPECT_EQ(s->leida.pixeles, esperada);
    EXPECT_EQ(s->aciertos.total, 2);
    EXPECT_EQ(s->aciertos.correctos, 2);
    EXPECT_EQ(s->portadores, 6);
    // Residues 3 (light) and 0 (dark).
    EXPECT_EQ(s->histograma.claros, (std::vector<int64_t>{0, 0, 0, 1}));
    EXPECT_EQ(s->histograma.oscuros, (std::vector<int64_t>{1, 0, 0, 0}));
}

TEST(Sincronizacion, RefusesWhatCannotBeSearched) {
    const Bits marca = {1, 0, 0, 0, 1, 1};
    const struct {
        int Wc, Hc, W, H;
        ParametrosLectura p;
        const char* texto;
    } casos[] = {
        {8, 2, 7, 3, {4, 1, 1, 3, 2}, "La imagen mide 8 × 2, más que la de 7 × 3"},
        {1, 1, 7, 3, {4, 1, 1, 3, 2}, "Ningún par de bloques de lado 1 cabe entero"},
        {5, 2, 7, 3, {0, 1, 1, 3, 2}, "No hay disposición de bloques"},
        {5, 2, 7, 3, {4, 1, 0, 3, 2}, "No hay disposición de bloques"},
    };
    for (const auto& c : casos) {
        Tabla Y;
        Y.dimensiona(1, c.Wc, 1, c.Hc);
        std::string motivo;
        EXPECT_FALSE(sincroniza_pares(Y, c.Wc, c.Hc, c.W, c.H, c.p, marca, &motivo));
        EXPECT_NE(motivo.find(c.texto), std::string::npos) << motivo;
    }
    // A watermark whose pixels are all left out leaves nothing to agree with.
    std::string motivo;
    EXPECT_FALSE(sincroniza_pares(fila({13, 10, 10, 10}), 5, 2, 7, 3, {4, 1, 1, 3, 2}, Bits(6, -1),
                                  &motivo));
    EXPECT_NE(motivo.find("Ningún par"), std::string::npos);
}

TEST(SumasDeBloques, EqualTheSumsMadeWholeAfterEveryAddition) {
    // Luminances with 15 significant digits, some exactly on a half (where
    // the order of the roundings decides) and some just off one.
    std::mt19937 azar(7);
    const int W = 23, H = 17;
    Tabla Y;
    Y.dimensiona(1, W, 1, H);
    for (int x = 1; x <= W; ++x) {
        for (int y = 1; y <= H; ++y) {
            const int r = static_cast<int>(azar() % 256), g = static_cast<int>(azar() % 256),
                      b = static_cast<int>(azar() % 256);
            const double v = azar() % 5 == 0   ? static_cast<int>(azar() % 255) + 0.5
                             : azar() % 7 == 0 ? 100.4999999 + static_cast<int>(azar() % 100)
                                               : 0.299 * r + 0.587 * g + 0.114 * b;
            Y.escribe(x, y, v);
        }
    }
    const SumasDeBloques sumas(Y, W, H);
    for (int L = 1; L <= 9; ++L) {
        for (int x = 1; x + L - 1 <= W; ++x) {
            for (int y = 1; y + L - 1 <= H; ++y)
                ASSERT_EQ(sumas.suma(x, y, L), suma_bloque(Y, {x, y, L})) << x << ", " << y;
        }
    }
}

// A textured host with no channel near 0 or 255.
SuperficieMemoria anfitrion(int W, int H) {
    SuperficieMemoria s(W, H);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) {
            const int r = 60 + (x * 7 + y * 3) % 120, g = 70 + (x * 5 + y * 11) % 100;
            s.pon_pixel(x, y, r + 256 * g + 65536 * (50 + (x * y) % 90));
        }
    }
    return s;
}

// Bits with no period: a watermark that repeats itself row after row would
// read as well one row of blocks off.
Bits marca(int Wm, int Hm) {
    std::mt19937 azar(11);
    Bits b(static_cast<size_t>(Wm) * Hm);
    for (int8_t& bit : b) bit = static_cast<int8_t>(azar() % 2);
    b.back() = -1;
    return b;
}

SuperficieMemoria corta(const SuperficieImagen& s, int x0, int y0, int W, int H) {
    SuperficieMemoria c(W, H);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) c.pon_pixel(x, y, s.lee_pixel(x + x0, y + y0));
    }
    return c;
}

struct Recorte {
    int x, y, W, H;
};

class RecortesDeBloques : public testing::TestWithParam<Recorte> {};

// The embedding's own picture, cut: the offset is found exactly and every
// pair still inside reads as it reads in the whole picture.
TEST_P(RecortesDeBloques, AreFoundExactlyAndReadAsTheWholePicture) {
    const int W = 150, H = 90, Wm = 12, Hm = 9;
    const Bits bits = marca(Wm, Hm);
    const auto marcada = metodo_bloques().inserta(anfitrion(W, H), bits, Wm, Hm, 16, 3);
    ASSERT_TRUE(marcada);
    const int32_t L = lado_de_lectura(0, W, H, Wm, Hm);
    const ParametrosLectura p{16, 3, L, Wm, Hm};
    const auto entera = extraccion_ciega(*marcada, p);
    ASSERT_TRUE(entera);
    const Recorte r = GetParam();
    std::string motivo;
    const auto s = sincroniza_pares(corta(*marcada, r.x, r.y, r.W, r.H), W, H, p, bits, &motivo);
    ASSERT_TRUE(s) << motivo;
    EXPECT_EQ(s->x, r.x);
    EXPECT_EQ(s->y, r.y);
    EXPECT_DOUBLE_EQ(s->acuerdo_en, 1);
    EXPECT_GT(s->ciega_en, 0.9);
    int64_t dentro = 0;
    for (size_t k = 0; k < s->leida.pixeles.size(); ++k) {
        if (s->leida.pixeles[k] == Lectura::SinPar) continue;
        ++dentro;
        EXPECT_EQ(s->leida.pixeles[k], entera->pixeles[k]) << k;
    }
    EXPECT_GT(dentro, 0);
    EXPECT_LE(s->aciertos.total, s->portadores);
    // A pair across from the grid at (x + 2L, y) sees the same levels: S
    // cannot tell them apart, the watermark can.
    if (r.x + 2 * L < s->ciega.ancho) {
        EXPECT_NEAR(s->ciega.en(r.x + 2 * L, r.y), s->ciega_en, 0.15);
        EXPECT_LT(s->acuerdo.en(r.x + 2 * L, r.y), 0.8);
    }
}

INSTANTIATE_TEST_SUITE_P(Sincronizacion, RecortesDeBloques,
                         // (10, 5): the last pair of a row would reach the cut's last
                         // column, which the capture reads as black; (20, 10) and the
                         // whole picture reach the layout's own edge, where the
                         // embedding saw that black too.
                         testing::Values(Recorte{7, 5, 120, 70}, Recorte{0, 0, 149, 89},
                                         Recorte{31, 12, 100, 60}, Recorte{2, 19, 140, 40},
                                         Recorte{10, 5, 120, 70}, Recorte{20, 10, 130, 80},
                                         Recorte{0, 0, 150, 90}));

TEST(SincronizacionDct, FindsACutOffTheGridAndReadsAsTheWholePicture) {
    const int W = 96, H = 80, Wm = 10, Hm = 8;
    const Bits bits = marca(Wm, Hm);
    const auto marcada = metodo_dct().inserta(anfitrion(W, H), bits, Wm, Hm, 2, 3);
    ASSERT_TRUE(marcada);
    const Bits entera = metodo_dct().lee(*marcada, Wm, Hm, 2, 3);
    std::string motivo;
    const auto s = sincroniza_dct(corta(*marcada, 5, 3, 80, 70), W, H, bits, Wm, Hm, 2, 3, &motivo);
    ASSERT_TRUE(s) << motivo;
    EXPECT_EQ(s->x, 5);
    EXPECT_EQ(s->y, 3);
    EXPECT_DOUBLE_EQ(s->acuerdo_en, 1);
    EXPECT_LT(s->acuerdo_sin_buscar, 0.8);
    const Bits leidos = bits_de_lectura(s->leida);
    int dentro = 0;
    for (size_t i = 0; i < leidos.size(); ++i) {
        if (leidos[i] < 0) continue;
        ++dentro;
        EXPECT_EQ(leidos[i], entera[i]) << i;
    }
    EXPECT_GT(dentro, 0);
    // The refusals: larger, and no block inside.
    EXPECT_FALSE(sincroniza_dct(anfitrion(97, 80), W, H, bits, Wm, Hm, 2, 3, &motivo));
    EXPECT_NE(motivo.find("más que la de 96 × 80"), std::string::npos);
    EXPECT_FALSE(sincroniza_dct(anfitrion(7, 70), W, H, bits, Wm, Hm, 2, 3, &motivo));
    EXPECT_NE(motivo.find("Ningún bloque de 8 × 8"), std::string::npos);
}

TEST(Registro, FindsWhereACutSitsInTheOriginal) {
    const SuperficieMemoria original = anfitrion(120, 90);
    // The cut, with a small change of its own, as a mark would make.
    SuperficieMemoria cortada = corta(original, 9, 4, 100, 80);
    for (int x = 0; x < 100; x += 3) cortada.pon_pixel(x, x % 80, cortada.lee_pixel(x, x % 80) + 2);
    std::string motivo;
    const auto d = registra(cortada, original, &motivo);
    ASSERT_TRUE(d) << motivo;
    EXPECT_EQ(d->x, 9);
    EXPECT_EQ(d->y, 4);
    const SuperficieMemoria marco = en_el_marco(cortada, original, *d);
    EXPECT_EQ(marco.lee_pixel(9, 4), cortada.lee_pixel(0, 0));
    EXPECT_EQ(marco.lee_pixel(0, 0), original.lee_pixel(0, 0));
    EXPECT_EQ(marco.lee_pixel(119, 89), original.lee_pixel(119, 89));
    EXPECT_FALSE(registra(original, cortada, &motivo));
    EXPECT_NE(motivo.find("no puede ser un recorte"), std::string::npos);
}

TEST(ImagenDeMapa, IsGreyFromLeastToGreatestWithTheOffsetInRed) {
    const double nada = std::nan("");
    const Mapa m{2, 2, {0, 0.5, 1, nada}};
    const SuperficieMemoria s = imagen_de_mapa(m, 1, 0);
    EXPECT_EQ(s.lee_pixel(0, 0), 0);
    EXPECT_EQ(s.lee_pixel(1, 0), 0x0000FF);
    EXPECT_EQ(s.lee_pixel(0, 1), 0xFFFFFF);
    EXPECT_EQ(s.lee_pixel(1, 1), 0);
    EXPECT_EQ(imagen_de_mapa({2, 1, {0, 0.5}}, 0, 0).lee_pixel(1, 0), 0xFFFFFF);
}

}  // namespace
}  // namespace zek
