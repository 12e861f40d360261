// SPDX-License-Identifier: MIT
#include "images/ataques.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "images/calidad.h"

namespace zek {
namespace {

SuperficieMemoria plano(int color) {
    SuperficieMemoria s(9, 7);
    s.rellena(0, 0, 9, 7, color);
    return s;
}

SuperficieMemoria textura() {
    SuperficieMemoria s(9, 7);
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 7; ++y) s.pon_pixel(x, y, (x * 40) % 256 + 256 * ((y * 70) % 256));
    }
    return s;
}

SuperficieMemoria aplica(const char* texto, const SuperficieImagen& s) {
    const auto ataque = lee_ataque(texto);
    EXPECT_TRUE(ataque) << texto;
    const auto r = aplica_ataque(*ataque, s, nullptr);
    EXPECT_TRUE(r) << texto;
    return *r;
}

struct Texto {
    const char* texto;
    bool valido;
};
class LecturaDeAtaques : public testing::TestWithParam<Texto> {};

TEST_P(LecturaDeAtaques, AcceptsOnlyKnownNamesWithValuesInRange) {
    EXPECT_EQ(lee_ataque(GetParam().texto).has_value(), GetParam().valido) << GetParam().texto;
}

INSTANTIATE_TEST_SUITE_P(
    Textos, LecturaDeAtaques,
    testing::Values(Texto{"jpeg:75", true}, Texto{"jpeg:0", true}, Texto{"jpeg:100", true},
                    Texto{"jpeg:101", false}, Texto{"jpeg:7.5", false}, Texto{"ruido:5", true},
                    Texto{"ruido:2.5", true}, Texto{"ruido:-1", false}, Texto{"media:3", true},
                    Texto{"media:0", false}, Texto{"media:16", false}, Texto{"mediana:15", true},
                    Texto{"brillo:-255", true}, Texto{"brillo:256", false}, Texto{"brillo:", false},
                    Texto{"brillo", false}, Texto{"gamma:2", false}, Texto{"ruido:nan", false},
                    Texto{"ruido:inf", false}, Texto{"jpeg:75x", false}, Texto{"", false},
                    Texto{"recorte:0", true}, Texto{"recorte:483", true},
                    Texto{"contraste:10", true}, Texto{"contraste:300", true},
                    Texto{"contraste:9", false}, Texto{"contraste:301", false},
                    Texto{"recorte:484", false}, Texto{"recorte:2.5", false},
                    Texto{"escala:50", true}, Texto{"escala:12.5", true}, Texto{"escala:0", false},
                    Texto{"escala:101", false}));

TEST(Ataques, FiltersOfAFlatPictureChangeNothing) {
    for (const char* a : {"media:3", "media:4", "mediana:5", "ruido:0", "brillo:0"}) {
        EXPECT_EQ(aplica(a, plano(0x336699)), plano(0x336699)) << a;
    }
}

TEST(Ataques, NoiseWithItsSeedRepeatsAndChangesThePicture) {
    const SuperficieMemoria a = aplica("ruido:5", textura());
    EXPECT_EQ(aplica("ruido:5", textura()), a);
    EXPECT_NE(a, textura());
    const auto psnr = psnr_entre(a, textura(), {0, 8, 0, 6});
    ASSERT_TRUE(psnr);
    EXPECT_NEAR(*psnr, 34.2, 3.0);  // 20 log10(255 / 5) before clamping
}

// Worked by hand: 200 at 150 % is 128 + 72 x 1.5 = 236; 129 at 50 % is
// 128.5, rounded away from zero; 0 at 300 % is -256, clamped.
TEST(Ataques, ContrastMovesEachChannelFromMidGreyAndClamps) {
    SuperficieMemoria s(1, 1);
    s.pon_pixel(0, 0, 200 + 256 * 129 + 65536 * 0);
    EXPECT_EQ(aplica("contraste:150", s).lee_pixel(0, 0), 236 + 256 * 130 + 65536 * 0);
    EXPECT_EQ(aplica("contraste:50", s).lee_pixel(0, 0), 164 + 256 * 129 + 65536 * 64);
    EXPECT_EQ(aplica("contraste:300", s).lee_pixel(0, 0), 255 + 256 * 131 + 65536 * 0);
}

