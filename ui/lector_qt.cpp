#include "lector_qt.h"

#include <QImageReader>
#include <QPainter>

#include "picture_box.h"
#include "superficie_memoria.h"

namespace zek {

std::optional<TamanoImagen> LectorQt::tamano(const std::string& ruta) {
    QImageReader lector(QString::fromStdString(ruta));
    const QSize s = lector.size();  // from the header; nothing is decoded
    if (!lector.canRead() || !s.isValid() || s.isEmpty()) return std::nullopt;
    return TamanoImagen{s.width(), s.height()};
}

std::optional<ImagenDecodificada> LectorQt::lee(const std::string& ruta) {
    QImageReader lector(QString::fromStdString(ruta));
    const QImage leida = lector.read();
    if (leida.isNull()) return std::nullopt;

    QImage sobre_fondo(leida.size(), QImage::Format_RGB32);
    sobre_fondo.fill(a_qrgb(kColorFondo));
    QPainter(&sobre_fondo).drawImage(0, 0, leida);

    ImagenDecodificada imagen{{leida.width(), leida.height()}, {}};
    imagen.colores.reserve(static_cast<size_t>(leida.width()) * leida.height());
    for (int y = 0; y < sobre_fondo.height(); ++y) {
        const auto* fila = reinterpret_cast<const QRgb*>(sobre_fondo.constScanLine(y));
        for (int x = 0; x < sobre_fondo.width(); ++x) imagen.colores.push_back(de_qrgb(fila[x]));
    }
    return imagen;
}

}  // namespace zek
