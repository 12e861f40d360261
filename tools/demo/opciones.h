// SPDX-License-Identifier: MIT
// zek-demo's command line: the options, their checks, and the usage text.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/espectro.h"
#include "engine/metodo.h"
#include "tools/demo/ejecucion.h"

namespace zek {

std::string uso();

struct Opciones {
    Parametros p;
    std::filesystem::path salida = "zek-salida";
    std::vector<double> grados;
    bool ayuda = false;
    bool version = false;
    bool extrae = false;
    int32_t lado = 0;                       // --lado: the block side to read with
    std::optional<std::string> sincroniza;  // --sincroniza ANCHOxALTO, as written
    bool barrido = false;                   // --barrido: the laboratory's degrees and attacks
    bool compara = false;                   // --compara: the three methods side by side
    std::optional<double> psnr_objetivo;
    const Metodo* metodo = &metodo_bloques();   // --metodo
    std::optional<double> fuerza;               // --fuerza, for lsb and dct
    std::optional<std::filesystem::path> hoja;  // --hoja: the classroom handout
    std::vector<Ataque> ataques_de_la_hoja;     // the handout's, when --ataque chose them
    int longitud = kLongitudEspectro;           // --longitud: coefficients it marks
    double umbral = kUmbralEspectro;            // --umbral: the detector's threshold
    bool detecta = false;                       // --detecta SOSPECHOSA ORIGINAL
};

// A bad command line: what is wrong, in one Spanish line.
struct ErrorDeUso {
    std::string texto;
};

// "ANCHOxALTO" (an x, an X or a ×), each a whole number from 1; nothing
// for anything else.
std::optional<std::pair<int, int>> lee_tamano(const std::string& texto);

// The options of argv; throws ErrorDeUso.
Opciones lee_opciones(int argc, char** argv);

}  // namespace zek
