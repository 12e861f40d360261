#include "ui/picture_box.h"

#include <QPainter>

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

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, imagen_);
}

}  // namespace zek
