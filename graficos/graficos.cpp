// SPDX-License-Identifier: MIT
#include "graficos/graficos.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <utility>

namespace zek {
namespace {

// At the bottom in a small type, where Qt Charts gives each entry room
// enough for its name.
// Numbers as the user writes them ("0,80" in Spanish).
void pon_numeros_locales(QChart* grafico) {
    grafico->setLocalizeNumbers(true);
    grafico->setLocale(QLocale());
}

// What chance reads, as a grey dotted line from a to b.
QLineSeries* linea_de_azar(const QString& nombre, QPointF a, QPointF b) {
    auto* azar = new QLineSeries();
    azar->setName(nombre);
    QPen punteada(QColor(120, 120, 120));
    punteada.setStyle(Qt::DotLine);
    azar->setPen(punteada);
    azar->append(a);
    azar->append(b);
    return azar;
}

void pon_leyenda_abajo(QChart* grafico) {
    grafico->legend()->setAlignment(Qt::AlignBottom);
    QFont fuente = grafico->legend()->font();
    fuente.setPointSizeF(7);
    grafico->legend()->setFont(fuente);
}

}  // namespace

QChart* grafico_de_barrido(const std::vector<FilaBarrido>& filas, const QString& magnitud) {
    auto* grafico = new QChart();
    grafico->setTitle(QString::fromUtf8("Marca de agua: errores de la extracción ciega según el %1")
                          .arg(magnitud));
    pon_leyenda_abajo(grafico);
    pon_numeros_locales(grafico);
    auto* eje_grado = new QValueAxis();
    eje_grado->setTitleText(magnitud.left(1).toUpper() + magnitud.mid(1));
    auto* eje_ber = new QValueAxis();
    // Short titles, which a chart of 220 pixels shows whole.
    eje_ber->setTitleText(QString::fromUtf8("Tasa de error"));
    auto* eje_psnr = new QValueAxis();
    eje_psnr->setTitleText(QString::fromUtf8("PSNR (dB)"));
    grafico->addAxis(eje_grado, Qt::AlignBottom);
    grafico->addAxis(eje_ber, Qt::AlignLeft);
    grafico->addAxis(eje_psnr, Qt::AlignRight);

    // The watermarked picture itself first, then the attacks in the order given.
    std::vector<std::pair<std::string, QLineSeries*>> series;
    const auto serie = [&series](const std::string& ataque) {
        for (auto& [nombre, s] : series) {
            if (nombre == ataque) return s;
        }
        auto* s = new QLineSeries();
        s->setName(QString::fromStdString(ataque == "ninguno" ? "sin ataque" : ataque));
        series.emplace_back(ataque, s);
        return s;
    };
    serie("ninguno");
    auto* psnr = new QLineSeries();
    psnr->setName(QString::fromUtf8("PSNR de la imagen marcada"));
    QPen discontinua(Qt::black);
    discontinua.setStyle(Qt::DashLine);
    discontinua.setWidth(2);
    psnr->setPen(discontinua);
    double grado_min = 1e300, grado_max = -1e300, psnr_min = 1e300, psnr_max = -1e300;
    double ber_max = 0;
    for (const FilaBarrido& f : filas) {
        grado_min = std::min(grado_min, f.grado);
        grado_max = std::max(grado_max, f.grado);
        if (f.ber) {
            serie(f.ataque)->append(f.grado, *f.ber);
            ber_max = std::max(ber_max, *f.ber);
        }
        if (f.ataque == "ninguno" && f.psnr) {
            psnr->append(f.grado, *f.psnr);
            psnr_min = std::min(psnr_min, *f.psnr);
            psnr_max = std::max(psnr_max, *f.psnr);
        }
    }
    if (grado_min > grado_max) {
        delete grafico;
        return nullptr;
    }
    eje_grado->setRange(grado_min, grado_max > grado_min ? grado_max : grado_min + 1);
    // Ticks at round degrees (multiples of 1, 2 or 5 times a power of ten).
    const double paso = std::pow(10.0, std::floor(std::log10((grado_max - grado_min) / 8 + 1e-9)));
    const double escala = (grado_max - grado_min) / 8 / paso;
    eje_grado->setTickType(QValueAxis::TicksDynamic);
    eje_grado->setTickAnchor(0);
    const double intervalo = paso * (escala > 5 ? 10 : escala > 2 ? 5 : escala > 1 ? 2 : 1);
    eje_grado->setTickInterval(intervalo);
    // As many decimals as the ticks need ("%g" shows nothing with local numbers).
    const int decimales = std::max(0, static_cast<int>(-std::floor(std::log10(intervalo) + 1e-9)));
    eje_grado->setLabelFormat(QStringLiteral("%.") + QString::number(decimales) +
                              QStringLiteral("f"));
    eje_ber->setRange(0, std::min(1.0, std::ceil(ber_max * 10 + 0.01) / 10));
    if (psnr_min <= psnr_max) {
        eje_psnr->setRange(std::floor(psnr_min / 5) * 5, std::ceil(psnr_max / 5) * 5 + 5);
        eje_psnr->applyNiceNumbers();
    }
    // Colours far enough apart to tell seven lines from each other.
    static const QColor kColores[] = {
        QColor(0, 114, 178), QColor(213, 94, 0),   QColor(0, 158, 115),   QColor(204, 121, 167),
        QColor(230, 159, 0), QColor(86, 180, 233), QColor(120, 120, 120), QColor(240, 228, 66)};
    size_t n = 0;
    for (auto& [nombre, s] : series) {
        QPen trazo(kColores[n++ % std::size(kColores)]);
        trazo.setWidth(2);
        s->setPen(trazo);
        grafico->addSeries(s);
        s->attachAxis(eje_grado);
        s->attachAxis(eje_ber);
    }
    grafico->addSeries(psnr);
    psnr->attachAxis(eje_grado);
    psnr->attachAxis(eje_psnr);

    return grafico;
}

// The comparison's vertical axis: from 0 to the highest rate read, in
// tenths, never below 0.6 so that chance (0.5) is always in sight.
double tope_de_comparacion(const Comparacion& c) {
    double mayor = 0;
    for (const MetodoComparado& m : c.metodos) {
        for (const auto& ber : m.ber_jpeg) mayor = std::max(mayor, ber.value_or(0));
    }
    return std::clamp(std::ceil(mayor * 10 - 1e-9) / 10, 0.6, 1.0);
}

QChart* grafico_de_comparacion(const Comparacion& c) {
    if (c.metodos.empty()) return nullptr;
    auto* grafico = new QChart();
    const QString origen = c.origen == OrigenObjetivo::Pedido ? QStringLiteral(" (pedido)")
                           : c.origen == OrigenObjetivo::PorDefecto
                               ? QStringLiteral(" (por defecto)")
                               : QString();
    grafico->setTitle(QString::fromUtf8("Tres métodos a %1 dB%2: errores según la calidad JPEG")
                          .arg(QLocale().toString(c.psnr_objetivo, 'f', 1), origen));
    pon_leyenda_abajo(grafico);
    pon_numeros_locales(grafico);
    auto* eje_q = new QValueAxis();
    eje_q->setTitleText(QString::fromUtf8("Calidad JPEG"));
    eje_q->setRange(10, 100);
    eje_q->setTickCount(10);
    eje_q->setLabelFormat(QStringLiteral("%.0f"));
    auto* eje_ber = new QValueAxis();
    eje_ber->setTitleText(QString::fromUtf8("Tasa de error"));
    const double tope = tope_de_comparacion(c);
    eje_ber->setRange(0, tope);
    eje_ber->setTickCount(static_cast<int>(std::lround(tope * 10)) + 1);  // a tick every 0.1
    eje_ber->setLabelFormat(QStringLiteral("%.1f"));
    grafico->addAxis(eje_q, Qt::AlignBottom);
    grafico->addAxis(eje_ber, Qt::AlignLeft);
    const auto anade = [&](QLineSeries* s) {
        grafico->addSeries(s);
        s->attachAxis(eje_q);
        s->attachAxis(eje_ber);
    };
    // Chance: above it a reading is more inverted than random.
    anade(linea_de_azar(QString::fromUtf8("0,5: al azar (por encima, lectura invertida)"),
                        {10, 0.5}, {100, 0.5}));
    static const QColor kColores[] = {QColor(0, 114, 178), QColor(213, 94, 0), QColor(0, 158, 115)};
    const std::vector<int> calidades = calidades_de_la_comparacion();
    size_t n = 0;
    for (const MetodoComparado& m : c.metodos) {
        if (!m.metodo->lee_la_marca()) continue;  // it has its own chart, of sim
        auto* s = new QLineSeries();
        s->setName(QString::fromUtf8(m.metodo->nombre()));
        s->setPen(QPen(kColores[n++ % std::size(kColores)], 2));
        for (size_t i = 0; i < m.ber_jpeg.size() && i < calidades.size(); ++i) {
            if (m.ber_jpeg[i]) s->append(calidades[i], *m.ber_jpeg[i]);
        }
        anade(s);
        if (!m.calidad_predicha) continue;
        // The quality below which JPEG may move a coefficient across.
        auto* marca = new QLineSeries();
        marca->setName(QString::fromUtf8("%1: calidad predicha %2")
                           .arg(QString::fromUtf8(m.metodo->nombre()))
                           .arg(*m.calidad_predicha));
        QPen discontinua(s->pen().color());
        discontinua.setStyle(Qt::DashLine);
        marca->setPen(discontinua);
        marca->append(*m.calidad_predicha, 0);
        marca->append(*m.calidad_predicha, tope);
        anade(marca);
    }
    return grafico;
}

int32_t paso_de_etiquetas(int32_t n, int32_t como_mucho) {
    for (const int32_t paso : {1, 2, 4, 5, 10, 20, 25, 50, 100, 250, 500, 1000}) {
        if ((n + paso - 1) / paso <= como_mucho) return paso;
    }
    return (n + como_mucho - 1) / como_mucho;
}

QChart* grafico_de_histograma(const std::vector<SerieHistograma>& series, bool fracciones) {
    auto* grafico = new QChart();
    grafico->setTitle(fracciones ? QString::fromUtf8("Dónde cae lo que lee el método en su paso")
                                 : QString::fromUtf8("Restos de los pares de bloques"));
    pon_leyenda_abajo(grafico);
    pon_numeros_locales(grafico);
    auto* barras = new QBarSeries();
    int32_t grado = 0;
    int64_t mayor = 0;
    static const QColor kColores[] = {QColor(150, 150, 150), QColor(90, 90, 90),
                                      QColor(86, 180, 233),  QColor(0, 114, 178),
                                      QColor(230, 159, 0),   QColor(213, 94, 0)};
    size_t n = 0;
    for (const SerieHistograma& s : series) {
        if (!s.histograma) continue;
        grado = std::max(grado, s.histograma->grado);
        for (const auto* clase : {&s.histograma->claros, &s.histograma->oscuros}) {
            auto* conjunto = new QBarSet(s.nombre + (clase == &s.histograma->claros
                                                         ? QString::fromUtf8(" claros")
                                                         : QString::fromUtf8(" oscuros")));
            conjunto->setColor(kColores[n++ % std::size(kColores)]);
            for (const int64_t c : *clase) {
                conjunto->append(static_cast<double>(c));
                mayor = std::max(mayor, c);
            }
            barras->append(conjunto);
        }
    }
    grafico->addSeries(barras);
    // Bar r stands at r. A label every `paso` bars, so that a narrow chart
    // shows fewer whole numbers rather than every one cut to "…".
    auto* eje_resto = new QCategoryAxis();
    eje_resto->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    eje_resto->setRange(-0.5, std::max(grado, 1) - 0.5);
    const int32_t paso = paso_de_etiquetas(grado, fracciones ? 5 : 8);
    for (int32_t r = 0; r < grado; r += paso) {
        eje_resto->append(fracciones ? QLocale().toString(static_cast<double>(r) / grado, 'f', 2)
                                     : QString::number(r),
                          r);
    }
    eje_resto->setTitleText(fracciones
                                ? QString::fromUtf8("Fracción del paso (claro: 1/2, oscuro: 0)")
                                : QString::fromUtf8("Resto (de 0 a |Grado| - 1)"));
    auto* eje_pares = new QValueAxis();
    eje_pares->setTitleText(QString::fromUtf8("Pares de bloques"));
    eje_pares->setRange(0, static_cast<double>(std::max<int64_t>(mayor, 1)));
    eje_pares->setLabelFormat(QStringLiteral("%.0f"));  // %d shows nothing with local numbers
    grafico->addAxis(eje_resto, Qt::AlignBottom);
    grafico->addAxis(eje_pares, Qt::AlignLeft);
    barras->attachAxis(eje_resto);
    barras->attachAxis(eje_pares);
    return grafico;
}

namespace {

QValueAxis* eje(QChart* grafico, const QString& titulo, Qt::Alignment donde, double desde,
                double hasta) {
    auto* e = new QValueAxis();
    e->setTitleText(titulo);
    e->setRange(desde, hasta);
    grafico->addAxis(e, donde);
    return e;
}

void anade_serie(QChart* grafico, QXYSeries* s, QValueAxis* x, QValueAxis* y) {
    grafico->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
}

// The detector's threshold, dashed, from x = desde to hasta.
QLineSeries* linea_de_umbral(double umbral, double desde, double hasta) {
    auto* linea = new QLineSeries();
    linea->setName(QString::fromUtf8("umbral %1").arg(QLocale().toString(umbral, 'g', 15)));
    QPen discontinua(Qt::black);
    discontinua.setStyle(Qt::DashLine);
    linea->setPen(discontinua);
    linea->append(desde, umbral);
    linea->append(hasta, umbral);
    return linea;
}

}  // namespace

QChart* grafico_de_sim_jpeg(const Comparacion& c) {
    const auto espectro =
        std::find_if(c.metodos.begin(), c.metodos.end(),
                     [](const MetodoComparado& m) { return !m.metodo->lee_la_marca(); });
    if (espectro == c.metodos.end() || espectro->sim_jpeg.empty()) return nullptr;
    auto* grafico = new QChart();
    grafico->setTitle(QString::fromUtf8("Espectro ensanchado a %1 dB: sim tras un JPEG")
                          .arg(QLocale().toString(c.psnr_objetivo, 'f', 1)));
    pon_leyenda_abajo(grafico);
    pon_numeros_locales(grafico);
    double mayor = c.umbral;
    for (const auto& sim : espectro->sim_jpeg) mayor = std::max(mayor, sim.value_or(0));
    auto* x = eje(grafico, QString::fromUtf8("Calidad JPEG"), Qt::AlignBottom, 10, 100);
    x->setTickCount(10);
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto* y = eje(grafico, QStringLiteral("sim"), Qt::AlignLeft, 0, std::ceil(mayor) + 1);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    auto* s = new QLineSeries();
    s->setName(QString::fromUtf8("sim con la clave (presente por encima del umbral)"));
    s->setPen(QPen(QColor(204, 121, 167), 2));
    s->setPointsVisible(true);
    const std::vector<int> calidades = calidades_de_la_comparacion();
    for (size_t i = 0; i < espectro->sim_jpeg.size() && i < calidades.size(); ++i) {
        if (espectro->sim_jpeg[i]) s->append(calidades[i], *espectro->sim_jpeg[i]);
    }
    anade_serie(grafico, s, x, y);
    anade_serie(grafico, linea_de_umbral(c.umbral, 10, 100), x, y);
    return grafico;
}

QChart* grafico_de_respuesta(const RespuestaDetector& r, double clave, double umbral) {
    const TextosDeRespuesta textos =
        textos_de_respuesta(r.falsas.size(), clave, umbral, QLocale().decimalPoint()[0].toLatin1());
    auto* grafico = new QChart();
    grafico->setTitle(QString::fromStdString(textos.titulo));
    pon_leyenda_abajo(grafico);
    pon_numeros_locales(grafico);
    double mayor = std::max(r.sim, umbral), menor = std::min(0.0, r.sim);
    for (const double s : r.falsas) mayor = std::max(mayor, s), menor = std::min(menor, s);
    const double n = static_cast<double>(r.falsas.size());
    auto* x = eje(grafico, QString::fromStdString(textos.eje_clave), Qt::AlignBottom, clave - 1,
                  clave + n + 1);
    x->setLabelFormat(QStringLiteral("%.0f"));
    x->setTickType(QValueAxis::TicksDynamic);  // round keys after the true one
    x->setTickAnchor(clave);
    x->setTickInterval(n > 500 ? 250 : n > 100 ? 50 : 10);
    auto* y = eje(grafico, QString::fromStdString(textos.eje_sim), Qt::AlignLeft,
                  std::floor(menor) - 1, std::ceil(mayor) + 1);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    auto* falsas = new QScatterSeries();
    falsas->setName(QString::fromStdString(textos.falsas));
    falsas->setMarkerSize(3);
    falsas->setBorderColor(Qt::transparent);
    falsas->setColor(QColor(0, 114, 178));
    for (size_t k = 0; k < r.falsas.size(); ++k)
        falsas->append(clave + 1 + static_cast<double>(k), r.falsas[k]);
    auto* verdadera = new QScatterSeries();
    verdadera->setName(QString::fromStdString(textos.verdadera));
    verdadera->setMarkerSize(10);
    verdadera->setColor(QColor(213, 94, 0));
    verdadera->append(clave, r.sim);
    auto* linea = linea_de_umbral(umbral, clave - 1, clave + n + 1);
    linea->setName(QString::fromStdString(textos.umbral));
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{falsas, verdadera, linea})
        anade_serie(grafico, s, x, y);
    return grafico;
}

