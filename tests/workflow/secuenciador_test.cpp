// SPDX-License-Identifier: MIT
// The step button and Reset through the session, as the window drives them.
#include "workflow/secuenciador.h"

#include <gtest/gtest.h>

#include "engine/funciones.h"
#include "tests/comun/sesion_prueba.h"

namespace zek {
namespace {

const Mensaje kGradoCero{"El grado de resistencia a ataques de altas frecuencias no puede ser 0.",
                         Icono::Informacion, "ZEK"};
const Mensaje kClaveCero{"Clave de Codificación de la Marca de Agua 0.", Icono::Informacion, "ZEK"};

using Demo = prueba::SesionPrueba;

// A 64 x 50 host in uniform grey blocks of side 6 (as the 1-based tables see
// them) and an 8 x 4 watermark with a black shape on white.
constexpr int kLado = 6;
int gris_de_bloque(int x, int y) {
    return 40 + ((x - 1) / kLado * 37 + (y - 1) / kLado * 91) % 170;
}

SuperficieMemoria anfitrion_de_bloques() {
    SuperficieMemoria anfitrion(64, 50);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 50; ++y) anfitrion.pon_pixel(x, y, gris_de_bloque(x, y) * 0x010101);
    }
    return anfitrion;
}

SuperficieMemoria marca_de_prueba() {
    SuperficieMemoria marca(8, 4);
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 4; ++y) marca.pon_pixel(x, y, (x + y) % 3 == 0 ? 0 : 0xFFFFFF);
    }
    return marca;
}

TEST(Secuenciador, RefusesToRunWhileEitherParameterIsZeroDegreeFirst) {
    Demo d;
    d.s.Command1_Click();
    EXPECT_EQ(d.puerto.mensajes, std::vector<Mensaje>{kGradoCero});
    d.s.aplica(Parametro::Grado, "-2.5");
    d.puerto.mensajes.clear();
    d.s.Command1_Click();
    EXPECT_EQ(d.puerto.mensajes, std::vector<Mensaje>{kClaveCero});
    EXPECT_EQ(d.paso(), "");  // no stage ran
    EXPECT_EQ(d.puerto.texto(Control::LBloque), "");
    EXPECT_EQ(d.v.Paso, 0);
}

TEST(Secuenciador, NegativeParametersLetTheStageRun) {
    Demo d;
    d.carga(anfitrion_de_bloques(), marca_de_prueba());
    d.s.aplica(Parametro::Grado, "-10");
    d.s.aplica(Parametro::Clave, "-3");
    d.s.Command1_Click();
    EXPECT_EQ(d.v.Paso, 1);
    EXPECT_EQ(d.paso(), kTextoPaso[1]);
}

// What the window's own four presses leave unchecked: the block geometry's
// captions, the host left as it was outside the blocks, and a fifth press.
TEST(Secuenciador, FourPressesRunTheFourStagesAndAFifthDoesNothing) {
    Demo d;
    const SuperficieMemoria anfitrion = anfitrion_de_bloques();
    d.carga(anfitrion, marca_de_prueba());
    d.s.aplica(Parametro::Grado, "10");
    d.s.aplica(Parametro::Clave, "3");
    d.s.Command1_Click();
    EXPECT_EQ(d.puerto.texto(Control::LBloque), "Longitud de bloque 6");
    EXPECT_EQ(d.puerto.texto(Control::LNumBloques), "Número de bloque 80");
    EXPECT_EQ(d.p1.lee_pixel(6, 0), kColorRejilla);
    EXPECT_EQ(d.p1.lee_pixel(1, 1), anfitrion.lee_pixel(1, 1));
    d.s.Command1_Click();
    EXPECT_EQ(d.p3.lee_pixel(62, 20), anfitrion.lee_pixel(62, 20));  // outside the blocks
    d.s.Command1_Click();
    d.s.Command1_Click();
    EXPECT_EQ(d.v.Paso, 4);
    const auto textos = d.puerto.textos;
    const SuperficieMemoria p1 = d.p1, p3 = d.p3, p4 = d.p4;
    d.s.Command1_Click();
    EXPECT_EQ(d.v.Paso, 4);
    EXPECT_EQ(d.puerto.textos, textos);
    EXPECT_TRUE(d.p1 == p1 && d.p3 == p3 && d.p4 == p4);
    EXPECT_TRUE(d.puerto.mensajes.empty());
}

