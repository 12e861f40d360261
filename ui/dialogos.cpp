#include "ui/dialogos.h"

#include <QFileDialog>
#include <QMessageBox>

namespace zek {

void DialogosQt::mensaje(QWidget* padre, const QString& texto, Icono icono, const QString& titulo) {
    QString visible = texto;
    visible.replace('\r', '\n');  // a lone carriage return ends a line
    QMessageBox caja(icono == Icono::Informacion ? QMessageBox::Information : QMessageBox::NoIcon,
                     titulo, visible, QMessageBox::Ok, padre);
    caja.exec();
}

QString DialogosQt::elige_archivo(QWidget* padre, const QString& filtro, const QString& carpeta) {
    return QFileDialog::getOpenFileName(padre, QString(), carpeta, filtro);
}

QString filtro_qt(const std::string& filtro) {
    const QString f = QString::fromStdString(filtro);
    const qsizetype barra = f.indexOf('|');
    if (barra < 0) return f;
    QString patrones = f.mid(barra + 1);
    patrones.replace(';', ' ');
    return f.left(barra) + " (" + patrones + ")";
}

}  // namespace zek
