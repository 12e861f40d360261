// SPDX-License-Identifier: MIT
// A watermarked picture opened from a file to be read back ("Imagen
// marcada…"): the picture, its name, and its blind reading with the
// parameters in force when it was opened.
#pragma once

#include <optional>
#include <string>

#include "base/superficie_memoria.h"
#include "base/tabla.h"
#include "base/vbles.h"
#include "engine/lectura_ciega.h"
#include "workflow/laboratorio.h"

namespace zek {

class ImagenAbierta {
  public:
    bool hay() const { return hay_; }
    // The picture as it stands, for the loading rules to load the next one
    // into (so that a refused file leaves this one as it was).
    const SuperficieMemoria& imagen() const { return imagen_; }

    // Takes the picture loaded from `ruta` and reads it blindly with the
    // layout in force (or its own before the first step) and the watermark's
    // size; returns the status line's finding.
    std::string lee(SuperficieMemoria imagen, const std::string& ruta, const Vbles& v, int Wm,
                    int Hm, char separador);

    // How well it read back; nothing without a watermark, a degree and a key.
    const std::optional<Aciertos>& aciertos() const { return aciertos_; }
    // The reading as a picture (white, black, grey).
    const SuperficieMemoria& marca_leida() const { return marca_leida_; }
    // The laboratory's source: compared with Y_original when that is the
    // host's luminance at this picture's size (pass an empty table
    // otherwise).
    std::optional<FuenteLaboratorio> fuente(const Tabla& Y_original,
                                            const Tabla& MatrizMarca) const;

  private:
    SuperficieMemoria imagen_;
    std::string nombre_;
    bool hay_ = false;
    ParametrosLectura parametros_;
    SuperficieMemoria marca_leida_;
    std::optional<Aciertos> aciertos_;
};

}  // namespace zek
