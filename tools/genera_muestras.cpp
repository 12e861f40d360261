// SPDX-License-Identifier: MIT
// Draws the sample pictures a newcomer opens first: a colour landscape as
// the host (320 x 240) and a black "Z" on white as the watermark (32 x 32,
// an even pixel count). Writes BMP and JPEG; scripts/genera-muestras adds
// the GIF copies.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "qt/escritura.h"

namespace {

QImage paisaje() {
    QImage img(320, 240, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient cielo(0, 0, 0, 150);
    cielo.setColorAt(0, QColor(40, 90, 200));
    cielo.setColorAt(1, QColor(250, 200, 150));
    p.fillRect(img.rect(), cielo);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 60));
    p.drawEllipse(QPointF(240, 60), 28, 28);
    QPainterPath monte;
    monte.moveTo(0, 170);
    monte.cubicTo(80, 90, 140, 120, 200, 150);
    monte.cubicTo(250, 120, 290, 110, 320, 140);
    monte.lineTo(320, 240);
    monte.lineTo(0, 240);
    p.setBrush(QColor(60, 140, 70));
    p.drawPath(monte);
    QLinearGradient lago(0, 190, 0, 240);
    lago.setColorAt(0, QColor(30, 110, 170));
    lago.setColorAt(1, QColor(10, 50, 110));
    p.setBrush(lago);
    p.drawRect(0, 195, 320, 45);
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(60, 150, 8, 40);
    p.setBrush(QColor(30, 100, 40));
    p.drawEllipse(QPointF(64, 140), 22, 22);
    return img;
}

QImage letra_z() {
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(5, 5, 22, 5);
    p.drawRect(5, 22, 22, 5);
    p.drawPolygon(QPolygon({{22, 10}, {27, 10}, {10, 22}, {5, 22}}));
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("samples");
    bool ok = true;
    for (const auto& [nombre, imagen] : {std::pair{"imagen", paisaje()}, {"marca", letra_z()}}) {
        const std::string base = (carpeta + "/" + nombre).toStdString();
        ok &= zek::escribe_imagen(imagen, base + ".bmp", "BMP").empty();
        ok &= zek::escribe_imagen(imagen, base + ".jpg", "JPEG", 92).empty();
    }
    if (!ok)
        std::fprintf(stderr, "no se pudieron escribir las muestras en %s\n", qPrintable(carpeta));
    return ok ? 0 : 1;
}
