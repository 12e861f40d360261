// SPDX-License-Identifier: MIT
#include "ui/iconos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace zek {
namespace {

// Draws at 32 x 32 and 16 x 16, on a 32-unit canvas.
QIcon dibuja(const std::function<void(QPainter&)>& figura) {
    QIcon icono;
    for (int lado : {32, 16}) {
        QPixmap pixmap(lado, lado);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(lado / 32.0, lado / 32.0);
        figura(p);
        icono.addPixmap(pixmap);
    }
    return icono;
}

}  // namespace

QIcon icono_flecha() {
    return dibuja([](QPainter& p) {
        QPainterPath flecha;
        flecha.moveTo(3, 12);
        flecha.lineTo(17, 12);
        flecha.lineTo(17, 5);
        flecha.lineTo(29, 16);
        flecha.lineTo(17, 27);
        flecha.lineTo(17, 20);
        flecha.lineTo(3, 20);
        flecha.closeSubpath();
        p.setPen(QPen(QColor(0, 0, 128), 1.5));
        p.setBrush(QColor(0, 128, 0));
        p.drawPath(flecha);
    });
}

QIcon icono_caminante() {
    return dibuja([](QPainter& p) {
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(17, 5), 3, 3);           // head
        p.drawLine(QPointF(16, 9), QPointF(14, 19));   // body
        p.drawLine(QPointF(16, 11), QPointF(10, 15));  // back arm
        p.drawLine(QPointF(16, 11), QPointF(22, 15));  // front arm
        p.drawLine(QPointF(14, 19), QPointF(9, 29));   // back leg
        p.drawLine(QPointF(14, 19), QPointF(19, 24));  // front thigh
        p.drawLine(QPointF(19, 24), QPointF(23, 29));  // front shin
    });
}

}  // namespace zek
