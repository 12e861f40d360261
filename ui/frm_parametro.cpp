// SPDX-License-Identifier: MIT
#include "ui/frm_parametro.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/estilo.h"

namespace zek {

const DisenoParametro kDisenoClave{"FrmClave",
                                   "Introducir Numero de bloques",
                                   {372, 59},
                                   {3, 2, 362, 52},
                                   "Clave de Codificación de la marca de Agua",
                                   {15, 24, 218, 14},
                                   {232, 22, 119, 19},
                                   "Txt_clave"};

const DisenoParametro kDisenoGrado{"FrmGrado",
                                   "Intoducir Grado de Resistencia a ataques de altas frecuencias",
                                   {439, 55},
                                   {0, 0, 424, 52},
                                   "Grado de resistencia a ataques de altas frecuencias",
                                   {18, 24, 255, 14},
                                   {297, 21, 119, 19},
                                   "Txt_Grado"};

FrmParametro::FrmParametro(QWidget* principal, const DisenoParametro& d,
                           std::function<bool(const std::string&)> al_cerrar)
    : QWidget(principal, Qt::Window), al_cerrar_(std::move(al_cerrar)) {
    setObjectName(d.nombre);
    setWindowTitle(QString::fromUtf8(d.titulo));
    setFixedSize(d.cliente);

    auto* marco = new QGroupBox(QStringLiteral("Datos"), this);
    marco->setObjectName("Frame1");
    marco->setGeometry(d.marco);
    pon_color_texto(marco, QColor(192, 0, 0));

    texto_ = new QLineEdit(marco);
    texto_->setObjectName(d.nombre_texto);
    texto_->setGeometry(d.rect_texto);
    texto_->setFont(fuente_sans(11, false));

    auto* etiqueta = new QLabel(QString::fromUtf8(d.etiqueta), marco);
    etiqueta->setObjectName("Label1");
    etiqueta->setGeometry(d.rect_etiqueta);
    etiqueta->setFont(fuente_sans(11, false));
    pon_color_texto(etiqueta, palette().color(QPalette::Highlight));

    marco->setAccessibleName(marco->title());
    etiqueta->setAccessibleName(etiqueta->text());
    texto_->setAccessibleName(etiqueta->text());
    texto_->setAccessibleDescription(
        QString::fromUtf8("Se aplica al cerrar la ventana, si es un número"));
}

void FrmParametro::abre(const QString& valor) {
    if (!isVisible()) {
        texto_->setText(valor);
        show();
    }
    raise();
    activateWindow();
    texto_->setFocus();
}

void FrmParametro::closeEvent(QCloseEvent* evento) {
    if (al_cerrar_(texto_->text().toStdString())) {
        evento->accept();
    } else {
        evento->ignore();
    }
}

}  // namespace zek
