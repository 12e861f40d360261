// SPDX-License-Identifier: MIT
#include "qt/lector_qt.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

#include "base/superficie_memoria.h"
#include "images/cabecera_imagen.h"
#include "qt/imagen_qt.h"

namespace zek {
namespace {

// Files far larger than any picture the boxes take are not read whole.
constexpr qint64 kMayorArchivo = 64 * 1024 * 1024;

// At most limite bytes of the file, read once; nothing when none can be read.
std::optional<QByteArray> bytes_de(const std::string& ruta, qint64 limite) {
    QFile archivo(QString::fromStdString(ruta));
    if (!archivo.open(QIODevice::ReadOnly)) return std::nullopt;
    // Sized by the file, not by the limit: a buffer of the limit's size
    // would cost more than reading a whole picture.
    const qint64 tamano = archivo.size();
    QByteArray datos = archivo.read(tamano > 0 ? std::min(limite, tamano) : limite);
    if (datos.isEmpty()) return std::nullopt;
    return datos;
}

std::span<const unsigned char> como_bytes(const QByteArray& datos) {
    return {reinterpret_cast<const unsigned char*>(datos.constData()),
            static_cast<size_t>(datos.size())};
}

}  // namespace

std::optional<TamanoImagen> LectorQt::tamano(const std::string& ruta) {
    const auto inicio = bytes_de(ruta, 64 * 1024);
    if (!inicio) return std::nullopt;
    if (const auto t = tamano_de_cabecera(como_bytes(*inicio))) return t;
    // Another format one of Qt's plugins knows: its own header reading.
    QImageReader lector(QString::fromStdString(ruta));
    const QSize s = lector.size();
    if (!lector.canRead() || !s.isValid() || s.isEmpty()) return std::nullopt;
    return TamanoImagen{s.width(), s.height()};
}

std::optional<ImagenDecodificada> LectorQt::lee(const std::string& ruta) {
    // The decoder reads the same buffer: one copy of the file at most.
    auto datos = bytes_de(ruta, kMayorArchivo);
    if (!datos || !datos_completos(como_bytes(*datos))) return std::nullopt;
    QBuffer buffer(&*datos);
    QImageReader lector(&buffer);
    const QImage leida = lector.read();
    if (leida.isNull()) return std::nullopt;

    // Transparent pixels show the boxes' background; an opaque picture
    // needs no painting over it.
    QImage sobre_fondo;
    if (leida.hasAlphaChannel()) {
        sobre_fondo = QImage(leida.size(), QImage::Format_RGB32);
        sobre_fondo.fill(a_qrgb(kColorFondo));
        QPainter(&sobre_fondo).drawImage(0, 0, leida);
    } else {
        sobre_fondo = leida.convertToFormat(QImage::Format_RGB32);
    }

    ImagenDecodificada imagen{{leida.width(), leida.height()}, {}};
    imagen.colores.reserve(static_cast<size_t>(leida.width()) *
                           static_cast<size_t>(leida.height()));
    for (int y = 0; y < sobre_fondo.height(); ++y) {
        const auto* fila = reinterpret_cast<const QRgb*>(sobre_fondo.constScanLine(y));
        for (int x = 0; x < sobre_fondo.width(); ++x) imagen.colores.push_back(de_qrgb(fila[x]));
    }
    return imagen;
}

}  // namespace zek
