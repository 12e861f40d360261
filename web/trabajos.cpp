// SPDX-License-Identifier: MIT
// The laboratory's long jobs (the sweep, the comparison of the methods, the
// detector) for the page, run by a worker of their own so that the page's
// session stays free and a cancel simply ends that worker. A job's JPEG
// attacks use the browser's encoder, which answers later: a first run
// notes which pictures and qualities it asks for, the worker has them
// encoded, and a second run finds them all.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "images/ataques.h"
#include "web/enlace.h"
#include "web/pixeles.h"
#include "workflow/barrido.h"
#include "workflow/comparacion.h"
#include "workflow/deteccion.h"
#include "workflow/graficas.h"
#include "workflow/textos_trabajos.h"

namespace zek {
namespace {

using emscripten::val;

// The browser's JPEGs by picture and quality; each one missing is noted.
class JpegPorEncargo final : public CodecJpeg {
  public:
    std::optional<SuperficieMemoria> comprime(const SuperficieImagen& imagen,
                                              int calidad) const override {
        const Clave clave = clave_de(imagen);
        auto& e = encargos_[clave];
        if (const auto hecha = e.hechas.find(calidad); hecha != e.hechas.end())
            return hecha->second;
        if (!apuntando_) return std::nullopt;  // the browser could not encode it
        if (e.original.ancho() == 0) e.original = copia(imagen);
        e.pedidas.insert(calidad);
        // A stand-in, so that the first run goes on to every JPEG it will need.
        return copia(imagen);
    }
    // The first run notes what it needs; the second takes what it finds.
    void apunta(bool si) { apuntando_ = si; }
    // The pictures still to encode, each with its qualities.
    val pedidos() const {
        val lista = val::array();
        for (const auto& [clave, e] : encargos_) {
            if (e.pedidas.empty()) continue;
            val p = rgba_de(e.original);
            p.set("calidades", std::vector<int>(e.pedidas.begin(), e.pedidas.end()));
            p.set("clave", val(static_cast<double>(clave.first)));
            lista.call<void>("push", p);
        }
        return lista;
    }
    void pon(double clave, int calidad, SuperficieMemoria hecha) {
        for (auto& [k, e] : encargos_) {
            if (k.first != static_cast<uint64_t>(clave)) continue;
            e.pedidas.erase(calidad);
            e.hechas[calidad] = std::move(hecha);
            return;
        }
    }
    void olvida() { encargos_.clear(); }

