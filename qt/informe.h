// SPDX-License-Identifier: MIT
// informe.json: what a demonstration did and read, for programs (numbers
// always with the point), written by zek-demo and attached to the handout.
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "base/puerto_memoria.h"
#include "base/vbles.h"
#include "workflow/demostracion.h"
#include "workflow/laboratorio.h"

namespace zek {

// informe.json of a demonstration: block geometry, the message boxes shown,
// stage, pairs, PSNR and SSIM, blind extraction, each attack, and the
// residue histogram before and after the embedding (from the source of the
// watermarked picture).
std::string informe_json(const Vbles& v, const Informe& inf,
                         const std::optional<FuenteLaboratorio>& fuente,
                         const std::vector<Mensaje>& mensajes,
                         const std::vector<ResultadoAtaque>& ataques);

// The pieces the other reports share.
QJsonObject informe_comun(const Vbles& v, const std::vector<Mensaje>& mensajes_mostrados);
QJsonValue opcional_json(const std::optional<double>& v);
QString texto_qt(const std::string& s);
void pon_aciertos(QJsonObject& o, const Aciertos& a);
// One attack's row: its name, PSNR, SSIM and reading.
QJsonObject ataque_json(const std::string& ataque, const std::optional<double>& psnr,
                        const std::optional<double>& ssim, const Aciertos& aciertos);
QJsonValue aciertos_json(const std::optional<Aciertos>& a);
QJsonValue histograma_json(const std::optional<Histograma>& antes,
                           const std::optional<Histograma>& despues);
std::string texto_json(const QJsonObject& j);

}  // namespace zek
