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
#include "workflow/laboratorio.h"
#include "workflow/manejadores.h"

namespace zek {

class Sesion {
  public:
    // The pictures start empty at their design sizes, or at smaller ones for
    // runs that never show them (the fuzzers, whose every input is a session).
    Sesion(PuertoVentana& puerto, LectorImagen& lector, TamanoImagen host = kLimiteHost,
           TamanoImagen marca = kLimiteMarca);
    Sesion(const Sesion&) = delete;
    Sesion& operator=(const Sesion&) = delete;

    // The menu items "&Imagen" and "&Marca de Agua": true when the picture
    // was accepted (and captured).
    bool SubImagen_Click();
    bool SubMarcaAgua_Click();
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

    // "Imagen marcada…": opens a picture under the host's loading rules and
    // reads the watermark back from it blindly, with the parameters in force
    // and the loaded watermark's size; the status line says how well. True
    // when the picture was accepted.
    bool abre_imagen_marcada();
    // How well the picture opened last read back; nothing without a
    // watermark, a degree and a key to read it with.
    const std::optional<Aciertos>& aciertos_abierta() const { return aciertos_abierta_; }
    // The files the host and the watermark were opened from, so that
    // nothing is saved over them and the lesson can be repeated on them.
    const std::string& ruta_host() const { return ruta_host_; }
    const std::string& ruta_marca() const { return ruta_marca_; }

    // Sources for the laboratory: the picture stage 1 drew (nothing before
    // it has drawn), and the last one opened with abre_imagen_marcada.
    std::optional<FuenteLaboratorio> fuente_marcada(bool figuras = true) const;
    std::optional<FuenteLaboratorio> fuente_abierta() const;
    // The last blind reading, as a picture: stage 3's, or that of the
    // picture opened after it; nothing before either.
    std::optional<SuperficieMemoria> marca_extraida() const;

    Vbles& vbles() { return vbles_; }
    const Vbles& vbles() const { return vbles_; }
    SuperficieMemoria& Picture1() { return Picture1_; }
    SuperficieMemoria& Picture2() { return Picture2_; }
    SuperficieMemoria& Picture3() { return Picture3_; }
    SuperficieMemoria& Picture4() { return Picture4_; }
    const SuperficieMemoria& Picture1() const { return Picture1_; }
    const SuperficieMemoria& Picture2() const { return Picture2_; }
    Pictures pictures() { return {Picture1_, Picture2_, Picture3_, Picture4_}; }
    const Demostracion& demostracion() const { return demo_; }
    PuertoVentana& puerto() const { return puerto_; }

  private:
    PuertoVentana& puerto_;
    LectorImagen& lector_;
    Vbles vbles_;
    SuperficieMemoria Picture1_, Picture2_, Picture3_, Picture4_;
    Demostracion demo_;
    std::string ruta_host_, ruta_marca_;
    bool hay_host_ = false;      // a host opened since the last reset
    SuperficieMemoria abierta_;  // the picture opened last with abre_imagen_marcada
    std::string nombre_abierta_;
    bool hay_abierta_ = false;
    ParametrosLectura lectura_abierta_params_;
    Tabla Y_abierta_;  // its luminance, captured once and reused
    SuperficieMemoria lectura_abierta_;
    bool ultima_lectura_abierta_ = false;
    std::optional<Aciertos> aciertos_abierta_;
};

}  // namespace zek
