// SPDX-License-Identifier: MIT
#include "qt/guardado.h"

#include <QFileInfo>

#include "qt/escritura.h"
#include "qt/imagen_qt.h"

namespace zek {
namespace {

QByteArray formato_de(const QString& ruta) {
    const QString extension = QFileInfo(ruta).suffix().toLower();
    if (extension == QLatin1String("png")) return "PNG";
    if (extension == QLatin1String("bmp")) return "BMP";
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg")) return "JPEG";
    return {};
}

}  // namespace

std::string con_extension(const std::string& ruta) {
    return formato_de(QString::fromStdString(ruta)).isEmpty() ? ruta + ".png" : ruta;
}

bool mismo_archivo(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    const QFileInfo fa(QString::fromStdString(a)), fb(QString::fromStdString(b));
    if (fa.exists() && fb.exists()) return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

std::string guarda_imagen(const SuperficieImagen& imagen, const std::string& ruta, int calidad) {
    const QByteArray formato = formato_de(QString::fromStdString(ruta));
    if (formato.isEmpty()) return "el nombre debe acabar en .png, .bmp o .jpg.";
    if (imagen.ancho() < 1 || imagen.alto() < 1) return "no hay ninguna imagen que guardar.";
    return escribe_imagen(a_qimage(imagen), ruta, formato.constData(),
                          formato == "JPEG" ? calidad : -1);
}

}  // namespace zek
