// SPDX-License-Identifier: MIT
// The handout as a document, before any front end lays it out: its parts
// in order, the figures as a Spanish reader writes them, and what it says
// when a part was not computed.
#include "workflow/hoja.h"

#include <gtest/gtest.h>

#include "tests/comun/sesion_prueba.h"

namespace zek {
namespace {

using namespace std::chrono;

std::vector<std::string> textos(const Documento& d, TipoBloque tipo) {
    std::vector<std::string> t;
    for (const Bloque& b : d.bloques)
        if (b.tipo == tipo) t.push_back(b.texto);
    return t;
}

size_t cuantos(const Documento& d, TipoBloque tipo) {
    size_t n = 0;
    for (const Bloque& b : d.bloques) n += b.tipo == tipo;
    return n;
}

bool dice(const Documento& d, const std::string& algo) {
    for (const Bloque& b : d.bloques)
        if (b.texto.find(algo) != std::string::npos) return true;
    return false;
}

TEST(Hoja, WritesTheDateInFull) {
    EXPECT_EQ(fecha_larga(2026y / December / 8), "martes, 8 de diciembre de 2026");
    EXPECT_EQ(fecha_larga(2000y / February / 29), "martes, 29 de febrero de 2000");
    EXPECT_EQ(fecha_larga(2024y / September / 1), "domingo, 1 de septiembre de 2024");
    EXPECT_EQ(fecha_larga(2023y / February / 29), "");  // no such day
}

// 949 of 961 pixels read right after jpeg:75: BER 12/961 = 0.012487...,
// NC 1 - 2 BER = 0.975026...
LeccionDeLaHoja leccion() {
    LeccionDeLaHoja h;
    h.fecha = 2026y / December / 8;
    h.anfitrion = {"imagen.bmp", 320, 240, "f8ca"};
    h.marca = {"marca.bmp", 32, 32, ""};
    h.grado = 16;
    h.clave = 3;
    h.lado = 5;
    h.bloques = 3072;
    h.psnr = 42.9612;
    h.ssim = 0.96881;
    h.aciertos = Aciertos{961, 961};
    h.ganancia = 63.66;
    h.ataques = {{"jpeg:75", 31.204, 0.9, Aciertos{949, 961}, true, SuperficieMemoria(2, 2)},
                 {"recorte:8", std::nullopt, std::nullopt, {}, false, {}}};
    h.orden = "zek-demo 'imagen.bmp' 'marca.bmp' --grado 16 --clave 3 --hoja 'h.pdf'";
    return h;
}

TEST(Hoja, ALessonWithoutTheLaboratorySaysWhatWasNotComputed) {
    LeccionDeLaHoja h = leccion();
    const Documento d = documento_de_la_hoja(h);
    EXPECT_EQ(d.titulo, "ZEK — Hoja de clase");
    EXPECT_EQ(textos(d, TipoBloque::Seccion),
              (std::vector<std::string>{"1. La lección", "2. Lo que sobrevive", "3. Para pensar"}));
    EXPECT_TRUE(dice(d, "martes, 8 de diciembre de 2026 · ZEK "));
    EXPECT_TRUE(dice(d, "Imagen principal: «imagen.bmp», 320 × 240 píxeles"));
    EXPECT_TRUE(dice(d, "SHA-256: f8ca"));
    EXPECT_TRUE(dice(d, "SHA-256: no se ha podido leer el archivo"));
    EXPECT_TRUE(dice(d, "Grado 16 · Clave 3 · LongBloque 5 · NumBloques 3072"));
    EXPECT_TRUE(dice(d, "PSNR 42,96 dB · SSIM 0,9688 · BER 0,0000 · NC 1,0000"));
    EXPECT_TRUE(dice(d, "La lectura a ciegas acierta 961 de 961 píxeles de la marca."));
    EXPECT_TRUE(dice(d, "El barrido no se ha calculado"));
    EXPECT_TRUE(dice(d, "La comparación no se ha calculado"));
    EXPECT_TRUE(dice(d, "Sin histograma"));
    EXPECT_EQ(cuantos(d, TipoBloque::Grafico), 0u);
    EXPECT_EQ(textos(d, TipoBloque::Pregunta).size(), 6u);
    EXPECT_EQ(textos(d, TipoBloque::Orden), std::vector<std::string>{h.orden});
    for (const Bloque& b : d.bloques) {
        if (b.tipo == TipoBloque::Figuras && b.figuras.size() == 3) {
            EXPECT_EQ(b.figuras[1].pie, "Diferencia |marcada − principal| × 63,7");
        }
        if (b.tipo != TipoBloque::Tabla) continue;
        ASSERT_EQ(b.filas.size(), 3u);
        EXPECT_EQ(b.filas[1],
                  (std::vector<std::string>{"jpeg", "75", "31,20 dB", "0,0125", "0,9750"}));
        // A crop is not compared and nothing was read.
        EXPECT_EQ(b.filas[2], (std::vector<std::string>{"recorte", "8", "—", "—", "—"}));
        EXPECT_EQ(b.miniaturas.size(), 2u);
    }
}

// The histogram, the sweep, the comparison with the spread spectrum and
// the detector: a chart each (two for the comparison), the detector's
// section and the two questions they add, numbered on.
TEST(Hoja, TheLaboratorysResultsAddTheirChartsAndQuestions) {
    LeccionDeLaHoja h = leccion();
    h.antes = Histograma{16, std::vector<int64_t>(16, 1), std::vector<int64_t>(16, 1)};
    h.barrido = {{16, "ninguno", 43.0, 0.0}};
    Comparacion c;
    c.psnr_objetivo = 42.99;
    MetodoComparado lsb;
    lsb.metodo = &metodo_lsb();
    lsb.fuerza = 6;
    lsb.ataques = {{"jpeg:75", Aciertos{500, 961}, {}, {}, {}, {}}};
    MetodoComparado espectro;
    espectro.metodo = &metodo_espectro();
    espectro.fuerza = 0.0494;
    espectro.ataques = {{"jpeg:75", {}, {}, {}, {}, 21.48},
                        {"contraste:150", {}, {}, {}, {}, 5.99}};
    espectro.sim_jpeg = {2.0, 30.0};
    c.metodos = {lsb, espectro};
    h.comparacion = c;
    RespuestaDetector r;
    r.sim = 23.44;
    r.falsas = {0.5, -0.5};
    r.media = 0;
    r.desviacion = 0.7071;
    h.deteccion = DeteccionDeLaHoja{r, 3, 6, "jpeg:50"};
    const Documento d = documento_de_la_hoja(h);
    EXPECT_EQ(cuantos(d, TipoBloque::Grafico), 5u);
    EXPECT_TRUE(dice(d,
                     "Al mismo PSNR, 42,99 dB (el PSNR de los pares de bloques con el grado "
                     "en uso):"));
    EXPECT_EQ(textos(d, TipoBloque::Destacado)[0], "lsb: fuerza 6, PSNR —, SSIM —");
    EXPECT_EQ(textos(d, TipoBloque::Destacado)[1], "espectro: fuerza 0,049, PSNR —, SSIM —");
    // 461 of 961 wrong: 0.4797...
    EXPECT_TRUE(dice(d, "jpeg:75 0,480"));
    EXPECT_TRUE(dice(d, "jpeg:75 sim 21,48 presente · contraste:150 sim 5,99 ausente"));
    EXPECT_TRUE(dice(d,
                     "La imagen principal con la clave, atacada con jpeg:50: La marca de la "
                     "clave 3 está presente: sim 23,44 > 6"));
    EXPECT_TRUE(dice(d, "Con 2 claves equivocadas: media 0,00, desviación 0,71."));
    const auto preguntas = textos(d, TipoBloque::Pregunta);
    ASSERT_EQ(preguntas.size(), 8u);
    EXPECT_EQ(preguntas[6].rfind("7. El detector del espectro ensanchado", 0), 0u);
    EXPECT_EQ(preguntas[7].rfind("8. Un contraste de 1,5", 0), 0u);
}

// Quoted for a shell, a quote in a name included.
TEST(Hoja, TheCommandLineMakesTheSameHandoutAgain) {
    prueba::SesionPrueba p;
    EXPECT_EQ(orden_de_la_hoja(p.s, true, false, "l'hoja.pdf", {"jpeg:75"}),
              "zek-demo '' '' --grado 0 --clave 0 --ataque jpeg:75 --barrido --hoja "
              "'l'\\''hoja.pdf'");
}

}  // namespace
}  // namespace zek
