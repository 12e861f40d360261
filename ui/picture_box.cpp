#include "ui/picture_box.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "qt/imagen_qt.h"

namespace zek {

PictureBox::PictureBox(QWidget* padre, QPoint posicion, const SuperficieImagen& superficie)
    : QWidget(padre), superficie_(superficie) {
    move(posicion);
    refresca();
}

void PictureBox::refresca() {
    imagen_ = a_qimage(superficie_);
    resize(imagen_.size());
    update();
}

bool PictureBox::event(QEvent* evento) {
    if (evento->type() != QEvent::ToolTip || !consejo_) return QWidget::event(evento);
    const auto* ayuda = static_cast<QHelpEvent*>(evento);
    const QString texto = consejo_(ayuda->pos().x(), ayuda->pos().y());
    if (texto.isEmpty()) {
        QToolTip::hideText();
        evento->ignore();
    } else {
        QToolTip::showText(ayuda->globalPos(), texto, this);
    }
    return true;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, imagen_);
}

}  // namespace zek
