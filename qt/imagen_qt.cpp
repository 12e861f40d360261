// SPDX-License-Identifier: MIT
#include "qt/imagen_qt.h"

#include "qt/escritura.h"

namespace zek {

QRgb a_qrgb(int32_t c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

int32_t de_qrgb(QRgb rgb) {
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}

QImage a_qimage(const SuperficieImagen& s) {
    QImage imagen(s.ancho(), s.alto(), QImage::Format_RGB32);
    for (int y = 0; y < s.alto(); ++y) {
        auto* fila = reinterpret_cast<QRgb*>(imagen.scanLine(y));
        for (int x = 0; x < s.ancho(); ++x) fila[x] = a_qrgb(s.lee_pixel(x, y));
    }
    return imagen;
}

SuperficieMemoria de_qimage(const QImage& imagen) {
    const QImage rgb = imagen.convertToFormat(QImage::Format_RGB32);
    SuperficieMemoria s(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* fila = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) s.pon_pixel(x, y, de_qrgb(fila[x]));
    }
    return s;
}

std::optional<SuperficieMemoria> CodecJpegQt::comprime(const SuperficieImagen& imagen,
                                                       int calidad) const {
    const auto datos = codifica_imagen(a_qimage(imagen), "JPEG", calidad);
    QImage leida;
    if (!datos || !leida.loadFromData(*datos, "JPEG")) return std::nullopt;
    return de_qimage(leida);
}

}  // namespace zek
