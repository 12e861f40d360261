// SPDX-License-Identifier: MIT
// What zek-demo writes: the pictures, the blindly extracted watermark, the
// report, and the sweep's table and chart.
#pragma once

#include <QByteArray>
#include <QChart>
#include <optional>
#include <string>
#include <vector>

#include "base/json.h"
#include "tools/demo/ejecucion.h"
#include "workflow/barrido.h"
#include "workflow/comparacion.h"

namespace zek {

// A picture as PNG, in memory.
QByteArray png_de(const SuperficieImagen& imagen);

// informe.json of --extrae: block geometry, messages, the blind extraction
// and the histogram of the picture read.
std::string informe_extraccion_json(const Ejecucion& e, const Ejecucion::Extraccion& x);

// The bit error rate against the degree for each attack, with the PSNR of
// the watermarked picture on a second axis.
QByteArray png_de_grafico(const std::vector<FilaBarrido>& filas);

// Where the demonstration's step presses stopped: the stage not reached
// (1 to 4) and the message that stopped them, as one line.
struct Parada {
    int paso = 0;
    std::optional<std::string> mensaje;
};

// Where the steps stopped, for a report; null when they did not.
Json parada_json(const std::optional<Parada>& p);

// informe.json of a method other than the block pairs: its name and
// strength, the PSNR and SSIM of its watermarked picture, its reading
// without attack and each attack's, and where the demonstration's own
// steps stopped, if they did.
std::string informe_metodo_json(const std::string& metodo, double fuerza,
                                std::optional<double> psnr, std::optional<double> ssim,
                                const Aciertos& extraccion,
                                const std::vector<LecturaAtacada>& ataques,
                                const std::optional<Parada>& parada = std::nullopt);

// comparacion.json: the target PSNR, the detector's threshold and, per
// method, its strength, PSNR, SSIM, predicted JPEG quality, each attack's
// reading (the spread spectrum's sim and decision) and the JPEG curve.
std::string comparacion_json(const Comparacion& c);
// A chart as PNG (takes it); empty without one.
QByteArray png_de_grafico(QChart* grafico);

}  // namespace zek
