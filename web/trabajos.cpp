// SPDX-License-Identifier: MIT
// The laboratory's long jobs (the sweep, the comparison of the methods, the
// detector) for the page, run by a worker of their own so that the page's
// session stays free and a cancel simply ends that worker. A job's JPEG
// attacks use the browser's encoder, which answers later: a first run
// notes which pictures and qualities it asks for, the worker has them
// encoded, and a second run finds them all.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "images/ataques.h"
#include "web/comparacion_web.h"
#include "web/enlace.h"
#include "web/jpeg_por_encargo.h"
#include "web/pixeles.h"
#include "workflow/barrido.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"
#include "workflow/graficas.h"
#include "workflow/textos_trabajos.h"

namespace zek {
namespace {

using emscripten::val;

// Progress to the page: done of total, through the worker.
std::function<bool(int64_t, int64_t)> progreso_de(val aviso) {
    return [aviso](int64_t hechos, int64_t total) {
        aviso(static_cast<double>(hechos), static_cast<double>(total));
        return true;  // a cancel ends the whole worker
    };
}

}  // namespace

// One job's inputs and what it found, in the worker that runs it.
class TrabajoWeb {
  public:
    // The host and the watermark as opened, the watermark's bits, the
    // degree and the key in force, and the page's decimal separator.
    TrabajoWeb(val entrada, const std::string& separador)
        : anfitrion_(superficie_de(entrada["anfitrion"])),
          marca_(superficie_de(entrada["marca"])),
          bits_(emscripten::convertJSArrayToNumberVector<int8_t>(entrada["bits"])),
          grado_(entrada["grado"].as<double>()),
          clave_(entrada["clave"].as<double>()),
          separador_(separador.empty() ? '.' : separador[0]) {}

    val pedidos() const { return jpeg_.pedidos(); }
    // The runs that follow take the JPEGs the browser made.
    void segunda() { jpeg_.pon_modo(JpegPorEncargo::Modo::Toma); }
    void pon_jpeg(double clave, int calidad, int ancho, int alto, const val& rgba) {
        jpeg_.pon(clave, calidad, superficie_de(ancho, alto, rgba));
    }

    // Part `parte` of `partes` of the sweep with method m (every partes-th
    // degree for the block pairs, strength for another that reads the
    // mark), so that workers side by side share it as the desktop's two
    // threads do: its rows. The first run reads every attack but the JPEGs,
    // which it notes; the second reads only those and puts their rows in.
    val barrido(const std::string& metodo, int parte, int partes, val aviso) {
        const Metodo* m = zek::metodo(metodo);
        if (!m || !m->lee_la_marca() || partes < 1) return val::null();
        const bool segunda = jpeg_.tomando();
        std::vector<Ataque> ataques = ataques_del_barrido();
        if (segunda)
            std::erase_if(ataques, [](const Ataque& a) { return a.tipo != TipoAtaque::Jpeg; });
        std::vector<double> valores;
        const auto todos = m->de_la_demostracion() ? grados_del_barrido() : fuerzas_del_barrido(*m);
        for (size_t i = 0; i < todos.size(); ++i) {
            if (static_cast<int>(i % static_cast<size_t>(partes)) == parte)
                valores.push_back(todos[i]);
        }
        const auto progreso = progreso_de(aviso);
        const auto filas =
            m->de_la_demostracion()
                ? barrido_de_grados(anfitrion_, marca_, valores, clave_, ataques, &jpeg_, progreso)
                : barrido_de_fuerzas(*m, anfitrion_, bits_, marca_.ancho(), marca_.alto(), valores,
                                     clave_, ataques, &jpeg_, [&](size_t h, size_t t) {
                                         return progreso(static_cast<int64_t>(h),
                                                         static_cast<int64_t>(t));
                                     });
        if (!segunda) {
            filas_ = filas;
        } else {
            for (FilaBarrido& f : filas_) {
                const auto jpeg =
                    std::find_if(filas.begin(), filas.end(), [&](const FilaBarrido& g) {
                        return g.grado == f.grado && g.ataque == f.ataque;
                    });
                if (jpeg != filas.end() && f.ataque != "ninguno") f = *jpeg;
            }
        }
        val r = val::object();
        r.set("filas", filas_);
        r.set("magnitud", std::string(m->de_la_demostracion() ? "grado" : "fuerza"));
        return r;
    }

