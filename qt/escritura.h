// SPDX-License-Identifier: MIT
// The one routine that writes every file the program produces. The bytes
// are made in memory first; each file is then written through a QSaveFile,
// every byte checked, and committed only when all of them are on disk. Any
// shortfall cancels the write: the file already there stays exactly as it
// was, and the system's reason comes back in Spanish.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <string>
#include <vector>

namespace zek {

struct ArchivoNuevo {
    std::string ruta;
    QByteArray bytes;
};

struct FalloEscritura {
    std::string ruta;    // the file that could not be written
    std::string motivo;  // why, in Spanish, ending in a full stop
};

// Writes all the files or none of them: each is written whole beside its
// destination, and they replace what is there only once every one has been
// written. Nothing when done.
std::optional<FalloEscritura> escribe_archivos(const std::vector<ArchivoNuevo>& archivos);

// One file: the empty text when written, otherwise why not.
std::string escribe_archivo(const std::string& ruta, const QByteArray& bytes);

// A picture encoded in memory as PNG, BMP or JPEG (calidad 0 to 100, for
// JPEG only); nothing when the encoder failed.
std::optional<QByteArray> codifica_imagen(const QImage& imagen, const char* formato,
                                          int calidad = -1);

// A picture encoded and written through the checked routine: the empty
// text when written, otherwise why not.
std::string escribe_imagen(const QImage& imagen, const std::string& ruta, const char* formato,
                           int calidad = -1);

// The reason for an errno, in Spanish (qt_texto when the code says nothing).
std::string motivo_del_sistema(int codigo, const std::string& qt_texto);

}  // namespace zek
