// SPDX-License-Identifier: MIT
// "Comparar métodos": the block pairs, the least significant bit, the DCT
// coefficients and the spread spectrum at one PSNR on the user's pictures,
// attacked and read back (or detected), as a table, a chart of the bit
// error rate against JPEG quality and one of the detector's sim.
// The work runs on a worker thread; the window only shows it.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "qt/imagen_qt.h"
#include "ui/fila_de_trabajo.h"
#include "workflow/comparacion.h"
#include "workflow/sesion.h"

class QChartView;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace zek {

class FrmComparacion final : public QWidget {
  public:
    FrmComparacion(QWidget* padre, const Sesion& sesion);
    ~FrmComparacion() override = default;

    // Starts the comparison on the pictures the session holds now.
    void compara();
    // Waits for the work under way and shows what it found (tests, tools).
    void espera();
    const std::optional<Comparacion>& comparacion() const { return comparacion_; }

  private:
    void crea_controles();
    void termina(std::shared_ptr<Comparacion> c, bool completa);
    void muestra(const Comparacion& c);
    // As wide as the table needs, within the screen.
    void ajusta_ancho();
    int ancho_de_pantalla() const;

    static constexpr int kAnchoInicial = 1000;

    const Sesion& sesion_;
    CodecJpegQt jpeg_;
    std::optional<Comparacion> comparacion_;

    QDoubleSpinBox* objetivo_;
    QPushButton *calcula_, *cancela_;
    QProgressBar* progreso_;
    QLabel *aviso_, *prediccion_;
    QTableWidget* tabla_;
    QChartView *grafico_, *grafico_sim_;
    std::unique_ptr<FilaDeTrabajo> fila_;  // last: it goes first, with its worker
};

}  // namespace zek
