// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "base/puerto_memoria.h"
#include "base/superficie_memoria.h"
#include "engine/funciones.h"
#include "tests/comun/por_nombre.h"

namespace zek {
namespace {

constexpr int32_t kClaro = 0xFFFFFF;
constexpr int32_t kOscuro = 0;

// A 4 x 4 host with a 2 x 1 watermark: side 2, one pair of blocks per row;
// the tables are filled by hand so each case states its own luminances.
struct Escena {
    SuperficieMemoria anfitrion{4, 4}, marca{2, 1}, resultado{4, 4};
    Vbles v;
    PuertoMemoria puerto;

    Escena(double grado, double clave) {
        v.Grado = grado;
        v.Clave = clave;
        for (Tabla* t : {&v.MatrizY, &v.MatrizI, &v.MatrizQ}) t->dimensiona(1, 4, 1, 4);
        v.MatrizMarca.dimensiona(1, 2, 1, 1);
        v.MatrizMarca.escribe(2, 1, -1);
    }
    // Block A is columns 1-2, block B columns 3-4, rows 1-2; four values each.
    void bloques(std::array<double, 4> a, std::array<double, 4> b) {
        for (int i = 0; i < 4; ++i) {
            v.MatrizY.escribe(1 + i / 2, 1 + i % 2, a[static_cast<size_t>(i)]);
            v.MatrizY.escribe(3 + i / 2, 1 + i % 2, b[static_cast<size_t>(i)]);
        }
    }
    std::array<double, 4> bloque(int x0) const {
        return {v.MatrizY.lee(x0, 1), v.MatrizY.lee(x0, 2), v.MatrizY.lee(x0 + 1, 1),
                v.MatrizY.lee(x0 + 1, 2)};
    }
    bool inserta(int32_t color_marca) {
        v.MatrizMarca.escribe(1, 1, color_marca);
        return Inserta_Marca(v, anfitrion, marca, resultado, puerto);
    }
};

using Bloque = std::array<double, 4>;

struct CasoPar {
    const char* nombre;
    double grado, clave;
    Bloque a, b;
    int32_t marca;
    Bloque a_despues, b_despues;
};

class ParDeBloques : public testing::TestWithParam<CasoPar> {};

TEST_P(ParDeBloques, MovesTheMeanDifferenceOntoTheResidueOfThePixel) {
    const CasoPar& c = GetParam();
    Escena e(c.grado, c.clave);
    e.bloques(c.a, c.b);
    EXPECT_TRUE(e.inserta(c.marca));
    EXPECT_TRUE(e.puerto.mensajes.empty());
    EXPECT_EQ(e.v.LongBloque, 2);
    EXPECT_EQ(e.bloque(1), c.a_despues);
    EXPECT_EQ(e.bloque(3), c.b_despues);
}

// Blocks are uniform unless a case says otherwise.
constexpr Bloque uniforme(double v) {
    return {v, v, v, v};
}

const CasoPar kPares[] = {
    // r = 2570 mod 10 = 0; light: r < 3 so r = 10, D = (8 - 10) / 2 = -1.
    {"claro", 10, 3, uniforme(100), uniforme(90), kClaro, uniforme(99), uniforme(91)},
    // Dark: D = 1.5; 101.5 and 88.5 go to their even neighbours.
    {"oscuro", 10, 3, uniforme(100), uniforme(90), kOscuro, uniforme(102), uniforme(88)},
    // Red 255 alone makes a pixel light.
    {"rojo", 10, 3, uniforme(100), uniforme(90), 0x0000FF, uniforme(99), uniforme(91)},
    {"casi_rojo", 10, 3, uniforme(100), uniforme(90), 0xFFFFFE, uniforme(102), uniforme(88)},
    // Sums made whole after each addition: A sums to 8 (not 6), B to 0 (not
    // 0.5), so r = 2 and D = 0.5; a plain sum would give D = 1.
    {"suma_redondeada", 10, 3, uniforme(1.5), {0.5, 0, 0, 0}, kOscuro, uniforme(2), uniforme(0)},
    // No clamping: 254 + 3 stays 257.
    {"sin_recorte", 10, 6, uniforme(254), uniforme(254), kOscuro, uniforme(257), uniforme(251)},
};
INSTANTIATE_TEST_SUITE_P(Casos, ParDeBloques, testing::ValuesIn(kPares), prueba::PorNombre{});

TEST(InsertaMarca, AnUnreadableWatermarkPixelLeavesItsPairAlone) {
    Escena e(10, 3);
    e.bloques({100, 100, 100, 100}, {90, 90, 90, 90});
    EXPECT_TRUE(e.inserta(-1));
    EXPECT_EQ(e.bloque(1), (Bloque{100, 100, 100, 100}));
    EXPECT_EQ(e.bloque(3), (Bloque{90, 90, 90, 90}));
}

// Every refusal shows exactly one message, changes no table and draws nothing.
struct CasoRechazo {
    const char* nombre;
    void (*prepara)(Escena&);
    Mensaje mensaje;
};

class Rechazo : public testing::TestWithParam<CasoRechazo> {};

TEST_P(Rechazo, ShowsOneMessageAndChangesNothing) {
    Escena e(10, 3);
    e.bloques({100, 100, 100, 100}, {90, 90, 90, 90});
    e.v.MatrizMarca.escribe(1, 1, kClaro);
    GetParam().prepara(e);
    const Tabla antes = e.v.MatrizY;
    const Tabla marca_antes = e.v.MatrizMarca;
    EXPECT_FALSE(Inserta_Marca(e.v, e.anfitrion, e.marca, e.resultado, e.puerto));
    EXPECT_EQ(e.puerto.mensajes, std::vector<Mensaje>{GetParam().mensaje});
    EXPECT_EQ(e.v.MatrizY, antes);
    EXPECT_EQ(e.v.MatrizMarca, marca_antes);
    EXPECT_EQ(e.resultado, SuperficieMemoria(4, 4));
}

const Mensaje kSinMarca{
    "No hay ninguna marca de agua cargada. Abre la imagen de la marca de agua antes de "
    "insertarla.",
    Icono::Informacion, "ZEK"};
const Mensaje kFueraDeRango{
    "No se ha podido insertar la marca de agua: un cálculo se sale del rango de los números "
    "enteros. Prueba con un grado o una clave menores. La imagen no se ha modificado.",
    Icono::Informacion, "ZEK"};

INSTANTIATE_TEST_SUITE_P(
    Casos, Rechazo,
    testing::Values(
        CasoRechazo{"marca_impar",
                    [](Escena& e) { e.marca.fija_tamano(3, 1); },
                    {"Marca de Agua no Válida", Icono::Informacion, "ZEK"}},
        CasoRechazo{"sin_lado",
                    [](Escena& e) { e.anfitrion.fija_tamano(3, 3); },
                    {"La imagen es demasiado pequeña para insertar la marca de agua",
                     Icono::Informacion, "Marca de Agua"}},
        CasoRechazo{"grado_redondea_a_cero",
                    [](Escena& e) { e.v.Grado = 0.4; },
                    {"El grado de resistencia, redondeado a un número entero, no puede ser 0. "
                     "Indica un grado de al menos 1.",
                     Icono::Informacion, "ZEK"}},
        CasoRechazo{"grado_enorme",
                    [](Escena& e) { e.v.Grado = 1e10; },
                    {"El grado de resistencia es demasiado grande para insertar la marca de "
                     "agua.",
                     Icono::Informacion, "ZEK"}},
        CasoRechazo{"sin_marca", [](Escena& e) { e.v.MatrizMarca.vacia(); }, kSinMarca},
        CasoRechazo{"marca_tras_reset", [](Escena& e) { e.v.MatrizMarca.dimensiona(0, 0, 0, 0); },
                    kSinMarca},
        CasoRechazo{"marca_menor_que_la_imagen",
                    [](Escena& e) { e.v.MatrizMarca.dimensiona(1, 1, 1, 1); }, kSinMarca},
        CasoRechazo{"sin_host",
                    [](Escena& e) { e.v.MatrizY.dimensiona(1, 3, 1, 4); },
                    {"No hay ninguna imagen principal cargada para esta rejilla. Abre la imagen "
                     "principal antes de insertar la marca de agua.",
                     Icono::Informacion, "ZEK"}},
        CasoRechazo{"clave_enorme", [](Escena& e) { e.v.Clave = 1e300; }, kFueraDeRango},
        CasoRechazo{"grado_por_256_fuera_de_rango", [](Escena& e) { e.v.Grado = 1e8; },
                    kFueraDeRango}),
    prueba::PorNombre{});

TEST(InsertaMarca, AFailureOnALaterPairPutsBackTheEarlierOnes) {
    // Two rows of pairs: the first shifts fine, the second overflows.
    SuperficieMemoria anfitrion(4, 8), marca(2, 2), resultado(4, 8);
    Vbles v;
    v.Grado = 10;
    v.Clave = 3;
    for (Tabla* t : {&v.MatrizY, &v.MatrizI, &v.MatrizQ}) t->dimensiona(1, 4, 1, 8);
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 8; ++y) v.MatrizY.escribe(x, y, y <= 4 ? 100 : 2147483600.0);
    }
    v.MatrizMarca.dimensiona(1, 2, 1, 2);
    const Tabla antes = v.MatrizY;
    PuertoMemoria puerto;
    EXPECT_FALSE(Inserta_Marca(v, anfitrion, marca, resultado, puerto));
    EXPECT_EQ(v.LongBloque, 2);
    EXPECT_EQ(puerto.mensajes, std::vector<Mensaje>{kFueraDeRango});
    EXPECT_EQ(v.MatrizY, antes);
}

}  // namespace
}  // namespace zek
