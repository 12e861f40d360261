// SPDX-License-Identifier: MIT
// Draws ZEK's icon (the design of data/zek.svg: a picture split into
// blocks with a white Z hidden in it) as PNG files of the sizes the desktop
// asks for: genera_icono CARPETA writes CARPETA/zek-N.png.
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "qt/escritura.h"

namespace {

QImage icono(int lado) {
    QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 256.0, lado / 256.0);
    QLinearGradient cielo(0, 8, 0, 248);
    cielo.setColorAt(0, QColor(0x3d, 0x6f, 0xc4));
    cielo.setColorAt(1, QColor(0xf2, 0xc4, 0x9b));
    QPainterPath marco;
    marco.addRoundedRect(8, 8, 240, 240, 28, 28);
    p.fillPath(marco, cielo);
    p.setClipPath(marco);
    QPainterPath campo;
    campo.moveTo(8, 170);
    campo.quadTo(80, 120, 140, 160);
    campo.quadTo(200, 200, 248, 150);
    campo.lineTo(248, 248);
    campo.lineTo(8, 248);
    campo.closeSubpath();
    p.fillPath(campo, QColor(0x3b, 0x8f, 0x47));
    p.setPen(QPen(QColor(211, 32, 32, 204), 4));
    for (int i : {68, 128, 188}) {
        p.drawLine(i, 8, i, 248);
        p.drawLine(8, i, 248, i);
    }
    QPainterPath zeta;
    zeta.moveTo(70, 62);
    for (auto [x, y] : {std::pair{186, 62},
                        {186, 86},
                        {106, 170},
                        {188, 170},
                        {188, 194},
                        {68, 194},
                        {68, 170},
                        {148, 86},
                        {70, 86}})
        zeta.lineTo(x, y);
    zeta.closeSubpath();
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(zeta);
    return imagen;
}

}  // namespace

int main(int argc, char** argv) {
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(carpeta);
    for (int lado : {16, 32, 48, 64, 128, 256}) {
        const QString ruta = QStringLiteral("%1/zek-%2.png").arg(carpeta).arg(lado);
        if (!zek::escribe_imagen(icono(lado), ruta.toStdString(), "PNG").empty()) {
            std::fprintf(stderr, "no se pudo guardar %s\n", qPrintable(ruta));
            return 1;
        }
    }
    return 0;
}
