// SPDX-License-Identifier: MIT
// zek: the main window of the demonstration. `zek [IMAGEN [MARCA]]` opens
// the pictures given, through the same loading rules as the menus.
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "base/version.h"
#include "qt/traducciones.h"
#include "ui/frm_principal.h"

namespace {

constexpr const char* kUso =
    "Uso: zek [IMAGEN [MARCA]]\n"
    "\n"
    "Abre la ventana de ZEK, que muestra paso a paso cómo se oculta una marca de\n"
    "agua en la luminancia de una imagen. IMAGEN se abre como imagen principal y\n"
    "MARCA como marca de agua, con las mismas comprobaciones que los menús.\n"
    "\n"
    "  --version   muestra la versión.\n"
    "  --ayuda     muestra este texto.\n";

}  // namespace

int main(int argc, char** argv) {
    QStringList imagenes;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--version")) {
            std::printf("zek %s\n", zek::kVersion);
            return 0;
        }
        if (a == QLatin1String("--ayuda") || a == QLatin1String("--help") ||
            a == QLatin1String("-h")) {
            const QCoreApplication aplicacion(argc, argv);  // where the program lies
            std::printf("%s\nImágenes de ejemplo: %s\n", kUso,
                        qPrintable(zek::carpeta_de_muestras()));
            return 0;
        }
        if (a.startsWith('-') || imagenes.size() == 2) {
            std::fprintf(stderr, "zek: argumento no válido: %s\n\n%s", argv[i], kUso);
            return 1;
        }
        imagenes << a;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zek"));
    QApplication::setApplicationVersion(QString::fromLatin1(zek::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("zek"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    zek::carga_traducciones_de_qt(app);
    zek::DialogosQt dialogos;
    zek::FrmPrincipal ventana(dialogos);
    ventana.show();
    ventana.abre_archivos(imagenes.value(0), imagenes.value(1));
    return QApplication::exec();
}
