// SPDX-License-Identifier: MIT
#include "base/numeros.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <random>
#include <vector>

#include "base/json.h"
#include "base/portatil.h"

namespace zek {
namespace {

// Bit-for-bit, so that -0 and 0 or two neighbouring doubles never pass.
void espera_igual_que_el_texto(double v) {
    const double rapido = valor_por_texto(v);
    const double lento = valor_por_texto_lento(v);
    ASSERT_EQ(std::bit_cast<uint64_t>(rapido), std::bit_cast<uint64_t>(lento))
        << "valor " << v << std::hexfloat << " (" << v << ")";
}

// The halves, the double just under a half, the top of the range, and a
// million random values, each as std::lround rounds it.
TEST(RedondeaPositivo, RoundsAsLroundFromZeroTo2To52) {
    std::vector<double> v = {0,
                             0.5,
                             1.5,
                             2.5,
                             254.5,
                             0.49999999999999994,
                             1e-300,
                             255,
                             4503599627370495.5,
                             4503599627370496.0};
    std::mt19937_64 azar(7);
    std::uniform_real_distribution<double> d(0, 600);
    for (int i = 0; i < 1000000; ++i) v.push_back(d(azar));
    for (const double x : v) ASSERT_EQ(redondea_positivo(x), std::lround(x)) << x;
}

TEST(ValorPorTexto, SameAsTextRoundTripForEmbeddingResultsAndAnyMagnitude) {
    std::mt19937_64 azar(20261206);
    std::uniform_real_distribution<double> exponente(-30.0, 30.0);
    std::uniform_int_distribution<int> luminancia(-300, 600);
    for (int i = 0; i < 300000; ++i) {
        const double v = std::pow(10.0, exponente(azar)) * (i % 2 ? 1 : -1);
        espera_igual_que_el_texto(v);
        // Means, residues and shifts of block pairs: sums over L*L elements.
        const int L = 1 + i % 40;
        const double media = static_cast<double>(luminancia(azar) * 7 + i) / (L * L);
        espera_igual_que_el_texto(media);
        espera_igual_que_el_texto((media - 3.0) / 2);
        espera_igual_que_el_texto(media * 0.1);
    }
}

TEST(ValorPorTexto, RoundsExactHalvesOfTheFifteenthDigitToEven) {
    for (double v : {100000000000000.5, 100000000000001.5, 12345678901234.25, 0.1, 0.2, 0.3,
                     254.99999999999997, 9.9999999999999995, 1e-8, 9.99999999999999e-9,
                     999999999999999.9, 1.0000000000000002, 2.5e-300, 1.7976931348623157e308,
                     // whole numbers, beyond the fifteen digits too, stay exact
                     257.0, 16777215.0, 1234567890123456.0, 9007199254740994.0, 1e300}) {
        espera_igual_que_el_texto(v);
        espera_igual_que_el_texto(-v);
    }
}

struct CasoEntero {
    double v;
    std::optional<int32_t> esperado;
};

class Entero : public testing::TestWithParam<CasoEntero> {};

TEST_P(Entero, RoundsHalvesToEvenAndRefusesWhatLeavesThe32BitRange) {
    EXPECT_EQ(entero(GetParam().v), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Entero,
    testing::Values(CasoEntero{101.5, 102}, CasoEntero{88.5, 88}, CasoEntero{-0.5, 0},
                    CasoEntero{-1.5, -2}, CasoEntero{2539.6, 2540},
                    CasoEntero{2147483647.4, 2147483647}, CasoEntero{2147483647.5, std::nullopt},
                    CasoEntero{-2147483648.5, -2147483648}, CasoEntero{-2147483649.0, std::nullopt},
                    CasoEntero{1e300, std::nullopt}, CasoEntero{NAN, std::nullopt},
                    CasoEntero{INFINITY, std::nullopt}));

struct CasoTexto {
    double v;
    char separador;
    const char* esperado;
};

class TextoGeneral : public testing::TestWithParam<CasoTexto> {};

// The same text whatever the C library's locale: a QApplication adopts the
// user's, whose printf would write a decimal comma.
class EnCadaLocale {
  public:
    template <class Prueba>
    static void ejecuta(Prueba prueba) {
        for (const char* locale : {"C.UTF-8", "es_ES.UTF-8"}) {
            ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale << " is missing";
            prueba();
        }
        std::setlocale(LC_ALL, "C");
    }
};

TEST_P(TextoGeneral, WritesTheGeneralNumberFormat) {
    EnCadaLocale::ejecuta(
        [] { EXPECT_EQ(texto_general(GetParam().v, GetParam().separador), GetParam().esperado); });
}

TEST(TextosParaProgramas, UseThePointUnderAnyLocale) {
    EnCadaLocale::ejecuta([] {
        EXPECT_EQ(con_decimales(42.959962, 2, '.'), "42.96");
        EXPECT_EQ(con_decimales(99.94, 1, ','), "99,9");
        EXPECT_EQ(texto_exacto(2.5), "2.5");
        EXPECT_EQ(texto_exacto(0.0031217481789802288), "0.003121748178980229");
        EXPECT_EQ(lee_decimal(texto_exacto(42.959962513385143)), 42.959962513385143);
    });
}

// The browser build writes and reads numbers through snprintf and strtod:
// the same texts and values as the native conversions, digit for digit,
// over chosen edges and 100 000 random doubles of every magnitude.
TEST(Portatil, PrintfConversionsMatchTheNativeOnes) {
    std::vector<double> valores = {0.0,
                                   -0.0,
                                   1,
                                   -1,
                                   0.1,
                                   1e20,
                                   1e21,
                                   1e-5,
                                   0.001,
                                   123456,
                                   1e15,
                                   1e16,
                                   5e-324,
                                   2.2250738585072014e-308,
                                   1.7976931348623157e308,
                                   42.959962513385143,
                                   0.3,
                                   1.0 / 3};
    std::mt19937_64 azar(7);
    for (int i = 0; i < 100000; ++i) {
        const double v = std::bit_cast<double>(azar());
        if (std::isfinite(v))
            valores.push_back(i % 2 ? v : std::ldexp(v, -std::ilogb(v) + i % 80 - 40));
    }
    for (const double v : valores) {
        const std::string exacto = texto_de_numero(v, FormatoNumero::Exacto);
        ASSERT_EQ(por_printf::texto_de_numero(v, FormatoNumero::Exacto), exacto) << v;
        ASSERT_EQ(por_printf::numero_de_texto(exacto), numero_de_texto(exacto)) << exacto;
        for (const auto& [f, p] :
             {std::pair{FormatoNumero::General, 15}, std::pair{FormatoNumero::Cientifico, 14}}) {
            ASSERT_EQ(por_printf::texto_de_numero(v, f, p), texto_de_numero(v, f, p)) << v;
        }
        if (std::fabs(v) < 1e300) {
            ASSERT_EQ(por_printf::texto_de_numero(v, FormatoNumero::Fijo, 2),
                      texto_de_numero(v, FormatoNumero::Fijo, 2));
        }
    }
    for (const char* t : {"1e-400", "1e-310", "2.4e-324", "1e400", "0e500", "-0", "1.",    ".",
                          ".5",     "-.5",    "5.",       "1e",    "1e+",   "+1", " 1",    "0x10",
                          "inf",    "nan",    "1.5.3",    "1,5",   "-",     "",   "12E-3", "007"}) {
        EXPECT_EQ(por_printf::numero_de_texto(t), numero_de_texto(t)) << t;
    }
}

// Files for programs read the same from every front end: keys in order,
// four blanks, exact numbers with the point, escapes where JSON needs them.
TEST(Json, WritesTheDocumentAsProgramsReadIt) {
    Json j =
        Json::objeto({{"z", 1}, {"psnr", 42.99168887364707}, {"nada", std::optional<double>()}});
    j["lista"] = Json::lista();
    j["lista"].anade(0.004162330905306972);
    j["lista"].anade(1e-05);
    j["lista"].anade(3072.0);
    j["texto"] = "«a»\"b\\\r\x01";
    j["vacio"] = Json::objeto();
    EnCadaLocale::ejecuta([&] {
        EXPECT_EQ(j.texto(),
                  "{\n"
                  "    \"lista\": [\n"
                  "        0.004162330905306972,\n"
                  "        1e-05,\n"
                  "        3072\n"
                  "    ],\n"
                  "    \"nada\": null,\n"
                  "    \"psnr\": 42.99168887364707,\n"
                  "    \"texto\": \"«a»\\\"b\\\\\\r\\u0001\",\n"
                  "    \"vacio\": {\n"
                  "    },\n"
                  "    \"z\": 1\n"
                  "}\n");
    });
}

INSTANTIATE_TEST_SUITE_P(Casos, TextoGeneral,
                         testing::Values(CasoTexto{3, '.', "3"}, CasoTexto{2.5, '.', "2.5"},
                                         CasoTexto{2.5, ',', "2,5"}, CasoTexto{-7, '.', "-7"},
                                         CasoTexto{-0.0, '.', "0"}, CasoTexto{1200, '.', "1200"},
                                         CasoTexto{76.245, '.', "76.245"},
                                         CasoTexto{0.1 + 0.2, '.', "0.3"},
                                         CasoTexto{1e300, '.', "1E+300"},
                                         CasoTexto{0.00001, ',', "1E-05"},
                                         CasoTexto{123456789012345, '.', "123456789012345"}));

}  // namespace
}  // namespace zek
