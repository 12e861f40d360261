// SPDX-License-Identifier: MIT
// How long the window's thread stops answering during each user action: a
// timer that fires every millisecond is the probe, and the worst gap between
// two of its ticks while the action and what it starts run is the pause a
// user would feel. Drives the real main window and laboratory on the
// samples (Grado 16, Clave 3) and prints one line per action.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "tools/guion_ventana.h"
#include "ui/frm_comparacion.h"
#include "ui/frm_laboratorio.h"
#include "ui/frm_principal.h"

namespace {

class Sonda {
  public:
    Sonda() {
        tic_.setInterval(1);
        tic_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tic_, &QTimer::timeout, [this] {
            const qint64 ahora = reloj_.nsecsElapsed();
            peor_ = std::max(peor_, ahora - ultimo_);
            ultimo_ = ahora;
        });
    }
    // The worst gap, in milliseconds, while the action runs and for `despues`
    // milliseconds after it (what it starts on workers comes back then).
    double mide(const std::function<void()>& accion, int despues) {
        reloj_.start();
        ultimo_ = 0;
        peor_ = 0;
        tic_.start();
        QTimer::singleShot(2, accion);
        QEventLoop bucle;
        QTimer::singleShot(despues, &bucle, &QEventLoop::quit);
        bucle.exec();
        tic_.stop();
        return static_cast<double>(peor_) / 1e6;
    }

  private:
    QTimer tic_;
    QElapsedTimer reloj_;
    qint64 ultimo_ = 0, peor_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QTemporaryDir dir;
    const QString muestras = QStringLiteral(ZEK_CARPETA_MUESTRAS);
    zek::DialogosGuion dialogos({muestras + "/imagen.bmp", muestras + "/marca.bmp"},
                                dir.filePath(QStringLiteral("barrido.png")));
    zek::FrmPrincipal ventana(dialogos);
    ventana.show();
    zek::prepara_demostracion(ventana, QStringLiteral("16"), QStringLiteral("3"));
    auto* paso = ventana.findChild<QPushButton*>("Command1");
    Sonda sonda;
    const auto informa = [](const char* accion, double ms) {
        std::printf("%-32s %6.1f ms\n", accion, ms);
    };
    for (int i = 0; i < 4; ++i) informa("Paso", sonda.mide([paso] { paso->click(); }, 100));
    informa("Abrir el laboratorio",
            sonda.mide([&] { ventana.findChild<QAction*>("SubLaboratorio")->trigger(); }, 300));
    zek::FrmLaboratorio* lab = ventana.laboratorio();
    informa("Cambiar el ataque (JPEG)",
            sonda.mide([lab] { lab->findChild<QComboBox*>("ataque")->setCurrentIndex(1); }, 300));
    informa("Cambiar la calidad",
            sonda.mide([lab] { lab->findChild<QDoubleSpinBox*>("valor")->setValue(50); }, 300));
    auto* calcular = lab->findChild<QPushButton*>("lanza_barrido");
    auto* cancelar = lab->findChild<QPushButton*>("cancela_barrido");
    informa("Calcular el barrido", sonda.mide([calcular] { calcular->click(); }, 3000));
    lab->espera();
    informa("Exportar el barrido (PNG)",
            sonda.mide([lab] { lab->findChild<QPushButton*>("exporta_png")->click(); }, 500));
    calcular->click();
    QEventLoop bucle;
    QTimer::singleShot(150, &bucle, &QEventLoop::quit);
    bucle.exec();
    informa("Cancelar el barrido", sonda.mide([cancelar] { cancelar->click(); }, 500));
    lab->espera();
    informa("Cambiar el método (DCT)",
            sonda.mide([lab] { lab->findChild<QComboBox*>("metodo")->setCurrentIndex(2); }, 500));
    informa("Comparar métodos",
            sonda.mide([lab] { lab->findChild<QPushButton*>("comparar_metodos")->click(); }, 4000));
    lab->comparacion()->espera();
    lab->findChild<QComboBox*>("metodo")->setCurrentIndex(0);
    lab->espera();
    informa("Reset", sonda.mide([&] { ventana.findChild<QAction*>("MnuReset")->trigger(); }, 300));
    return 0;
}
