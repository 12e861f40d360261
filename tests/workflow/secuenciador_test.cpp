#include "workflow/secuenciador.h"

#include <gtest/gtest.h>

#include <random>

#include "base/superficie_memoria.h"
#include "engine/funciones.h"
#include "images/capturas.h"
#include "tests/comun/puerto_grabador.h"

namespace zek {
namespace {

using prueba::Mensaje;
using prueba::PuertoGrabador;

const Mensaje kGradoCero{"El grado de resistencia a ataques de altas frecuencias no puede ser 0.",
                         Icono::Informacion, "ZEK"};
const Mensaje kClaveCero{"Clave de Codificación de la Marca de Agua 0.", Icono::Informacion, "ZEK"};

// The main window's pictures and state, driven through the sequencer as the
// step button and the Reset item would.
struct Demo {
    SuperficieMemoria p1{378, 483}, p2{181, 227}, p3{378, 483}, p4{181, 227};
    Vbles v;
    PuertoGrabador puerto;
    Secuenciador sec{v, {p1, p2, p3, p4}, puerto};

    // Loads a host and a watermark as an accepted load and its capture would.
    void carga(const SuperficieMemoria& host, const SuperficieMemoria& marca) {
        p1 = host;
        p3.fija_tamano(host.ancho(), host.alto());
        Captura_Imagen(p1, v);
        p2 = marca;
        p4.fija_tamano(marca.ancho(), marca.alto());
        Captura_Marca(p2, v);
    }
    std::string paso() const { return puerto.texto(Control::LpASO); }
};

// A 64 x 50 host in uniform grey blocks of side 6 (as the 1-based tables see
// them) and an 8 x 4 watermark with a black shape on white.
constexpr int kLado = 6;
int gris_de_bloque(int x, int y) {
    return 40 + ((x - 1) / kLado * 37 + (y - 1) / kLado * 91) % 170;
}

SuperficieMemoria host_de_bloques() {
    SuperficieMemoria host(64, 50);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 50; ++y) host.pon_pixel(x, y, gris_de_bloque(x, y) * 0x010101);
    }
    return host;
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
    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.puerto.mensajes, std::vector<Mensaje>{kGradoCero});
    d.v.Grado = -2.5;
    d.puerto.mensajes.clear();
    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.puerto.mensajes, std::vector<Mensaje>{kClaveCero});
    EXPECT_TRUE(d.puerto.textos.empty());
    EXPECT_EQ(d.v.Paso, 0);
}

TEST(Secuenciador, NegativeParametersLetTheStageRun) {
    Demo d;
    d.carga(host_de_bloques(), marca_de_prueba());
    d.v.Grado = -10;
    d.v.Clave = -3;
    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 1);
    EXPECT_EQ(d.paso(), kTextoPaso[1]);
}

TEST(Secuenciador, FourPressesRunTheFourStagesAndAFifthDoesNothing) {
    Demo d;
    const SuperficieMemoria host = host_de_bloques(), marca = marca_de_prueba();
    d.carga(host, marca);
    d.v.Grado = 10;
    d.v.Clave = 3;

    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 1);
    EXPECT_EQ(d.paso(), "Paso 1:Se muestra la imagen dividida en bloques.");
    EXPECT_EQ(d.puerto.texto(Control::LBloque), "Longitud de bloque 6");
    EXPECT_EQ(d.puerto.texto(Control::LNumBloques), "Número de bloque 80");
    EXPECT_EQ(d.p1.lee_pixel(6, 0), kColorRejilla);
    EXPECT_EQ(d.p1.lee_pixel(0, 48), kColorRejilla);
    EXPECT_EQ(d.p1.lee_pixel(1, 1), host.lee_pixel(1, 1));

    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 2);
    EXPECT_EQ(d.paso(), "Paso 2:Insertamos la marca de agua en la imagen principal.");
    EXPECT_NE(d.p3.lee_pixel(1, 1), kColorFondo);
    // Outside the blocks the watermarked host is the host itself.
    EXPECT_EQ(d.p3.lee_pixel(62, 20), host.lee_pixel(62, 20));

    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 3);
    EXPECT_EQ(d.paso(), "Paso 3:Dibujamos Rejilla sobre imagen con la marca de agua.");
    EXPECT_EQ(d.p3.lee_pixel(12, 3), kColorRejilla);

    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 4);
    EXPECT_EQ(d.paso(), "Paso 4:Extraemos la marca de agua de la imagen.");
    for (int x = 1; x < 8; ++x) {
        for (int y = 1; y < 4; ++y) EXPECT_EQ(d.p4.lee_pixel(x, y), marca.lee_pixel(x, y));
    }

    const auto textos = d.puerto.textos;
    const SuperficieMemoria p1 = d.p1, p3 = d.p3, p4 = d.p4;
    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 4);
    EXPECT_EQ(d.puerto.textos, textos);
    EXPECT_TRUE(d.p1 == p1 && d.p3 == p3 && d.p4 == p4);
    EXPECT_TRUE(d.puerto.mensajes.empty());
}

