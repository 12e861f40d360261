// SPDX-License-Identifier: MIT
// Saving, reopening and attacking the watermarked picture, the residue
// histogram, the pair inspector, and the sweep on a worker thread.
#include "workflow/laboratorio.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/numeros.h"
#include "engine/metodo.h"
#include "engine/pares.h"
#include "images/capturas.h"
#include "tests/comun/sesion_prueba.h"
#include "workflow/barrido.h"
#include "workflow/trabajo.h"

namespace zek {
namespace {

// A textured host of 80 x 40 and a chequered 8 x 6 watermark, Grado 16,
// Clave 3, through the four stages.
struct Laboratorio : prueba::SesionPrueba {
    SuperficieMemoria anfitrion{80, 40}, marca{8, 6};
    Laboratorio() {
        for (int x = 0; x < 80; ++x) {
            for (int y = 0; y < 40; ++y)
                anfitrion.pon_pixel(x, y, (90 + (x * 7 + y * 3) % 60) * 0x010101);
        }
        for (int x = 0; x < 8; ++x) {
            for (int y = 0; y < 6; ++y) marca.pon_pixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0);
        }
        carga(anfitrion, marca);
        s.aplica(Parametro::Grado, "16");
        s.aplica(Parametro::Clave, "3");
        for (int i = 0; i < 4; ++i) s.Command1_Click();
    }
};

// The block-pair method of the comparison is the demonstration itself.
TEST(Laboratorio, TheBlockPairMethodEmbedsAsTheDemonstrationDoes) {
    Laboratorio l;
    const auto marcada =
        metodo_bloques().inserta(l.anfitrion, bits_de_marca(l.v.MatrizMarca, 8, 6), 8, 6, 16, 3);
    ASSERT_TRUE(marcada);
    EXPECT_EQ(*marcada, l.s.demostracion().marcada_completa());
}

TEST(Laboratorio, TheSavedPictureIsTheHostWhereverTheRenderingDrawsNothing) {
    Laboratorio l;
    const SuperficieMemoria completa = l.s.demostracion().marcada_completa();
    const SuperficieMemoria& marcada = l.s.demostracion().marcada();
    EXPECT_NE(marcada.lee_pixel(5, 0), l.anfitrion.lee_pixel(5, 0));  // the box's grey
    for (int x = 0; x < 80; ++x) {
        for (int y = 0; y < 40; ++y) {
            const SuperficieMemoria& esperada = x == 0 || y == 0 ? l.anfitrion : marcada;
            ASSERT_EQ(completa.lee_pixel(x, y), esperada.lee_pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(Laboratorio, ReopeningTheSavedPictureReadsWhatTheDemonstrationRead) {
    Laboratorio l;
    const Aciertos en_memoria = *l.s.demostracion().informe().extraccion;
    l.lector.pon("/tmp/marcada.png", l.s.demostracion().marcada_completa());
    l.puerto.archivo = "/tmp/marcada.png";
    ASSERT_TRUE(l.s.abre_imagen_marcada());
    EXPECT_EQ(l.estado(), "Extracción ciega de «marcada.png» con bloques de lado " +
                              std::to_string(l.v.LongBloque) + ": " +
                              std::to_string(en_memoria.correctos) + " de " +
                              std::to_string(en_memoria.total) + " píxeles correctos (100.0 %)");
    EXPECT_EQ(l.v.Paso, 4);  // the demonstration goes on as it was
    const auto abierta = l.s.fuente_abierta();
    ASSERT_TRUE(abierta);
    EXPECT_EQ(abierta->nombre, "marcada.png");
    EXPECT_EQ(abierta->despues, l.s.fuente_marcada()->despues);
    EXPECT_TRUE(l.s.marca_extraida());

    // Unreadable and too large: the host's rules, and the source stays.
    l.puerto.archivo = "/tmp/no-existe.png";
    EXPECT_FALSE(l.s.abre_imagen_marcada());
    EXPECT_EQ(l.estado(), "No se ha podido abrir «no-existe.png»: el archivo no existe.");
    l.lector.pon("/tmp/grande.png", SuperficieMemoria(379, 10));
    l.puerto.archivo = "/tmp/grande.png";
    EXPECT_FALSE(l.s.abre_imagen_marcada());
    ASSERT_EQ(l.puerto.mensajes.size(), 1u);
    EXPECT_EQ(l.puerto.mensajes[0].titulo, "Asignatura de ZEK 2003/04");
    EXPECT_EQ(l.s.fuente_abierta()->nombre, "marcada.png");
    EXPECT_EQ(l.s.fuente_abierta()->imagen, l.s.demostracion().marcada_completa());
}

TEST(Laboratorio, WithoutAWatermarkLoadedNothingIsRead) {
    prueba::SesionPrueba p;
    p.lector.pon("x.bmp", SuperficieMemoria(40, 30));
    p.puerto.archivo = "x.bmp";
    EXPECT_TRUE(p.s.abre_imagen_marcada());
    EXPECT_EQ(p.estado(),
              "Extracción ciega de «x.bmp»: hace falta una marca de agua abierta, un "
              "grado y una clave.");
    EXPECT_FALSE(p.s.fuente_marcada());
}

// After embedding, light pixels' pairs sit at Clave + Grado / 2 and dark
// ones at Clave, up to the rounding of the rendering; before, anywhere.
TEST(Laboratorio, TheHistogramShowsTheTwoClassesMovedOntoTheirResidues) {
    Laboratorio l;
    const auto f = l.s.fuente_marcada();
    ASSERT_TRUE(f && f->antes && f->despues);
    EXPECT_EQ(f->despues->grado, 16);
    int64_t claros = 0, oscuros = 0, cerca = 0;
    for (int r = 0; r < 16; ++r) {
        claros += f->despues->claros[r];
        oscuros += f->despues->oscuros[r];
        cerca += (r >= 10 && r <= 12 ? f->despues->claros[r] : 0) +
                 (r >= 2 && r <= 4 ? f->despues->oscuros[r] : 0);
    }
    EXPECT_EQ(claros + oscuros, 35);  // 7 x 5: the last column and row are -1
    EXPECT_EQ(cerca, 35);
    EXPECT_NE(f->antes, f->despues);
    EXPECT_GT(f->diferencia.maxima, 0);
    EXPECT_EQ(f->diferencia.imagen.lee_pixel(79, 39), 0);  // outside the blocks: no change
}

// The spread spectrum in the laboratory is detected against the host, with
// the decision in the figures' line; without the host there is nothing to
// detect against, and a picture of another size is not compared.
TEST(Laboratorio, TheSpreadSpectrumIsDetectedAgainstTheHost) {
    const Laboratorio l;
    EleccionLaboratorio e;
    e.metodo = &metodo_espectro();
    e.fuerza = 0.1;
    e.clave = 3;
    e.ataque = *lee_ataque("ruido:1");
    std::string motivo;
    EXPECT_FALSE(fuente_de(e, &motivo));
    EXPECT_EQ(motivo,
              "El detector del espectro ensanchado necesita la imagen principal original: ábrala.");
    e.anfitrion = copia(l.anfitrion);
    const AnalisisLaboratorio a = analiza_eleccion(e, nullptr);
    ASSERT_TRUE(a.fuente && a.resultado && a.resultado->respuesta) << a.motivo;
    const RespuestaDetector& r = *a.resultado->respuesta;
    EXPECT_EQ(r.falsas.size(), 1000u);
    EXPECT_GT(r.sim, 6);
    // The whole line, its figures worked out here from the result.
    const ResultadoLaboratorio& res = *a.resultado;
    ASSERT_TRUE(res.psnr && res.ssim);
    EXPECT_EQ(texto_de_cifras(res, *a.fuente, ','),
              "La marca de la clave 3 está presente: sim " + con_decimales(r.sim, 2, ',') +
                  " > 6 (probabilidad de falsa alarma 9,9e-10). Con 1000 claves equivocadas, la "
                  "mayor da " +
                  con_decimales(*std::max_element(r.falsas.begin(), r.falsas.end()), 2, ',') +
                  ". PSNR frente a la imagen sin atacar: " + con_decimales(*res.psnr, 2, ',') +
                  " dB, SSIM " + con_decimales(*res.ssim, 4, ',') + ".");
    EXPECT_GT(*res.psnr, 30);
    EXPECT_LT(*res.ssim, 1);

    e.ataque = *lee_ataque("recorte:3");
    const ResultadoLaboratorio recortada = analiza_fuente(e, *a.fuente, nullptr);
    EXPECT_FALSE(recortada.respuesta);
    EXPECT_EQ(texto_de_cifras(recortada, *a.fuente, ',')
                  .rfind("El detector no compara una imagen de otro tamaño que la principal: "
                         "«Buscar la rejilla» la coloca sobre ella. PSNR frente a la imagen sin "
                         "atacar: no se compara",
                         0),
              0u);
}

struct CasoAtaque {
    const char* ataque;
    bool sobrevive;  // at least 90 % read back
};

class Ataques : public testing::TestWithParam<CasoAtaque> {};

TEST_P(Ataques, TheReadingSurvivesWhatTheMethodCanAndFailsTheRest) {
    static const Laboratorio l;
    const auto f = l.s.fuente_marcada();
    const ResultadoLaboratorio r = analiza(*f, *lee_ataque(GetParam().ataque), nullptr);
    ASSERT_TRUE(r.aciertos);
    EXPECT_EQ(r.aciertos->total, 35);
    EXPECT_EQ(r.aciertos->correctos >= 32, GetParam().sobrevive) << r.aciertos->correctos;
    EXPECT_EQ(r.leida.ancho(), 8);
}

INSTANTIATE_TEST_SUITE_P(Casos, Ataques,
                         testing::Values(CasoAtaque{"brillo:0", true},
                                         CasoAtaque{"brillo:30", true}, CasoAtaque{"ruido:1", true},
                                         CasoAtaque{"recorte:3", false},
                                         CasoAtaque{"recorte:483", false},
                                         CasoAtaque{"escala:10", false}),
                         [](const auto& caso) {
                             std::string n = caso.param.ataque;
                             n[n.find(':')] = '_';
                             return n;
                         });

// "Buscar la rejilla" on recorte:3 (the first three columns and rows cut
// away): each method that has a grid finds it at (3, 3) and reads every
// pixel still carried; the detector puts the cut back on the host; the
// least significant bit says it has nothing to search.
struct CasoBusqueda {
    const char* metodo;
    double fuerza;
};
class Busqueda : public testing::TestWithParam<CasoBusqueda> {};

TEST_P(Busqueda, FindsTheCropMadeAndReadsWithIt) {
    Laboratorio l;
    const Metodo& m = *metodo(GetParam().metodo);
    const auto fuente = std::make_shared<const FuenteLaboratorio>(*l.s.fuente_marcada());
    const auto analiza_con_busqueda = [&](bool busca) {
        const EleccionLaboratorio e = eleccion_del_laboratorio(
            l.s, fuente, false, m, GetParam().fuerza, *lee_ataque("recorte:3"), busca);
        EXPECT_TRUE(ofrece_busqueda(e));
        return analiza_eleccion(e, nullptr);
    };
    const AnalisisLaboratorio sin = analiza_con_busqueda(false), con = analiza_con_busqueda(true);
    ASSERT_TRUE(sin.resultado && con.resultado) << con.motivo;
    const ResultadoLaboratorio& r = *con.resultado;
    EXPECT_TRUE(texto_de_busqueda(*sin.resultado, ',').empty());
    if (&m == &metodo_lsb()) {
        EXPECT_EQ(texto_de_busqueda(r, ','), m.descripcion().sin_rejilla);
        return;
    }
    if (!m.lee_la_marca()) {
        EXPECT_FALSE(sin.resultado->respuesta);  // another size: nothing compared
        ASSERT_TRUE(r.colocada && r.respuesta);
        EXPECT_EQ(r.colocada->x, 3);
        EXPECT_GT(r.respuesta->sim, kUmbralEspectro);
        EXPECT_EQ(texto_de_busqueda(r, ','),
                  "La imagen sospechosa, de 77 × 37, estaba en (3, 3) de la original: se ha "
                  "colocado allí antes de detectar.");
        return;
    }
    ASSERT_TRUE(r.sincronizacion && r.aciertos);
    EXPECT_EQ(texto_de_busqueda(r, ',').rfind(
                  "Rejilla encontrada en (3, 3); el recorte se hizo en (3, 3). Con la búsqueda", 0),
              0u)
        << texto_de_busqueda(r, ',');
    EXPECT_GT(r.aciertos->total, 0);
    EXPECT_EQ(r.aciertos->correctos, r.aciertos->total);
    EXPECT_LT(sin.resultado->aciertos->correctos, sin.resultado->aciertos->total);
    EXPECT_EQ(r.histograma, r.sincronizacion->histograma);
}

INSTANTIATE_TEST_SUITE_P(Laboratorio, Busqueda,
                         testing::Values(CasoBusqueda{"bloques", 16}, CasoBusqueda{"dct", 2},
                                         CasoBusqueda{"lsb", 1}, CasoBusqueda{"espectro", 0.1}),
                         [](const auto& i) { return std::string(i.param.metodo); });

TEST(Laboratorio, TheSearchIsOfferedForACutOrASmallerPicture) {
    Laboratorio l;
    const auto fuente = std::make_shared<const FuenteLaboratorio>(*l.s.fuente_marcada());
    for (const auto& [ataque, ofrece] :
         {std::pair{"recorte:3", true}, std::pair{"recorte:0", false},
          std::pair{"ruido:5", false}}) {
        EXPECT_EQ(ofrece_busqueda(eleccion_del_laboratorio(l.s, fuente, false, metodo_bloques(), 0,
                                                           *lee_ataque(ataque), true)),
                  ofrece)
            << ataque;
    }
}

TEST(Laboratorio, TheSearchIsToldInOneParagraph) {
    Sincronizacion s;
    s.x = 7;
    s.y = 5;
    s.ciega_en = 0.5;
    s.acuerdo_en = 0.75;
    s.aciertos = {3, 4};
    s.portadores = 10;
    s.ciega_sin_buscar = 0.125;
    s.acuerdo_sin_buscar = 0.25;
    s.sin_buscar = {1, 4};
    EXPECT_EQ(texto_de_sincronizacion(s, Desplazamiento{7, 5}, ','),
              "Rejilla encontrada en (7, 5); el recorte se hizo en (7, 5). Con la búsqueda, S = "
              "0,500 y A = 0,750: 3 de 4 píxeles correctos (75,0 %) de los que conservan su par "
              "(la imagen entera lleva 10), tasa de error de bits 0,250. Sin buscar, en (0, 0), "
              "S = 0,125 y A = 0,250, tasa de error 0,750.");
}

TEST(Laboratorio, ThePairInspectorNamesThePairAndWhatHappenedToIt) {
    Laboratorio l;
    // Side 5: pair 1 is blocks (1, 1) and (6, 1) and carries pixel (1, 1).
    ASSERT_EQ(l.v.LongBloque, 5);
    const std::string par = l.s.demostracion().descripcion_de_par(7, 3);
    EXPECT_EQ(par.rfind("Par 1\nBloque A: columna 1, fila 1\nBloque B: columna 6, fila 1\n", 0), 0u)
        << par;
    EXPECT_NE(par.find("Píxel de la marca: (1, 1), oscuro"), std::string::npos) << par;
    EXPECT_NE(par.find("Resto después: 3"), std::string::npos) << par;
    // Pair 2, worked by hand from the host's greys 90 + (7x + 3y) mod 60:
    // block A (columns 11-15) averages 127.6 and B (16-20) 109.8, so before
    // the embedding round(17.8 + 16 x 256) mod 16 = 2; it carries a light
    // pixel, so after it the residue is Clave + Grado / 2 = 11.
    const std::string par2 = l.s.demostracion().descripcion_de_par(12, 3);
    EXPECT_NE(par2.find("\nLuminancia media antes: A 127.60, B 109.80\n"), std::string::npos)
        << par2;
    EXPECT_NE(par2.find("\nResto antes: 2\nResto después: 11\n"), std::string::npos) << par2;
    EXPECT_NE(par2.find("Píxel de la marca: (2, 1), claro"), std::string::npos) << par2;
    EXPECT_EQ(l.s.demostracion().descripcion_de_par(79, 39),
              "Este bloque no lleva ningún píxel de la marca de agua.");
    l.s.MnuReset_Click();
    EXPECT_EQ(l.s.demostracion().descripcion_de_par(7, 3), "");
}

// Every table element of every carried pair maps back to that pair.
TEST(Laboratorio, ThePairUnderAnElementIsThePairTheWalkVisits) {
    recorre_pares(9, 4, 3, 5, 3, [](const Par& p) {
        for (const Bloque b : {p.A, p.B}) {
            for (int x = b.x0; x < b.x0 + 3; ++x) {
                for (int y = b.y0; y < b.y0 + 3; ++y) {
                    const auto q = par_en(x, y, 9, 4, 3, 5, 3);
                    EXPECT_TRUE(q && q->k == p.k && q->xm == p.xm && q->ym == p.ym)
                        << x << "," << y;
                }
            }
        }
        return true;
    });
    EXPECT_FALSE(par_en(25, 1, 9, 4, 3, 5, 3));  // the ninth block has no partner
    EXPECT_FALSE(par_en(1, 13, 9, 4, 3, 5, 3));  // below the last row of blocks
}

TEST(Barrido, StopsWhenAskedAndCanRunOnAWorker) {
    Laboratorio l;
    std::vector<FilaBarrido> filas;
    std::atomic<size_t> avisos = 0;
    TrabajoEnSegundoPlano trabajo;
    trabajo.lanza([&](std::stop_token) {
        filas = barrido_de_grados(l.anfitrion, l.marca, {8, 16, 32}, 3, {*lee_ataque("brillo:20")},
                                  nullptr, [&](size_t hechos, size_t total) {
                                      EXPECT_EQ(total, 3u);
                                      return ++avisos < 2 && hechos < total;
                                  });
    });
    trabajo.espera();
    // Stopped after the second degree reported: whole degrees, in order, up
    // to the first one not done. Either worker may finish first, so the
    // prefix holds none, one or two of them.
    EXPECT_EQ(avisos, 2u);
    EXPECT_TRUE(filas.empty() || filas.size() == 2 || filas.size() == 4) << filas.size();
    filas = barrido_de_grados(l.anfitrion, l.marca, {8, 16, 32}, 3, {*lee_ataque("brillo:20")},
                              nullptr);
    ASSERT_EQ(filas.size(), 6u);
    EXPECT_EQ(filas[0].grado, 8);
    EXPECT_EQ(filas[1].ataque, "brillo:20");
    EXPECT_EQ(filas[1].ber, 0.0);
    EXPECT_EQ(filas[4].grado, 32);
    EXPECT_EQ(barrido_de_grados(l.anfitrion, l.marca, {8, 16, 32}, 3, {}, nullptr).size(), 3u);
    EXPECT_EQ(barrido_csv({filas[0]}).substr(0, 31), "grado,ataque,psnr,ber\n8,ninguno");

    // Cancelling waits for the job, which sees its stop token.
    std::atomic<bool> visto = false;
    trabajo.lanza([&](std::stop_token parar) {
        while (!parar.stop_requested()) std::this_thread::yield();
        visto = true;
    });
    trabajo.cancela();
    EXPECT_TRUE(visto);
}

}  // namespace
}  // namespace zek
