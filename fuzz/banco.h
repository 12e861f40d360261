// SPDX-License-Identifier: MIT
// What the fuzz targets share: a session on in-memory pictures and the
// in-memory window port, and the invariants checked after every
// action. A broken invariant aborts, which libFuzzer reports as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "base/numeros.h"
#include "qt/numero_local.h"
#include "workflow/secuenciador.h"
#include "workflow/sesion_sin_ventana.h"

namespace zek::fuzz {

[[noreturn]] inline void falla(const char* que) {
    std::fprintf(stderr, "invariante rota: %s\n", que);
    std::abort();
}

inline void exige(bool condicion, const char* que) {
    if (!condicion) falla(que);
}

// The headless session, with the invariants the targets check.
struct Banco : SesionSinVentana {
    const Vbles& v = sesion.vbles();
    const SuperficieMemoria& p1 = sesion.Picture1();
    const SuperficieMemoria& p2 = sesion.Picture2();

    // Smaller boxes than the design's, for the targets that draw their own
    // pictures or want many actions per second; files through `lector`.
    Banco(LectorImagen* lector, int W, int H, int Wm, int Hm)
        : SesionSinVentana(lector, {W, H}, {Wm, Hm}) {}

    // Numbers as the window reads and writes them in that locale.
    void usa_locale(const QLocale& local) {
        puerto.separador = local.decimalPoint() == "," ? ',' : '.';
        puerto.lector_numeros = [local](const std::string& t) {
            return lee_numero_local(t, local);
        };
    }

    // The state the window shows agrees with the shared state.
    void comprueba() const {
        exige(v.Paso >= 0 && v.Paso <= 4, "Paso fuera de 0..4");
        for (size_t i = 0; i < puerto.cursor.size(); ++i) {
            exige(puerto.cursor[i] == (i % 2 == 0), "el puntero ocupado se anida o se pierde");
        }
        exige(puerto.cursor.size() % 2 == 0, "el puntero ocupado sigue puesto");
        const char sep = puerto.separador_decimal();
        const std::string grado = puerto.texto(Control::LGrado);
        exige(grado.empty() || grado == kPrefijoGrado + texto_general(v.Grado, sep),
              "LGrado no muestra el grado");
        const std::string clave = puerto.texto(Control::LClave);
        exige(clave.empty() || clave == kPrefijoClave + texto_general(v.Clave, sep),
              "LClave no muestra la clave");
        const std::string bloque = puerto.texto(Control::LBloque);
        exige(bloque.empty() || bloque == "Longitud de bloque " + std::to_string(v.LongBloque),
              "LBloque no muestra la longitud de bloque");
        // The stage text is the last stage run: Paso's, or the next one when
        // that stage found no block side for its grid and Paso stayed.
        const std::string paso = puerto.texto(Control::LpASO);
        const bool de_paso = paso == kTextoPaso[v.Paso];
        const bool sin_rejilla = v.Paso < 4 && paso == kTextoPaso[v.Paso + 1] && v.LongBloque < 1;
        exige(paso.empty() || de_paso || sin_rejilla, "LpASO no corresponde a Paso");
    }
};

}  // namespace zek::fuzz
