// SPDX-License-Identifier: MIT
// informe.json: what a demonstration did and read, for programs (numbers
// always with the point), written by zek-demo and the web page alike and
// attached to the handout; and the pieces the other reports share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/json.h"
#include "base/puerto_memoria.h"
#include "base/vbles.h"
#include "engine/sincronizacion.h"
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

// The attacks a front end's report lists from its laboratory: those made on
// the watermarked picture with the demonstration's own method, the last
// reading of each, the one made last at the end.
class AtaquesDelInforme {
  public:
    void recuerda(const EleccionLaboratorio& e, const ResultadoLaboratorio& r);
    void olvida() { ataques_.clear(); }
    const std::vector<ResultadoAtaque>& lista() const { return ataques_; }

  private:
    std::vector<ResultadoAtaque> ataques_;
};

// The pieces the other reports share.
Json informe_comun(const Vbles& v, const std::vector<Mensaje>& mensajes_mostrados);
void pon_aciertos(Json& o, const Aciertos& a);
// One attack's row: its name, PSNR, SSIM and reading.
Json ataque_json(const std::string& ataque, const std::optional<double>& psnr,
                 const std::optional<double>& ssim, const Aciertos& aciertos);
Json aciertos_json(const std::optional<Aciertos>& a);
// The search for the grid: the offset taken, S and A there and at (0, 0),
// and the pixels read with and without the search against those the whole
// layout carries.
Json sincronizacion_json(const Sincronizacion& s);
Json histograma_json(const std::optional<Histograma>& antes,
                     const std::optional<Histograma>& despues);

}  // namespace zek
