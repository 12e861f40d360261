// SPDX-License-Identifier: MIT
// A session on in-memory pictures for the tests: pictures are opened
// through the real commands, from a reader that holds them in memory.
#pragma once

#include <string>

#include "base/puerto_memoria.h"
#include "workflow/lector_memoria.h"
#include "workflow/sesion.h"

namespace zek::prueba {

struct SesionPrueba {
    PuertoMemoria puerto;
    LectorMemoria lector;
    Sesion s{puerto, lector};
    Vbles& v = s.vbles();
    SuperficieMemoria& p1 = s.Picture1();
    SuperficieMemoria& p2 = s.Picture2();
    SuperficieMemoria& p3 = s.Picture3();
    SuperficieMemoria& p4 = s.Picture4();

    // Opens the host and the watermark as the user would.
    void carga(const SuperficieMemoria& host, const SuperficieMemoria& marca) {
        lector.guarda("host.bmp", host);
        lector.guarda("marca.bmp", marca);
        puerto.archivo = "host.bmp";
        s.SubImagen_Click();
        puerto.archivo = "marca.bmp";
        s.SubMarcaAgua_Click();
    }
    std::string paso() const { return puerto.texto(Control::LpASO); }
    std::string estado() const { return puerto.texto(Control::Estado); }
};

}  // namespace zek::prueba
