// Attacks on a watermarked picture, to see what the watermark survives:
// JPEG compression, Gaussian noise, mean and median filters, brightness.
#pragma once

#include <optional>
#include <string>

#include "base/superficie.h"
#include "base/superficie_memoria.h"

namespace zek {

enum class TipoAtaque { Jpeg, Ruido, Media, Mediana, Brillo };

struct Ataque {
    TipoAtaque tipo;
    double valor;       // JPEG quality, noise deviation, window side or brightness step
    std::string texto;  // as written: "jpeg:75"
};

// "jpeg:Q" (Q whole, 0 to 100), "ruido:S" (S from 0 to 255), "media:N" and
// "mediana:N" (N whole, 1 to 15), "brillo:D" (D whole, -255 to 255);
// nothing for anything else. Numbers use the point as decimal separator.
std::optional<Ataque> lee_ataque(const std::string& texto);

// Encodes a picture as JPEG at a quality and decodes it again; the front
// end provides it (the core has no image codecs of its own).
class CodecJpeg {
  public:
    virtual ~CodecJpeg() = default;
    virtual std::optional<SuperficieMemoria> comprime(const SuperficieImagen& imagen,
                                                      int calidad) const = 0;
};

// The picture after the attack. Noise is seeded, so that runs repeat;
// filters replicate the border pixels. Nothing when a JPEG attack has no
// codec or the codec fails.
std::optional<SuperficieMemoria> aplica_ataque(const Ataque& ataque, const SuperficieImagen& imagen,
                                               const CodecJpeg* jpeg);

}  // namespace zek
