// SPDX-License-Identifier: MIT
// The demonstration as both front ends run it: the four stages of the step
// button and the reset, plus what they do not show by themselves: how far
// the watermarked picture is from the host (PSNR) and whether the watermark
// can be read back from the watermarked picture alone. The findings go to
// the status line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/pictures.h"
#include "base/puerto_ventana.h"
#include "base/superficie_memoria.h"
#include "base/vbles.h"
#include "engine/extraccion_ciega.h"
#include "images/calidad.h"
#include "workflow/laboratorio.h"
#include "workflow/secuenciador.h"

namespace zek {

struct Informe {
    bool insertada = false;              // stage 1 drew a watermarked picture
    int64_t pares = 0;                   // block pairs that carry a watermark pixel
    std::optional<double> psnr;          // watermarked against host; nothing when identical
    std::optional<MarcaLeida> leida;     // after stage 3
    std::optional<Aciertos> extraccion;  // after stage 3
};

class Demostracion {
  public:
    Demostracion(Vbles& vbles, Pictures pictures, PuertoVentana& puerto);

    void Command1_Click();
    void MnuReset_Click();

    const Informe& informe() const { return informe_; }
    // Picture3 as stage 1 drew it, before the grid of stage 2.
    const SuperficieMemoria& marcada() const { return marcada_; }
    // What a blind reading needs: this run's parameters and watermark size.
    ParametrosLectura parametros_de_lectura() const;

    // The watermarked picture as a file should hold it: the host's own
    // colours wherever the rendering draws nothing (its first column and
    // row), the rendering everywhere else. Empty before stage 1 has drawn.
    SuperficieMemoria marcada_completa() const;
    // Picture1 as it was before the grid of stage 0 covered it.
    const SuperficieMemoria& anfitrion() const { return anfitrion_; }
    // The host's luminance before the embedding changed it.
    const Tabla& luminancia_original() const { return luminancia_original_; }
    // For the pointer resting on table element (x, y) of Picture1 or
    // Picture3 after stage 1: the pair of blocks there and what the
    // embedding did to it, or that the block carries nothing.
    std::string descripcion_de_par(int x, int y) const;

  private:
    void tras_insercion();
    void tras_extraccion();
    void pon_estado(const std::string& texto);

    Vbles& vbles_;
    Pictures pic_;
    PuertoVentana& puerto_;
    Secuenciador sec_;
    Informe informe_;
    SuperficieMemoria anfitrion_;  // the host before the grid of stage 0 covered it
    SuperficieMemoria marcada_;
    Tabla luminancia_original_;
    Zona zona_;
    int Wm_ = 0, Hm_ = 0;  // the watermark's size when it was embedded
};

// "961 de 961 píxeles correctos (100,0 %)", the percentage rounded down.
std::string texto_de_aciertos(const Aciertos& a, char separador_decimal);

}  // namespace zek
