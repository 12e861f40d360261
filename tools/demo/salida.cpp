#include "tools/demo/salida.h"

#include <QChart>
#include <QChartView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "base/numeros.h"
#include "qt/imagen_qt.h"

namespace zek {
namespace {

QJsonValue opcional_json(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QString texto_qt(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void pon_aciertos(QJsonObject& o, const Aciertos& a) {
    o[QStringLiteral("correctos")] = static_cast<qint64>(a.correctos);
    o[QStringLiteral("total")] = static_cast<qint64>(a.total);
    o[QStringLiteral("ber")] = a.total ? QJsonValue(a.ber()) : QJsonValue(QJsonValue::Null);
}

}  // namespace

bool escribe_png(const SuperficieImagen& imagen, const std::filesystem::path& ruta) {
    return a_qimage(imagen).save(QString::fromStdString(ruta.string()), "PNG");
}

std::string informe_json(const Ejecucion& e, const std::vector<ResultadoAtaque>& ataques) {
    const Vbles& v = e.vbles();
    const Informe& inf = e.demostracion().informe();
    QJsonObject j;
    j[QStringLiteral("longBloque")] = v.LongBloque;
    j[QStringLiteral("numBloques")] = v.NumBloques;
    j[QStringLiteral("paso")] = v.Paso;
    QJsonArray mensajes;
    for (const Mensaje& m : e.puerto().mensajes) {
        mensajes.append(QJsonObject{{QStringLiteral("titulo"), texto_qt(m.titulo)},
                                    {QStringLiteral("texto"), texto_qt(m.texto)}});
    }
    j[QStringLiteral("mensajes")] = mensajes;
    j[QStringLiteral("pares")] = static_cast<qint64>(inf.pares);
    j[QStringLiteral("psnr")] = opcional_json(inf.psnr);
    if (inf.extraccion) {
        QJsonObject extraccion;
        pon_aciertos(extraccion, *inf.extraccion);
        j[QStringLiteral("extraccion")] = extraccion;
    } else {
        j[QStringLiteral("extraccion")] = QJsonValue(QJsonValue::Null);
    }
    QJsonArray lista;
    for (const ResultadoAtaque& a : ataques) {
        QJsonObject o{{QStringLiteral("ataque"), texto_qt(a.ataque)},
                      {QStringLiteral("psnr"), opcional_json(a.psnr)}};
        pon_aciertos(o, a.aciertos);
        lista.append(o);
    }
    j[QStringLiteral("ataques")] = lista;
    return QJsonDocument(j).toJson(QJsonDocument::Indented).toStdString();
}

std::string barrido_csv(const std::vector<FilaBarrido>& filas) {
    std::string csv = "grado,ataque,psnr,ber\n";
    const auto campo = [](const std::optional<double>& v) { return v ? texto_exacto(*v) : ""; };
    for (const FilaBarrido& f : filas) {
        csv += texto_exacto(f.grado) + "," + f.ataque + "," + campo(f.psnr) + "," + campo(f.ber) +
               "\n";
    }
    return csv;
}

bool escribe_grafico(const std::vector<FilaBarrido>& filas, const std::filesystem::path& ruta) {
    auto* grafico = new QChart();
    grafico->setTitle(
        QString::fromUtf8("Marca de agua: errores de la extracción ciega según el grado"));
    auto* eje_grado = new QValueAxis();
    eje_grado->setTitleText(QStringLiteral("Grado"));
    eje_grado->setLabelFormat(QStringLiteral("%g"));
    auto* eje_ber = new QValueAxis();
    eje_ber->setTitleText(QString::fromUtf8("Tasa de error de bits"));
    auto* eje_psnr = new QValueAxis();
    eje_psnr->setTitleText(QString::fromUtf8("PSNR de la imagen marcada (dB)"));
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
    if (grado_min > grado_max) return false;
    eje_grado->setRange(grado_min, grado_max > grado_min ? grado_max : grado_min + 1);
    // Ticks at round degrees (multiples of 1, 2 or 5 times a power of ten).
    const double paso = std::pow(10.0, std::floor(std::log10((grado_max - grado_min) / 8 + 1e-9)));
    const double escala = (grado_max - grado_min) / 8 / paso;
    eje_grado->setTickType(QValueAxis::TicksDynamic);
    eje_grado->setTickAnchor(0);
    eje_grado->setTickInterval(paso * (escala > 5 ? 10 : escala > 2 ? 5 : escala > 1 ? 2 : 1));
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

    QChartView vista(grafico);  // owns the chart
    vista.setRenderHint(QPainter::Antialiasing);
    vista.resize(960, 600);
    return vista.grab().save(QString::fromStdString(ruta.string()), "PNG");
}

}  // namespace zek
