// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "base/superficie_memoria.h"
#include "engine/funciones.h"
#include "images/capturas.h"
#include "tests/comun/por_nombre.h"

namespace zek {
namespace {

struct CasoCobertura {
    const char* nombre;
    void (*prepara)(Tabla&);
    int pixeles_dibujados;
};

class Cobertura : public testing::TestWithParam<CasoCobertura> {};

TEST_P(Cobertura, DrawsOnlyWhatTheTableCovers) {
    SuperficieMemoria marca(4, 4), destino(4, 4);
    Vbles v;
    GetParam().prepara(v.MatrizMarca);
    Extrae_Marca(v, marca, destino);
    int dibujados = 0;
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) dibujados += destino.lee_pixel(x, y) == 0;
    }
    EXPECT_EQ(dibujados, GetParam().pixeles_dibujados);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Cobertura,
    testing::Values(CasoCobertura{"nunca_cargada", [](Tabla&) {}, 0},
                    CasoCobertura{"tras_reset", [](Tabla& tabla) { tabla.dimensiona(0, 0, 0, 0); },
                                  0},
                    CasoCobertura{"menor", [](Tabla& tabla) { tabla.dimensiona(1, 2, 1, 2); }, 4},
                    CasoCobertura{"mayor", [](Tabla& tabla) { tabla.dimensiona(1, 9, 1, 9); }, 9}),
    prueba::PorNombre{});

}  // namespace
}  // namespace zek
