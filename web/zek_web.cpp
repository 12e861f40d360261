// SPDX-License-Identifier: MIT
// The browser's front end over the same core as the window: one session
// driven through Sesion's commands, its captions and message boxes kept by
// the in-memory port for the page to show, and files held in the module's
// own file system so that the loading rules read them as the desktop does.
// The browser decodes pixels and encodes JPEG; the page hands them in.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "base/puerto_memoria.h"
#include "engine/metodo.h"
#include "images/ataques.h"
#include "images/cabecera_imagen.h"
#include "workflow/asigna_imagen.h"
#include "workflow/deteccion.h"
#include "workflow/informe.h"
#include "workflow/laboratorio.h"
#include "workflow/sesion.h"
#include "workflow/textos_ventana.h"

namespace zek {
namespace {

using emscripten::val;

constexpr const char* kCarpeta = "/archivos";
constexpr size_t kMayorCabecera = 64 * 1024;
constexpr size_t kMayorArchivo = 64 * 1024 * 1024;

std::vector<unsigned char> lee_bytes(const std::string& ruta, size_t como_mucho) {
    std::ifstream f(ruta, std::ios::binary);
    std::vector<unsigned char> bytes;
    if (!f) return bytes;
    bytes.resize(como_mucho);
    f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(como_mucho));
    bytes.resize(static_cast<size_t>(f.gcount()));
    return bytes;
}

// A PNG's size from its IHDR chunk: the watermarked pictures the page saves
// are PNG, which the desktop reads through Qt's plug-ins.
std::optional<TamanoImagen> tamano_png(const std::vector<unsigned char>& b) {
    static const unsigned char firma[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < 24 || !std::equal(std::begin(firma), std::end(firma), b.begin())) return {};
    const auto be32 = [&](size_t i) {
        return (uint32_t{b[i]} << 24) | (uint32_t{b[i + 1]} << 16) | (uint32_t{b[i + 2]} << 8) |
               b[i + 3];
    };
    const uint32_t ancho = be32(16), alto = be32(20);
    if (ancho == 0 || alto == 0 || ancho > 0x7FFFFFFF || alto > 0x7FFFFFFF) return {};
    return TamanoImagen{static_cast<int>(ancho), static_cast<int>(alto)};
}

bool es_png(const std::vector<unsigned char>& b) {
    return tamano_png(b).has_value();
}

// Files in the module's file system: the size from the project's header
// reader, the pixels as the browser decoded them.
class LectorWeb final : public LectorImagen {
  public:
    std::optional<TamanoImagen> tamano(const std::string& ruta) override {
        const auto inicio = lee_bytes(ruta, kMayorCabecera);
        if (inicio.empty()) return std::nullopt;
        if (const auto t = tamano_de_cabecera(inicio)) return t;
        return tamano_png(inicio);
    }
    std::optional<ImagenDecodificada> lee(const std::string& ruta) override {
        const auto datos = lee_bytes(ruta, kMayorArchivo);
        if (datos.empty() || (!es_png(datos) && !datos_completos(datos))) return std::nullopt;
        const auto i = decodificadas.find(ruta);
        if (i == decodificadas.end()) return std::nullopt;
        return i->second;
    }
    std::map<std::string, ImagenDecodificada> decodificadas;
};

// The browser's JPEG, encoded and decoded by the page beforehand for the
// picture the next analysis attacks.
class CodecJpegWeb final : public CodecJpeg {
  public:
    std::optional<SuperficieMemoria> comprime(const SuperficieImagen& imagen,
                                              int calidad) const override {
        if (!hecha || calidad != calidad_hecha || hecha->ancho() != imagen.ancho() ||
            hecha->alto() != imagen.alto())
            return std::nullopt;
        return *hecha;
    }
    int calidad_hecha = -1;
    std::optional<SuperficieMemoria> hecha;
};

// RGBA bytes for a canvas: a colour 0x00BBGGRR is, byte by byte in the
// module's little-endian memory, red, green, blue and a zero alpha.
val rgba_de(const SuperficieMemoria& s) {
    std::vector<uint32_t> pixeles(s.filas().begin(), s.filas().end());
    for (uint32_t& p : pixeles) p |= 0xFF000000u;
    const size_t bytes = pixeles.size() * 4;
    val datos = val::global("Uint8ClampedArray").new_(bytes);
    datos.call<void>("set", val(emscripten::typed_memory_view(
                                bytes, reinterpret_cast<const uint8_t*>(pixeles.data()))));
    val imagen = val::object();
    imagen.set("ancho", s.ancho());
    imagen.set("alto", s.alto());
    imagen.set("rgba", datos);
    return imagen;
}

// Colours from the browser's RGBA (not premultiplied), over the boxes'
// background where the picture is transparent, as the desktop shows it.
std::vector<int32_t> colores_de(const std::vector<uint8_t>& rgba) {
    std::vector<int32_t> colores(rgba.size() / 4);
    const int fondo[3] = {kColorFondo & 0xFF, (kColorFondo >> 8) & 0xFF,
                          (kColorFondo >> 16) & 0xFF};
    for (size_t i = 0; i < colores.size(); ++i) {
        const int a = rgba[i * 4 + 3];
        int32_t c = 0;
        for (int k = 0; k < 3; ++k) {
            const int v = (rgba[i * 4 + k] * a + fondo[k] * (255 - a) + 127) / 255;
            c |= v << (8 * k);
        }
        colores[i] = c;
    }
    return colores;
}

template <typename Numero>
val lista_de(const std::vector<Numero>& v) {
    val lista = val::array();
    for (const Numero n : v) lista.call<void>("push", static_cast<double>(n));
    return lista;
}

// embind hands std::string to the page as UTF-8.
val texto_js(const std::string& t) {
    return val(t);
}

val nombre_js(const NombreAccesible& n) {
    val o = val::object();
    o.set("nombre", texto_js(n.nombre));
    o.set("descripcion", texto_js(n.descripcion));
    return o;
}

const char* nombre_de_control(Control c) {
    switch (c) {
        case Control::LpASO:
            return "LpASO";
        case Control::LBloque:
            return "LBloque";
        case Control::LNumBloques:
            return "LNumBloques";
        case Control::LGrado:
            return "LGrado";
        case Control::LClave:
            return "LClave";
        case Control::Txt_Grado:
            return "Txt_Grado";
        case Control::Txt_Clave:
            return "Txt_Clave";
        case Control::Estado:
            break;
    }
    return "Estado";
}

}  // namespace

