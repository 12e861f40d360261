// SPDX-License-Identifier: MIT
// The charts as the core describes them, worked by hand: round ticks and
// their words, each chart's ranges, series and legend words.
#include "workflow/graficas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "workflow/textos_trabajos.h"

namespace zek {
namespace {

std::vector<std::string> palabras(const Eje& e) {
    std::vector<std::string> p;
    for (const MarcaEje& m : e.marcas) p.push_back(m.texto);
    return p;
}

using Palabras = std::vector<std::string>;

struct CasoPaso {
    double amplitud;
    int como_mucho;
    double paso;
};

// The smallest of 1, 2 or 5 times a power of ten that leaves at most so
// many intervals: 62 / 8 = 7.75 needs 10; 654 / 6 = 109 needs 200.
TEST(Graficas, TheRoundStepIsOneTwoOrFiveTimesAPowerOfTen) {
    for (const CasoPaso& c :
         {CasoPaso{62, 8, 10}, CasoPaso{1, 5, 0.2}, CasoPaso{0.6, 6, 0.1}, CasoPaso{654, 6, 200},
          CasoPaso{1002, 6, 200}, CasoPaso{10, 6, 2}, CasoPaso{90, 10, 10}, CasoPaso{0.8, 8, 0.1},
          CasoPaso{3, 3, 1}, CasoPaso{0.05, 5, 0.01}}) {
        EXPECT_NEAR(paso_redondo(c.amplitud, c.como_mucho), c.paso, c.paso * 1e-12)
            << c.amplitud << " / " << c.como_mucho;
    }
}

// The handout's histogram axis of 654 pairs once read 164, 327, 491, 654.
TEST(Graficas, AnAxisEndsOnRoundTicksWordedWithTheDecimalsTheyNeed) {
    const Eje pares = eje_redondo("Pares", 0, 654, 6, ',');
    EXPECT_EQ(pares.hasta, 800);
    EXPECT_EQ(palabras(pares), (Palabras{"0", "200", "400", "600", "800"}));
    const Eje roc = eje_redondo("Falsa alarma", 0, 1, 5, ',');
    EXPECT_EQ(palabras(roc), (Palabras{"0,0", "0,2", "0,4", "0,6", "0,8", "1,0"}));
    EXPECT_EQ(palabras(eje_redondo("x", 0, 1, 5, '.')).back(), "1.0");
    // Without adjusting the ends, only the ticks within: degrees 2 to 64.
    const Eje grados = eje_redondo("Grado", 2, 64, 8, ',', false);
    EXPECT_EQ(grados.desde, 2);
    EXPECT_EQ(grados.hasta, 64);
    EXPECT_EQ(palabras(grados), (Palabras{"10", "20", "30", "40", "50", "60"}));
    // Below zero, and never "-0".
    EXPECT_EQ(palabras(eje_redondo("sim", -5, 5, 6, ',', false)),
              (Palabras{"-4", "-2", "0", "2", "4"}));
    EXPECT_EQ(palabras(eje_redondo("sim", -3.5, 0, 4, ',')),
              (Palabras{"-4", "-3", "-2", "-1", "0"}));
}

// Degree 16: a label every other residue, whole; counts up to 2, by one.
TEST(Graficas, TheResidueHistogramLabelsWhatFits) {
    const Grafico g = describe_histograma(
        {{"Antes", Histograma{16, std::vector<int64_t>(16, 1), std::vector<int64_t>(16, 2)}},
         {"Atacada", std::nullopt}},
        false, ',');
    EXPECT_EQ(g.titulo, "Restos de los pares de bloques");
    EXPECT_EQ(palabras(g.x), (Palabras{"0", "2", "4", "6", "8", "10", "12", "14"}));
    EXPECT_EQ(g.x.desde, -0.5);
    EXPECT_EQ(g.x.hasta, 15.5);
    EXPECT_EQ(palabras(g.y), (Palabras{"0", "1", "2"}));
    ASSERT_EQ(g.series.size(), 2u);
    EXPECT_EQ(g.series[0].nombre, "Antes claros");
    EXPECT_EQ(g.series[1].nombre, "Antes oscuros");
    EXPECT_EQ(g.series[1].y, std::vector<double>(16, 2));
    EXPECT_EQ(g.series[0].tipo, TipoSerie::Barras);
    // Another method's fractions of its step: 0, 1/4, 1/2, 3/4 of 16 bins.
    const Grafico f = describe_histograma(
        {{"Después", Histograma{16, std::vector<int64_t>(16, 0), std::vector<int64_t>(16, 0)}}},
        true, ',');
    EXPECT_EQ(palabras(f.x), (Palabras{"0,00", "0,25", "0,50", "0,75"}));
    EXPECT_EQ(palabras(f.y), (Palabras{"0", "1"}));
}

// Two degrees, the watermarked picture and one attack; the PSNR of 38.2 and
// 44.9 dB on the right from 35 to 50 by 5.
TEST(Graficas, TheSweepDrawsEachAttackAndThePsnr) {
    const std::vector<FilaBarrido> filas = {{8, "ninguno", 44.9, 0.0},
                                            {8, "jpeg:75", std::nullopt, 0.31},
                                            {16, "ninguno", 38.2, 0.0},
                                            {16, "jpeg:75", std::nullopt, 0.02}};
    const auto g = describe_barrido(filas, "grado", ',');
    ASSERT_TRUE(g);
    EXPECT_EQ(g->titulo, "Marca de agua: errores de la extracción ciega según el grado");
    EXPECT_EQ(g->x.titulo, "Grado");
    // Eight degrees apart, at most eight intervals: a tick every degree.
    EXPECT_EQ(palabras(g->x), (Palabras{"8", "9", "10", "11", "12", "13", "14", "15", "16"}));
    // The highest rate 0.31 rounds up to 0.4, by tenths.
    EXPECT_EQ(palabras(g->y), (Palabras{"0,0", "0,1", "0,2", "0,3", "0,4"}));
    ASSERT_TRUE(g->y_derecho);
    EXPECT_EQ(palabras(*g->y_derecho), (Palabras{"35", "40", "45", "50"}));
    ASSERT_EQ(g->series.size(), 3u);
    EXPECT_EQ(g->series[0].nombre, "sin ataque");
    EXPECT_EQ(g->series[1].nombre, "jpeg:75");
    EXPECT_EQ(g->series[1].y, (std::vector<double>{0.31, 0.02}));
    EXPECT_EQ(g->series[2].nombre, "PSNR de la imagen marcada");
    EXPECT_TRUE(g->series[2].eje_derecho);
    EXPECT_EQ(g->series[2].trazo, Trazo::Discontinuo);
    EXPECT_FALSE(describe_barrido({}, "grado", ','));
}

// A comparison whose DCT reading reaches 0.71: the error axis up to 0.8 by
// tenths (never under 0.6, never over 1), chance at 0.5 dotted, and the
// predicted quality dashed in the DCT's colour; the spread spectrum's sim
// in a chart of its own, with the threshold.
TEST(Graficas, TheComparisonMarksChanceThePredictedQualityAndTheThreshold) {
    const auto tope = [](std::vector<std::optional<double>> ber) {
        Comparacion c;
        c.metodos.push_back({});
        c.metodos[0].ber_jpeg = std::move(ber);
        return tope_de_comparacion(c);
    };
    EXPECT_DOUBLE_EQ(tope({0.2, std::nullopt, 0.71}), 0.8);
    EXPECT_DOUBLE_EQ(tope({0.2}), 0.6);
    EXPECT_DOUBLE_EQ(tope({0.7}), 0.7);
    EXPECT_DOUBLE_EQ(tope({1.0}), 1.0);

    Comparacion c;
    c.psnr_objetivo = 42.987;
    c.origen = OrigenObjetivo::Pedido;
    MetodoComparado dct;
    dct.metodo = &metodo_dct();
    dct.ber_jpeg.assign(19, std::nullopt);
    dct.ber_jpeg[0] = 0.71;
    dct.calidad_predicha = 51;
    MetodoComparado espectro;
    espectro.metodo = &metodo_espectro();
    espectro.sim_jpeg.assign(19, 20.0);
    espectro.sim_jpeg[0] = 2.5;
    c.metodos = {dct, espectro};
    const auto g = describe_comparacion(c, ',');
    ASSERT_TRUE(g);
    EXPECT_EQ(g->titulo, "Tres métodos a 43,0 dB (pedido): errores según la calidad JPEG");
    EXPECT_EQ(palabras(g->x),
              (Palabras{"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
    EXPECT_EQ(g->y.hasta, 0.8);
    EXPECT_EQ(palabras(g->y).back(), "0,8");
    EXPECT_EQ(palabras(g->y).size(), 9u);
    ASSERT_EQ(g->series.size(), 3u);  // chance, dct and its predicted quality
    EXPECT_EQ(g->series[0].nombre, "0,5: al azar (por encima, lectura invertida)");
    EXPECT_EQ(g->series[0].trazo, Trazo::Punteado);
    EXPECT_EQ(g->series[1].nombre, "dct");
    EXPECT_EQ(g->series[1].x, (std::vector<double>{10}));
    EXPECT_EQ(g->series[2].nombre, "dct: calidad predicha 51");
    EXPECT_EQ(g->series[2].x, (std::vector<double>{51, 51}));
    EXPECT_EQ(g->series[2].color, g->series[1].color);

    const auto sim = describe_sim_jpeg(c, ',');
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->titulo, "Espectro ensanchado a 43,0 dB: sim tras un JPEG");
    // sim up to 20: the axis to 21 goes out to 25, by 5.
    EXPECT_EQ(palabras(sim->y), (Palabras{"0", "5", "10", "15", "20", "25"}));
    ASSERT_EQ(sim->series.size(), 2u);
    EXPECT_EQ(sim->series[0].y.front(), 2.5);
    EXPECT_EQ(sim->series[1].nombre, "umbral 6");
    EXPECT_EQ(sim->series[1].y, (std::vector<double>{6, 6}));
    c.metodos.pop_back();
    EXPECT_FALSE(describe_sim_jpeg(c, ','));
}

// The table's cells, worked by hand: a reading of 3 wrong in 12 (BER 0,250,
// NC 0,50) half way from green to red; the detector's sim with its word; a
// method that does not fit gives its reason and no cells.
TEST(Graficas, TheComparisonTableWordsAndColoursEachCell) {
    Comparacion c;
    c.umbral = 6;
    MetodoComparado dct;
    dct.metodo = &metodo_dct();
    dct.fuerza = 2.5;
    dct.insercion.marcada = SuperficieMemoria(1, 1);
    dct.insercion.psnr = 41.234;
    LecturaAtacada l;
    l.aciertos = {9, 12};
    l.leidos = Bits(12, 1);
    dct.ataques = {l};
    MetodoComparado espectro;
    espectro.metodo = &metodo_espectro();
    espectro.insercion.marcada = SuperficieMemoria(1, 1);
    LecturaAtacada s;
    s.sim = 5.994;
    espectro.ataques = {s};
    MetodoComparado lsb;
    lsb.metodo = &metodo_lsb();
    lsb.insercion.no_cabe = "No cabe.";
    c.metodos = {dct, espectro, lsb};
    const TablaComparacion t = describe_tabla_comparacion(c, ',');
    EXPECT_EQ(t.cabecera.size(), 4 + ataques_de_la_comparacion().size());
    ASSERT_EQ(t.filas.size(), 3u);
    EXPECT_EQ(t.filas[0].celdas[0].texto, "2,50");  // the DCT's two decimals
    EXPECT_EQ(t.filas[0].celdas[1].texto, "41,23");
    EXPECT_EQ(t.filas[0].celdas[2].texto, "");  // no SSIM
    EXPECT_EQ(t.filas[0].celdas[3].texto, "0,250\nNC 0,50");
    EXPECT_EQ(t.filas[0].celdas[3].fondo, (ColorGrafico{198, 166, 121}));
    EXPECT_TRUE(t.filas[0].celdas[3].leidos);
    EXPECT_EQ(t.filas[1].celdas[3].texto, "sim 5,99\nausente");
    EXPECT_EQ(t.filas[1].celdas[3].fondo, color_de_ber(0.5));
    EXPECT_EQ(color_de_ber(0.5), (ColorGrafico{255, 102, 102}));
    EXPECT_EQ(t.filas[2].no_cabe, "No cabe.");
    EXPECT_TRUE(t.filas[2].celdas.empty());
    EXPECT_EQ(texto_de_cancelado(TrabajoLargo::Barrido, 40, true),
              "Barrido cancelado al 40 %. El gráfico es el del barrido anterior.");
}

// The response of key 3 with 1000 wrong keys: keys from 2 to 1004, a tick
// every 200; sim 23.4 above the threshold, the wrong keys from -3.3 to 3.1.
TEST(Graficas, TheResponseShowsEveryKeyAndTheThreshold) {
    RespuestaDetector r;
    r.sim = 23.4;
    r.falsas.assign(1000, 0.5);
    r.falsas[10] = -3.3;
    r.falsas[20] = 3.1;
    const Grafico g = describe_respuesta(r, 3, 6, ',');
    EXPECT_EQ(g.x.desde, 2);
    EXPECT_EQ(g.x.hasta, 1004);
    EXPECT_EQ(palabras(g.x), (Palabras{"200", "400", "600", "800", "1000"}));
    // From floor(-3.3) - 1 = -5 to ceil(23.4) + 1 = 25, by 5.
    EXPECT_EQ(palabras(g.y), (Palabras{"-5", "0", "5", "10", "15", "20", "25"}));
    ASSERT_EQ(g.series.size(), 3u);
    EXPECT_EQ(g.series[0].tipo, TipoSerie::Puntos);
    EXPECT_EQ(g.series[0].x.front(), 4);
    EXPECT_EQ(g.series[0].x.back(), 1003);
    EXPECT_EQ(g.series[1].x, (std::vector<double>{3}));
    EXPECT_EQ(g.series[1].y, (std::vector<double>{23.4}));
    EXPECT_EQ(g.series[2].y, (std::vector<double>{6, 6}));
    const TextosDeRespuesta t = textos_de_respuesta(1000, 3, 6, ',');
    EXPECT_EQ(g.titulo, t.titulo);
    EXPECT_EQ(g.series[2].nombre, t.umbral);
}

// Wrong keys' values 0.1, 0.2 and -0.1: two in the bin [0, 0.25), one in
// [-0.25, 0), each bin drawn as a step of two points from -5 by 0.25; the
// normal curve expects 3 x 0.25 x 1/sqrt(2 pi) keys at 0.
TEST(Graficas, TheWrongKeysStandBesideTheNormalCurve) {
    const Grafico g = describe_falsas({0.1, 0.2, -0.1}, ',');
    ASSERT_EQ(g.series.size(), 2u);
    const SerieGrafico& barras = g.series[0];
    ASSERT_EQ(barras.x.size(), 80u);
    for (size_t caja = 0; caja < 40; ++caja) {
        const double esperado = caja == 20 ? 2 : caja == 19 ? 1 : 0;
        EXPECT_DOUBLE_EQ(barras.x[2 * caja], -5 + 0.25 * static_cast<double>(caja));
        EXPECT_DOUBLE_EQ(barras.y[2 * caja], esperado) << caja;
        EXPECT_DOUBLE_EQ(barras.y[2 * caja + 1], esperado) << caja;
    }
    const SerieGrafico& normal = g.series[1];
    EXPECT_EQ(normal.nombre, "N(0, 1)");
    bool en_cero = false;
    for (size_t i = 0; i < normal.x.size(); ++i) {
        if (normal.x[i] != 0) continue;
        en_cero = true;
        EXPECT_NEAR(normal.y[i], 0.75 / std::sqrt(2 * std::numbers::pi), 1e-12);
    }
    EXPECT_TRUE(en_cero);
    EXPECT_EQ(palabras(g.x), (Palabras{"-4", "-2", "0", "2", "4"}));
    EXPECT_EQ(palabras(g.y), (Palabras{"0", "1", "2", "3"}));  // two keys, up to 2.2
}

TEST(Graficas, TheRocSaysItsAreaAndChance) {
    CurvaRoc c;
    c.puntos = {{0, 0}, {0, 1}, {1, 1}};
    c.area = 1;
    const Grafico g = describe_roc(c, '.');
    EXPECT_EQ(g.titulo, "Curva ROC: área 1.000");
    EXPECT_EQ(palabras(g.y), (Palabras{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    ASSERT_EQ(g.series.size(), 2u);
    EXPECT_EQ(g.series[0].y, (std::vector<double>{0, 1, 1}));
    EXPECT_EQ(g.series[1].nombre, "al azar");
}

}  // namespace
}  // namespace zek
