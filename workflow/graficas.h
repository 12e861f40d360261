// SPDX-License-Identifier: MIT
// Every chart the program shows, described once (base/grafico.h) from the
// figures it shows, for the windows, zek-demo's pictures, the handout and
// the web page alike. Numbers are worded with the decimal separator given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/grafico.h"
#include "engine/espectro.h"
#include "engine/extraccion_ciega.h"
#include "workflow/barrido.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"
#include "workflow/laboratorio.h"

namespace zek {

// The bit error rate against the degree for each attack, with the PSNR of
// the watermarked picture on a second axis; nothing without rows.
// `magnitud` names what the rows sweep ("grado", or another method's
// "fuerza").
std::optional<Grafico> describe_barrido(const std::vector<FilaBarrido>& filas,
                                        const std::string& magnitud, char separador);

struct SerieHistograma {
    std::string nombre;  // "Antes", "Después", "Atacada"
    std::optional<Histograma> histograma;
};
// Pairs by residue, light and dark watermark pixels apart, for each series;
// with `fracciones`, watermark pixels by the fraction of its step that
// another method's reading looks at.
Grafico describe_histograma(const std::vector<SerieHistograma>& series, bool fracciones,
                            char separador);

// The bit error rate against JPEG quality, one line per method that reads,
// with chance and the predicted breaking quality marked; nothing without
// methods.
std::optional<Grafico> describe_comparacion(const Comparacion& c, char separador);
// The top of its error axis: the highest rate read, rounded up to a tenth,
// from 0.6 to 1.
double tope_de_comparacion(const Comparacion& c);

// The detector's sim against JPEG quality, with its threshold; nothing when
// no method that decides was compared.
std::optional<Grafico> describe_sim_jpeg(const Comparacion& c, char separador);

// The detector's response: sim for the true key and the wrong ones, key by
// key, the threshold drawn.
Grafico describe_respuesta(const RespuestaDetector& r, double clave, double umbral, char separador);
// The wrong keys' sim in bins of 0.25 (each bin a step of the outline)
// beside the standard normal curve they should follow (expected counts).
Grafico describe_falsas(const std::vector<double>& falsas, char separador);
// The detection probability against the false-alarm probability.
Grafico describe_roc(const CurvaRoc& c, char separador);

// The laboratory's chart under an analysis with method m: the detector's
// response for a method that decides (nothing when it could not compare),
// otherwise the histogram before, after and attacked (of the residues, or
// of the fractions of another method's step).
std::optional<Grafico> describe_laboratorio(const ResultadoLaboratorio& r,
                                            const FuenteLaboratorio& f, const Metodo& m,
                                            char separador);

// Every how many of n bars a label goes, so that at most `como_mucho`
// labels show: 1, 2, 4, 5, 10, 20, 25, 50 …
int32_t paso_de_etiquetas(int32_t n, int32_t como_mucho);

}  // namespace zek
