// What the fuzz targets share: the workflow on in-memory pictures, a window
// port that keeps what it is told, and the invariants checked after every
// action. A broken invariant aborts, which libFuzzer reports as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "base/numeros.h"
#include "base/puerto_ventana.h"
#include "base/superficie_memoria.h"
#include "base/vbles.h"
#include "qt/numero_local.h"
#include "workflow/demostracion.h"
#include "workflow/secuenciador.h"

namespace zek::fuzz {

[[noreturn]] inline void falla(const char* que) {
    std::fprintf(stderr, "invariante rota: %s\n", que);
    std::abort();
}

inline void exige(bool condicion, const char* que) {
    if (!condicion) falla(que);
}

class PuertoFuzz final : public PuertoVentana {
  public:
    void pon_texto(Control c, const std::string& t) override { textos[c] = t; }
    std::string texto(Control c) const override {
        const auto t = textos.find(c);
        return t == textos.end() ? std::string() : t->second;
    }
    void mensaje(const std::string&, Icono, const std::string&) override { ++mensajes; }
    std::string elige_archivo(const std::string&) override { return archivo; }
    void cursor_ocupado(bool ocupado) override {
        cursor += ocupado ? 1 : -1;
        exige(cursor == 0 || cursor == 1, "el puntero ocupado se anida o se pierde");
    }
    char separador_decimal() const override { return local.decimalPoint() == "," ? ',' : '.'; }
    std::optional<double> lee_numero(const std::string& t) const override {
        return lee_numero_local(t, local);
    }

    std::map<Control, std::string> textos;
    std::string archivo;
    QLocale local{QLocale::C};
    int mensajes = 0, cursor = 0;
};

struct Banco {
    Vbles v;
    SuperficieMemoria p1, p2, p3, p4;
    PuertoFuzz puerto;
    Demostracion demo{v, {p1, p2, p3, p4}, puerto};

    // The boxes at the main window's design sizes, or smaller ones for the
    // targets that draw their own pictures.
    explicit Banco(int W = 378, int H = 483, int Wm = 181, int Hm = 227)
        : p1(W, H), p2(Wm, Hm), p3(W, H), p4(Wm, Hm) {}

    Pictures pictures() { return {p1, p2, p3, p4}; }

    // The state the window shows agrees with the shared state.
    void comprueba() const {
        exige(v.Paso >= 0 && v.Paso <= 4, "Paso fuera de 0..4");
        exige(puerto.cursor == 0, "el puntero ocupado sigue puesto");
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