// One page's session.
class ZekWeb {
  public:
    explicit ZekWeb(const std::string& separador) : sesion_(puerto_, lector_) {
        puerto_.separador = separador.empty() ? '.' : separador[0];
        pon_textos_de_diseno(puerto_);
        std::filesystem::create_directories(kCarpeta);
    }

    // The file's bytes under its own name, in a folder of its own so that
    // two files of the same name never meet; the path to open it by.
    std::string guarda_archivo(const std::string& nombre, const val& bytes) {
        const std::string carpeta = std::string(kCarpeta) + "/" + std::to_string(++archivos_);
        std::filesystem::create_directories(carpeta);
        const std::string ruta = carpeta + "/" + nombre;
        const auto datos = emscripten::convertJSArrayToNumberVector<uint8_t>(bytes);
        std::ofstream(ruta, std::ios::binary)
            .write(reinterpret_cast<const char*>(datos.data()),
                   static_cast<std::streamsize>(datos.size()));
        return ruta;
    }
    // Whether the loading rules will want the pixels: the header says a
    // size that fits the role. Otherwise nothing need be decoded.
    bool necesita_pixeles(int rol, const std::string& ruta) {
        const auto t = lector_.tamano(ruta);
        return t && cabe(*t, static_cast<Rol>(rol) == Rol::Marca ? kLimiteMarca : kLimiteAnfitrion);
    }
    void pon_pixeles(const std::string& ruta, int ancho, int alto, const val& rgba) {
        lector_.decodificadas[ruta] = {
            {ancho, alto}, colores_de(emscripten::convertJSArrayToNumberVector<uint8_t>(rgba))};
    }
    bool abre(int rol, const std::string& ruta) {
        return sesion_.abre(static_cast<Rol>(rol), ruta);
    }

