// zek: the main window of the demonstration.
#include <QApplication>

#include "ui/frm_principal.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    zek::DialogosQt dialogos;
    zek::FrmPrincipal ventana(dialogos);
    ventana.show();
    return QApplication::exec();
}
