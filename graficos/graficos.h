// SPDX-License-Identifier: MIT
// Charts of the laboratory and of zek-demo, with Qt Charts, in Spanish.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "engine/extraccion_ciega.h"
#include "workflow/barrido.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"

class QChart;
class QChartView;
class QWidget;

namespace zek {

// The bit error rate against the degree for each attack, with the PSNR of
// the watermarked picture on a second axis; nullptr when there are no rows.
// `magnitud` names what the rows sweep ("grado", or another method's
// "fuerza").
QChart* grafico_de_barrido(const std::vector<FilaBarrido>& filas,
                           const QString& magnitud = QStringLiteral("grado"));

struct SerieHistograma {
    QString nombre;  // "Antes", "Después", "Atacada"
    std::optional<Histograma> histograma;
};
// The bit error rate against JPEG quality, one line per method, with the
// DCT method's predicted breaking quality marked; nullptr without methods.
QChart* grafico_de_comparacion(const Comparacion& c);

// The spread spectrum's sim against JPEG quality, with the detector's
// threshold drawn; nullptr when it was not compared.
QChart* grafico_de_sim_jpeg(const Comparacion& c);

// The top of the comparison chart's error axis: the highest rate read,
// rounded up to a tenth, from 0.6 to 1.
double tope_de_comparacion(const Comparacion& c);

// Every how many of n bars a label goes, so that at most `como_mucho`
// labels show: 1, 2, 4, 5, 10, 20, 25, 50 …
int32_t paso_de_etiquetas(int32_t n, int32_t como_mucho);

// Pairs by residue, light and dark watermark pixels apart, for each series;
// with `fracciones`, watermark pixels by the fraction of its step that
// another method's reading looks at.
QChart* grafico_de_histograma(const std::vector<SerieHistograma>& series, bool fracciones = false);

// The detector's response: sim for the true key and the wrong ones, key by
// key, the true one marked, the threshold drawn.
QChart* grafico_de_respuesta(const RespuestaDetector& r, double clave, double umbral);
// The wrong keys' sim in bins of 0.25 beside the standard normal curve
// they should follow (expected counts per bin).
QChart* grafico_de_falsas(const std::vector<double>& falsas);
// The detection probability against the false-alarm probability.
QChart* grafico_roc(const CurvaRoc& c);

// An empty chart's view, antialiased, named for tests and for a screen
// reader, at least `minimo` in size.
QChartView* vista_de_grafico(QWidget* padre, const char* nombre, const char* accesible,
                             QSize minimo);

// Shows `nuevo` in the view (an empty chart when null) and deletes the
// chart it showed.
void pon_grafico(QChartView* vista, QChart* nuevo);

// The chart drawn at 960 x 600; takes the chart. A null image without one.
QImage imagen_de_grafico(QChart* grafico);

}  // namespace zek
