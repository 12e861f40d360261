#include "capturas.h"

#include <gtest/gtest.h>

#include "superficie_memoria.h"

namespace zek {
namespace {

struct CasoYiq {
    int32_t color;
    double Y, I, Q;
};

class CapturaHost : public testing::TestWithParam<CasoYiq> {};

TEST_P(CapturaHost, StoresLuminanceAndChrominanceAsTheirTextGivesThem) {
    SuperficieMemoria host(2, 2);
    host.pon_pixel(1, 1, GetParam().color);
    Vbles v;
    Captura_Imagen(host, v);
    EXPECT_EQ(v.MatrizY.lee(1, 1), GetParam().Y);
    EXPECT_EQ(v.MatrizI.lee(1, 1), GetParam().I);
    EXPECT_EQ(v.MatrizQ.lee(1, 1), GetParam().Q);
}

INSTANTIATE_TEST_SUITE_P(Colores, CapturaHost,
                         testing::Values(CasoYiq{0, 0, 0, 0}, CasoYiq{255, 76.245, 151.98, 54.06},
                                         CasoYiq{0x00FF00, 149.685, -70.125, -133.365},
                                         CasoYiq{0xFF0000, 29.07, -81.855, 79.305}));

TEST(CapturaHost, WhiteIsY255WithTinyNegativeChrominance) {
    SuperficieMemoria host(2, 2);
    host.pon_pixel(1, 1, 0xFFFFFF);
    Vbles v;
    Captura_Imagen(host, v);
    EXPECT_EQ(v.MatrizY.lee(1, 1), 255);
    for (double c : {v.MatrizI.lee(1, 1), v.MatrizQ.lee(1, 1)}) {
        EXPECT_LT(c, 0);
        EXPECT_GT(c, -1e-13);
    }
}

TEST(CapturaHost, TablesAreOneBasedAndTheLastColumnAndRowHoldZero) {
    SuperficieMemoria host(4, 3);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 3; ++y) host.pon_pixel(x, y, 0xFFFFFF);
    }
    Vbles v;
    Captura_Imagen(host, v);
    for (const Tabla* t : {&v.MatrizY, &v.MatrizI, &v.MatrizQ}) {
        EXPECT_TRUE(t->cubre(1, 4, 1, 3));
        EXPECT_FALSE(t->contiene(0, 1));
        EXPECT_FALSE(t->contiene(5, 1));
    }
    EXPECT_EQ(v.MatrizY.lee(3, 2), 255);
    for (int y = 1; y <= 3; ++y) EXPECT_EQ(v.MatrizY.lee(4, y), 0);
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(v.MatrizY.lee(x, 3), 0);
}

// The blind extraction captures the luminance alone; it must be the very
// table the host capture makes, odd heights (a padded last pair) included.
TEST(CapturaLuminancia, IsTheHostCapturesLuminanceBitForBit) {
    for (auto [W, H] : {std::pair{7, 5}, std::pair{16, 9}, std::pair{1, 1}, std::pair{3, 0}}) {
        SuperficieMemoria host(W, H);
        for (int x = 0; x < W; ++x) {
            for (int y = 0; y < H; ++y)
                host.pon_pixel(x, y,
                               static_cast<int32_t>((x * 977u + y * 7919u) * 2654435u & 0xFFFFFFu));
        }
        Vbles v;
        Captura_Imagen(host, v);
        Tabla Y;
        Y.dimensiona(1, 2, 1, 2);  // a table in use before: resized and overwritten
        Captura_Luminancia(host, Y);
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
