// SPDX-License-Identifier: MIT
// The detector's errors both ways: the ROC worked by hand, the threshold
// of a false alarm in a million, and the lesson on a textured host: a
// little noise leaves the mark, shrinking the picture to a tenth loses it.
#include "workflow/deteccion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zek {
namespace {

// Marked pictures score 3 and 5, unmarked ones 1, 2 and 4: as T goes down,
// 5 is detected first, then 4 gives a false alarm, then 3, 2 and 1. Five
// of the six pairs have the marked one above: area 5/6.
TEST(Deteccion, TheRocAndItsAreaAreWorkedByHand) {
    const CurvaRoc c = curva_roc({3, 5}, {1, 2, 4});
    const std::vector<std::pair<double, double>> esperados = {
        {0, 0}, {0, 0.5}, {1.0 / 3, 0.5}, {1.0 / 3, 1}, {2.0 / 3, 1}, {1, 1}};
    ASSERT_EQ(c.puntos.size(), esperados.size());
    for (size_t i = 0; i < esperados.size(); ++i) {
        EXPECT_DOUBLE_EQ(c.puntos[i].first, esperados[i].first) << i;
        EXPECT_DOUBLE_EQ(c.puntos[i].second, esperados[i].second) << i;
    }
    EXPECT_DOUBLE_EQ(c.area, 5.0 / 6);
    EXPECT_DOUBLE_EQ(curva_roc({2}, {2}).area, 0.5);  // a tie counts half
    // The normal model's one-in-a-million threshold, 4.7534 deviations.
    EXPECT_NEAR(c.umbral_millonesima, 4.753424, 1e-6);
    EXPECT_DOUBLE_EQ(c.deteccion_millonesima, 0.5);
    EXPECT_NEAR(umbral_para(probabilidad_de_falsa_alarma(6)), 6, 1e-9);
}

SuperficieMemoria textura(int W, int H) {
    SuperficieMemoria s(W, H);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) {
            const int r = static_cast<int>(128 + 100 * std::sin(x * 0.05) + (x * y) % 23);
            const int g = static_cast<int>(120 + 90 * std::cos(y * 0.04) + (x + 3 * y) % 19);
            s.pon_pixel(x, y, (r & 0xFF) + 256 * (g & 0xFF) + 65536 * ((x + y) % 256));
        }
    }
    return s;
}

TEST(Deteccion, ALittleNoiseLeavesTheMarkAndACropIsRefusedWithTheSizes) {
    const SuperficieMemoria host = textura(120, 90);
    int avisos = 0;
    const AnalisisDeteccion a = analiza_deteccion(host, 3, 0.1, 500, *lee_ataque("ruido:2"),
                                                  nullptr, 4, [&](int, int total) {
                                                      EXPECT_EQ(total, 4);
                                                      return ++avisos > 0;
                                                  });
    ASSERT_TRUE(a.atacada) << a.motivo;
    EXPECT_GT(a.respuesta.sim, kUmbralEspectro);
    EXPECT_EQ(a.respuesta.falsas.size(), 1000u);
    ASSERT_EQ(a.verdaderas.size(), 4u);
    for (const double s : a.verdaderas) EXPECT_GT(s, kUmbralEspectro);
    EXPECT_GT(a.roc.area, 0.99);
    EXPECT_EQ(a.roc.deteccion_millonesima, 1);
    EXPECT_EQ(avisos, 4);

    const AnalisisDeteccion r =
        analiza_deteccion(host, 3, 0.1, 500, *lee_ataque("recorte:10"), nullptr, 4);
    EXPECT_EQ(r.motivo,
              "El ataque deja una imagen de 110 × 80: el detector compara imágenes del tamaño de "
              "la original.");
    EXPECT_TRUE(r.roc.puntos.empty());
}

}  // namespace
}  // namespace zek