  private:
    // A picture by its size and a hash of its pixels (FNV-1a), a 53-bit
    // number so that the page holds it exactly.
    using Clave = std::pair<uint64_t, std::pair<int, int>>;
    static Clave clave_de(const SuperficieImagen& s) {
        uint64_t h = 1469598103934665603ull;
        std::vector<int32_t> columna(static_cast<size_t>(s.alto()));
        for (int x = 0; x < s.ancho(); ++x) {
            s.lee_columna(x, 0, s.alto(), columna.data());
            for (const int32_t c : columna) h = (h ^ static_cast<uint32_t>(c)) * 1099511628211ull;
        }
        return {h & ((1ull << 53) - 1), {s.ancho(), s.alto()}};
    }
    static SuperficieMemoria copia(const SuperficieImagen& s) {
        SuperficieMemoria m(s.ancho(), s.alto());
        std::vector<int32_t> columna(static_cast<size_t>(s.alto()));
        for (int x = 0; x < s.ancho(); ++x) {
            s.lee_columna(x, 0, s.alto(), columna.data());
            m.pon_columna(x, 0, s.alto(), columna.data());
        }
        return m;
    }
    struct Encargo {
        SuperficieMemoria original;
        std::set<int> pedidas;
        std::map<int, SuperficieMemoria> hechas;
    };
    mutable std::map<Clave, Encargo> encargos_;
    bool apuntando_ = true;
};

// Progress to the page: done of total, through the worker.
std::function<bool(int64_t, int64_t)> progreso_de(val aviso) {
    return [aviso](int64_t hechos, int64_t total) {
        aviso(static_cast<double>(hechos), static_cast<double>(total));
        return true;  // a cancel ends the whole worker
    };
}

val grafico_js(const std::optional<Grafico>& g) {
    return g ? val(*g) : val::null();
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
    // Whether the runs that follow note the JPEGs they need (the first) or
    // take what the browser made of them.
    void apunta(bool si) { jpeg_.apunta(si); }
    void pon_jpeg(double clave, int calidad, int ancho, int alto, const val& rgba) {
        jpeg_.pon(clave, calidad, superficie_de(ancho, alto, rgba));
    }

    // The sweep with method m (the degree for the block pairs, the strength
    // for another that reads the mark); solo_jpeg runs only its JPEG attacks,
    // to note what the browser must encode.
    val barrido(const std::string& metodo, bool solo_jpeg, val aviso) {
        const Metodo* m = zek::metodo(metodo);
        if (!m || !m->lee_la_marca()) return val::null();
        std::vector<Ataque> ataques = ataques_del_barrido();
        if (solo_jpeg)
            std::erase_if(ataques, [](const Ataque& a) { return a.tipo != TipoAtaque::Jpeg; });
        const auto progreso = progreso_de(aviso);
        const auto filas =
            m->de_la_demostracion()
                ? barrido_de_grados(anfitrion_, marca_, grados_del_barrido(), clave_, ataques,
                                    &jpeg_, progreso)
                : barrido_de_fuerzas(
                      *m, anfitrion_, bits_, marca_.ancho(), marca_.alto(), fuerzas_del_barrido(*m),
                      clave_, ataques, &jpeg_, [&](size_t h, size_t t) {
                          return progreso(static_cast<int64_t>(h), static_cast<int64_t>(t));
                      });
        val r = val::object();
        r.set("grafico", grafico_js(describe_barrido(
                             filas, m->de_la_demostracion() ? "grado" : "fuerza", separador_)));
        r.set("csv", barrido_csv(filas));
        return r;
    }

    // The four methods at one PSNR (NaN: the block pairs').
    val compara(double objetivo, val aviso) {
        const auto c = compara_metodos(
            anfitrion_, bits_, marca_.ancho(), marca_.alto(), grado_, clave_,
            std::isnan(objetivo) ? std::nullopt : std::optional<double>(objetivo), &jpeg_,
            [p = progreso_de(aviso)](int h, int t) { return p(h, t); }, calibradas_);
        // The second run, with the browser's JPEGs, keeps the strengths found.
        calibradas_.clear();
        for (const MetodoComparado& m : c.metodos) calibradas_.push_back(m.fuerza);
        const TablaComparacion t = describe_tabla_comparacion(c, separador_);
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
                              rgba_de(imagen_de_lectura(
                                  lectura_de_bits(*d.leidos, marca_.ancho(), marca_.alto()),
                                  marca_.ancho(), marca_.alto())));
                celdas.call<void>("push", celda);
            }
            fila.set("celdas", celdas);
            filas.call<void>("push", fila);
        }
        tabla.set("filas", filas);
        val r = val::object();
        r.set("tabla", tabla);
        r.set("aviso", texto_de_comparacion(c, separador_));
        r.set("prediccion", texto_de_prediccion(c));
        r.set("grafico", grafico_js(describe_comparacion(c, separador_)));
        r.set("graficoSim", grafico_js(describe_sim_jpeg(c, separador_)));
        r.set("csv", comparacion_csv(c));
        return r;
    }

    // The spread spectrum's detector on the host marked with the key and
    // attacked (zek-demo's way of writing it), with the ROC.
    val detecta(double alfa, int n, double umbral, const std::string& ataque, val aviso) {
        val r = val::object();
        const auto a = lee_ataque(ataque);
        if (!a) return r;
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
        return r;
    }

  private:
    SuperficieMemoria anfitrion_, marca_;
    Bits bits_;
    double grado_, clave_;
    char separador_;
    JpegPorEncargo jpeg_;
    std::vector<double> calibradas_;
};

}  // namespace zek

EMSCRIPTEN_BINDINGS(trabajos) {
    using namespace zek;
    emscripten::class_<TrabajoWeb>("Trabajo")
        .constructor<emscripten::val, std::string>()
        .function("pedidos", &TrabajoWeb::pedidos)
        .function("apunta", &TrabajoWeb::apunta)
        .function("ponJpeg", &TrabajoWeb::pon_jpeg)
        .function("barrido", &TrabajoWeb::barrido)
        .function("compara", &TrabajoWeb::compara)
        .function("detecta", &TrabajoWeb::detecta);
}
