// SPDX-License-Identifier: MIT
// Renders the main window off screen in the middle of a demonstration on
// the samples (host and watermark loaded, Grado 10, Clave 3, two presses of
// the step button) and saves it as a PNG for the README; with a second
// file name, also the laboratory after two more presses (a JPEG attack of
// quality 50, the degree sweep computed), the detector after it, the
// comparison of the methods, and the laboratory searching a crop for its
// grid.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <cstdio>

#include "qt/escritura.h"
#include "tools/guion_ventana.h"
#include "ui/frm_comparacion.h"
#include "ui/frm_deteccion.h"
#include "ui/frm_laboratorio.h"
#include "ui/frm_principal.h"

namespace {

bool guarda(QWidget& w, const QString& salida) {
    const std::string error = zek::escribe_imagen(w.grab().toImage(), salida.toStdString(), "PNG");
    if (error.empty()) return true;
    std::fprintf(stderr, "no se pudo guardar %s: %s\n", qPrintable(salida), error.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString salida = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("zek.png");
    const QString muestras = QStringLiteral(ZEK_CARPETA_MUESTRAS);
    zek::DialogosGuion dialogos({muestras + "/imagen.bmp", muestras + "/marca.bmp"});
    zek::FrmPrincipal ventana(dialogos);
    ventana.show();

    zek::prepara_demostracion(ventana, QStringLiteral("10"), QStringLiteral("3"));
    auto* paso = ventana.findChild<QPushButton*>("Command1");
    paso->click();
    paso->click();
    if (!guarda(ventana, salida)) return 1;
    if (argc < 3) return 0;

    paso->click();
    paso->click();
    ventana.findChild<QAction*>("SubLaboratorio")->trigger();
    zek::FrmLaboratorio* lab = ventana.laboratorio();
    lab->resize(1024, 740);  // a classroom projector, less the title bar and the panel
    lab->findChild<QComboBox*>("ataque")->setCurrentIndex(1);  // JPEG
    lab->findChild<QDoubleSpinBox*>("valor")->setValue(50);
    lab->findChild<QPushButton*>("lanza_barrido")->click();
    lab->espera();
    QApplication::processEvents();
    if (!guarda(*lab, QString::fromLocal8Bit(argv[2]))) return 1;
    if (argc < 4) return 0;

    // The detector of the spread spectrum after the same JPEG of quality 50.
    lab->findChild<QPushButton*>("detector_espectro")->click();
    zek::FrmDeteccion* detector = lab->deteccion();
    detector->espera();
    QApplication::processEvents();
    if (!guarda(*detector, QString::fromLocal8Bit(argv[3]))) return 1;
    if (argc < 5) return 0;

    // The four methods compared at the block pairs' PSNR.
    lab->findChild<QPushButton*>("comparar_metodos")->click();
    zek::FrmComparacion* comparacion = lab->comparacion();
    comparacion->resize(1024, 740);
    comparacion->espera();
    QApplication::processEvents();
    if (!guarda(*comparacion, QString::fromLocal8Bit(argv[4]))) return 1;
    if (argc < 6) return 0;

    // Seven columns and rows cut away, and the grid searched for.
    auto* tipo = lab->findChild<QComboBox*>("ataque");
    tipo->setCurrentIndex(tipo->findText(QStringLiteral("Recorte")));
    lab->findChild<QDoubleSpinBox*>("valor")->setValue(7);
    lab->findChild<QCheckBox*>("busca_rejilla")->setChecked(true);
    lab->espera();
    QApplication::processEvents();
    return guarda(*lab, QString::fromLocal8Bit(argv[5])) ? 0 : 1;
}
