// SPDX-License-Identifier: MIT
// The comparison and the detector's response as the page holds them between
// the worker that computed them and the handout: every figure the handout
// and its charts use, none of the pictures (a method's watermarked picture
// is only said to exist).
#pragma once

#include <emscripten/bind.h>

#include <algorithm>
#include <string>

#include "engine/espectro.h"
#include "web/enlace.h"
#include "web/pixeles.h"
#include "workflow/comparacion.h"
#include "workflow/graficas.h"
#include "workflow/textos_trabajos.h"

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
        .field("leidos", &LecturaAtacada::leidos)
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

// The comparison's shares, computed side by side, as one comparison again:
// the methods in the registry's order.
inline Comparacion junta_comparaciones(const std::vector<Comparacion>& partes) {
    Comparacion c;
    if (partes.empty()) return c;
    c = partes.front();
    c.metodos.clear();
    for (const Comparacion& p : partes) {
        for (const MetodoComparado& m : p.metodos) {
            if (m.metodo) c.metodos.push_back(m);
        }
    }
    const auto orden = [](const Metodo* m) {
        return std::find(metodos().begin(), metodos().end(), m) - metodos().begin();
    };
    std::stable_sort(c.metodos.begin(), c.metodos.end(),
                     [&](const MetodoComparado& a, const MetodoComparado& b) {
                         return orden(a.metodo) < orden(b.metodo);
                     });
    return c;
}

// What the page shows of a comparison: the table (each reading as a
// picture of the watermark's Wm x Hm), the two lines of words, the two
// charts and comparacion.csv.
inline emscripten::val comparacion_js(const Comparacion& c, int Wm, int Hm, char separador) {
    using emscripten::val;
    const TablaComparacion t = describe_tabla_comparacion(c, separador);
    val tabla = val::object();
    tabla.set("cabecera", t.cabecera);
    val filas = val::array();
    for (const FilaComparacion& f : t.filas) {
        val fila = val::object();
        fila.set("metodo", f.metodo);
        fila.set("noCabe", f.no_cabe);
        val celdas = val::array();
        for (const CeldaComparacion& d : f.celdas) {
            val celda = val::object();
            celda.set("texto", d.texto);
            if (d.fondo) celda.set("fondo", *d.fondo);
            if (d.leidos)
                celda.set("leida",
                          rgba_de(imagen_de_lectura(lectura_de_bits(*d.leidos, Wm, Hm), Wm, Hm)));
            celdas.call<void>("push", celda);
        }
        fila.set("celdas", celdas);
        filas.call<void>("push", fila);
    }
    tabla.set("filas", filas);
    val r = val::object();
    r.set("tabla", tabla);
    r.set("aviso", texto_de_comparacion(c, separador));
    r.set("prediccion", texto_de_prediccion(c));
    const auto grafico = describe_comparacion(c, separador);
    r.set("grafico", grafico ? val(*grafico) : val::null());
    const auto sim = describe_sim_jpeg(c, separador);
    r.set("graficoSim", sim ? val(*sim) : val::null());
    r.set("csv", comparacion_csv(c));
    r.set("comparacion", c);  // for the handout
    return r;
}

}  // namespace zek::enlace
