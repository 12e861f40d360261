// SPDX-License-Identifier: MIT
#include "ui/dialogos.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

#include "workflow/textos_ventana.h"

namespace zek {

void DialogosQt::mensaje(QWidget* padre, const QString& texto, Icono icono, const QString& titulo) {
    QString visible = texto;
    visible.replace('\r', '\n');  // a lone carriage return ends a line
    QMessageBox caja(icono == Icono::Informacion ? QMessageBox::Information : QMessageBox::NoIcon,
                     titulo, visible, QMessageBox::Ok, padre);
    caja.exec();
}

QString DialogosQt::elige_archivo(QWidget* padre, const QString& filtro, const QString& carpeta) {
    QFileDialog d(padre, QString(), carpeta, filtro);
    d.setFileMode(QFileDialog::ExistingFile);
    return elige(d);
}

QString DialogosQt::elige_archivo_para_guardar(QWidget* padre, const QString& filtro,
                                               const QString& sugerido) {
    const QFileInfo f(sugerido);
    QFileDialog d(padre, QString::fromUtf8("Guardar"), f.absolutePath(), filtro);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.selectFile(f.fileName());
    return elige(d);
}

// Large enough for the names, sizes and types of the files; the size the
// user leaves it at is the next one's.
QString DialogosQt::elige(QFileDialog& d) {
    QSize t = tamano_;
    if (const QScreen* pantalla = d.screen()) t = t.boundedTo(pantalla->availableGeometry().size());
    d.resize(t);
    const bool elegido = d.exec() == QDialog::Accepted;
    tamano_ = d.size();
    const QStringList archivos = d.selectedFiles();
    return elegido && !archivos.isEmpty() ? archivos.first() : QString();
}

std::optional<int> DialogosQt::pide_calidad(QWidget* padre, int defecto) {
    bool aceptado = false;
    const int calidad =
        QInputDialog::getInt(padre, QStringLiteral("JPEG"), QString::fromUtf8(kPideCalidad),
                             defecto, 0, 100, 1, &aceptado);
    return aceptado ? std::optional<int>(calidad) : std::nullopt;
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
