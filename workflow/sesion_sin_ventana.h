// SPDX-License-Identifier: MIT
// A session without a window, for every front end that has none (zek-demo,
// the sweep, the fuzzers, the benchmarks, the tests): the in-memory port, a
// reader, and the user's moves in one line each. Pictures the front end
// makes itself are held in memory and opened as the user would open files.
#pragma once

#include <string>

#include "base/puerto_memoria.h"
#include "workflow/lector_memoria.h"
#include "workflow/sesion.h"

namespace zek {

class SesionSinVentana {
  public:
    // lector: where files are read from, besides the pictures held in
    // `memoria`. The boxes start at the sizes given.
    explicit SesionSinVentana(LectorImagen* lector = nullptr,
                              TamanoImagen anfitrion = kLimiteAnfitrion,
                              TamanoImagen marca = kLimiteMarca)
        : sesion(puerto, memoria, anfitrion, marca) {
        memoria.resto = lector;
    }
    SesionSinVentana(const SesionSinVentana&) = delete;
    SesionSinVentana& operator=(const SesionSinVentana&) = delete;

    // Holds both pictures in memory and opens them, host first, as the user
    // would; true when both were accepted.
    bool carga(const SuperficieImagen& anfitrion, const SuperficieImagen& marca) {
        memoria.pon("host", anfitrion);
        memoria.pon("marca", marca);
        return sesion.abre(Rol::Imagen, "host") && sesion.abre(Rol::Marca, "marca");
    }
    // Types both values into their boxes and presses their buttons, then the
    // step button `pasos` times.
    void demuestra(const std::string& grado, const std::string& clave, int pasos = 4) {
        sesion.aplica(Parametro::Grado, grado);
        sesion.aplica(Parametro::Clave, clave);
        for (int i = 0; i < pasos; ++i) sesion.Command1_Click();
    }
    std::string estado() const { return puerto.texto(Control::Estado); }

    PuertoMemoria puerto;
    LectorMemoria memoria;
    Sesion sesion;
};

}  // namespace zek
