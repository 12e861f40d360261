// SPDX-License-Identifier: MIT
// One demonstration as the user drives it: the shared state, the four
// pictures, the window port and the image reader, and the user's commands.
// The window, zek-demo, the fuzzers, the benchmarks and the tests all work
// through it.
#pragma once

#include <optional>
#include <string>

#include "base/pictures.h"
#include "base/puerto_ventana.h"
#include "base/superficie_memoria.h"
#include "base/vbles.h"
#include "images/lector_imagen.h"
#include "workflow/demostracion.h"
#include "workflow/imagen_abierta.h"
#include "workflow/laboratorio.h"
#include "workflow/manejadores.h"

namespace zek {

struct EntradaBarrido {
    SuperficieMemoria anfitrion, marca;
    double clave = 0;
};

// The role a picture file is opened in: the host, the watermark, or a
// watermarked picture to read back ("Imagen marcada…").
enum class Rol { Imagen, Marca, Marcada };

class Sesion {
  public:
    // The pictures start empty at their design sizes, or at smaller ones for
    // runs that never show them (the fuzzers, whose every input is a session).
    Sesion(PuertoVentana& puerto, LectorImagen& lector, TamanoImagen anfitrion = kLimiteAnfitrion,
           TamanoImagen marca = kLimiteMarca);
    Sesion(const Sesion&) = delete;
    Sesion& operator=(const Sesion&) = delete;

    // The menu items "&Imagen" and "&Marca de Agua": true when the picture
    // was accepted (and captured).
    bool SubImagen_Click();
    bool SubMarcaAgua_Click();
    // A file opened in its role without the file dialog (the command line,
    // a dropped picture, zek-demo, the sweep, the tests), through the same
    // loading rules and messages as the menus.
    bool abre(Rol rol, const std::string& ruta);
    // The value typed into the parameter's box and its apply button pressed.
    void aplica(Parametro p, const std::string& texto);
    // The apply buttons beside the two text boxes.
    void Cmd_Grado_Click() { aplica_parametro(vbles_, puerto_, Parametro::Grado); }
    void Cmd_Clave_Click() { aplica_parametro(vbles_, puerto_, Parametro::Clave); }
    // The parameter dialogs: the text they open with, and their closing
    // with a text (false keeps the dialog open).
    std::string texto_parametro(Parametro p) const;
    bool cierra_dialogo(Parametro p, const std::string& texto);
    // The step button and the Reset item.
    void Command1_Click();
    void MnuReset_Click();
    // "Repetir con las mismas imágenes": Reset, then the host and the
    // watermark opened again from their files under the same rules; a
    // refusal of the host stays on the status line. True when both (or the
    // one there was) were accepted.
    bool repite();

    // "Imagen marcada…": opens a picture under the host's loading rules and
    // reads the watermark back from it blindly, with the parameters in force
    // and the loaded watermark's size; the status line says how well. True
    // when the picture was accepted.
    bool abre_imagen_marcada();
    // How well the picture opened last read back; nothing without a
    // watermark, a degree and a key to read it with.
    const std::optional<Aciertos>& aciertos_abierta() const { return abierta_.aciertos(); }
    // The files the host and the watermark were opened from, so that
    // nothing is saved over them and the lesson can be repeated on them.
    const std::string& ruta_anfitrion() const { return ruta_anfitrion_; }
    const std::string& ruta_marca() const { return ruta_marca_; }

    // Sources for the laboratory: the picture stage 1 drew (nothing before
    // it has drawn), and the last one opened with abre_imagen_marcada.
    std::optional<FuenteLaboratorio> fuente_marcada(bool figuras = true) const;
    std::optional<FuenteLaboratorio> fuente_abierta() const;
    // What the degree sweep repeats the demonstration on: the host as
    // opened (before "Paso 1" drew its grid), the watermark and the key;
    // nothing without both pictures.
    std::optional<EntradaBarrido> entrada_del_barrido() const;
    // The last blind reading, as a picture: stage 3's, or that of the
    // picture opened after it; nothing before either.
    std::optional<SuperficieMemoria> marca_extraida() const;

    // What the window shows and the front ends read; nobody writes through
    // these: the commands above are the only way in.
    const Vbles& vbles() const { return vbles_; }
    const SuperficieMemoria& Picture1() const { return Picture1_; }
    const SuperficieMemoria& Picture2() const { return Picture2_; }
    const SuperficieMemoria& Picture3() const { return Picture3_; }
    const SuperficieMemoria& Picture4() const { return Picture4_; }
    const Demostracion& demostracion() const { return demo_; }

  private:
    bool abre_marcada(const std::string& ruta);
    Pictures pictures() { return {Picture1_, Picture2_, Picture3_, Picture4_}; }

    PuertoVentana& puerto_;
    LectorImagen& lector_;
    Vbles vbles_;
    SuperficieMemoria Picture1_, Picture2_, Picture3_, Picture4_;
    Demostracion demo_;
    std::string ruta_anfitrion_, ruta_marca_;
    bool hay_anfitrion_ = false;           // a host opened since the last reset
    ImagenAbierta abierta_;                // the picture opened last with "Imagen marcada…"
    bool ultima_lectura_abierta_ = false;  // its reading is the last one made
};

// One choice of the laboratory, made alike by every front end from what the
// session holds: the picture (`fuente`, the reopened one when `abierta`),
// the method at `fuerza` (the demonstration's own at the Grado in force),
// the attack, and the host as opened wherever the method embeds it or
// detects against it.
EleccionLaboratorio eleccion_del_laboratorio(const Sesion& s,
                                             std::shared_ptr<const FuenteLaboratorio> fuente,
                                             bool abierta, const Metodo& m, double fuerza,
                                             const Ataque& ataque, bool busca_rejilla = false);
// Whether the choice has what its analysis starts from: a picture, and the
// host for a method that embeds its own (unless the reopened one is read).
bool se_puede_analizar(const EleccionLaboratorio& e);
// Whether the sweep can run with method m: a host and a watermark open, a
// method that reads the mark (the spread spectrum has its detector), and a
// key other than 0 for the block pairs, which refuse it.
bool se_puede_barrer(const Sesion& s, const Metodo& m);

}  // namespace zek
