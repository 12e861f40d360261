// SPDX-License-Identifier: MIT
// What the laboratory's long jobs say (the sweep, the comparison of the
// methods, the detector), and the comparison's table, worded once for the
// window and the web page alike. Numbers take the separator given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/grafico.h"
#include "engine/metodo.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"

namespace zek {

inline constexpr const char* kCancelando = "Cancelando…";
inline constexpr const char* kCalculandoBarrido = "Calculando el barrido…";
inline constexpr const char* kCalibrando = "Calibrando y atacando los cuatro métodos…";
inline constexpr const char* kFaltanLasDos =
    "Hacen falta una imagen principal y una marca de agua abiertas.";
inline constexpr const char* kFaltaAnfitrion = "Hace falta una imagen principal abierta.";
// A job that ended without an answer (the browser ran out of memory, say).
inline constexpr const char* kFalloDelTrabajo =
    "El cálculo no ha podido terminar; lo demás sigue como estaba.";

enum class TrabajoLargo { Barrido, Comparacion, Deteccion };
// "Barrido cancelado al 40 %.", with what the chart still shows when an
// earlier sweep's is kept.
std::string texto_de_cancelado(TrabajoLargo t, int porcentaje, bool queda_el_anterior = false);
// "Insertando, atacando (jpeg:75) y detectando…"
std::string texto_detectando(const std::string& ataque);

// One cell of the comparison's table: its lines, its background (from
// green, nothing wrong, to red, chance or worse) and, for a reading, the
// bits read to draw small.
struct CeldaComparacion {
    std::string texto;
    std::optional<ColorGrafico> fondo;
    std::optional<Bits> leidos;
};
struct FilaComparacion {
    std::string metodo;
    std::string no_cabe;                   // why it has no figures; then the cells are empty
    std::vector<CeldaComparacion> celdas;  // strength, PSNR, SSIM, then each attack
};
struct TablaComparacion {
    std::vector<std::string> cabecera;  // "Método", "Fuerza", "PSNR", "SSIM", each attack
    std::vector<FilaComparacion> filas;
};
TablaComparacion describe_tabla_comparacion(const Comparacion& c, char separador);
// A bit error rate's colour, and the detector's decision's (present green).
ColorGrafico color_de_ber(double ber);
ColorGrafico color_de_presencia(bool presente);
// The line over the table: the target PSNR, where it came from and how to
// read the cells.
std::string texto_de_comparacion(const Comparacion& c, char separador);
// The DCT method's predicted breaking quality; empty when none was made.
std::string texto_de_prediccion(const Comparacion& c);

// The detector's findings in one line: the picture marked, attacked, and
// the decision; then the ROC's area and threshold for one false alarm in a
// million.
std::string texto_del_detector(const AnalisisDeteccion& a, double clave, double umbral,
                               const std::string& ataque, char separador);
std::string texto_de_la_roc(const AnalisisDeteccion& a, char separador);

}  // namespace zek
