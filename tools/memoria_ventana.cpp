// SPDX-License-Identifier: MIT
// Peak memory of the window program through a full demonstration on the
// largest pictures it runs: a 378 x 483 host and a 180 x 226 watermark
// (181 x 227 fits the box but has an odd pixel count, which the layout
// refuses), Grado 10, Clave 3, four presses. Drives the real main window off
// screen and prints the process's peak resident memory before loading and
// at the end.
#include <sys/resource.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "images/lector_imagen.h"
#include "qt/escritura.h"
#include "tools/guion_ventana.h"
#include "ui/frm_principal.h"

namespace {

double pico_mb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

QString guarda(const QTemporaryDir& dir, const char* nombre, int ancho, int alto, bool marca) {
    QImage imagen(ancho, alto, QImage::Format_RGB32);
    for (int y = 0; y < alto; ++y) {
        for (int x = 0; x < ancho; ++x) {
            const double d = std::hypot(x - ancho / 2.0, y - alto / 2.0);
            imagen.setPixel(x, y,
                            marca ? (d > 50 && d < 80 ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                                  : qRgb((x * 3) % 256, (y * 2) % 256, (x + y) % 256));
        }
    }
    const QString ruta = dir.filePath(nombre);
    zek::escribe_imagen(imagen, ruta.toStdString(), "BMP");
    return ruta;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QTemporaryDir dir;
    zek::DialogosGuion dialogos(
        {guarda(dir, "host.bmp", zek::kLimiteAnfitrion.ancho, zek::kLimiteAnfitrion.alto, false),
         guarda(dir, "marca.bmp", zek::kLimiteMarca.ancho - 1, zek::kLimiteMarca.alto - 1, true)});
    zek::FrmPrincipal ventana(dialogos);
    ventana.show();
    QApplication::processEvents();
    const double al_abrir = pico_mb();

    zek::prepara_demostracion(ventana, QStringLiteral("10"), QStringLiteral("3"));
    for (int i = 0; i < 4; ++i) {
        ventana.findChild<QPushButton*>("Command1")->click();
        QApplication::processEvents();
    }
    std::printf("pico de memoria: %.1f MB con la ventana abierta, %.1f MB tras la demostración\n",
                al_abrir, pico_mb());
    std::printf("paso %d, %s\n", ventana.vbles().Paso,
                ventana.findChild<QLabel*>("Estado")->text().toUtf8().constData());
    return 0;
}