QChart* grafico_de_falsas(const std::vector<double>& falsas) {
    auto* grafico = new QChart();
    grafico->setTitle(QString::fromUtf8("sim con las claves equivocadas y la normal estándar"));
    pon_leyenda_abajo(grafico);
    pon_numeros_locales(grafico);
    constexpr double kAncho = 0.25, kDesde = -5, kHasta = 5;
    const int cajas = static_cast<int>((kHasta - kDesde) / kAncho);
    std::vector<int> cuentas(static_cast<size_t>(cajas), 0);
    for (const double s : falsas) {
        const int i = static_cast<int>(std::floor((s - kDesde) / kAncho));
        if (i >= 0 && i < cajas) ++cuentas[static_cast<size_t>(i)];
    }
    // Each bin as a step of the outline, so that counts read as bars.
    auto* barras = new QLineSeries();
    barras->setName(QString::fromUtf8("claves equivocadas"));
    barras->setPen(QPen(QColor(0, 114, 178), 2));
    int mayor = 1;
    for (int i = 0; i < cajas; ++i) {
        const double a = kDesde + i * kAncho, c = cuentas[static_cast<size_t>(i)];
        barras->append(a, c);
        barras->append(a + kAncho, c);
        mayor = std::max(mayor, cuentas[static_cast<size_t>(i)]);
    }
    auto* normal = new QLineSeries();
    normal->setName(QString::fromUtf8("N(0, 1)"));
    QPen discontinua(QColor(213, 94, 0), 2);
    discontinua.setStyle(Qt::DashLine);
    normal->setPen(discontinua);
    const double n = static_cast<double>(falsas.size());
    for (double s = kDesde; s <= kHasta + 1e-9; s += kAncho / 4) {
        const double esperadas =
            n * kAncho * std::exp(-s * s / 2) / std::sqrt(2 * std::numbers::pi);
        normal->append(s, esperadas);
        mayor = std::max(mayor, static_cast<int>(std::ceil(esperadas)));
    }
    auto* x = eje(grafico, QStringLiteral("sim"), Qt::AlignBottom, kDesde, kHasta);
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto* y = eje(grafico, QStringLiteral("Claves"), Qt::AlignLeft, 0, mayor * 1.1);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    anade_serie(grafico, barras, x, y);
    anade_serie(grafico, normal, x, y);
    return grafico;
}

