// SPDX-License-Identifier: MIT
// The lesson as a classroom handout, described once as a document for every
// front end: the pictures of each step, the figures, what survives the
// attacks, the charts, and questions for the students.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "base/documento.h"
#include "workflow/barrido.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"
#include "workflow/laboratorio.h"
#include "workflow/sesion.h"

namespace zek {

struct ArchivoDeLaHoja {
    std::string nombre;  // the file name, without its folder
    int ancho = 0, alto = 0;
    std::string sha256;  // of the file as it is now; empty when it cannot be read
};

// The spread spectrum's detector, when the laboratory has computed it.
struct DeteccionDeLaHoja {
    RespuestaDetector respuesta;
    double clave = 0, umbral = 0;
    std::string ataque;
};

// Everything the handout shows.
struct LeccionDeLaHoja {
    std::chrono::year_month_day fecha;
    ArchivoDeLaHoja anfitrion, marca;
    double grado = 0, clave = 0;
    int32_t lado = 0;
    double bloques = 0;
    SuperficieMemoria pasos[4];  // the four picture boxes as the window shows them
    SuperficieMemoria marcada, diferencia, leida;
    double ganancia = 1;  // of the difference picture
    std::optional<double> psnr, ssim;
    std::optional<Aciertos> aciertos;
    std::vector<ResultadoAtaque> ataques;
    std::optional<Histograma> antes,
        despues;  // the residues of the host and the watermarked picture
    std::vector<FilaBarrido> barrido;
    std::optional<Comparacion> comparacion;
    std::optional<DeteccionDeLaHoja> deteccion;
    std::string orden;  // the zek-demo command line that makes it again
};

// The attacks of the handout's table: the comparison's.
std::vector<Ataque> ataques_de_la_hoja();

// What the session shows now (the files' hashes left to the front end, the
// date today's), with the source of the watermarked picture for the rest;
// nothing before a watermarked picture has been drawn.
std::optional<LeccionDeLaHoja> leccion_de_la_sesion(const Sesion& s, FuenteLaboratorio* fuente);

// The zek-demo command line that makes the same handout; `ataques`, when
// the handout's attacks were chosen rather than the comparison's. With
// `solo_nombres`, the files by their names alone, for a front end whose
// paths mean nothing to its user (the web page's).
std::string orden_de_la_hoja(const Sesion& s, bool con_barrido, bool con_comparacion,
                             const std::string& pdf, const std::vector<std::string>& ataques = {},
                             bool solo_nombres = false);

// A date as a Spanish reader writes it in full: "martes, 8 de diciembre de 2026".
std::string fecha_larga(std::chrono::year_month_day fecha);

// The handout.
Documento documento_de_la_hoja(const LeccionDeLaHoja& h);

}  // namespace zek
