// SPDX-License-Identifier: MIT
// The headless session for the tests: pictures are opened through the real
// commands, from a reader that holds them in memory (or another given).
#pragma once

#include <string>

#include "workflow/sesion_sin_ventana.h"

namespace zek::prueba {

struct SesionPrueba : SesionSinVentana {
    explicit SesionPrueba(LectorImagen* otro = nullptr) : SesionSinVentana(otro) {}

    Sesion& s = sesion;
    LectorMemoria& lector = memoria;
    const Vbles& v = sesion.vbles();
    const SuperficieMemoria& p1 = sesion.Picture1();
    const SuperficieMemoria& p2 = sesion.Picture2();
    const SuperficieMemoria& p3 = sesion.Picture3();
    const SuperficieMemoria& p4 = sesion.Picture4();

    // Opens a file in the host's role or the watermark's, as the user would.
    bool abre(const std::string& ruta, bool como_anfitrion) {
        return sesion.abre(como_anfitrion ? Rol::Imagen : Rol::Marca, ruta);
    }
    std::string paso() const { return puerto.texto(Control::LpASO); }
};

}  // namespace zek::prueba
