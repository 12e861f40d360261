// SPDX-License-Identifier: MIT
#include "workflow/informe.h"

namespace zek {

void pon_aciertos(Json& o, const Aciertos& a) {
    o["correctos"] = a.correctos;
    o["total"] = a.total;
    o["ber"] = a.total ? Json(a.ber()) : Json();
    o["nc"] = a.total ? Json(a.nc()) : Json();
}

// The report's common part: block geometry and the message boxes shown.
Json informe_comun(const Vbles& v, const std::vector<Mensaje>& mensajes_mostrados) {
    Json j = Json::objeto({{"longBloque", v.LongBloque}, {"numBloques", v.NumBloques}});
    Json mensajes = Json::lista();
    for (const Mensaje& m : mensajes_mostrados)
        mensajes.anade(Json::objeto({{"titulo", m.titulo}, {"texto", m.texto}}));
    j["mensajes"] = mensajes;
    return j;
}

Json ataque_json(const std::string& ataque, const std::optional<double>& psnr,
                 const std::optional<double>& ssim, const Aciertos& aciertos) {
    Json o = Json::objeto({{"ataque", ataque}, {"psnr", psnr}, {"ssim", ssim}});
    pon_aciertos(o, aciertos);
    return o;
}

Json aciertos_json(const std::optional<Aciertos>& a) {
    if (!a) return {};
    Json o = Json::objeto();
    pon_aciertos(o, *a);
    return o;
}

Json sincronizacion_json(const Sincronizacion& s) {
    return Json::objeto({{"x", s.x},
                         {"y", s.y},
                         {"ciega", s.ciega_en},
                         {"ciegaSinBuscar", s.ciega_sin_buscar},
                         {"acuerdo", s.acuerdo_en},
                         {"acuerdoSinBuscar", s.acuerdo_sin_buscar},
                         {"pares", s.aciertos.total},
                         {"paresSinBuscar", s.sin_buscar.total},
                         {"portadores", s.portadores}});
}

namespace {

Json clases_json(const std::optional<Histograma>& h) {
    if (!h) return {};
    const auto lista = [](const std::vector<int64_t>& cuentas) {
        Json a = Json::lista();
        for (const int64_t c : cuentas) a.anade(c);
        return a;
    };
    return Json::objeto({{"claros", lista(h->claros)}, {"oscuros", lista(h->oscuros)}});
}

}  // namespace

Json histograma_json(const std::optional<Histograma>& antes,
                     const std::optional<Histograma>& despues) {
    const auto& uno = despues ? despues : antes;
    if (!uno) return {};
    return Json::objeto(
        {{"grado", uno->grado}, {"antes", clases_json(antes)}, {"despues", clases_json(despues)}});
}

std::string informe_json(const Vbles& v, const Informe& inf,
                         const std::optional<FuenteLaboratorio>& fuente,
                         const std::vector<Mensaje>& mensajes,
                         const std::vector<ResultadoAtaque>& ataques) {
    Json j = informe_comun(v, mensajes);
    j["paso"] = v.Paso;
    j["pares"] = inf.pares;
    j["psnr"] = inf.psnr;
    // The watermarked picture's luminance against the host's.
    j["ssim"] = fuente ? ssim_entre(fuente->Y, fuente->Y_original, fuente->imagen.ancho(),
                                    fuente->imagen.alto())
                       : std::nullopt;
    j["extraccion"] = aciertos_json(inf.extraccion);
    Json lista = Json::lista();
    for (const ResultadoAtaque& a : ataques)
        lista.anade(ataque_json(a.ataque, a.psnr, a.ssim, a.aciertos));
    j["ataques"] = lista;
    j["histograma"] = fuente ? histograma_json(fuente->antes, fuente->despues) : Json();
    return j.texto();
}

void AtaquesDelInforme::recuerda(const EleccionLaboratorio& e, const ResultadoLaboratorio& r) {
    if (e.abierta || !e.metodo->de_la_demostracion()) return;
    std::erase_if(ataques_, [&](const ResultadoAtaque& a) { return a.ataque == e.ataque.texto; });
    ataques_.push_back({e.ataque.texto, r.psnr, r.ssim, r.aciertos.value_or(Aciertos{}),
                        r.aciertos.has_value(), r.leida});
}

}  // namespace zek
