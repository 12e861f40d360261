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

namespace zek {
namespace {

QColor qcolor(ColorGrafico c) {
    return QColor(c.r, c.g, c.b);
}

Qt::PenStyle estilo(Trazo t) {
    return t == Trazo::Discontinuo ? Qt::DashLine
           : t == Trazo::Punteado  ? Qt::DotLine
                                   : Qt::SolidLine;
}

// An axis whose ticks stand where the description puts them, each with its
// words: a category axis labelled on its values.
QCategoryAxis* eje(QChart* grafico, const Eje& e, Qt::Alignment donde) {
    auto* a = new QCategoryAxis();
    a->setTitleText(QString::fromStdString(e.titulo));
    a->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    a->setStartValue(e.desde);
    a->setRange(e.desde, e.hasta);
    for (const MarcaEje& m : e.marcas) a->append(QString::fromStdString(m.texto), m.valor);
    grafico->addAxis(a, donde);
    return a;
}

// At the bottom in a small type, where Qt Charts gives each entry room
// enough for its name.
void pon_leyenda_abajo(QChart* grafico) {
    grafico->legend()->setAlignment(Qt::AlignBottom);
    QFont fuente = grafico->legend()->font();
    fuente.setPointSizeF(7);
    grafico->legend()->setFont(fuente);
}

QXYSeries* serie_xy(const SerieGrafico& s) {
    QXYSeries* xy;
    if (s.tipo == TipoSerie::Puntos) {
        auto* puntos = new QScatterSeries();
        puntos->setMarkerSize(s.grosor);
        puntos->setBorderColor(Qt::transparent);
        puntos->setColor(qcolor(s.color));
        xy = puntos;
    } else {
        xy = new QLineSeries();
        QPen trazo(qcolor(s.color), s.grosor);
        trazo.setStyle(estilo(s.trazo));
        xy->setPen(trazo);
        xy->setPointsVisible(s.con_puntos);
    }
    xy->setName(QString::fromStdString(s.nombre));
    for (size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) xy->append(s.x[i], s.y[i]);
    return xy;
}

}  // namespace

char separador_local() {
    return QLocale().decimalPoint()[0].toLatin1();
}

QChart* dibuja_grafico(const std::optional<Grafico>& g) {
    return g ? dibuja_grafico(*g) : nullptr;
}

QChart* dibuja_grafico(const Grafico& g) {
    auto* grafico = new QChart();
    grafico->setTitle(QString::fromStdString(g.titulo));
    pon_leyenda_abajo(grafico);
    QCategoryAxis* x = eje(grafico, g.x, Qt::AlignBottom);
    QCategoryAxis* y = eje(grafico, g.y, Qt::AlignLeft);
    QCategoryAxis* derecho = g.y_derecho ? eje(grafico, *g.y_derecho, Qt::AlignRight) : nullptr;
    QBarSeries* barras = nullptr;
    for (const SerieGrafico& s : g.series) {
        if (s.tipo == TipoSerie::Barras) {
            if (!barras) barras = new QBarSeries();
            auto* conjunto = new QBarSet(QString::fromStdString(s.nombre));
            conjunto->setColor(qcolor(s.color));
            for (const double v : s.y) conjunto->append(v);
            barras->append(conjunto);
            continue;
        }
        QXYSeries* xy = serie_xy(s);
        grafico->addSeries(xy);
        xy->attachAxis(x);
        xy->attachAxis(s.eje_derecho && derecho ? derecho : y);
    }
    if (barras) {
        grafico->addSeries(barras);
        barras->attachAxis(x);
        barras->attachAxis(y);
    }
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