    void aplica(int parametro, const std::string& texto) {
        sesion_.aplica(static_cast<Parametro>(parametro), texto);
    }
    void paso() { sesion_.Command1_Click(); }
    void reset() {
        sesion_.MnuReset_Click();
        ataques_.clear();
    }
    bool repite() {
        ataques_.clear();
        return sesion_.repite();
    }

    // What the window shows now: every caption, the message boxes shown
    // since the last call, and what the menus would allow.
    val estado() {
        val e = val::object();
        val textos = val::object();
        for (const Control c :
             {Control::LpASO, Control::LBloque, Control::LNumBloques, Control::LGrado,
              Control::LClave, Control::Txt_Grado, Control::Txt_Clave, Control::Estado})
            textos.set(nombre_de_control(c), texto_js(puerto_.texto(c)));
        e.set("textos", textos);
        val mensajes = val::array();
        for (size_t i = mensajes_vistos_; i < puerto_.mensajes.size(); ++i) {
            val m = val::object();
            m.set("texto", texto_js(puerto_.mensajes[i].texto));
            m.set("titulo", texto_js(puerto_.mensajes[i].titulo));
            mensajes.call<void>("push", m);
        }
        mensajes_vistos_ = puerto_.mensajes.size();
        e.set("mensajes", mensajes);
        e.set("paso", sesion_.vbles().Paso);
        e.set("grado", sesion_.vbles().Grado);
        e.set("hayMarcada", sesion_.demostracion().informe().insertada);
        e.set("hayExtraida", sesion_.marca_extraida().has_value());
        e.set("puedeRepetir", !sesion_.ruta_anfitrion().empty() || !sesion_.ruta_marca().empty());
        val nombres = val::array();
        for (int n = 1; n <= 4; ++n)
            nombres.call<void>("push", nombre_js(nombre_de_picture(n, sesion_.vbles().Paso)));
        e.set("pictures", nombres);
        return e;
    }
    val picture(int n) const {
        const SuperficieMemoria* p[] = {&sesion_.Picture1(), &sesion_.Picture2(),
                                        &sesion_.Picture3(), &sesion_.Picture4()};
        return rgba_de(*p[std::clamp(n, 1, 4) - 1]);
    }
    // The watermarked picture as "Paso 2" drew it, and the last reading.
    val marcada() const { return rgba_de(sesion_.demostracion().marcada_completa()); }
    // informe.json, as zek-demo writes it: with the attacks the laboratory
    // has made on the watermarked picture with the block pairs.
    std::string informe() const {
        return informe_json(sesion_.vbles(), sesion_.demostracion().informe(),
                            sesion_.fuente_marcada(), puerto_.mensajes, ataques_);
    }
    val extraida() const {
        const auto m = sesion_.marca_extraida();
        return m ? rgba_de(*m) : val::null();
    }

    // The window's own texts: frame titles, labels, accessible names.
    static val textos() {
        val t = val::object();
        t.set("datos", texto_js(kTituloDatos));
        t.set("actualizar", texto_js(kTituloActualizar));
        t.set("grado", texto_js(kTextoGrado));
        t.set("clave", texto_js(kTextoClave));
        t.set("sinLecturaEspectro", texto_js(kSinLecturaEspectro));
        val accesibles = val::object();
        for (const NombreAccesible& n : kNombresAccesibles) accesibles.set(n.control, nombre_js(n));
        t.set("accesibles", accesibles);
        return t;
    }