TEST(Ataques, BrightnessClampsEachChannel) {
    SuperficieMemoria s(2, 1);
    s.pon_pixel(0, 0, 250 + 256 * 10 + 65536 * 128);
    s.pon_pixel(1, 0, 0);
    const SuperficieMemoria mas = aplica("brillo:20", s);
    EXPECT_EQ(mas.lee_pixel(0, 0), 255 + 256 * 30 + 65536 * 148);
    EXPECT_EQ(mas.lee_pixel(1, 0), 20 * 0x010101);
    EXPECT_EQ(aplica("brillo:-20", s).lee_pixel(0, 0), 230 + 256 * 0 + 65536 * 108);
}

// Every channel of every window of side N, with the border replicated, as
// the attack defines it; the 3 x 3 network and the sliding histogram alike.
TEST(Ataques, FiltersAgreeWithTheirDefinitionAtEverySize) {
    SuperficieMemoria s(11, 8);
    for (int x = 0; x < 11; ++x) {
        for (int y = 0; y < 8; ++y)
            s.pon_pixel(x, y, (x * 41 + y * 97) % 256 * 0x010203 & 0xFFFFFF);
    }
    for (int N : {2, 3, 4, 5, 15}) {
        const SuperficieMemoria m = aplica(("mediana:" + std::to_string(N)).c_str(), s);
        const SuperficieMemoria a = aplica(("media:" + std::to_string(N)).c_str(), s);
        for (int x = 0; x < 11; ++x) {
            for (int y = 0; y < 8; ++y) {
                for (int k = 0; k < 3; ++k) {
                    std::vector<int> v;
                    for (int dx = -(N / 2); dx <= (N - 1) / 2; ++dx) {
                        for (int dy = -(N / 2); dy <= (N - 1) / 2; ++dy) {
                            const int32_t c =
                                s.lee_pixel(std::clamp(x + dx, 0, 10), std::clamp(y + dy, 0, 7));
                            v.push_back(c >> (8 * k) & 0xFF);
                        }
                    }
                    const int suma = std::accumulate(v.begin(), v.end(), 0);
                    std::sort(v.begin(), v.end());
                    const int n = N * N;
                    ASSERT_EQ(m.lee_pixel(x, y) >> (8 * k) & 0xFF, v[v.size() / 2]) << N;
                    ASSERT_EQ(a.lee_pixel(x, y) >> (8 * k) & 0xFF, (2 * suma + n) / (2 * n)) << N;
                }
            }
        }
    }
}

TEST(Ataques, ACropRemovesTheFirstColumnsAndRows) {
    const SuperficieMemoria s = textura();
    const SuperficieMemoria r = aplica("recorte:2", s);
    EXPECT_EQ(r.ancho(), 7);
    EXPECT_EQ(r.alto(), 5);
    EXPECT_EQ(r.lee_pixel(0, 0), s.lee_pixel(2, 2));
    EXPECT_EQ(r.lee_pixel(6, 4), s.lee_pixel(8, 6));
    EXPECT_EQ(aplica("recorte:0", s), s);
    for (const char* todo : {"recorte:7", "recorte:483"}) {
        const SuperficieMemoria vacia = aplica(todo, s);
        EXPECT_EQ(vacia.ancho() * vacia.alto(), 0) << todo;
    }
}

TEST(Ataques, AScaleOfAHundredKeepsThePictureAndASmallerOneBlursIt) {
    EXPECT_EQ(aplica("escala:100", textura()), textura());
    const SuperficieMemoria mitad = aplica("escala:50", textura());
    EXPECT_EQ(mitad.ancho(), 9);
    EXPECT_EQ(mitad.alto(), 7);
    EXPECT_NE(mitad, textura());
    EXPECT_EQ(aplica("escala:1", plano(0x336699)), plano(0x336699));
}

TEST(Ataques, JpegNeedsACodec) {
    EXPECT_FALSE(aplica_ataque(*lee_ataque("jpeg:75"), textura(), nullptr));
}

}  // namespace
}  // namespace zek