TEST(Secuenciador, WithNoBlockSideStageZeroWritesItsTextButDoesNotAdvance) {
    Demo d;
    d.carga(SuperficieMemoria(3, 3), SuperficieMemoria(2, 2));
    d.v.Grado = 10;
    d.v.Clave = 3;
    for (int i = 0; i < 2; ++i) {
        d.sec.Pulsa_Paso();
        EXPECT_EQ(d.v.Paso, 0);
        EXPECT_EQ(d.paso(), kTextoPaso[1]);
        EXPECT_EQ(d.puerto.texto(Control::LBloque), "Longitud de bloque 0");
        EXPECT_EQ(d.p1, SuperficieMemoria(3, 3));
    }
}

TEST(Secuenciador, AnOddWatermarkLeavesStepAndTextAsTheyWere) {
    Demo d;
    d.carga(host_de_bloques(), SuperficieMemoria(3, 5));
    d.v.Grado = 10;
    d.v.Clave = 3;
    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 0);
    EXPECT_EQ(d.paso(), "");
    EXPECT_EQ(d.puerto.mensajes,
              (std::vector<Mensaje>{{"Marca de Agua no Válida", Icono::Informacion, "ZEK"}}));
}

TEST(Secuenciador, StageOneAdvancesEvenWhenTheEmbeddingRefuses) {
    Demo d;
    d.carga(host_de_bloques(), marca_de_prueba());
    d.v.Grado = 0.4;
    d.v.Clave = 3;
    d.sec.Pulsa_Paso();
    const Tabla antes = d.v.MatrizY;
    d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 2);
    EXPECT_EQ(d.paso(), kTextoPaso[2]);
    EXPECT_EQ(d.puerto.mensajes.size(), 1u);
    EXPECT_EQ(d.v.MatrizY, antes);
    EXPECT_EQ(d.p3, SuperficieMemoria(64, 50));
}

TEST(Secuenciador, ResetEmptiesThePicturesAndForgetsTheWatermarkButNotTheParameters) {
    Demo d;
    d.carga(host_de_bloques(), marca_de_prueba());
    d.v.Grado = 2.5;
    d.v.Clave = 3;
    d.puerto.separador = ',';
    for (int i = 0; i < 4; ++i) d.sec.Pulsa_Paso();
    const Tabla Y = d.v.MatrizY;

    d.sec.Reset();
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
    for (int i = 0; i < 4; ++i) d.sec.Pulsa_Paso();
    EXPECT_EQ(d.v.Paso, 4);
    EXPECT_EQ(d.puerto.mensajes.size(), 1u);
    EXPECT_EQ(d.p4, SuperficieMemoria(8, 4));
}

// For every pair of uniform blocks the new residue is the one the block
// arithmetic gives: the shift D moves both blocks, each value is rounded to
// a whole number, and the difference of the means is reduced modulo Grado.
TEST(Secuenciador, EveryResidueLandsWhereTheArithmeticPutsIt) {
    for (auto [grado, clave] : {std::pair{10.0, 3.0}, {16.0, 5.0}, {7.0, 1.0}, {12.0, 0.5}}) {
        Demo d;
        const SuperficieMemoria marca = marca_de_prueba();
        d.carga(host_de_bloques(), marca);
        d.v.Grado = grado;
        d.v.Clave = clave;
        d.sec.Pulsa_Paso();
        d.sec.Pulsa_Paso();
        ASSERT_TRUE(d.puerto.mensajes.empty());
        ASSERT_EQ(d.v.LongBloque, kLado);

        const double T = grado / 2 + clave;
        const int g = static_cast<int>(grado);
        int k = 0, movidos = 0;
        for (int R = 1; R <= 50 / kLado; ++R) {
            for (int j = 1; j <= 64 / kLado; j += 2) {
                ++k;
                if (k > 32) break;
                const int xA = (j - 1) * kLado + 1, xB = j * kLado + 1, y0 = (R - 1) * kLado + 1;
                const double a = gris_de_bloque(xA, y0), b = gris_de_bloque(xB, y0);
                const int32_t pixel = marca.lee_pixel((k - 1) % 8 + 1, (k - 1) / 8 + 1);
                double esperado_a = a, esperado_b = b;
                if (pixel != kColorInvalido) {
                    double r = static_cast<int>(a - b + grado * 256) % g;
                    const bool claro = (pixel & 0xFF) == 255;
                    if (claro && r < clave) r += grado;
                    if (!claro && r > T) r -= grado;
                    const double D = ((claro ? T : clave) - r) / 2;
                    esperado_a = std::nearbyint(a + D);
                    esperado_b = std::nearbyint(b - D);
                    // The residue lands on its target up to that rounding.
                    const double nuevo = std::fmod(esperado_a - esperado_b + grado * 256, grado);
                    const double objetivo = std::fmod(claro ? T : clave, grado);
                    const double distancia = std::fabs(nuevo - objetivo);
                    EXPECT_LE(std::min(distancia, grado - distancia), 1.0);
                    ++movidos;
                }
                for (int x = 0; x < kLado; ++x) {
                    for (int y = 0; y < kLado; ++y) {
                        ASSERT_EQ(d.v.MatrizY.lee(xA + x, y0 + y), esperado_a) << k;
                        ASSERT_EQ(d.v.MatrizY.lee(xB + x, y0 + y), esperado_b) << k;
                    }
                }
            }
        }
        EXPECT_EQ(movidos, 21);  // 32 pixels less column 8 and row 4, read as -1
    }
}

}  // namespace
}  // namespace zek
