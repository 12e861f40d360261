// SPDX-License-Identifier: MIT
// One headless run of the demonstration, exactly as a user drives the
// window: load the host, load the watermark, apply Grado, apply Clave, press
// the step button four times; then the attacks on the watermarked picture.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/sincronizacion.h"
#include "images/ataques.h"
#include "qt/lector_qt.h"
#include "workflow/sesion_sin_ventana.h"

namespace zek {

struct Parametros {
    std::string anfitrion, marca;
    std::string grado, clave;  // as written, point as decimal separator
    std::vector<Ataque> ataques;
};

class Ejecucion {
  public:
    // errores: where message boxes are printed (nullptr: silent).
    explicit Ejecucion(std::ostream* errores);
    Ejecucion(const Ejecucion&) = delete;
    Ejecucion& operator=(const Ejecucion&) = delete;

    // False when an image was refused or could not be read; motivo() then
    // says why.
    bool carga(const Parametros& p);
    // Applies both parameters and presses the step button four times; false,
    // pressing nothing, when a parameter was refused.
    bool demuestra(const Parametros& p);
    // Each attack on the watermarked picture and the blind reading of what
    // it leaves, as the laboratory does it.
    std::vector<ResultadoAtaque> ataca(const std::vector<Ataque>& ataques,
                                       const CodecJpeg& jpeg) const;
    // The blind reading of the host picture itself, with the block side
    // given (lado >= 1, as the window reads with the layout in force) or the
    // one "Paso 1" lays out on it (one press of the step button); the
    // histogram of its residues goes with it.
    struct Extraccion {
        int32_t lado = 0;    // the block side read with
        double bloques = 0;  // whole blocks of that side in the picture
        std::optional<MarcaLeida> leida;
        std::optional<Aciertos> aciertos;
        std::optional<Histograma> histograma;
    };
    Extraccion extrae(const Parametros& p, int32_t lado = 0);
    // The host picture taken as a cut of a W x H one: the search for the
    // grid with method m's reading (the block pairs with the side given or
    // the one "Paso 1" lays out on W x H; the DCT method at `fuerza`).
    struct Busqueda {
        int32_t lado = 0;  // the block pairs' side, 0 for the DCT method
        std::optional<Sincronizacion> sincronizacion;
        std::string motivo;  // why nothing was searched
    };
    Busqueda busca_rejilla(const Parametros& p, int32_t lado, int W, int H, const Metodo& m,
                           double fuerza);

    const std::string& motivo() const { return motivo_; }
    const Vbles& vbles() const { return s_.sesion.vbles(); }
    const PuertoMemoria& puerto() const { return s_.puerto; }
    const Demostracion& demostracion() const { return s_.sesion.demostracion(); }
    const Sesion& sesion() const { return s_.sesion; }

  private:
    LectorQt lector_;
    SesionSinVentana s_{&lector_};
    std::string motivo_;
};

}  // namespace zek
