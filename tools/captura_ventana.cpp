// Renders the main window off screen in the middle of a demonstration on
// the samples (host and watermark loaded, Grado 10, Clave 3, two presses of
// the step button) and saves it as a PNG for the README.
#include <QApplication>
#include <QPushButton>
#include <cstdio>

#include "tools/guion_ventana.h"
#include "ui/frm_principal.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString salida = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("zek.png");
    const QString muestras = QStringLiteral(ZEK_CARPETA_MUESTRAS);
    zek::DialogosGuion dialogos({muestras + "/imagen.bmp", muestras + "/marca.bmp"});
    zek::FrmPrincipal ventana(dialogos);
    ventana.show();

    zek::prepara_demostracion(ventana, QStringLiteral("10"), QStringLiteral("3"));
    for (int i = 0; i < 2; ++i) ventana.findChild<QPushButton*>("Command1")->click();

    if (!ventana.grab().save(salida)) {
        std::fprintf(stderr, "no se pudo guardar %s\n", qPrintable(salida));
        return 1;
    }
    return 0;
}
