// SPDX-License-Identifier: MIT
// A chart as data: its title, its axes with their ticks already worded, and
// its series with their colours and legend words. Every chart the program
// shows is described once in the core; the windows, zek-demo's pictures, the
// handout and the web page only draw the description.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zek {

struct ColorGrafico {
    int r = 0, g = 0, b = 0;
    bool operator==(const ColorGrafico&) const = default;
};

// A tick: where it stands on the axis and the words under it.
struct MarcaEje {
    double valor = 0;
    std::string texto;
    bool operator==(const MarcaEje&) const = default;
};

struct Eje {
    std::string titulo;
    double desde = 0, hasta = 1;
    std::vector<MarcaEje> marcas;
};

// Lines join their points; points stand alone; bars stand at x = 0, 1, ...
// side by side with the chart's other bars (a histogram's classes).
enum class TipoSerie { Lineas, Puntos, Barras };
// A reference (the threshold, chance, a predicted quality) is dashed or
// dotted; data is drawn whole.
enum class Trazo { Continuo, Discontinuo, Punteado };

struct SerieGrafico {
    std::string nombre;  // its words in the legend
    TipoSerie tipo = TipoSerie::Lineas;
    std::vector<double> x, y;
    ColorGrafico color;
    Trazo trazo = Trazo::Continuo;
    double grosor = 2;  // a line's width, or a point's diameter
    bool con_puntos = false;
    bool eje_derecho = false;  // against the right-hand axis
};

struct Grafico {
    std::string titulo;
    Eje x, y;
    std::optional<Eje> y_derecho;
    std::vector<SerieGrafico> series;
};

// The round step (1, 2 or 5 times a power of ten) that divides `amplitud`
// into at most `como_mucho` intervals, the smallest such.
double paso_redondo(double amplitud, int como_mucho);
// An axis from desde to hasta with ticks at the multiples of that step,
// worded with as many decimals as the step needs. With `ajusta`, the ends
// go out to the nearest ticks, so that the axis starts and ends on one.
Eje eje_redondo(std::string titulo, double desde, double hasta, int como_mucho, char separador,
                bool ajusta = true);

}  // namespace zek