    // The laboratory: the attacks with their ranges, from the one table.
    static val ataques() {
        val lista = val::array();
        for (const RangoAtaque& r : kRangosAtaque) {
            val a = val::object();
            a.set("nombre", std::string(r.nombre));
            a.set("desde", r.desde);
            a.set("hasta", r.hasta);
            a.set("entero", r.entero);
            a.set("inicial", r.inicial);
            lista.call<void>("push", a);
        }
        return lista;
    }
    static val metodos() {
        val lista = val::array();
        for (const Metodo* m : zek::metodos()) {
            const Fuerza& f = m->fuerza();
            val o = val::object();
            o.set("nombre", std::string(m->nombre()));
            o.set("titulo", texto_js(m->titulo()));
            o.set("desde", f.desde);
            o.set("hasta", f.hasta);
            o.set("entera", f.entera);
            o.set("inicial", f.inicial);
            o.set("paso", f.paso);
            o.set("decimales", f.decimales);
            o.set("deLaDemostracion", m->de_la_demostracion());
            lista.call<void>("push", o);
        }
        return lista;
    }
    // Chooses what to analyse: the picture ("marcada" or "abierta"), the
    // method, its strength and the attack written as zek-demo takes it.
    // Prepares the picture attacked and returns it (null with the reason
    // when there is none), so that the page can encode it as JPEG.
    val elige(const std::string& imagen, const std::string& metodo, double fuerza,
              const std::string& ataque) {
        eleccion_ = {};
        fuente_.reset();
        val r = val::object();
        const auto a = lee_ataque(ataque);
        const Metodo* m = zek::metodo(metodo);
        if (!a || !m) {
            r.set("motivo", texto_js("Ataque o método no válido."));
            return r;
        }
        const bool abierta = imagen == "abierta";
        eleccion_ = eleccion_del_laboratorio(sesion_, abierta ? abierta_() : marcada_(), abierta,
                                             *m, fuerza, *a);
        std::string motivo;
        fuente_ = fuente_de(eleccion_, &motivo);
        if (!fuente_) {
            r.set("motivo", texto_js(motivo.empty() ? kFaltaImagenMarcada : motivo));
            return r;
        }
        r.set("fuente", rgba_de(fuente_->imagen));
        r.set("nombre", texto_js(fuente_->nombre));
        r.set("jpeg", a->tipo == TipoAtaque::Jpeg ? static_cast<int>(a->valor) : -1);
        return r;
    }
    // The browser's JPEG of the picture chosen, at the attack's quality.
    void pon_jpeg(int calidad, int ancho, int alto, const val& rgba) {
        const auto colores = colores_de(emscripten::convertJSArrayToNumberVector<uint8_t>(rgba));
        SuperficieMemoria s(ancho, alto);
        for (int y = 0; y < alto; ++y) {
            for (int x = 0; x < ancho; ++x)
                s.pon_pixel(x, y, colores[static_cast<size_t>(y) * ancho + x]);
        }
        jpeg_.calidad_hecha = calidad;
        jpeg_.hecha = std::move(s);
    }
    // The analysis of the choice: the attacked picture, the reading, the
    // figures' line, the difference pictures and the residue histograms.
    val analiza() {
        val r = val::object();
        if (!fuente_) return r;
        const ResultadoLaboratorio l = analiza_fuente(eleccion_, *fuente_, &jpeg_);
        jpeg_.hecha.reset();
        recuerda(l);
        const FuenteLaboratorio& f = *fuente_;
        r.set("atacada", rgba_de(l.atacada));
        r.set("leida", rgba_de(l.leida));
        r.set("cifras", texto_js(texto_de_cifras(l, f, puerto_.separador)));
        if (l.aciertos) {
            r.set("correctos", static_cast<double>(l.aciertos->correctos));
            r.set("total", static_cast<double>(l.aciertos->total));
            r.set("ber", l.aciertos->ber());
            r.set("nc", l.aciertos->nc());
        }
        if (l.psnr) r.set("psnr", *l.psnr);
        if (l.ssim) r.set("ssim", *l.ssim);
        r.set("diferencia", rgba_de(f.diferencia.imagen));
        r.set("gananciaDiferencia", f.diferencia.ganancia);
        if (l.diferencia) {
            r.set("diferenciaAtacada", rgba_de(l.diferencia->imagen));
            r.set("gananciaAtacada", l.diferencia->ganancia);
        }
        val h = val::object();
        for (const auto& [nombre, hist] :
             {std::pair{"antes", &f.antes}, std::pair{"despues", &f.despues},
              std::pair{"atacada", &l.histograma}}) {
            if (!*hist) continue;
            val o = val::object();
            o.set("claros", lista_de((*hist)->claros));
            o.set("oscuros", lista_de((*hist)->oscuros));
            h.set(nombre, o);
        }
        r.set("histograma", h);
        r.set("fracciones", !eleccion_.metodo->de_la_demostracion());
        r.set("detectada", l.detectada);
        if (l.respuesta) r.set("respuesta", respuesta_js(*l.respuesta, f.lectura.Clave));
        return r;
    }

