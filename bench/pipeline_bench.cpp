// SPDX-License-Identifier: MIT
// The demonstration on the largest pictures it accepts: a 378 x 483 host and
// a 180 x 226 watermark, Grado 10, Clave 3. Each stage alone, the whole
// pipeline (both captures, then stages 0 to 3), and a floor: one plain loop
// that reads every host pixel and writes every result pixel once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "base/puerto_memoria.h"
#include "base/superficie_memoria.h"
#include "engine/espectro.h"
#include "engine/extraccion_ciega.h"
#include "engine/funciones.h"
#include "engine/lectura_ciega.h"
#include "engine/metodo.h"
#include "engine/sincronizacion.h"
#include "graficos/hoja_de_clase.h"
#include "images/ataques.h"
#include "images/calidad.h"
#include "images/capturas.h"
#include "qt/escritura.h"
#include "qt/imagen_qt.h"
#include "qt/lector_qt.h"
#include "workflow/barrido.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"
#include "workflow/informe.h"
#include "workflow/laboratorio.h"
#include "workflow/lector_memoria.h"
#include "workflow/secuenciador.h"
#include "workflow/sesion_sin_ventana.h"

namespace zek {
namespace {

// The largest watermark the layout takes: the box's limit less a column
// and a row, for an even pixel count.
constexpr TamanoImagen kMarcaMayor{kLimiteMarca.ancho - 1, kLimiteMarca.alto - 1};

// A photograph-like host: smooth colour gradients with some texture.
SuperficieMemoria anfitrion_en_color() {
    SuperficieMemoria s(kLimiteAnfitrion.ancho, kLimiteAnfitrion.alto);
    for (int x = 0; x < s.ancho(); ++x) {
        for (int y = 0; y < s.alto(); ++y) {
            const int r = static_cast<int>(128 + 100 * std::sin(x * 0.021) + (x * y) % 23);
            const int g = static_cast<int>(120 + 90 * std::cos(y * 0.017) + (x + 3 * y) % 19);
            const int b = (x + y) * 255 / (s.ancho() + s.alto());
            s.pon_pixel(x, y, (r & 0xFF) + 256 * (g & 0xFF) + 65536 * b);
        }
    }
    return s;
}

// The same size in shades of grey, whose chrominance is all tiny residues.
SuperficieMemoria anfitrion_en_gris() {
    SuperficieMemoria s(kLimiteAnfitrion.ancho, kLimiteAnfitrion.alto);
    for (int x = 0; x < s.ancho(); ++x) {
        for (int y = 0; y < s.alto(); ++y) s.pon_pixel(x, y, ((x + y) % 256) * 0x010101);
    }
    return s;
}

// A black ring on white.
SuperficieMemoria marca() {
    SuperficieMemoria s(kMarcaMayor.ancho, kMarcaMayor.alto);
    for (int x = 0; x < s.ancho(); ++x) {
        for (int y = 0; y < s.alto(); ++y) {
            const double d = std::hypot(x - 90, y - 113);
            s.pon_pixel(x, y, d > 50 && d < 80 ? 0 : 0xFFFFFF);
        }
    }
    return s;
}

// The engine's state with the host and the watermark captured, Grado 10 and
// Clave 3, and the four stages alone, without the findings the session adds
// to them: what the stage figures time.
struct Escenario {
    PuertoMemoria puerto;
    Vbles v;
    SuperficieMemoria p1{kLimiteAnfitrion.ancho, kLimiteAnfitrion.alto}, p2,
        p3{p1.ancho(), p1.alto()}, p4;
    Secuenciador sec{v, {p1, p2, p3, p4}, puerto};

