// SPDX-License-Identifier: MIT
// The laboratory window: a watermarked picture attacked and read back
// blindly, with the difference picture, the residue histogram and the
// degree sweep. It only wires: the work is the core's, and whatever may
// take longer than a frame runs on a worker thread.
#pragma once

#include <QCheckBox>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "qt/imagen_qt.h"
#include "ui/fila_de_trabajo.h"
#include "workflow/barrido.h"
#include "workflow/laboratorio.h"
#include "workflow/sesion.h"
#include "workflow/trabajo.h"

class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zek {

class Dialogos;
class FrmComparacion;
class FrmDeteccion;

class FrmLaboratorio final : public QWidget {
  public:
    FrmLaboratorio(QWidget* principal, const Sesion& sesion, Dialogos& dialogos);
    ~FrmLaboratorio() override;

    // Takes the sources the session holds now and analyses again.
    void actualiza_fuentes();
    // "Comparar métodos…": the comparison window, started on the session's
    // pictures.
    void abre_comparacion();
    FrmComparacion* comparacion() const { return comparacion_; }
    // "Detector (espectro ensanchado)…": a window of its own that follows
    // the attack chosen here.
    void abre_deteccion();
    FrmDeteccion* deteccion() const { return deteccion_; }
    // Analyses the picture opened last with "Imagen marcada…".
    void muestra_abierta();
    // Waits for the work under way and shows what it found (tests, tools).
    void espera();

    // The attack as chosen ("jpeg:75"), and what the last analysis showed.
    std::string ataque_elegido() const;
    const std::vector<FilaBarrido>& barrido() const { return filas_barrido_; }

  private:
    void crea_controles();
    void pon_nombres_accesibles();
    void cambia_tipo_de_ataque();
    void cambia_metodo();
    const Metodo& metodo_elegido() const;
    bool bloques_elegidos() const { return metodo_elegido().de_la_demostracion(); }
    std::shared_ptr<const FuenteLaboratorio> fuente_en_uso() const;
    void limita_valor();
    void analiza_de_nuevo();
    void limpia_analisis();
    void avisa_al_detector();
    void muestra(std::shared_ptr<const ResultadoLaboratorio> resultado);
    void muestra_fuente();
    void muestra_diferencia();
    void lanza_barrido();
    void cancela_barrido();
    void olvida_barrido();
    void termina_barrido(std::vector<FilaBarrido> filas, bool completo);
    bool puede_barrer() const;
    void exporta_png();
    void exporta_csv();
    void exporta(const QString& filtro, const QString& sugerido, std::function<QByteArray()> bytes);
    void termina_exportacion(const QString& ruta, const std::string& error);
    void pon_exportables(bool si);
    std::shared_ptr<const FuenteLaboratorio> fuente() const;

    const Sesion& sesion_;
    Dialogos& dialogos_;
    CodecJpegQt jpeg_;
    std::shared_ptr<const FuenteLaboratorio> marcada_, abierta_;
    TrabajoEnSegundoPlano analisis_, exportacion_;
    std::unique_ptr<FilaDeTrabajo> barrido_;
    unsigned generacion_ = 0;
    std::vector<FilaBarrido> filas_barrido_;
    std::shared_ptr<const ResultadoLaboratorio> ultimo_;  // the analysis on screen
    // What a method other than the block pairs' analyses: its own embedding
    // of the host, or the reopened picture.
    std::shared_ptr<const FuenteLaboratorio> fuente_metodo_;
    std::string magnitud_barrido_ = "grado";  // what the sweep on screen varies

    QComboBox *fuente_, *tipo_, *vista_diferencia_, *metodo_;
    QCheckBox* busca_rejilla_;
    QDoubleSpinBox *valor_, *fuerza_;
    QLabel *nombre_valor_, *atacada_, *leida_, *diferencia_, *escala_, *cifras_, *aviso_barrido_;
    QChartView *histograma_, *grafico_barrido_;
    QPushButton *lanza_barrido_, *cancela_barrido_, *exporta_png_, *exporta_csv_, *compara_,
        *detector_;
    FrmComparacion* comparacion_ = nullptr;
    FrmDeteccion* deteccion_ = nullptr;
    QProgressBar* progreso_;
};

}  // namespace zek
