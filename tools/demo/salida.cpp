// SPDX-License-Identifier: MIT
#include "tools/demo/salida.h"

#include <algorithm>

#include "base/numeros.h"
#include "graficos/graficos.h"
#include "qt/escritura.h"
#include "qt/imagen_qt.h"
#include "workflow/informe.h"

namespace zek {
QByteArray png_de(const SuperficieImagen& imagen) {
    return codifica_imagen(a_qimage(imagen), "PNG").value_or(QByteArray());
}

std::string informe_extraccion_json(const Ejecucion& e, const Ejecucion::Extraccion& x) {
    Json j = informe_comun(e.vbles(), e.puerto().mensajes);
    j["longBloque"] = x.lado;
    j["numBloques"] = x.bloques;
    j["extraccion"] = aciertos_json(x.aciertos);
    j["histograma"] = histograma_json(std::nullopt, x.histograma);
    return j.texto();
}

QByteArray png_de_grafico(const std::vector<FilaBarrido>& filas) {
    return codifica_imagen(imagen_de_grafico(
                               dibuja_grafico(describe_barrido(filas, "grado", separador_local()))),
                           "PNG")
        .value_or(QByteArray());
}

Json parada_json(const std::optional<Parada>& p) {
    if (!p) return {};
    return Json::objeto({{"antesDelPaso", p->paso}, {"mensaje", p->mensaje}});
}

std::string informe_metodo_json(const std::string& metodo, double fuerza,
                                std::optional<double> psnr, std::optional<double> ssim,
                                const Aciertos& extraccion,
                                const std::vector<LecturaAtacada>& ataques,
                                const std::optional<Parada>& parada) {
    Json lista = Json::lista();
    for (const LecturaAtacada& l : ataques)
        lista.anade(ataque_json(l.ataque, l.psnr, l.ssim, l.aciertos));
    Json x = Json::objeto();
    pon_aciertos(x, extraccion);
    return Json::objeto({{"metodo", metodo},
                         {"fuerza", fuerza},
                         {"psnr", psnr},
                         {"ssim", ssim},
                         {"extraccion", x},
                         {"ataques", lista},
                         {"parada", parada_json(parada)}})
        .texto();
}

std::string comparacion_json(const Comparacion& c) {
    Json metodos = Json::lista();
    const std::vector<int> calidades = calidades_de_la_comparacion();
    for (const MetodoComparado& m : c.metodos) {
        const bool detecta = !m.metodo->lee_la_marca();
        Json ataques = Json::lista();
        for (const LecturaAtacada& l : m.ataques) {
            Json o = Json::objeto({{"ataque", l.ataque}});
            if (detecta) {
                o["sim"] = l.sim;
                o["presente"] = l.sim ? Json(*l.sim > c.umbral) : Json();
            } else {
                pon_aciertos(o, l.aciertos);
            }
            ataques.anade(o);
        }
        const auto& por_calidad = detecta ? m.sim_jpeg : m.ber_jpeg;
        Json jpeg = Json::lista();
        for (size_t i = 0; i < por_calidad.size() && i < calidades.size(); ++i)
            jpeg.anade(Json::objeto(
                {{"calidad", calidades[i]}, {detecta ? "sim" : "ber", por_calidad[i]}}));
        metodos.anade(Json::objeto(
            {{"metodo", m.metodo->nombre()},
             {"fuerza", m.fuerza},
             {"noCabe", m.insercion.no_cabe.empty() ? Json() : Json(m.insercion.no_cabe)},
             {"psnr", m.insercion.psnr},
             {"ssim", m.insercion.ssim},
             {"calidadPredicha", m.calidad_predicha},
             {"ataques", ataques},
             {"jpeg", jpeg}}));
    }
    return Json::objeto({{"psnrObjetivo", c.psnr_objetivo},
                         {"objetivo", clave_del_objetivo(c.origen)},
                         {"umbral", c.umbral},
                         {"metodos", metodos}})
        .texto();
}

QByteArray png_de_grafico(QChart* grafico) {
    if (!grafico) return {};
    return codifica_imagen(imagen_de_grafico(grafico), "PNG").value_or(QByteArray());
}

}  // namespace zek
