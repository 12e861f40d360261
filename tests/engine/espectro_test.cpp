// SPDX-License-Identifier: MIT
// Spread spectrum: the whole picture's DCT, the key's sequence and the
// detector, worked by hand, and a round trip on a textured host.
#include "engine/espectro.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zek {
namespace {

// A 2 x 2 picture: C(0, 0) = (a + b + c + d) / 2, C(0, 1) = (a - b + c - d) / 2,
// C(1, 0) = (a + b - c - d) / 2, C(1, 1) = (a - b - c + d) / 2. A flat
// picture has its mean alone: C(0, 0) = 7 sqrt(15) for 3 x 5 pixels of 7.
TEST(Espectro, TheDctOfSmallPicturesIsWorkedByHand) {
    const std::vector<double> C = dct_2d({1, 2, 3, 4}, 2, 2);
    const double esperados[] = {5, -1, -2, 0};
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(C[i], esperados[i], 1e-12) << i;
    const std::vector<double> Y = idct_2d(C, 2, 2);
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(Y[i], static_cast<double>(i + 1), 1e-12);

    const std::vector<double> plana = dct_2d(std::vector<double>(15, 7), 3, 5);
    EXPECT_NEAR(plana[0], 7 * std::sqrt(15.0), 1e-12);
    for (size_t i = 1; i < plana.size(); ++i) EXPECT_NEAR(plana[i], 0, 1e-12) << i;
}

// std::mt19937 seeded with 5489 gives 3499211612, 581869302, 3890346734,
// 3586334585 (the generator's published first outputs); through
// Box-Muller with (k + 0.5) / 2^32 they give these four values. A key of
// 5488.5 rounds half away from zero to the same seed, 5489 + 2^32 too.
TEST(Espectro, TheKeysSequenceComesFromTheGeneratorsPublishedOutputs) {
    const double esperados[] = {0.42190827281960575, 0.4814622645327129, 0.22646761490333558,
                                -0.3828886579172837};
    for (const double clave : {5489.0, 5488.5, 5489.0 + 4294967296.0}) {
        const std::vector<double> x = secuencia_de_clave(clave, 4);
        ASSERT_EQ(x.size(), 4u);
        for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(x[i], esperados[i], 1e-15) << clave;
    }
    EXPECT_EQ(secuencia_de_clave(5489, 3).size(), 3u);
    EXPECT_NE(secuencia_de_clave(-5489, 1)[0], esperados[0]);
}

TEST(Espectro, TheDetectorsSimilarityAndFalseAlarmsAreWorkedByHand) {
    // x* = (1, 2, 2), x = (1, 0, 1): (1 + 0 + 2) / sqrt(1 + 4 + 4) = 1.
    EXPECT_DOUBLE_EQ(similitud({1, 2, 2}, {1, 0, 1}), 1);
    EXPECT_EQ(similitud({0, 0, 0}, {1, 0, 1}), 0);
    EXPECT_NEAR(probabilidad_de_falsa_alarma(6), 9.8658765e-10, 1e-16);
    EXPECT_DOUBLE_EQ(probabilidad_de_falsa_alarma(0), 0.5);
}

TEST(Espectro, APictureTooSmallOrOfAnotherSizeIsRefused) {
    EXPECT_EQ(no_cabe_espectro(20, 30, 1000),
              "La marca de 1000 coeficientes no cabe con el método de espectro ensanchado en una "
              "imagen de 20 × 30: caben 599 coeficientes.");
    EXPECT_EQ(no_cabe_espectro(20, 30, 599), "");
    std::string motivo;
    EXPECT_FALSE(inserta_espectro(SuperficieMemoria(20, 30), 3, 0.1, 1000, &motivo));
    EXPECT_FALSE(motivo.empty());
    const DetectorEspectro d(SuperficieMemoria(20, 30), 100);
    EXPECT_FALSE(d.extrae(SuperficieMemoria(30, 20), 0.1));
}

// A photograph-like host of 160 x 120: the true key stands far above the
// threshold, every one of 1000 wrong keys below it, and their values look
// like a standard normal variable.
TEST(Espectro, TheTrueKeyStandsAboveAThousandWrongOnes) {
    SuperficieMemoria host(160, 120);
    for (int x = 0; x < 160; ++x) {
        for (int y = 0; y < 120; ++y) {
            const int r = static_cast<int>(128 + 100 * std::sin(x * 0.05) + (x * y) % 23);
            const int g = static_cast<int>(120 + 90 * std::cos(y * 0.04) + (x + 3 * y) % 19);
            host.pon_pixel(x, y, (r & 0xFF) + 256 * (g & 0xFF) + 65536 * ((x + y) % 256));
        }
    }
    const auto marcada = inserta_espectro(host, 3, 0.1, 1000, nullptr);
    ASSERT_TRUE(marcada);
    EXPECT_NE(*marcada, host);
    const DetectorEspectro d(host, 1000);
    const auto x = d.extrae(*marcada, 0.1);
    ASSERT_TRUE(x);
    const RespuestaDetector r = responde(*x, 3);
    EXPECT_GT(r.sim, 3 * kUmbralEspectro);
    ASSERT_EQ(r.falsas.size(), 1000u);
    for (const double s : r.falsas) EXPECT_LT(s, kUmbralEspectro);
    EXPECT_NEAR(r.media, 0, 0.15);
    EXPECT_NEAR(r.desviacion, 1, 0.15);
    // The response's figures are those of its wrong keys, recomputed here
    // one by one: key 3 + k's sim, their mean, spread and highest.
    double suma = 0, mayor = -1e300, cuadrados = 0;
    for (size_t k = 0; k < 1000; ++k) {
        const double s = similitud(*x, secuencia_de_clave(4 + static_cast<double>(k), 1000));
        ASSERT_DOUBLE_EQ(r.falsas[k], s) << k;
        suma += s;
        mayor = std::max(mayor, s);
    }
    for (const double s : r.falsas) cuadrados += (s - suma / 1000) * (s - suma / 1000);
    EXPECT_DOUBLE_EQ(r.media, suma / 1000);
    EXPECT_DOUBLE_EQ(r.mayor, mayor);
    EXPECT_NEAR(r.desviacion, std::sqrt(cuadrados / 1000), 1e-12);
    EXPECT_DOUBLE_EQ(r.sim, similitud(*x, secuencia_de_clave(3, 1000)));
    // The host itself carries no mark: nothing moved, so nothing to detect.
    EXPECT_EQ(responde(*d.extrae(host, 0.1), 3, 0).sim, 0);
}

}  // namespace
}  // namespace zek
