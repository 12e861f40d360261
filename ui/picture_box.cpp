#include "ui/picture_box.h"

#include <QPainter>
#include <algorithm>

#include "base/superficie_memoria.h"
#include "qt/imagen_qt.h"

namespace zek {

PictureBox::PictureBox(QWidget* padre, const QRect& diseno) : QWidget(padre) {
    move(diseno.topLeft());
    fija_tamano(diseno.width(), diseno.height());
}

void PictureBox::fija_tamano(int ancho, int alto) {
    QImage nueva(std::max(ancho, 0), std::max(alto, 0), QImage::Format_RGB32);
    nueva.fill(a_qrgb(kColorFondo));
    if (!imagen_.isNull()) {
        QPainter p(&nueva);
        p.drawImage(0, 0, imagen_);
    }
    imagen_ = std::move(nueva);
    resize(imagen_.size());
    update();
}

void PictureBox::limpia() {
    imagen_.fill(a_qrgb(kColorFondo));
    update();
}

int32_t PictureBox::lee_pixel(int x, int y) const {
    if (!imagen_.valid(x, y)) return kColorInvalido;
    return de_qrgb(reinterpret_cast<const QRgb*>(imagen_.constScanLine(y))[x]);
}

void PictureBox::pon_pixel(int x, int y, int32_t color) {
    if (!imagen_.valid(x, y) || !es_color(color)) return;
    reinterpret_cast<QRgb*>(imagen_.scanLine(y))[x] = a_qrgb(color);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, imagen_);
}

}  // namespace zek
