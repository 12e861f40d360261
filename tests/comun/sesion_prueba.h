// SPDX-License-Identifier: MIT
// A session on in-memory pictures for the tests: pictures are opened
// through the real commands, from a reader that holds them in memory.
#pragma once

#include <string>

#include "base/puerto_memoria.h"
#include "workflow/lector_memoria.h"
#include "workflow/sesion.h"

namespace zek::prueba {

// Lector: where the pictures come from (in memory, or Qt's reader of files).
template <class Lector>
struct SesionCon {
    PuertoMemoria puerto;
    Lector lector;
    Sesion s{puerto, lector};
    Vbles& v = s.vbles();
    SuperficieMemoria& p1 = s.Picture1();
    SuperficieMemoria& p2 = s.Picture2();
    SuperficieMemoria& p3 = s.Picture3();
    SuperficieMemoria& p4 = s.Picture4();

    // Opens a file in the host's role or the watermark's, as the user would.
    bool abre(const std::string& ruta, bool como_host) {
        puerto.archivo = ruta;
        return como_host ? s.SubImagen_Click() : s.SubMarcaAgua_Click();
    }
    // Opens the host and the watermark held in memory.
    void carga(const SuperficieMemoria& host, const SuperficieMemoria& marca) {
        lector.guarda("host.bmp", host);
        lector.guarda("marca.bmp", marca);
        abre("host.bmp", true);
        abre("marca.bmp", false);
    }
    std::string paso() const { return puerto.texto(Control::LpASO); }
    std::string estado() const { return puerto.texto(Control::Estado); }
};

using SesionPrueba = SesionCon<LectorMemoria>;

}  // namespace zek::prueba