TEST(Secuenciador, WithNoBlockSideStageZeroWritesItsTextButDoesNotAdvance) {
    Demo d;
    d.carga(SuperficieMemoria(3, 3), SuperficieMemoria(2, 2));
    d.s.aplica(Parametro::Grado, "10");
    d.s.aplica(Parametro::Clave, "3");
    for (int i = 0; i < 2; ++i) {
        d.s.Command1_Click();
        EXPECT_EQ(d.v.Paso, 0);
        EXPECT_EQ(d.paso(), kTextoPaso[1]);
        EXPECT_EQ(d.puerto.texto(Control::LBloque), "Longitud de bloque 0");
        EXPECT_EQ(d.p1, SuperficieMemoria(3, 3));
    }
}

TEST(Secuenciador, AnOddWatermarkLeavesStepAndTextAsTheyWere) {
    Demo d;
    d.carga(anfitrion_de_bloques(), SuperficieMemoria(3, 5));
    d.s.aplica(Parametro::Grado, "10");
    d.s.aplica(Parametro::Clave, "3");
    d.s.Command1_Click();
    EXPECT_EQ(d.v.Paso, 0);
    EXPECT_EQ(d.paso(), "");
    EXPECT_EQ(d.puerto.mensajes,
              (std::vector<Mensaje>{{"Marca de Agua no Válida", Icono::Informacion, "ZEK"}}));
}

TEST(Secuenciador, StageOneAdvancesEvenWhenTheEmbeddingRefuses) {
    Demo d;
    d.carga(anfitrion_de_bloques(), marca_de_prueba());
    d.s.aplica(Parametro::Grado, "0.4");
    d.s.aplica(Parametro::Clave, "3");
    d.s.Command1_Click();
    const Tabla antes = d.v.MatrizY;
    d.s.Command1_Click();
    EXPECT_EQ(d.v.Paso, 2);
    EXPECT_EQ(d.paso(), kTextoPaso[2]);
    EXPECT_EQ(d.puerto.mensajes.size(), 1u);
    EXPECT_EQ(d.v.MatrizY, antes);
    EXPECT_EQ(d.p3, SuperficieMemoria(64, 50));
}

TEST(Secuenciador, ResetEmptiesThePicturesAndForgetsTheWatermarkButNotTheParameters) {
    Demo d;
    d.carga(anfitrion_de_bloques(), marca_de_prueba());
    d.s.aplica(Parametro::Grado, "2.5");
    d.s.aplica(Parametro::Clave, "3");
    d.puerto.separador = ',';
    for (int i = 0; i < 4; ++i) d.s.Command1_Click();
    const Tabla Y = d.v.MatrizY;

    d.s.MnuReset_Click();
    EXPECT_EQ(d.v.Paso, 0);
    EXPECT_EQ(d.v.LongBloque, 0);
    EXPECT_EQ(d.v.NumBloques, 0);
    EXPECT_EQ(d.v.Grado, 2.5);
    EXPECT_EQ(d.v.Clave, 3);
    EXPECT_EQ(d.v.MatrizY, Y);
    EXPECT_TRUE(d.v.MatrizMarca.contiene(0, 0));
    EXPECT_FALSE(d.v.MatrizMarca.contiene(1, 1));
    EXPECT_EQ(d.p1, SuperficieMemoria(64, 50));
    EXPECT_EQ(d.p2, SuperficieMemoria(8, 4));
    EXPECT_EQ(d.p3, SuperficieMemoria(64, 50));
    EXPECT_EQ(d.p4, SuperficieMemoria(8, 4));
    EXPECT_EQ(d.paso(), "Paso 0: Se muestra la imagen y la gota de Agua.");
    EXPECT_EQ(d.puerto.texto(Control::LGrado),
              "Grado de Resistencia a ataques de Altas frecuencias 2,5");
    EXPECT_EQ(d.puerto.texto(Control::LClave), "Clave de Codificación de la Marca de Agua 3");
    EXPECT_EQ(d.puerto.texto(Control::LBloque), "");
    EXPECT_EQ(d.puerto.texto(Control::LNumBloques), "");

    // Without a new watermark, stage 1 refuses once and stage 3 draws nothing.
    d.puerto.mensajes.clear();
    for (int i = 0; i < 4; ++i) d.s.Command1_Click();
    EXPECT_EQ(d.v.Paso, 4);
    EXPECT_EQ(d.puerto.mensajes.size(), 1u);
    EXPECT_EQ(d.p4, SuperficieMemoria(8, 4));
}

}  // namespace
}  // namespace zek
