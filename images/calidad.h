// SPDX-License-Identifier: MIT
// How far one picture is from another: the peak signal-to-noise ratio, the
// structural similarity of the luminance, and the difference picture.
#pragma once

#include <optional>

#include "base/superficie.h"
#include "base/superficie_memoria.h"
#include "base/tabla.h"

namespace zek {

// The pixels compared: columns x_desde..x_hasta, rows y_desde..y_hasta.
struct Zona {
    int x_desde = 0, x_hasta = -1, y_desde = 0, y_hasta = -1;
};

// PSNR in dB over red, green and blue of the zone's pixels that both
// pictures hold; nothing when those pixels are identical (or there are none).
std::optional<double> psnr_entre(const SuperficieImagen& a, const SuperficieImagen& b, Zona zona);

// SSIM (Wang et al., 2004) between two luminance tables, over the pixels
// of 1..W x 1..H that both hold: an 11 x 11 Gaussian window of sigma 1.5
// normalised to sum 1, C1 = (0.01 x 255)^2, C2 = (0.03 x 255)^2, population
// variances, the mean over the windows that lie wholly inside. 1 for equal
// tables; nothing when no window fits.
std::optional<double> ssim_entre(const Tabla& Y_a, const Tabla& Y_b, int W, int H);

// |Y' - Y| for each pixel (x, y) of 1..W x 1..H that both luminance tables
// hold, in grey, amplified so that the largest difference is white (a gain
// of at most 255, so that one step of luminance is still visible); black
// elsewhere.
struct Diferencia {
    SuperficieMemoria imagen;
    double maxima = 0;    // the largest |Y' - Y|
    double ganancia = 1;  // grey level = |Y' - Y| x ganancia
};
Diferencia diferencia_de_luminancia(const Tabla& Y_marcada, const Tabla& Y_original, int W, int H);

}  // namespace zek
