// SPDX-License-Identifier: MIT
#include "images/capturas.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "base/superficie_memoria.h"

namespace zek {
namespace {

// Bit-for-bit, so that -0 and 0 or two neighbouring doubles never pass.
void espera_bits_iguales(double tabla, double texto, int32_t color) {
    ASSERT_EQ(std::bit_cast<uint64_t>(tabla), std::bit_cast<uint64_t>(texto)) << "color " << color;
}

TEST(CapturaAnfitrion, TablesHoldWhatTheTextOfEveryComponentGivesBitForBit) {
    // Every 31st colour of the whole cube, plus all greys (whose I and Q are
    // tiny cancellation residues with exponents), captured as a picture.
    std::vector<int32_t> colores;
    for (int32_t c = 0; c <= 0xFFFFFF; c += 31) colores.push_back(c);
    for (int32_t g = 0; g < 256; ++g) colores.push_back(g * 0x010101);
    const int W = 1024;
    const int H = static_cast<int>(colores.size()) / (W - 1) + 2;
    SuperficieMemoria anfitrion(W, H);
    for (size_t i = 0; i < colores.size(); ++i) {
        anfitrion.pon_pixel(1 + static_cast<int>(i) % (W - 1), 1 + static_cast<int>(i) / (W - 1),
                            colores[i]);
    }
    Vbles v;
    Captura_Imagen(anfitrion, v);
    for (size_t i = 0; i < colores.size(); ++i) {
        const int x = 1 + static_cast<int>(i) % (W - 1), y = 1 + static_cast<int>(i) / (W - 1);
        const int32_t c = colores[i];
        const Yiq yiq = yiq_de_color(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        espera_bits_iguales(v.MatrizY.lee(x, y), valor_por_texto_lento(yiq.Y), c);
        espera_bits_iguales(v.MatrizI.lee(x, y), valor_por_texto_lento(yiq.I), c);
        espera_bits_iguales(v.MatrizQ.lee(x, y), valor_por_texto_lento(yiq.Q), c);
    }

    // Columns one colour tall go through the two-lane kernel (and its
    // padded last lane) rather than the four-lane one: the same bits.
    const int W2 = static_cast<int>(colores.size()) + 2;
    SuperficieMemoria fila(W2, 2);
    for (size_t i = 0; i < colores.size(); ++i)
        fila.pon_pixel(1 + static_cast<int>(i), 1, colores[i]);
    Vbles v2;
    Captura_Imagen(fila, v2);
    for (size_t i = 0; i < colores.size(); ++i) {
        const int x = 1 + static_cast<int>(i) % (W - 1), y = 1 + static_cast<int>(i) / (W - 1);
        const int x2 = 1 + static_cast<int>(i);
        espera_bits_iguales(v2.MatrizY.lee(x2, 1), v.MatrizY.lee(x, y), colores[i]);
        espera_bits_iguales(v2.MatrizI.lee(x2, 1), v.MatrizI.lee(x, y), colores[i]);
        espera_bits_iguales(v2.MatrizQ.lee(x2, 1), v.MatrizQ.lee(x, y), colores[i]);
    }
}

struct CasoYiq {
    int32_t color;
    double Y, I, Q;
};

class CapturaAnfitrion : public testing::TestWithParam<CasoYiq> {};

TEST_P(CapturaAnfitrion, StoresLuminanceAndChrominanceAsTheirTextGivesThem) {
    SuperficieMemoria anfitrion(2, 2);
    anfitrion.pon_pixel(1, 1, GetParam().color);
    Vbles v;
    Captura_Imagen(anfitrion, v);
    EXPECT_EQ(v.MatrizY.lee(1, 1), GetParam().Y);
    EXPECT_EQ(v.MatrizI.lee(1, 1), GetParam().I);
    EXPECT_EQ(v.MatrizQ.lee(1, 1), GetParam().Q);
}

INSTANTIATE_TEST_SUITE_P(Colores, CapturaAnfitrion,
                         testing::Values(CasoYiq{0, 0, 0, 0}, CasoYiq{255, 76.245, 151.98, 54.06},
                                         CasoYiq{0x00FF00, 149.685, -70.125, -133.365},
                                         CasoYiq{0xFF0000, 29.07, -81.855, 79.305}));

TEST(CapturaAnfitrion, TablesAreOneBasedAndTheLastColumnAndRowHoldZero) {
    SuperficieMemoria anfitrion(4, 3);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 3; ++y) anfitrion.pon_pixel(x, y, 0xFFFFFF);
    }
    Vbles v;
    Captura_Imagen(anfitrion, v);
    for (const Tabla* t : {&v.MatrizY, &v.MatrizI, &v.MatrizQ})
        EXPECT_TRUE(t->cubre(1, 4, 1, 3) && !t->contiene(0, 1) && !t->contiene(5, 1));
    EXPECT_EQ(v.MatrizY.lee(3, 2), 255);
    for (int y = 1; y <= 3; ++y) EXPECT_EQ(v.MatrizY.lee(4, y), 0);
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(v.MatrizY.lee(x, 3), 0);
}

// The blind extraction captures the luminance alone; it must be the very
// table the host capture makes, odd heights (a padded last pair) included.
TEST(CapturaLuminancia, IsTheHostCapturesLuminanceBitForBit) {
    for (auto [W, H] : {std::pair{7, 5}, std::pair{16, 9}, std::pair{1, 1}, std::pair{3, 0}}) {
        SuperficieMemoria anfitrion(W, H);
        for (int x = 0; x < W; ++x) {
            for (int y = 0; y < H; ++y)
                anfitrion.pon_pixel(
                    x, y, static_cast<int32_t>((x * 977u + y * 7919u) * 2654435u & 0xFFFFFFu));
        }
        Vbles v;
        Captura_Imagen(anfitrion, v);
        Tabla Y;
        Y.dimensiona(1, 2, 1, 2);  // a table in use before: resized and overwritten
        captura_luminancia(anfitrion, Y);
        EXPECT_EQ(Y, v.MatrizY) << W << "x" << H;
    }
}

TEST(CapturaMarca, StoresColoursExactlyAndMinusOneOutsideThePicture) {
    SuperficieMemoria marca(3, 2);
    marca.pon_pixel(1, 1, 0x808080);  // a grey stays a grey: no threshold here
    marca.pon_pixel(2, 1, 0xFFFFFF);
    Vbles v;
    Captura_Marca(marca, v);
    EXPECT_EQ(v.MatrizMarca.lee(1, 1), 0x808080);
    EXPECT_EQ(v.MatrizMarca.lee(2, 1), 16777215);
    EXPECT_EQ(v.MatrizMarca.lee(3, 1), -1);
    EXPECT_EQ(v.MatrizMarca.lee(1, 2), -1);
    EXPECT_FALSE(v.MatrizMarca.contiene(4, 1));
}

}  // namespace
}  // namespace zek
