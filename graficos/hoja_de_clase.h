// SPDX-License-Identifier: MIT
// The lesson as a classroom handout: one A4 PDF with the pictures of each
// step, the figures, what survives the attacks, the charts, and questions
// for the students. The window and zek-demo make the same document.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QPicture>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "workflow/barrido.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"
#include "workflow/laboratorio.h"
#include "workflow/sesion.h"

namespace zek {

struct ArchivoDeLaHoja {
    QString nombre;  // the file name, without its folder
    int ancho = 0, alto = 0;
    QString sha256;  // of the file as it is now; empty when it cannot be read
};

// A chart recorded as vector drawing commands at its own logical size.
struct DibujoDeLaHoja {
    QPicture dibujo;
    QSize tamano;
    bool hay() const { return tamano.isValid(); }
};

struct HojaDeClase {
    QDate fecha;
    ArchivoDeLaHoja anfitrion, marca;
    double grado = 0, clave = 0;
    int32_t lado = 0;
    double bloques = 0;
    QImage pasos[4];  // the four picture boxes as the window shows them
    QImage marcada, diferencia, leida;
    double ganancia = 1;  // of the difference picture
    std::optional<double> psnr, ssim;
    std::optional<Aciertos> aciertos;
    std::vector<ResultadoAtaque> ataques;
    DibujoDeLaHoja histograma, barrido, grafico_comparacion, grafico_sim;
    std::optional<Comparacion> comparacion;
    DibujoDeLaHoja respuesta;  // the spread spectrum detector's, when it was computed
    QString deteccion;         // its decision, in one line
    QByteArray informe;        // informe.json, attached to the PDF
    QString orden;             // the zek-demo command line that makes it again
};

// The attacks of the handout's table: the comparison's.
std::vector<Ataque> ataques_de_la_hoja();

// What the session shows now: files, parameters, pictures and figures, with
// the source of the watermarked picture for the rest. Nothing before a
// watermarked picture has been drawn.
std::optional<HojaDeClase> hoja_de_la_sesion(const Sesion& s, FuenteLaboratorio* fuente);

// The charts, recorded on the window's thread (Qt Charts draws there):
// the residue histogram of the source, and the sweep and the comparison
// when they have been computed.
void dibuja_graficos(HojaDeClase& h, const FuenteLaboratorio& fuente,
                     const std::vector<FilaBarrido>& barrido,
                     const std::optional<Comparacion>& comparacion);

// The spread spectrum's detector, when the laboratory has computed it: its
// response chart and its decision, on the window's thread.
void dibuja_deteccion(HojaDeClase& h, const AnalisisDeteccion& a, double clave, double umbral,
                      const std::string& ataque);

// The zek-demo command line that makes the same handout; `ataques`, when
// the handout's attacks were chosen rather than the comparison's.
QString orden_de_la_hoja(const Sesion& s, bool con_barrido, bool con_comparacion,
                         const QString& pdf, const QStringList& ataques = {});

// The PDF, in memory; any thread.
QByteArray hoja_pdf(const HojaDeClase& h);

}  // namespace zek