  private:
    // The detector's response with the words of its chart.
    val respuesta_js(const RespuestaDetector& d, double clave) const {
        const TextosDeRespuesta t =
            textos_de_respuesta(d.falsas.size(), clave, kUmbralEspectro, puerto_.separador);
        val r = val::object();
        r.set("sim", d.sim);
        r.set("falsas", lista_de(d.falsas));
        r.set("clave", clave);
        r.set("umbral", kUmbralEspectro);
        val textos = val::object();
        for (const auto& [nombre, texto] :
             {std::pair{"titulo", &t.titulo}, std::pair{"ejeClave", &t.eje_clave},
              std::pair{"ejeSim", &t.eje_sim}, std::pair{"falsas", &t.falsas},
              std::pair{"verdadera", &t.verdadera}, std::pair{"umbral", &t.umbral}})
            textos.set(nombre, texto_js(*texto));
        r.set("textos", textos);
        return r;
    }

    // The report's attacks: those on the watermarked picture with the block
    // pairs, the last reading of each.
    void recuerda(const ResultadoLaboratorio& l) {
        if (eleccion_.abierta || !eleccion_.metodo->de_la_demostracion()) return;
        std::erase_if(ataques_,
                      [&](const ResultadoAtaque& a) { return a.ataque == eleccion_.ataque.texto; });
        ataques_.push_back({eleccion_.ataque.texto, l.psnr, l.ssim, l.aciertos.value_or(Aciertos{}),
                            l.aciertos.has_value(), l.leida});
    }
    std::shared_ptr<const FuenteLaboratorio> marcada_() const {
        auto f = sesion_.fuente_marcada();
        return f ? std::make_shared<const FuenteLaboratorio>(std::move(*f)) : nullptr;
    }
    std::shared_ptr<const FuenteLaboratorio> abierta_() const {
        auto f = sesion_.fuente_abierta();
        return f ? std::make_shared<const FuenteLaboratorio>(std::move(*f)) : nullptr;
    }

    PuertoMemoria puerto_;
    LectorWeb lector_;
    Sesion sesion_;
    size_t mensajes_vistos_ = 0;
    unsigned archivos_ = 0;
    EleccionLaboratorio eleccion_;
    std::shared_ptr<const FuenteLaboratorio> fuente_;
    CodecJpegWeb jpeg_;
    std::vector<ResultadoAtaque> ataques_;
};

}  // namespace zek

EMSCRIPTEN_BINDINGS(zek) {
    using zek::ZekWeb;
    emscripten::class_<ZekWeb>("Zek")
        .constructor<std::string>()
        .function("guardaArchivo", &ZekWeb::guarda_archivo)
        .function("necesitaPixeles", &ZekWeb::necesita_pixeles)
        .function("ponPixeles", &ZekWeb::pon_pixeles)
        .function("abre", &ZekWeb::abre)
        .function("aplica", &ZekWeb::aplica)
        .function("paso", &ZekWeb::paso)
        .function("reset", &ZekWeb::reset)
        .function("repite", &ZekWeb::repite)
        .function("estado", &ZekWeb::estado)
        .function("picture", &ZekWeb::picture)
        .function("marcada", &ZekWeb::marcada)
        .function("extraida", &ZekWeb::extraida)
        .function("informe", &ZekWeb::informe)
        .class_function("textos", &ZekWeb::textos)
        .class_function("ataques", &ZekWeb::ataques)
        .class_function("metodos", &ZekWeb::metodos)
        .function("elige", &ZekWeb::elige)
        .function("ponJpeg", &ZekWeb::pon_jpeg)
        .function("analiza", &ZekWeb::analiza);
}
