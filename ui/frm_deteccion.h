// SPDX-License-Identifier: MIT
// "Detector (espectro ensanchado)": the host marked with the key's spread
// spectrum, attacked as the laboratory attacks, and the detector's answer:
// its response to the true key and a thousand wrong ones, their values
// beside the normal curve, and its errors both ways (the ROC). The work
// runs on a worker thread with progress and a way to cancel.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "images/ataques.h"
#include "qt/imagen_qt.h"
#include "ui/fila_de_trabajo.h"
#include "workflow/deteccion.h"
#include "workflow/sesion.h"

class QChartView;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace zek {

class FrmDeteccion final : public QWidget {
  public:
    FrmDeteccion(QWidget* padre, const Sesion& sesion);
    ~FrmDeteccion() override = default;

    // The attack the laboratory has chosen; recomputes at once.
    void pon_ataque(const Ataque& ataque);
    // Computes on the pictures the session holds now.
    void detecta();
    // Waits for the work under way and shows what it found (tests, tools).
    void espera();
    const std::optional<AnalisisDeteccion>& analisis() const { return analisis_; }
    // What the analysis shown was made with.
    const Ataque& ataque() const { return ataque_; }
    double umbral() const;

  private:
    void crea_controles();
    void termina(std::shared_ptr<AnalisisDeteccion> a, bool completo);
    void muestra(const AnalisisDeteccion& a);

    const Sesion& sesion_;
    CodecJpegQt jpeg_;
    Ataque ataque_{TipoAtaque::Brillo, 0, "brillo:0"};
    std::optional<AnalisisDeteccion> analisis_;

    QDoubleSpinBox *alfa_, *umbral_;
    QSpinBox* longitud_;
    QPushButton *calcula_, *cancela_;
    QProgressBar* progreso_;
    QLabel *aviso_, *roc_;
    QChartView *respuesta_, *falsas_, *curva_;
    std::unique_ptr<FilaDeTrabajo> fila_;  // last: it goes first, with its worker
};

}  // namespace zek
