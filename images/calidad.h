// How far one picture is from another: the peak signal-to-noise ratio.
#pragma once

#include <optional>

#include "base/superficie.h"

namespace zek {

// The pixels compared: columns x_desde..x_hasta, rows y_desde..y_hasta.
struct Zona {
    int x_desde = 0, x_hasta = -1, y_desde = 0, y_hasta = -1;
};

// PSNR in dB over red, green and blue of the zone's pixels that both
// pictures hold; nothing when those pixels are identical (or there are none).
std::optional<double> psnr_entre(const SuperficieImagen& a, const SuperficieImagen& b, Zona zona);

}  // namespace zek
