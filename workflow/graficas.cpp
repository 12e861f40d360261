// SPDX-License-Identifier: MIT
#include "workflow/graficas.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "base/numeros.h"

namespace zek {
namespace {

// Colours far enough apart to tell eight lines from each other.
constexpr ColorGrafico kColores[] = {{0, 114, 178},   {213, 94, 0},  {0, 158, 115},
                                     {204, 121, 167}, {230, 159, 0}, {86, 180, 233},
                                     {120, 120, 120}, {240, 228, 66}};
constexpr ColorGrafico kGris{120, 120, 120}, kNegro{0, 0, 0};

ColorGrafico color(size_t n) {
    return kColores[n % std::size(kColores)];
}

SerieGrafico linea(std::string nombre, ColorGrafico c, Trazo t = Trazo::Continuo,
                   double grosor = 2) {
    SerieGrafico s;
    s.nombre = std::move(nombre);
    s.color = c;
    s.trazo = t;
    s.grosor = grosor;
    return s;
}

void anade(SerieGrafico& s, double x, double y) {
    s.x.push_back(x);
    s.y.push_back(y);
}

// What chance reads, as a grey dotted line from (x0, y0) to (x1, y1).
SerieGrafico linea_de_azar(std::string nombre, double x0, double y0, double x1, double y1) {
    SerieGrafico s = linea(std::move(nombre), kGris, Trazo::Punteado, 1);
    anade(s, x0, y0);
    anade(s, x1, y1);
    return s;
}

// The detector's threshold, dashed, from x = desde to hasta.
SerieGrafico linea_de_umbral(std::string nombre, double umbral, double desde, double hasta) {
    SerieGrafico s = linea(std::move(nombre), kNegro, Trazo::Discontinuo, 1);
    anade(s, desde, umbral);
    anade(s, hasta, umbral);
    return s;
}

// JPEG quality from 10 to 100, a tick every 10.
Eje eje_de_calidad(char separador) {
    return eje_redondo("Calidad JPEG", 10, 100, 10, separador);
}

const MetodoComparado* el_que_decide(const Comparacion& c) {
    for (const MetodoComparado& m : c.metodos)
        if (m.metodo && !m.metodo->lee_la_marca()) return &m;
    return nullptr;
}

}  // namespace

std::optional<Grafico> describe_barrido(const std::vector<FilaBarrido>& filas,
                                        const std::string& magnitud, char separador) {
    if (filas.empty()) return std::nullopt;
    Grafico g;
    g.titulo = "Marca de agua: errores de la extracción ciega según el " + magnitud;
    // The watermarked picture itself first, then the attacks in the order given.
    std::vector<std::string> ataques{"ninguno"};
    for (const FilaBarrido& f : filas)
        if (std::find(ataques.begin(), ataques.end(), f.ataque) == ataques.end())
            ataques.push_back(f.ataque);
    for (size_t i = 0; i < ataques.size(); ++i)
        g.series.push_back(linea(ataques[i] == "ninguno" ? "sin ataque" : ataques[i], color(i)));
    SerieGrafico psnr = linea("PSNR de la imagen marcada", kNegro, Trazo::Discontinuo);
    psnr.eje_derecho = true;
    double desde = filas[0].grado, hasta = filas[0].grado, ber_max = 0;
    double psnr_min = 1e300, psnr_max = -1e300;
    for (const FilaBarrido& f : filas) {
        desde = std::min(desde, f.grado);
        hasta = std::max(hasta, f.grado);
        const auto i = std::find(ataques.begin(), ataques.end(), f.ataque) - ataques.begin();
        if (f.ber) {
            anade(g.series[static_cast<size_t>(i)], f.grado, *f.ber);
            ber_max = std::max(ber_max, *f.ber);
        }
        if (f.ataque == "ninguno" && f.psnr) {
            anade(psnr, f.grado, *f.psnr);
            psnr_min = std::min(psnr_min, *f.psnr);
            psnr_max = std::max(psnr_max, *f.psnr);
        }
    }
    std::string titulo = magnitud;
    if (!titulo.empty()) titulo[0] = static_cast<char>(std::toupper(titulo[0]));
    // The degrees swept, end to end, with ticks at round degrees within.
    g.x = eje_redondo(titulo, desde, hasta, 8, separador, false);
    // Short titles, which a chart of 220 pixels shows whole.
    g.y = eje_redondo("Tasa de error", 0, std::min(1.0, std::ceil(ber_max * 10 + 0.01) / 10), 6,
                      separador);
    if (psnr_min <= psnr_max) {
        g.y_derecho = eje_redondo("PSNR (dB)", std::floor(psnr_min / 5) * 5,
                                  std::ceil(psnr_max / 5) * 5 + 5, 6, separador);
        g.series.push_back(std::move(psnr));
    }
    return g;
}

std::optional<Grafico> describe_laboratorio(const ResultadoLaboratorio& r,
                                            const FuenteLaboratorio& f, const Metodo& m,
                                            char separador) {
    if (r.detectada) {
        if (!r.respuesta) return std::nullopt;
        return describe_respuesta(*r.respuesta, f.lectura.Clave, kUmbralEspectro, separador);
    }
    return describe_histograma(
        {{"Antes", f.antes}, {"Después", f.despues}, {"Atacada", r.histograma}},
        !m.de_la_demostracion(), separador);
}

int32_t paso_de_etiquetas(int32_t n, int32_t como_mucho) {
    for (const int32_t paso : {1, 2, 4, 5, 10, 20, 25, 50, 100, 250, 500, 1000}) {
        if ((n + paso - 1) / paso <= como_mucho) return paso;
    }
    return (n + como_mucho - 1) / como_mucho;
}

Grafico describe_histograma(const std::vector<SerieHistograma>& series, bool fracciones,
                            char separador) {
    static constexpr ColorGrafico kGrises[] = {{150, 150, 150}, {90, 90, 90},  {86, 180, 233},
                                               {0, 114, 178},   {230, 159, 0}, {213, 94, 0}};
    Grafico g;
    g.titulo =
        fracciones ? "Dónde cae lo que lee el método en su paso" : "Restos de los pares de bloques";
    int32_t grado = 0;
    int64_t mayor = 0;
    size_t n = 0;
    for (const SerieHistograma& s : series) {
        if (!s.histograma) continue;
        grado = std::max(grado, s.histograma->grado);
        for (const auto* clase : {&s.histograma->claros, &s.histograma->oscuros}) {
            SerieGrafico barras;
            barras.nombre = s.nombre + (clase == &s.histograma->claros ? " claros" : " oscuros");
            barras.tipo = TipoSerie::Barras;
            barras.color = kGrises[n++ % std::size(kGrises)];
            for (size_t r = 0; r < clase->size(); ++r) {
                anade(barras, static_cast<double>(r), static_cast<double>((*clase)[r]));
                mayor = std::max(mayor, (*clase)[r]);
            }
            g.series.push_back(std::move(barras));
        }
    }
    // Bar r stands at r. A label every `paso` bars, so that a narrow chart
    // shows fewer whole numbers rather than every one cut short.
    g.x.titulo =
        fracciones ? "Fracción del paso (claro: 1/2, oscuro: 0)" : "Resto (de 0 a |Grado| - 1)";
    g.x.desde = -0.5;
    g.x.hasta = std::max(grado, 1) - 0.5;
    const int32_t paso = paso_de_etiquetas(grado, fracciones ? 5 : 8);
    for (int32_t r = 0; r < grado; r += paso) {
        g.x.marcas.push_back({static_cast<double>(r),
                              fracciones
                                  ? con_decimales(static_cast<double>(r) / grado, 2, separador)
                                  : std::to_string(r)});
    }
    // Whole counts: never a step under one.
    const double tope = static_cast<double>(std::max<int64_t>(mayor, 1));
    g.y =
        eje_redondo("Pares de bloques", 0, tope, static_cast<int>(std::min(tope, 6.0)), separador);
    return g;
}

double tope_de_comparacion(const Comparacion& c) {
    double mayor = 0;
    for (const MetodoComparado& m : c.metodos) {
        for (const auto& ber : m.ber_jpeg) mayor = std::max(mayor, ber.value_or(0));
    }
    return std::clamp(std::ceil(mayor * 10 - 1e-9) / 10, 0.6, 1.0);
}

std::optional<Grafico> describe_comparacion(const Comparacion& c, char separador) {
    if (c.metodos.empty()) return std::nullopt;
    Grafico g;
    const char* origen = c.origen == OrigenObjetivo::Pedido       ? " (pedido)"
                         : c.origen == OrigenObjetivo::PorDefecto ? " (por defecto)"
                                                                  : "";
    g.titulo = "Tres métodos a " + con_decimales(c.psnr_objetivo, 1, separador) + " dB" + origen +
               ": errores según la calidad JPEG";
    g.x = eje_de_calidad(separador);
    const double tope = tope_de_comparacion(c);
    g.y =
        eje_redondo("Tasa de error", 0, tope, static_cast<int>(std::lround(tope * 10)), separador);
    // Chance: above it a reading is more inverted than random.
    g.series.push_back(linea_de_azar(
        "0" + std::string(1, separador) + "5: al azar (por encima, lectura invertida)", 10, 0.5,
        100, 0.5));
    const std::vector<int> calidades = calidades_de_la_comparacion();
    size_t n = 0;
    for (const MetodoComparado& m : c.metodos) {
        if (!m.metodo->lee_la_marca()) continue;  // it has its own chart, of sim
        SerieGrafico s = linea(m.metodo->nombre(), color(n++));
        for (size_t i = 0; i < m.ber_jpeg.size() && i < calidades.size(); ++i)
            if (m.ber_jpeg[i]) anade(s, calidades[i], *m.ber_jpeg[i]);
        const ColorGrafico del_metodo = s.color;
        g.series.push_back(std::move(s));
        if (!m.calidad_predicha) continue;
        // The quality below which JPEG may move a coefficient across.
        SerieGrafico marca = linea(std::string(m.metodo->nombre()) + ": calidad predicha " +
                                       std::to_string(*m.calidad_predicha),
                                   del_metodo, Trazo::Discontinuo, 1);
        anade(marca, *m.calidad_predicha, 0);
        anade(marca, *m.calidad_predicha, tope);
        g.series.push_back(std::move(marca));
    }
    return g;
}

std::optional<Grafico> describe_sim_jpeg(const Comparacion& c, char separador) {
    const MetodoComparado* m = el_que_decide(c);
    if (!m || m->sim_jpeg.empty()) return std::nullopt;
    Grafico g;
    g.titulo = std::string(m->metodo->titulo()) + " a " +
               con_decimales(c.psnr_objetivo, 1, separador) + " dB: sim tras un JPEG";
    double mayor = c.umbral;
    for (const auto& sim : m->sim_jpeg) mayor = std::max(mayor, sim.value_or(0));
    g.x = eje_de_calidad(separador);
    g.y = eje_redondo("sim", 0, std::ceil(mayor) + 1, 6, separador);
    SerieGrafico s = linea("sim con la clave (presente por encima del umbral)", kColores[3]);
    s.con_puntos = true;
    const std::vector<int> calidades = calidades_de_la_comparacion();
    for (size_t i = 0; i < m->sim_jpeg.size() && i < calidades.size(); ++i)
        if (m->sim_jpeg[i]) anade(s, calidades[i], *m->sim_jpeg[i]);
    g.series.push_back(std::move(s));
    g.series.push_back(
        linea_de_umbral("umbral " + texto_general(c.umbral, separador), c.umbral, 10, 100));
    return g;
}

Grafico describe_respuesta(const RespuestaDetector& r, double clave, double umbral,
                           char separador) {
    const TextosDeRespuesta textos = textos_de_respuesta(r.falsas.size(), clave, umbral, separador);
    Grafico g;
    g.titulo = textos.titulo;
    double mayor = std::max(r.sim, umbral), menor = std::min(0.0, r.sim);
    for (const double s : r.falsas) mayor = std::max(mayor, s), menor = std::min(menor, s);
    const double n = static_cast<double>(r.falsas.size());
    g.x = eje_redondo(textos.eje_clave, clave - 1, clave + n + 1, 6, separador, false);
    g.y = eje_redondo(textos.eje_sim, std::floor(menor) - 1, std::ceil(mayor) + 1, 6, separador);
    SerieGrafico falsas = linea(textos.falsas, kColores[0], Trazo::Continuo, 3);
    falsas.tipo = TipoSerie::Puntos;
    for (size_t k = 0; k < r.falsas.size(); ++k)
        anade(falsas, clave + 1 + static_cast<double>(k), r.falsas[k]);
    SerieGrafico verdadera = linea(textos.verdadera, kColores[1], Trazo::Continuo, 10);
    verdadera.tipo = TipoSerie::Puntos;
    anade(verdadera, clave, r.sim);
    g.series.push_back(std::move(falsas));
    g.series.push_back(std::move(verdadera));
    g.series.push_back(linea_de_umbral(textos.umbral, umbral, clave - 1, clave + n + 1));
    return g;
}

Grafico describe_falsas(const std::vector<double>& falsas, char separador) {
    Grafico g;
    g.titulo = "sim con las claves equivocadas y la normal estándar";
    constexpr double kAncho = 0.25, kDesde = -5, kHasta = 5;
    const int cajas = static_cast<int>((kHasta - kDesde) / kAncho);
    std::vector<int> cuentas(static_cast<size_t>(cajas), 0);
    for (const double s : falsas) {
        const int i = static_cast<int>(std::floor((s - kDesde) / kAncho));
        if (i >= 0 && i < cajas) ++cuentas[static_cast<size_t>(i)];
    }
    // Each bin as a step of the outline, so that counts read as bars.
    SerieGrafico barras = linea("claves equivocadas", kColores[0]);
    double mayor = 1;
    for (int i = 0; i < cajas; ++i) {
        const double a = kDesde + i * kAncho, c = cuentas[static_cast<size_t>(i)];
        anade(barras, a, c);
        anade(barras, a + kAncho, c);
        mayor = std::max(mayor, c);
    }
    SerieGrafico normal = linea("N(0, 1)", kColores[1], Trazo::Discontinuo);
    const double n = static_cast<double>(falsas.size());
    for (int i = 0; i <= 4 * cajas; ++i) {
        const double s = kDesde + i * kAncho / 4;
        const double esperadas =
            n * kAncho * std::exp(-s * s / 2) / std::sqrt(2 * std::numbers::pi);
        anade(normal, s, esperadas);
        mayor = std::max(mayor, std::ceil(esperadas));
    }
    g.x = eje_redondo("sim", kDesde, kHasta, 6, separador, false);
    // Whole counts: never a step under one.
    const double tope = mayor * 1.1;
    g.y =
        eje_redondo("Claves", 0, tope, static_cast<int>(std::min(std::ceil(tope), 6.0)), separador);
    g.series.push_back(std::move(barras));
    g.series.push_back(std::move(normal));
    return g;
}

Grafico describe_roc(const CurvaRoc& c, char separador) {
    Grafico g;
    g.titulo = "Curva ROC: área " + con_decimales(c.area, 3, separador);
    // Short titles, which a chart of 300 pixels shows whole.
    g.x = eje_redondo("Falsa alarma", 0, 1, 5, separador);
    g.y = eje_redondo("Detección", 0, 1, 5, separador);
    SerieGrafico curva = linea("el detector", kColores[0]);
    for (const auto& [pfa, pd] : c.puntos) anade(curva, pfa, pd);
    g.series.push_back(std::move(curva));
    g.series.push_back(linea_de_azar("al azar", 0, 0, 1, 1));
    return g;
}

}  // namespace zek
