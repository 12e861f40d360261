// SPDX-License-Identifier: MIT
#include "qt/escritura.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QStorageInfo>
#include <cerrno>
#include <memory>

namespace zek {
namespace {

using Pendiente = std::unique_ptr<QSaveFile>;

// The disk may run out without the system saying so through errno: ask the
// file system whether the bytes could still fit.
int codigo_de_fallo(int codigo, const QString& ruta, qint64 bytes) {
    if (codigo != 0) return codigo;
    const QStorageInfo disco(QFileInfo(ruta).absolutePath());
    if (disco.isValid() && disco.bytesAvailable() < bytes) return ENOSPC;
    return 0;
}

// Opens, writes and checks one file without committing it.
std::optional<FalloEscritura> prepara(const ArchivoNuevo& a, Pendiente& archivo) {
    const QString ruta = QString::fromStdString(a.ruta);
    archivo = std::make_unique<QSaveFile>(ruta);
    errno = 0;
    if (!archivo->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int codigo = errno;
        return FalloEscritura{a.ruta, motivo_del_sistema(codigo_de_fallo(codigo, ruta, 0),
                                                         archivo->errorString().toStdString())};
    }
    errno = 0;
    const qint64 escritos = archivo->write(a.bytes);
    const int codigo = errno;
    if (escritos != a.bytes.size() || !archivo->flush() ||
        archivo->error() != QFileDevice::NoError) {
        const std::string qt = archivo->errorString().toStdString();
        archivo->cancelWriting();
        return FalloEscritura{
            a.ruta, motivo_del_sistema(
                        codigo_de_fallo(codigo == 0 ? ENOSPC : codigo, ruta, a.bytes.size()), qt)};
    }
    return std::nullopt;
}

}  // namespace

std::string motivo_del_sistema(int codigo, const std::string& qt_texto) {
    switch (codigo) {
        case ENOSPC:
        case EDQUOT:
            return "no queda espacio en el disco.";
        case EFBIG:
            return "el archivo es demasiado grande para ese disco.";
        case EACCES:
        case EPERM:
            return "no hay permiso para escribir ahí.";
        case EROFS:
            return "el disco es de solo lectura.";
        case ENOENT:
        case ENOTDIR:
            return "la carpeta no existe.";
        case EISDIR:
            return "ya hay una carpeta con ese nombre.";
        case EIO:
            return "el disco ha dado un error de lectura o escritura.";
        default:
            return qt_texto.empty() ? "el sistema no lo ha permitido."
                                    : "el sistema no lo ha permitido (" + qt_texto + ").";
    }
}

std::optional<FalloEscritura> escribe_archivos(const std::vector<ArchivoNuevo>& archivos) {
    // Every file is written and checked before any is committed, so a
    // failure leaves neither a cut file nor half of a new set: the pending
    // ones are discarded with their temporary files.
    std::vector<Pendiente> pendientes(archivos.size());
    for (size_t i = 0; i < archivos.size(); ++i) {
        if (auto fallo = prepara(archivos[i], pendientes[i])) {
            for (Pendiente& p : pendientes)
                if (p) p->cancelWriting();
            return fallo;
        }
    }
    for (size_t i = 0; i < archivos.size(); ++i) {
        errno = 0;
        if (!pendientes[i]->commit()) {
            const int codigo = errno;
            for (size_t j = i + 1; j < pendientes.size(); ++j) pendientes[j]->cancelWriting();
            return FalloEscritura{
                archivos[i].ruta,
                motivo_del_sistema(codigo, pendientes[i]->errorString().toStdString())};
        }
    }
    return std::nullopt;
}

std::string escribe_archivo(const std::string& ruta, const QByteArray& bytes) {
    const auto fallo = escribe_archivos({{ruta, bytes}});
    return fallo ? fallo->motivo : std::string();
}

std::string escribe_imagen(const QImage& imagen, const std::string& ruta, const char* formato,
                           int calidad) {
    const auto bytes = codifica_imagen(imagen, formato, calidad);
    if (!bytes) return "no se ha podido codificar la imagen.";
    return escribe_archivo(ruta, *bytes);
}

std::optional<QByteArray> codifica_imagen(const QImage& imagen, const char* formato, int calidad) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter escritor(&buffer, formato);
    if (calidad >= 0) escritor.setQuality(calidad);
    if (imagen.isNull() || !escritor.write(imagen)) return std::nullopt;
    return bytes;
}

}  // namespace zek