QChart* grafico_roc(const CurvaRoc& c) {
    auto* grafico = new QChart();
    grafico->setTitle(
        QString::fromUtf8("Curva ROC: área %1").arg(QLocale().toString(c.area, 'f', 3)));
    pon_leyenda_abajo(grafico);
    pon_numeros_locales(grafico);
    // Short titles, which a chart of 300 pixels shows whole.
    auto* x = eje(grafico, QString::fromUtf8("Falsa alarma"), Qt::AlignBottom, 0, 1);
    auto* y = eje(grafico, QString::fromUtf8("Detección"), Qt::AlignLeft, 0, 1);
    for (QValueAxis* e : {x, y}) {
        e->setTickCount(6);  // every 0.2
        e->setLabelFormat(QStringLiteral("%.1f"));
    }
    auto* curva = new QLineSeries();
    curva->setName(QString::fromUtf8("el detector"));
    curva->setPen(QPen(QColor(0, 114, 178), 2));
    for (const auto& [pfa, pd] : c.puntos) curva->append(pfa, pd);
    anade_serie(grafico, curva, x, y);
    anade_serie(grafico, linea_de_azar(QString::fromUtf8("al azar"), {0, 0}, {1, 1}), x, y);
    return grafico;
}

void pon_grafico(QChartView* vista, QChart* nuevo) {
    QChart* viejo = vista->chart();
    vista->setChart(nuevo ? nuevo : new QChart());
    delete viejo;
}

QChartView* vista_de_grafico(QWidget* padre, const char* nombre, const char* accesible,
                             QSize minimo) {
    auto* v = new QChartView(new QChart(), padre);
    v->setObjectName(nombre);
    v->setAccessibleName(QString::fromUtf8(accesible));
    v->setRenderHint(QPainter::Antialiasing);
    v->setMinimumSize(minimo);
    return v;
}

QImage imagen_de_grafico(QChart* grafico) {
    if (!grafico) return {};
    QChartView vista(grafico);  // owns the chart
    vista.setRenderHint(QPainter::Antialiasing);
    vista.resize(960, 600);
    return vista.grab().toImage();
}

}  // namespace zek
