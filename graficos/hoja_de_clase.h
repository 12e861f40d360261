// SPDX-License-Identifier: MIT
// The handout's document laid out as one A4 PDF, for the window and
// zek-demo alike.
#pragma once

#include <QByteArray>
#include <QPicture>
#include <vector>

#include "base/documento.h"
#include "workflow/hoja.h"

namespace zek {

// A chart recorded as vector drawing commands at its own logical size.
struct DibujoDeLaHoja {
    QPicture dibujo;
    QSize tamano;
    bool hay() const { return tamano.isValid(); }
};

// The files' SHA-256, so that the handout says which pictures it is of.
void pon_huellas(LeccionDeLaHoja& h, const std::string& ruta_anfitrion,
                 const std::string& ruta_marca);

// The document's charts, in its order, recorded on the window's thread
// (Qt Charts draws there) at the size they take on the page.
std::vector<DibujoDeLaHoja> dibuja_graficos(const Documento& d);

// The PDF, in memory, on any thread: the document with the charts as
// dibuja_graficos recorded them, and informe.json attached.
QByteArray hoja_pdf(const Documento& d, const std::vector<DibujoDeLaHoja>& graficos,
                    const QByteArray& informe);

}  // namespace zek
