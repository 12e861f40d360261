// SPDX-License-Identifier: MIT
// The step button and the reset menu item: one stage of the demonstration
// per press, with the stage texts in LpASO.
#pragma once

#include "base/pictures.h"
#include "base/puerto_ventana.h"
#include "base/vbles.h"

namespace zek {

inline constexpr const char* kTextoPaso[] = {
    "Paso 0: Se muestra la imagen y la gota de Agua.",
    "Paso 1:Se muestra la imagen dividida en bloques.",
    "Paso 2:Insertamos la marca de agua en la imagen principal.",
    "Paso 3:Dibujamos Rejilla sobre imagen con la marca de agua.",
    "Paso 4:Extraemos la marca de agua de la imagen.",
};

inline constexpr const char* kPrefijoGrado = "Grado de Resistencia a ataques de Altas frecuencias ";
inline constexpr const char* kPrefijoClave = "Clave de Codificación de la Marca de Agua ";

class Secuenciador {
  public:
    Secuenciador(Vbles& vbles, Pictures pictures, PuertoVentana& puerto)
        : vbles_(vbles), pic_(pictures), puerto_(puerto) {}

    // Press of the step button (Command1).
    void Command1_Click();

    // The Reset menu item: empties the pictures, forgets the block geometry
    // and the watermark, and starts again at stage 0.
    void MnuReset_Click();

    // Whether the last embedding stage drew a watermarked picture (it may
    // have refused, with a message, and the stage still counts as run).
    bool insercion_hecha() const { return insercion_hecha_; }

  private:
    void termina_etapa(int texto);

    Vbles& vbles_;
    Pictures pic_;
    PuertoVentana& puerto_;
    bool insercion_hecha_ = false;
};

}  // namespace zek