    // The four methods at one PSNR (NaN: the block pairs').
    val compara(double objetivo, int parte, int partes, val aviso) {
        std::vector<const Metodo*> solo;
        for (size_t i = 0; i < metodos().size(); ++i) {
            if (partes > 0 && static_cast<int>(i % static_cast<size_t>(partes)) == parte)
                solo.push_back(metodos()[i]);
        }
        const auto c = compara_metodos(
            anfitrion_, bits_, marca_.ancho(), marca_.alto(), grado_, clave_,
            std::isnan(objetivo) ? std::nullopt : std::optional<double>(objetivo), &jpeg_,
            [p = progreso_de(aviso)](int h, int t) { return p(h, t); }, calibradas_, solo);
        // The second run, with the browser's JPEGs, keeps the strengths found.
        calibradas_.clear();
        for (const MetodoComparado& m : c.metodos) calibradas_.push_back(m.fuerza);
        val r = val::object();
        r.set("comparacion", c);  // the page's session describes the shares put together
        return r;
    }

    // The spread spectrum's detector on the host marked with the key and
    // attacked (zek-demo's way of writing it), with the ROC.
    val detecta(double alfa, int n, double umbral, const std::string& ataque, val aviso) {
        val r = val::object();
        const auto a = lee_ataque(ataque);
        if (!a) return r;
        // It stops at a JPEG missing: its first run goes on with stand-ins.
        if (!jpeg_.tomando()) jpeg_.pon_modo(JpegPorEncargo::Modo::Sustituye);
        const AnalisisDeteccion d =
            analiza_deteccion(anfitrion_, clave_, alfa, n, *a, &jpeg_, 32,
                              [p = progreso_de(aviso)](int h, int t) { return p(h, t); });
        r.set("aviso", texto_del_detector(d, clave_, umbral, a->texto, separador_));
        r.set("roc", texto_de_la_roc(d, separador_));
        if (!d.motivo.empty()) return r;
        r.set("sim", d.respuesta.sim);
        r.set("respuesta", describe_respuesta(d.respuesta, clave_, umbral, separador_));
        r.set("falsas", describe_falsas(d.respuesta.falsas, separador_));
        r.set("curva", describe_roc(d.roc, separador_));
        // For the handout, as the desktop's lesson keeps it.
        val deteccion = val::object();
        deteccion.set("respuesta", d.respuesta);
        deteccion.set("clave", clave_);
        deteccion.set("umbral", umbral);
        deteccion.set("ataque", a->texto);
        r.set("deteccion", deteccion);
        return r;
    }

  private:
    SuperficieMemoria anfitrion_, marca_;
    Bits bits_;
    double grado_, clave_;
    char separador_;
    JpegPorEncargo jpeg_;
    std::vector<double> calibradas_;
    std::vector<FilaBarrido> filas_;
};

}  // namespace zek

EMSCRIPTEN_BINDINGS(trabajos) {
    using namespace zek;
    enlace::registra_comparacion();
    emscripten::value_object<FilaBarrido>("FilaBarrido")
        .field("grado", &FilaBarrido::grado)
        .field("ataque", &FilaBarrido::ataque)
        .field("psnr", &FilaBarrido::psnr)
        .field("ber", &FilaBarrido::ber);
    emscripten::class_<TrabajoWeb>("Trabajo")
        .constructor<emscripten::val, std::string>()
        .function("pedidos", &TrabajoWeb::pedidos)
        .function("segunda", &TrabajoWeb::segunda)
        .function("ponJpeg", &TrabajoWeb::pon_jpeg)
        .function("barrido", &TrabajoWeb::barrido)
        .function("compara", &TrabajoWeb::compara)
        .function("detecta", &TrabajoWeb::detecta);
}
