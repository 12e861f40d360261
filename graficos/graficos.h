// SPDX-License-Identifier: MIT
// The core's charts drawn with Qt Charts, for the windows, zek-demo's
// pictures and the handout.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "base/grafico.h"
#include "workflow/graficas.h"

class QChart;
class QChartView;
class QWidget;

namespace zek {

// The chart a description says, drawn with Qt Charts: its title, its axes
// with the description's ticks and words, its series with their colours,
// strokes and legend words; nullptr without a description.
QChart* dibuja_grafico(const Grafico& g);
QChart* dibuja_grafico(const std::optional<Grafico>& g);

// The decimal separator of the user's locale, for the descriptions' words.
char separador_local();

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