    explicit Escenario(const SuperficieMemoria& anfitrion) {
        p1 = anfitrion;
        p2 = marca();
        p4.fija_tamano(p2.ancho(), p2.alto());
        v.Grado = 10;
        v.Clave = 3;
        Captura_Imagen(p1, v);
        Captura_Marca(p2, v);
    }
};

// The same pictures and parameters in a session, as the user opens them:
// for the figures that include what the session adds.
struct EscenarioSesion : SesionSinVentana {
    explicit EscenarioSesion(const SuperficieMemoria& anfitrion, LectorImagen* archivos = nullptr)
        : SesionSinVentana(archivos) {
        carga(anfitrion, marca());
        demuestra("10", "3", 0);
    }
};

void suelo(const SuperficieMemoria& anfitrion, SuperficieMemoria& resultado) {
    for (int x = 0; x < anfitrion.ancho(); ++x) {
        for (int y = 0; y < anfitrion.alto(); ++y)
            resultado.pon_pixel(x, y, anfitrion.lee_pixel(x, y));
    }
    benchmark::DoNotOptimize(resultado);
}

// Both captures, then the four presses.
void demostracion(Escenario& e) {
    Captura_Imagen(e.p1, e.v);
    Captura_Marca(e.p2, e.v);
    for (int i = 0; i < 4; ++i) e.sec.Command1_Click();
    benchmark::DoNotOptimize(e.p4);
}

void BM_Suelo(benchmark::State& state) {
    const SuperficieMemoria anfitrion = anfitrion_en_color();
    SuperficieMemoria resultado(kLimiteAnfitrion.ancho, kLimiteAnfitrion.alto);
    for (auto _ : state) suelo(anfitrion, resultado);
}
BENCHMARK(BM_Suelo)->Unit(benchmark::kMillisecond);

void BM_CapturaImagen(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    for (auto _ : state) Captura_Imagen(e.p1, e.v);
}
BENCHMARK(BM_CapturaImagen)->Unit(benchmark::kMillisecond);

void BM_CapturaImagenGris(benchmark::State& state) {
    Escenario e(anfitrion_en_gris());
    for (auto _ : state) Captura_Imagen(e.p1, e.v);
}
BENCHMARK(BM_CapturaImagenGris)->Unit(benchmark::kMillisecond);

void BM_CapturaMarca(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    for (auto _ : state) Captura_Marca(e.p2, e.v);
}
BENCHMARK(BM_CapturaMarca)->Unit(benchmark::kMillisecond);

void BM_Etapa0_Rejilla(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    for (auto _ : state) {
        Calcula_Bloques(e.v, e.p1, e.p2, e.puerto);
        Dibuja_Rejilla(e.p1, e.v.LongBloque);
    }
}
BENCHMARK(BM_Etapa0_Rejilla)->Unit(benchmark::kMillisecond);

void BM_Etapa1_Insercion(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    for (auto _ : state) {
        // Embedding again on top of the last one costs the same.
        Inserta_Marca(e.v, e.p1, e.p2, e.p3, e.puerto);
    }
}
BENCHMARK(BM_Etapa1_Insercion)->Unit(benchmark::kMillisecond);

void BM_Etapa2_Rejilla(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    Calcula_Bloques(e.v, e.p1, e.p2, e.puerto);
    for (auto _ : state) Dibuja_Rejilla(e.p3, e.v.LongBloque);
}
BENCHMARK(BM_Etapa2_Rejilla)->Unit(benchmark::kMillisecond);

void BM_Etapa3_Extraccion(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    for (auto _ : state) Extrae_Marca(e.v, e.p2, e.p4);
}
BENCHMARK(BM_Etapa3_Extraccion)->Unit(benchmark::kMillisecond);

// Reading the watermark back from the watermarked picture alone: a capture
// of its luminance and one residue per pair, like the embedding.
void BM_ExtraccionCiega(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    Inserta_Marca(e.v, e.p1, e.p2, e.p3, e.puerto);
    for (auto _ : state) {
        auto leida = extraccion_ciega(
            e.p3, {e.v.Grado, e.v.Clave, e.v.LongBloque, kMarcaMayor.ancho, kMarcaMayor.alto});
        benchmark::DoNotOptimize(leida);
    }
}
BENCHMARK(BM_ExtraccionCiega)->Unit(benchmark::kMillisecond);

// Each attack on the watermarked picture.
void BM_Ataque(benchmark::State& state, const char* texto) {
    Escenario e(anfitrion_en_color());
    Inserta_Marca(e.v, e.p1, e.p2, e.p3, e.puerto);
    const Ataque ataque = *lee_ataque(texto);
    const CodecJpegQt jpeg;
    for (auto _ : state) {
        auto atacada = aplica_ataque(ataque, e.p3, &jpeg);
        benchmark::DoNotOptimize(atacada);
    }
}
BENCHMARK_CAPTURE(BM_Ataque, jpeg_75, "jpeg:75")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ataque, ruido_5, "ruido:5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ataque, media_3, "media:3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ataque, mediana_3, "mediana:3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ataque, brillo_20, "brillo:20")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ataque, recorte_4, "recorte:4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ataque, escala_50, "escala:50")->Unit(benchmark::kMillisecond);

// The laboratory's figures on the watermarked picture: the difference
// against the host and the residue histogram, both from luminance tables.
void BM_Diferencia(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    const Tabla original = e.v.MatrizY;
    Inserta_Marca(e.v, e.p1, e.p2, e.p3, e.puerto);
    for (auto _ : state) {
        auto d = diferencia_de_luminancia(e.v.MatrizY, original, e.p1.ancho(), e.p1.alto());
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_Diferencia)->Unit(benchmark::kMillisecond);

void BM_Histograma(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    Inserta_Marca(e.v, e.p1, e.p2, e.p3, e.puerto);
    // The laboratory captures a picture's luminance once, for the reading
    // and the histogram alike.
    Tabla Y;
    captura_luminancia(e.p3, Y);
    for (auto _ : state) {
        auto h = histograma_de_residuos(
            Y, e.p3.ancho(), e.p3.alto(),
            {e.v.Grado, e.v.Clave, e.v.LongBloque, e.p2.ancho(), e.p2.alto()}, e.v.MatrizMarca);
        benchmark::DoNotOptimize(h);
    }
}
BENCHMARK(BM_Histograma)->Unit(benchmark::kMillisecond);

// Reading the watermark back from a saved file as the window does it
// ("Imagen marcada…"): the file decoded by the window's reader and shown,
// then the blind extraction.
void BM_ExtraccionDesdeArchivo(benchmark::State& state, const char* formato) {
    LectorQt lector;
    EscenarioSesion e(anfitrion_en_color(), &lector);
    for (int i = 0; i < 2; ++i) e.sesion.Command1_Click();
    const std::string ruta = "/tmp/zek-bench-marcada." + std::string(formato);
    escribe_imagen(a_qimage(e.sesion.demostracion().marcada_completa()), ruta,
                   std::string(formato) == "bmp" ? "BMP" : "PNG");
    for (auto _ : state) e.sesion.abre(Rol::Marcada, ruta);
}
BENCHMARK_CAPTURE(BM_ExtraccionDesdeArchivo, bmp, "bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExtraccionDesdeArchivo, png, "png")->Unit(benchmark::kMillisecond);

// The samples opened as the user opens them, host first.
void abre_muestras(SesionSinVentana& s) {
    const std::string muestras = ZEK_CARPETA_MUESTRAS;
    s.sesion.abre(Rol::Imagen, muestras + "/imagen.bmp");
    s.sesion.abre(Rol::Marca, muestras + "/marca.bmp");
}

// The classroom handout of the samples as the window makes it, with the
// laboratory's sweep and comparison already computed: the pictures and
// figures, the charts, the attack table, the report, and the PDF in memory.
void BM_Hoja(benchmark::State& state) {
    LectorQt lector;
    SesionSinVentana s(&lector);
    abre_muestras(s);
    s.demuestra("16", "3");
    const CodecJpegQt jpeg;
    const auto entrada = s.sesion.entrada_del_barrido();
    const int Wm = entrada->marca.ancho(), Hm = entrada->marca.alto();
    const auto barrido = barrido_de_grados(entrada->anfitrion, entrada->marca, grados_del_barrido(),
                                           entrada->clave, ataques_del_barrido(), &jpeg);
    const std::optional<Comparacion> comparacion =
        compara_metodos(entrada->anfitrion, bits_de_marca(s.sesion.vbles().MatrizMarca, Wm, Hm), Wm,
                        Hm, s.sesion.vbles().Grado, entrada->clave, std::nullopt, &jpeg);
    for (auto _ : state) {
        FuenteLaboratorio fuente;
        auto hoja = leccion_de_la_sesion(s.sesion, &fuente);
        hoja->barrido = barrido;
        hoja->comparacion = comparacion;
        const auto graficos = dibuja_graficos(documento_de_la_hoja(*hoja));
        hoja->ataques = ataca(&fuente, ataques_de_la_hoja(), jpeg);
        const QByteArray informe = QByteArray::fromStdString(informe_json(
            s.sesion.vbles(), s.sesion.demostracion().informe(), fuente, {}, hoja->ataques));
        benchmark::DoNotOptimize(hoja_pdf(documento_de_la_hoja(*hoja), graficos, informe));
    }
}
BENCHMARK(BM_Hoja)->Unit(benchmark::kMillisecond)->Iterations(5);

// The samples as the web edition's benchmark (bench/pagina.py) measures
// them in the browser: press N of the step button (Grado 10, Clave 3), and
// an attack on the watermarked picture with its reading.
void BM_PasoMuestras(benchmark::State& state) {
    LectorQt lector;
    const auto n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<SesionSinVentana>(&lector);
        abre_muestras(*s);
        s->demuestra("10", "3", n - 1);
        state.ResumeTiming();
        s->sesion.Command1_Click();
        state.PauseTiming();
        s.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasoMuestras)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

void BM_AtaqueMuestras(benchmark::State& state, const char* ataque) {
    LectorQt lector;
    SesionSinVentana s(&lector);
    abre_muestras(s);
    s.demuestra("10", "3");
    const auto fuente = s.sesion.fuente_marcada();
    const CodecJpegQt jpeg;
    for (auto _ : state) benchmark::DoNotOptimize(analiza(*fuente, *lee_ataque(ataque), &jpeg));
}
BENCHMARK_CAPTURE(BM_AtaqueMuestras, ruido, "ruido:5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AtaqueMuestras, jpeg, "jpeg:75")->Unit(benchmark::kMillisecond);

// The spread spectrum chosen in the laboratory, as the browser's benchmark
// measures it too: the samples' host marked with the key, attacked with
// noise, and the detector's response to a thousand and one keys.
void BM_EspectroMuestras(benchmark::State& state) {
    LectorQt lector;
    SesionSinVentana s(&lector);
    abre_muestras(s);
    s.demuestra("10", "3");
    EleccionLaboratorio e;
    e.metodo = &metodo_espectro();
    e.fuerza = kAlfaEspectro;
    e.clave = 3;
    e.anfitrion = s.sesion.entrada_del_barrido()->anfitrion;
    e.ataque = *lee_ataque("ruido:5");
    for (auto _ : state) benchmark::DoNotOptimize(analiza_eleccion(e, nullptr));
}
BENCHMARK(BM_EspectroMuestras)->Unit(benchmark::kMillisecond);

// The search for the grid on a 378 x 483 host (the samples' host repeated
// to that size), watermarked with the samples' watermark at Grado 16, Clave
// 3 and cut by 64 pixels on each axis, from (32, 32): both maps over 65 x 65
// offsets, the choice and the reading. The target is 100 ms.
struct Recortada {
    SuperficieMemoria anfitrion, imagen;
    int W, H, Wm, Hm;
    Bits bits;
    ParametrosLectura p;
};
SuperficieMemoria cortada(const SuperficieImagen& s) {
    SuperficieMemoria c(s.ancho() - 64, s.alto() - 64);
    for (int x = 0; x < c.ancho(); ++x) {
        for (int y = 0; y < c.alto(); ++y) c.pon_pixel(x, y, s.lee_pixel(x + 32, y + 32));
    }
    return c;
}
Recortada muestras_recortadas() {
    LectorQt lector;
    SesionSinVentana s(&lector);
    abre_muestras(s);
    s.demuestra("16", "3");
    const SuperficieImagen& muestra = s.sesion.Picture1();
    const int W = 378, H = 483, Wm = s.sesion.Picture2().ancho(), Hm = s.sesion.Picture2().alto();
    SuperficieMemoria anfitrion(W, H);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y)
            anfitrion.pon_pixel(x, y, muestra.lee_pixel(x % muestra.ancho(), y % muestra.alto()));
    }
    const Bits bits = bits_de_marca(s.sesion.vbles().MatrizMarca, Wm, Hm);
    const auto marcada = metodo_bloques().inserta(anfitrion, bits, Wm, Hm, 16, 3);
    return {anfitrion, cortada(*marcada),
            W,         H,
            Wm,        Hm,
            bits,      ParametrosLectura{16, 3, lado_de_lectura(0, W, H, Wm, Hm), Wm, Hm}};
}

void BM_BuscaRejilla(benchmark::State& state) {
    const Recortada r = muestras_recortadas();
    for (auto _ : state) {
        std::string motivo;
        const auto s = sincroniza_pares(r.imagen, r.W, r.H, r.p, r.bits, &motivo);
        if (!s || s->x != 32 || s->y != 32) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_BuscaRejilla)->Unit(benchmark::kMillisecond);

// The same search for the DCT method's grid (its own picture, alfa 2).
void BM_BuscaRejillaDct(benchmark::State& state) {
    const Recortada r = muestras_recortadas();
    const auto marcada = metodo_dct().inserta(r.anfitrion, r.bits, r.Wm, r.Hm, 2, 3);
    const SuperficieMemoria c = cortada(*marcada);
    for (auto _ : state) {
        std::string motivo;
        const auto d = sincroniza_dct(c, r.W, r.H, r.bits, r.Wm, r.Hm, 2, 3, &motivo);
        if (!d || d->x != 32 || d->y != 32) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_BuscaRejillaDct)->Unit(benchmark::kMillisecond);

// The spread spectrum detector's registration of the same cut.
void BM_Registro(benchmark::State& state) {
    const Recortada r = muestras_recortadas();
    for (auto _ : state) {
        std::string motivo;
        const auto d = registra(r.imagen, r.anfitrion, &motivo);
        if (!d || d->x != 32 || d->y != 32) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_Registro)->Unit(benchmark::kMillisecond);

// "Buscar la rejilla" in the laboratory after recorte:32 on the samples
// (33 x 33 offsets), as bench/pagina.py measures it in the browser.
void BM_BuscaMuestras(benchmark::State& state) {
    LectorQt lector;
    SesionSinVentana s(&lector);
    abre_muestras(s);
    s.demuestra("10", "3");
    const auto fuente = std::make_shared<const FuenteLaboratorio>(*s.sesion.fuente_marcada());
    const EleccionLaboratorio e = eleccion_del_laboratorio(
        s.sesion, fuente, false, metodo_bloques(), 0, *lee_ataque("recorte:32"), true);
    for (auto _ : state) benchmark::DoNotOptimize(analiza_eleccion(e, nullptr));
}
BENCHMARK(BM_BuscaMuestras)->Unit(benchmark::kMillisecond);

// The laboratory's long jobs on the samples (Grado 10, Clave 3), as the
// browser's benchmark runs them too: the degree sweep, the comparison of
// the four methods, and the detector after a JPEG at 75 with its ROC.
void BM_TrabajoMuestras(benchmark::State& state, const char* trabajo) {
    LectorQt lector;
    SesionSinVentana s(&lector);
    abre_muestras(s);
    s.demuestra("10", "3");
    const EntradaBarrido e = *s.sesion.entrada_del_barrido();
    const int Wm = e.marca.ancho(), Hm = e.marca.alto();
    const Bits bits = bits_de_marca(s.sesion.vbles().MatrizMarca, Wm, Hm);
    const CodecJpegQt jpeg;
    const std::string que = trabajo;
    for (auto _ : state) {
        if (que == "barrido")
            benchmark::DoNotOptimize(barrido_de_grados(e.anfitrion, e.marca, grados_del_barrido(),
                                                       3, ataques_del_barrido(), &jpeg));
        else if (que == "comparacion")
            benchmark::DoNotOptimize(
                compara_metodos(e.anfitrion, bits, Wm, Hm, 10, 3, std::nullopt, &jpeg));
        else
            benchmark::DoNotOptimize(analiza_deteccion(
                e.anfitrion, 3, kAlfaEspectro, kLongitudEspectro, *lee_ataque("jpeg:75"), &jpeg));
    }
}
BENCHMARK_CAPTURE(BM_TrabajoMuestras, barrido, "barrido")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_TrabajoMuestras, comparacion, "comparacion")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_TrabajoMuestras, deteccion, "deteccion")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Spread spectrum on the largest host: the embedding (the whole picture's
// DCT, the key's sequence, the inverse of the change), then the detector
// made from the host and its reading of the marked picture; and the
// response to a thousand wrong keys on what it read.
void BM_Espectro(benchmark::State& state) {
    const SuperficieMemoria anfitrion = anfitrion_en_color();
    for (auto _ : state) {
        const auto marcada =
            inserta_espectro(anfitrion, 3, kAlfaEspectro, kLongitudEspectro, nullptr);
        const DetectorEspectro d(anfitrion, kLongitudEspectro);
        benchmark::DoNotOptimize(d.extrae(*marcada, kAlfaEspectro));
    }
}
BENCHMARK(BM_Espectro)->Unit(benchmark::kMillisecond);

void BM_RespuestaEspectro(benchmark::State& state) {
    const SuperficieMemoria anfitrion = anfitrion_en_color();
    const auto marcada = inserta_espectro(anfitrion, 3, kAlfaEspectro, kLongitudEspectro, nullptr);
    const auto x = DetectorEspectro(anfitrion, kLongitudEspectro).extrae(*marcada, kAlfaEspectro);
    for (auto _ : state) benchmark::DoNotOptimize(responde(*x, 3));
}
BENCHMARK(BM_RespuestaEspectro)->Unit(benchmark::kMillisecond);

// The laboratory's sweep: 16 degrees, each without attack and with six.
void BM_Barrido(benchmark::State& state) {
    const SuperficieMemoria anfitrion = anfitrion_en_color(), m = marca();
    const std::vector<Ataque> ataques = ataques_del_barrido();
    const CodecJpegQt jpeg;
    for (auto _ : state) {
        auto filas = barrido_de_grados(anfitrion, m, grados_del_barrido(), 3, ataques, &jpeg);
        benchmark::DoNotOptimize(filas);
    }
}
BENCHMARK(BM_Barrido)->Unit(benchmark::kMillisecond)->Iterations(3);

// The largest watermark's bits, as a capture classes them.
Bits bits_de_la_marca() {
    Escenario e(anfitrion_en_color());
    return bits_de_marca(e.v.MatrizMarca, kMarcaMayor.ancho, kMarcaMayor.alto);
}

// One method's embedding and blind reading on the largest host.
void BM_Metodo(benchmark::State& state, const char* nombre, double fuerza) {
    const SuperficieMemoria anfitrion = anfitrion_en_color();
    const Bits bits = bits_de_la_marca();
    const Metodo& m = *metodo(nombre);
    for (auto _ : state) {
        auto marcada = m.inserta(anfitrion, bits, kMarcaMayor.ancho, kMarcaMayor.alto, fuerza, 3);
        auto leidos = m.lee(*marcada, kMarcaMayor.ancho, kMarcaMayor.alto, fuerza, 3);
        benchmark::DoNotOptimize(leidos);
    }
}
BENCHMARK_CAPTURE(BM_Metodo, bloques, "bloques", 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Metodo, lsb, "lsb", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Metodo, dct, "dct", 2)->Unit(benchmark::kMillisecond);

void BM_Ssim(benchmark::State& state) {
    Escenario e(anfitrion_en_color());
    Inserta_Marca(e.v, e.p1, e.p2, e.p3, e.puerto);
    Tabla Y;
    captura_luminancia(e.p3, Y);
    for (auto _ : state) {
        auto s = ssim_entre(Y, e.v.MatrizY, e.p1.ancho(), e.p1.alto());
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_Ssim)->Unit(benchmark::kMillisecond);

// The whole comparison: calibration, three methods by seven attacks and the
// JPEG curve of 19 qualities.
void BM_Comparacion(benchmark::State& state) {
    const SuperficieMemoria anfitrion = anfitrion_en_color();
    const Bits bits = bits_de_la_marca();
    const CodecJpegQt jpeg;
    for (auto _ : state) {
        auto c = compara_metodos(anfitrion, bits, kMarcaMayor.ancho, kMarcaMayor.alto, 10, 3,
                                 std::nullopt, &jpeg);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_Comparacion)->Unit(benchmark::kMillisecond)->Iterations(3);

template <SuperficieMemoria (*Anfitrion)()>
void BM_Demostracion(benchmark::State& state) {
    const SuperficieMemoria anfitrion = Anfitrion();
    for (auto _ : state) {
        // A fresh scenario each time, built and freed outside the timing.
        state.PauseTiming();
        auto e = std::make_unique<Escenario>(anfitrion);
        state.ResumeTiming();
        demostracion(*e);
        state.PauseTiming();
        e.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Demostracion<anfitrion_en_color>)
    ->Name("BM_Demostracion")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Demostracion<anfitrion_en_gris>)
    ->Name("BM_DemostracionGris")
    ->Unit(benchmark::kMillisecond);

// Four presses of the step button as the user makes them, with the
// findings of the status line (PSNR after stage 1, the blind extraction
// after stage 3).
void BM_CuatroPulsaciones(benchmark::State& state) {
    const SuperficieMemoria anfitrion = anfitrion_en_color();
    for (auto _ : state) {
        state.PauseTiming();
        auto e = std::make_unique<EscenarioSesion>(anfitrion);
        state.ResumeTiming();
        for (int i = 0; i < 4; ++i) e->sesion.Command1_Click();
        state.PauseTiming();
        e.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CuatroPulsaciones)->Unit(benchmark::kMillisecond);

// The pipeline/floor ratio. This machine's speed drifts over seconds, so
// the floor and the pipeline are timed alternately and the fastest run of
// each is kept. Each round runs the floor three times (its data then sits
// in the cache, as in a benchmark loop) and one demonstration on a scenario
// built just before.
struct Cociente {
    double suelo_ms, demostracion_ms;
};
Cociente cociente_intercalado(int rondas) {
    using Reloj = std::chrono::steady_clock;
    const SuperficieMemoria anfitrion = anfitrion_en_color();
    SuperficieMemoria resultado(kLimiteAnfitrion.ancho, kLimiteAnfitrion.alto);
    Cociente mejor{1e9, 1e9};
    for (int i = 0; i < rondas; ++i) {
        auto e = std::make_unique<Escenario>(anfitrion);
        for (int j = 0; j < 3; ++j) {
            const auto t0 = Reloj::now();
            suelo(anfitrion, resultado);
            const std::chrono::duration<double, std::milli> s = Reloj::now() - t0;
            mejor.suelo_ms = std::min(mejor.suelo_ms, s.count());
        }
        const auto t0 = Reloj::now();
        demostracion(*e);
        const std::chrono::duration<double, std::milli> d = Reloj::now() - t0;
        mejor.demostracion_ms = std::min(mejor.demostracion_ms, d.count());
    }
    return mejor;
}

}  // namespace
}  // namespace zek

int main(int argc, char** argv) {
    // The handout's charts need an application; nothing is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    constexpr int kRondas = 100;
    const zek::Cociente c = zek::cociente_intercalado(kRondas);
    std::printf(
        "\npipeline/floor ratio: %.1f (pipeline %.2f ms, floor %.3f ms; fastest of %d "
        "interleaved runs)\n",
        c.demostracion_ms / c.suelo_ms, c.demostracion_ms, c.suelo_ms, kRondas);
}
