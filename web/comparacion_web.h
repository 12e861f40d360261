// SPDX-License-Identifier: MIT
// The comparison and the detector's response as the page holds them between
// the worker that computed them and the handout: every figure the handout
// and its charts use, none of the pictures (a method's watermarked picture
// is only said to exist).
#pragma once

#include <emscripten/bind.h>

#include <string>

#include "engine/espectro.h"
#include "web/enlace.h"
#include "workflow/comparacion.h"

namespace zek::enlace {

inline void registra_comparacion() {
    using emscripten::value_object;
    value_object<Insercion>("Insercion")
        .field(
            "marcada", +[](const Insercion& i) { return i.marcada.has_value(); },
            +[](Insercion& i, bool si) {
                if (si) i.marcada = SuperficieMemoria(1, 1);
            })
        .field("noCabe", &Insercion::no_cabe)
        .field("psnr", &Insercion::psnr)
        .field("ssim", &Insercion::ssim);
    value_object<LecturaAtacada>("LecturaAtacada")
        .field("ataque", &LecturaAtacada::ataque)
        .field(
            "correctos",
            +[](const LecturaAtacada& l) { return static_cast<double>(l.aciertos.correctos); },
            +[](LecturaAtacada& l, double v) { l.aciertos.correctos = static_cast<int64_t>(v); })
        .field(
            "total", +[](const LecturaAtacada& l) { return static_cast<double>(l.aciertos.total); },
            +[](LecturaAtacada& l, double v) { l.aciertos.total = static_cast<int64_t>(v); })
        .field("psnr", &LecturaAtacada::psnr)
        .field("ssim", &LecturaAtacada::ssim)
        .field("sim", &LecturaAtacada::sim);
    value_object<MetodoComparado>("MetodoComparado")
        .field(
            "metodo", +[](const MetodoComparado& m) { return std::string(m.metodo->nombre()); },
            +[](MetodoComparado& m, std::string nombre) { m.metodo = zek::metodo(nombre); })
        .field("fuerza", &MetodoComparado::fuerza)
        .field("insercion", &MetodoComparado::insercion)
        .field("ataques", &MetodoComparado::ataques)
        .field("berJpeg", &MetodoComparado::ber_jpeg)
        .field("simJpeg", &MetodoComparado::sim_jpeg)
        .field("calidadPredicha", &MetodoComparado::calidad_predicha);
    value_object<Comparacion>("Comparacion")
        .field("psnrObjetivo", &Comparacion::psnr_objetivo)
        .field(
            "origen", +[](const Comparacion& c) { return static_cast<int>(c.origen); },
            +[](Comparacion& c, int o) {
                c.origen = o == 1   ? OrigenObjetivo::Pedido
                           : o == 2 ? OrigenObjetivo::PorDefecto
                                    : OrigenObjetivo::Bloques;
            })
        .field("metodos", &Comparacion::metodos)
        .field("umbral", &Comparacion::umbral);
    value_object<RespuestaDetector>("RespuestaDetector")
        .field("sim", &RespuestaDetector::sim)
        .field("falsas", &RespuestaDetector::falsas)
        .field("media", &RespuestaDetector::media)
        .field("desviacion", &RespuestaDetector::desviacion)
        .field("mayor", &RespuestaDetector::mayor);
}

}  // namespace zek::enlace
