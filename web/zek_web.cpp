// SPDX-License-Identifier: MIT
// The browser's front end over the same core as the window: one session
// driven through Sesion's commands, its captions and message boxes kept by
// the in-memory port for the page to show, and files held in the module's
// own file system so that the loading rules read them as the desktop does.
// The browser decodes pixels and encodes JPEG; the page hands them in.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "base/puerto_memoria.h"
#include "engine/metodo.h"
#include "images/ataques.h"
#include "images/bmp.h"
#include "images/cabecera_imagen.h"
#include "web/comparacion_web.h"
#include "web/enlace.h"
#include "web/jpeg_por_encargo.h"
#include "web/pixeles.h"
#include "workflow/asigna_imagen.h"
#include "workflow/barrido.h"
#include "workflow/deteccion.h"
#include "workflow/graficas.h"
#include "workflow/hoja.h"
#include "workflow/informe.h"
#include "workflow/laboratorio.h"
#include "workflow/sesion.h"
#include "workflow/textos_trabajos.h"
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

// embind hands std::string to the page as UTF-8.
val texto_js(const std::string& t) {
    return val(t);
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

// What the window shows now: every caption (by control), the message boxes
// shown since the last call, and what the menus would allow.
struct EstadoWeb {
    val textos = val::object();
    std::vector<Mensaje> mensajes;
    int paso = 0;
    double grado = 0;
    bool hay_marcada = false, hay_extraida = false, puede_repetir = false;
    bool hay_entrada = false;            // a host and a watermark for the long jobs
    std::vector<std::string> barribles;  // the methods the sweep can run with now
    std::vector<bool> vacias;            // each box showing nothing but its background
    std::vector<NombreAccesible> pictures;
};

// What the page shows of an analysis.
struct AnalisisWeb {
    val atacada = val::null(), leida = val::null(), diferencia = val::null(),
        diferencia_atacada = val::null();
    std::string cifras, escala, escala_atacada;  // what each difference's grey means
    // After a search for the grid: its two maps (in the difference's place)
    // and what it found, or why nothing was searched.
    val mapas = val::null();
    std::string busqueda;
    std::optional<double> correctos, total, sim;
    bool detectada = false;
    std::optional<Grafico> grafico;
};

// Words in place of the core's enumerations and C strings, for the page.
std::string texto_de(TipoSerie t) {
    return t == TipoSerie::Barras ? "barras" : t == TipoSerie::Puntos ? "puntos" : "lineas";
}
std::string texto_de(Trazo t) {
    return t == Trazo::Discontinuo ? "discontinuo" : t == Trazo::Punteado ? "punteado" : "continuo";
}

const char* nombre_de_bloque(TipoBloque t) {
    switch (t) {
        case TipoBloque::Titulo:
            return "titulo";
        case TipoBloque::Seccion:
            return "seccion";
        case TipoBloque::Apartado:
            return "apartado";
        case TipoBloque::Parrafo:
            return "parrafo";
        case TipoBloque::Destacado:
            return "destacado";
        case TipoBloque::Detalle:
            return "detalle";
        case TipoBloque::Pregunta:
            return "pregunta";
        case TipoBloque::Orden:
            return "orden";
        case TipoBloque::Espacio:
            return "espacio";
        case TipoBloque::Figuras:
            return "figuras";
        case TipoBloque::Tabla:
            return "tabla";
        case TipoBloque::Grafico:
            break;
    }
    return "grafico";
}

// A document for the page to lay out: each block with its kind by name
// and its pictures as a canvas takes them.
val documento_js(const Documento& d) {
    val bloques = val::array();
    for (const Bloque& b : d.bloques) {
        val x = val::object();
        x.set("tipo", std::string(nombre_de_bloque(b.tipo)));
        x.set("texto", b.texto);
        x.set("mm", b.mm);
        val figuras = val::array();
        for (const FiguraDelDocumento& f : b.figuras) {
            val figura = rgba_de(f.imagen);
            figura.set("pie", f.pie);
            figuras.call<void>("push", figura);
        }
        x.set("figuras", figuras);
        x.set("filas", b.filas);
        x.set("anchos", b.anchos);
        val miniaturas = val::array();
        for (const SuperficieMemoria& m : b.miniaturas) miniaturas.call<void>("push", rgba_de(m));
        x.set("miniaturas", miniaturas);
        if (b.grafico) x.set("grafico", *b.grafico);
        bloques.call<void>("push", x);
    }
    val r = val::object();
    r.set("titulo", d.titulo);
    r.set("bloques", bloques);
    return r;
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
        olvida_fuentes();
        return sesion_.abre(static_cast<Rol>(rol), ruta);
    }

    void aplica(int parametro, const std::string& texto) {
        olvida_fuentes();
        sesion_.aplica(static_cast<Parametro>(parametro), texto);
    }
    void paso() {
        olvida_fuentes();
        sesion_.Command1_Click();
    }
    void reset() {
        olvida_fuentes();
        sesion_.MnuReset_Click();
        ataques_.olvida();
    }
    bool repite() {
        olvida_fuentes();
        ataques_.olvida();
        return sesion_.repite();
    }

    EstadoWeb estado() {
        EstadoWeb e;
        e.textos = val::object();
        for (const Control c :
             {Control::LpASO, Control::LBloque, Control::LNumBloques, Control::LGrado,
              Control::LClave, Control::Txt_Grado, Control::Txt_Clave, Control::Estado})
            e.textos.set(nombre_de_control(c), texto_js(puerto_.texto(c)));
        e.mensajes.assign(puerto_.mensajes.begin() + static_cast<std::ptrdiff_t>(mensajes_vistos_),
                          puerto_.mensajes.end());
        mensajes_vistos_ = puerto_.mensajes.size();
        e.paso = sesion_.vbles().Paso;
        e.grado = sesion_.vbles().Grado;
        e.hay_marcada = sesion_.demostracion().informe().insertada;
        e.hay_extraida = sesion_.marca_extraida().has_value();
        e.puede_repetir = !sesion_.ruta_anfitrion().empty() || !sesion_.ruta_marca().empty();
        e.hay_entrada = sesion_.entrada_del_barrido().has_value();
        for (const Metodo* m : zek::metodos()) {
            if (se_puede_barrer(sesion_, *m)) e.barribles.push_back(m->nombre());
        }
        for (int n = 1; n <= 4; ++n) {
            e.pictures.push_back(nombre_de_picture(n, sesion_.vbles().Paso));
            const auto& pixeles = caja(n).filas();
            e.vacias.push_back(std::all_of(pixeles.begin(), pixeles.end(),
                                           [](int32_t c) { return c == kColorFondo; }));
        }
        return e;
    }
    const SuperficieMemoria& caja(int n) const {
        const SuperficieMemoria* p[] = {&sesion_.Picture1(), &sesion_.Picture2(),
                                        &sesion_.Picture3(), &sesion_.Picture4()};
        return *p[std::clamp(n, 1, 4) - 1];
    }
    val picture(int n) const { return rgba_de(caja(n)); }
    // What happened to the pair of the block under pixel (x, y) of the host
    // or of the watermarked picture, as the window's tooltip says it; empty
    // where there is nothing to say.
    std::string par(int x, int y) const { return sesion_.demostracion().descripcion_de_par(x, y); }
    // The watermarked picture as "Paso 2" drew it, and the last reading.
    val marcada() const { return rgba_de(sesion_.demostracion().marcada_completa()); }
    // informe.json, as zek-demo writes it: with the attacks the laboratory
    // has made on the watermarked picture with the block pairs.
    std::string informe() const {
        return informe_json(sesion_.vbles(), sesion_.demostracion().informe(),
                            sesion_.fuente_marcada(), puerto_.mensajes, ataques_.lista());
    }
    // The watermarked picture or the last reading as a BMP file, which the
    // browser cannot write; null when there is none.
    val bmp(const std::string& que) const {
        std::optional<SuperficieMemoria> imagen;
        if (que == "marcada" && sesion_.demostracion().informe().insertada)
            imagen = sesion_.demostracion().marcada_completa();
        if (que == "extraida") imagen = sesion_.marca_extraida();
        if (!imagen) return val::null();
        return bytes_js(codifica_bmp(*imagen));
    }
    val extraida() const {
        const auto m = sesion_.marca_extraida();
        return m ? rgba_de(*m) : val::null();
    }

    // What the long jobs start from, for the worker that runs them: the
    // host and the watermark as opened, the watermark's bits, the degree
    // and the key; null until both pictures are open.
    val entrada() const {
        const auto e = sesion_.entrada_del_barrido();
        if (!e) return val::null();
        const int Wm = e->marca.ancho(), Hm = e->marca.alto();
        val r = val::object();
        r.set("anfitrion", rgba_de(e->anfitrion));
        r.set("marca", rgba_de(e->marca));
        r.set("bits", bits_de_marca(sesion_.vbles().MatrizMarca, Wm, Hm));
        r.set("grado", sesion_.vbles().Grado);
        r.set("clave", e->clave);
        return r;
    }
    // The sweep's rows from the workers that shared it, in the order of its
    // degrees (strengths): its chart and its CSV.
    static val barrido(std::vector<FilaBarrido> filas, const std::string& magnitud,
                       const std::string& separador) {
        std::stable_sort(
            filas.begin(), filas.end(),
            [](const FilaBarrido& a, const FilaBarrido& b) { return a.grado < b.grado; });
        val r = val::object();
        const auto g = describe_barrido(filas, magnitud, separador.empty() ? '.' : separador[0]);
        r.set("grafico", g ? val(*g) : val::null());
        r.set("csv", barrido_csv(filas));
        r.set("filas", filas);
        return r;
    }
    // The comparison's shares from the workers that computed them, as one.
    val comparacion(const val& partes, const std::string& separador) const {
        std::vector<Comparacion> lista;
        for (size_t i = 0; i < partes["length"].as<size_t>(); ++i)
            lista.push_back(partes[i].as<Comparacion>());
        return enlace::comparacion_js(enlace::junta_comparaciones(lista),
                                      sesion_.Picture2().ancho(), sesion_.Picture2().alto(),
                                      separador.empty() ? '.' : separador[0]);
    }
    // A long job's words that carry a figure: "Barrido cancelado al 40 %."
    static std::string cancelado(int trabajo, int porcentaje, bool queda_el_anterior) {
        return texto_de_cancelado(static_cast<TrabajoLargo>(trabajo), porcentaje,
                                  queda_el_anterior);
    }
    static std::string detectando(const std::string& ataque) { return texto_detectando(ataque); }

    // The classroom handout, in two calls: first the JPEGs its attacks need,
    // which the page has the browser encode (null before a watermarked
    // picture has been drawn); then the document, with the files' SHA-256
    // the page worked out and the sweep's rows when there are any.
    val hoja_pedidos() {
        jpeg_hoja_ = std::make_unique<JpegPorEncargo>();
        FuenteLaboratorio fuente;
        if (!leccion_de_la_sesion(sesion_, &fuente)) return val::null();
        ataca(&fuente, ataques_de_la_hoja(), *jpeg_hoja_);
        return jpeg_hoja_->pedidos();
    }
    void pon_jpeg_hoja(double clave, int calidad, int ancho, int alto, const val& rgba) {
        if (jpeg_hoja_) jpeg_hoja_->pon(clave, calidad, superficie_de(ancho, alto, rgba));
    }
    val hoja(const std::string& sha_anfitrion, const std::string& sha_marca,
             std::vector<FilaBarrido> barrido, const val& comparacion, const val& deteccion) {
        FuenteLaboratorio fuente;
        auto h = leccion_de_la_sesion(sesion_, &fuente);
        if (!h || !jpeg_hoja_) return val::null();
        jpeg_hoja_->pon_modo(JpegPorEncargo::Modo::Toma);
        h->ataques = ataca(&fuente, ataques_de_la_hoja(), *jpeg_hoja_);
        jpeg_hoja_.reset();
        h->anfitrion.sha256 = sha_anfitrion;
        h->marca.sha256 = sha_marca;
        h->barrido = std::move(barrido);
        if (!comparacion.isUndefined() && !comparacion.isNull()) {
            h->comparacion = comparacion.as<Comparacion>();
            std::erase_if(h->comparacion->metodos,
                          [](const MetodoComparado& m) { return m.metodo == nullptr; });
        }
        if (!deteccion.isUndefined() && !deteccion.isNull())
            h->deteccion = DeteccionDeLaHoja{
                deteccion["respuesta"].as<RespuestaDetector>(), deteccion["clave"].as<double>(),
                deteccion["umbral"].as<double>(), deteccion["ataque"].as<std::string>()};
        h->orden = orden_de_la_hoja(sesion_, !h->barrido.empty(), h->comparacion.has_value(),
                                    "hoja-de-clase.pdf", {}, true);
        return documento_js(documento_de_la_hoja(*h));
    }
    // The bytes of a file the session opened ("anfitrion" or "marca"), for
    // the page to hash; null when it has none.
    val archivo(const std::string& que) const {
        const std::string& ruta = que == "marca" ? sesion_.ruta_marca() : sesion_.ruta_anfitrion();
        if (ruta.empty()) return val::null();
        return bytes_js(lee_bytes(ruta, kMayorArchivo));
    }

    // The window's own texts: frame titles, labels, accessible names.
    static val textos() {
        val t = val::object();
        t.set("datos", texto_js(kTituloDatos));
        t.set("actualizar", texto_js(kTituloActualizar));
        t.set("grado", texto_js(kTextoGrado));
        t.set("clave", texto_js(kTextoClave));
        t.set("sinLecturaEspectro", texto_js(kSinLecturaEspectro));
        t.set("guia", texto_js(kGuia));
        t.set("sinAtaque", texto_js(kSinAtaque));
        t.set("decimalesConComa", texto_js(kDecimalesConComa));
        t.set("tituloAcercaDe", texto_js(kTituloAcercaDe));
        t.set("acercaDe", texto_js(texto_acerca_de()));
        val vistas = val::array();
        for (const char* v : kVistasDeLaDiferencia) vistas.call<void>("push", texto_js(v));
        t.set("vistasDeLaDiferencia", vistas);
        t.set("versionNueva", texto_js(kVersionNueva));
        t.set("buscarLaRejilla", texto_js(kBuscarLaRejilla));
        t.set("leyendaDeLosMapas", texto_js(kLeyendaDeLosMapas));
        val formatos = val::array();
        for (const char* f : kFormatosDeImagen) formatos.call<void>("push", texto_js(f));
        t.set("formatosDeImagen", formatos);
        t.set("calidadPorDefecto", kCalidadPorDefecto);
        t.set("pideCalidad", texto_js(kPideCalidad));
        t.set("hojaSinMarcada", texto_js(kHojaSinMarcada));
        t.set("guiaDeLasMuestras", texto_js(kGuiaDeLasMuestras));
        t.set("gradoDeLasMuestras", texto_js(kGradoDeLasMuestras));
        t.set("claveDeLasMuestras", texto_js(kClaveDeLasMuestras));
        t.set("cancelando", texto_js(kCancelando));
        t.set("calculandoBarrido", texto_js(kCalculandoBarrido));
        t.set("calibrando", texto_js(kCalibrando));
        t.set("faltanLasDos", texto_js(kFaltanLasDos));
        t.set("faltaAnfitrion", texto_js(kFaltaAnfitrion));
        t.set("falloDelTrabajo", texto_js(kFalloDelTrabajo));
        // The detector's defaults, as the desktop's window starts.
        t.set("longitudEspectro", kLongitudEspectro);
        t.set("umbralEspectro", kUmbralEspectro);
        val accesibles = val::object();
        for (const NombreAccesible& n : kNombresAccesibles) accesibles.set(n.control, val(n));
        t.set("accesibles", accesibles);
        return t;
    }

    // The laboratory: the attacks with their ranges, from the one table,
    // and the methods as they describe themselves.
    static std::vector<RangoAtaque> ataques() {
        return {std::begin(kRangosAtaque), std::end(kRangosAtaque)};
    }
    static std::vector<DescripcionMetodo> metodos() {
        std::vector<DescripcionMetodo> lista;
        for (const Metodo* m : zek::metodos()) lista.push_back(m->descripcion());
        return lista;
    }
    // Chooses what to analyse: the picture ("marcada" or "abierta"), the
    // method, its strength and the attack written as zek-demo takes it.
    // Prepares the picture attacked and returns it (null with the reason
    // when there is none), so that the page can encode it as JPEG.
    val elige(const std::string& imagen, const std::string& metodo, double fuerza,
              const std::string& ataque, bool busca_rejilla) {
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
                                             *m, fuerza, *a, busca_rejilla);
        std::string motivo;
        fuente_ = fuente_de(eleccion_, &motivo);
        if (!fuente_) {
            r.set("motivo", texto_js(motivo.empty() ? kFaltaImagenMarcada : motivo));
            return r;
        }
        // The picture goes to the page only when the browser must encode it.
        const bool jpeg = a->tipo == TipoAtaque::Jpeg;
        r.set("fuente", jpeg ? rgba_de(fuente_->imagen) : val::null());
        r.set("jpeg", jpeg ? static_cast<int>(a->valor) : -1);
        return r;
    }
    // The browser's JPEG of the picture chosen, at the attack's quality.
    void pon_jpeg(int calidad, int ancho, int alto, const val& rgba) {
        jpeg_.calidad_hecha = calidad;
        jpeg_.hecha = superficie_de(ancho, alto, rgba);
    }
    // The analysis of the choice: the attacked picture, the reading, the
    // figures' line, the difference with the host and the chart under them.
    AnalisisWeb analiza() {
        AnalisisWeb r;
        if (!fuente_) return r;
        const ResultadoLaboratorio l = analiza_fuente(eleccion_, *fuente_, &jpeg_);
        jpeg_.hecha.reset();
        ataques_.recuerda(eleccion_, l);
        const FuenteLaboratorio& f = *fuente_;
        r.atacada = rgba_de(l.atacada);
        r.leida = l.detectada ? val::null() : rgba_de(l.leida);
        r.diferencia = rgba_de(f.diferencia.imagen);
        r.escala = texto_de_escala(&f, &f.diferencia, true, puerto_.separador);
        if (l.diferencia) r.diferencia_atacada = rgba_de(l.diferencia->imagen);
        r.escala_atacada =
            texto_de_escala(&f, l.diferencia ? &*l.diferencia : nullptr, true, puerto_.separador);
        r.cifras = texto_de_cifras(l, f, puerto_.separador);
        r.busqueda = texto_de_busqueda(l, puerto_.separador);
        if (l.sincronizacion) r.mapas = rgba_de(imagen_de_mapas(*l.sincronizacion));
        if (l.aciertos) {
            r.correctos = static_cast<double>(l.aciertos->correctos);
            r.total = static_cast<double>(l.aciertos->total);
        }
        r.detectada = l.detectada;
        if (l.respuesta) r.sim = l.respuesta->sim;
        r.grafico = describe_laboratorio(l, f, *eleccion_.metodo, puerto_.separador);
        return r;
    }

  private:
    // The pictures the laboratory reads, with their luminance and their
    // difference with the host, made once after each command rather than
    // at every attack.
    std::shared_ptr<const FuenteLaboratorio> marcada_() {
        if (!marcada_hecha_) {
            auto f = sesion_.fuente_marcada();
            marcada_cache_ = f ? std::make_shared<const FuenteLaboratorio>(std::move(*f)) : nullptr;
            marcada_hecha_ = true;
        }
        return marcada_cache_;
    }
    std::shared_ptr<const FuenteLaboratorio> abierta_() {
        if (!abierta_hecha_) {
            auto f = sesion_.fuente_abierta();
            abierta_cache_ = f ? std::make_shared<const FuenteLaboratorio>(std::move(*f)) : nullptr;
            abierta_hecha_ = true;
        }
        return abierta_cache_;
    }
    // A command may change either: both are made again when next read.
    void olvida_fuentes() { marcada_hecha_ = abierta_hecha_ = false; }

    PuertoMemoria puerto_;
    LectorWeb lector_;
    Sesion sesion_;
    size_t mensajes_vistos_ = 0;
    unsigned archivos_ = 0;
    EleccionLaboratorio eleccion_;
    std::shared_ptr<const FuenteLaboratorio> fuente_;
    CodecJpegWeb jpeg_;
    AtaquesDelInforme ataques_;
    std::unique_ptr<JpegPorEncargo> jpeg_hoja_;
    std::shared_ptr<const FuenteLaboratorio> marcada_cache_, abierta_cache_;
    bool marcada_hecha_ = false, abierta_hecha_ = false;
};

}  // namespace zek

namespace zek {
namespace {

// A C string field read as text; the page never hands these structs back,
// so writing one does nothing.
template <typename S, const char* S::*campo>
std::string texto_de_campo(const S& s) {
    return s.*campo;
}
template <typename S, typename V = std::string>
void sin_escribir(S&, V) {}

}  // namespace
}  // namespace zek

EMSCRIPTEN_BINDINGS(zek) {
    using namespace zek;
    using emscripten::value_object;
    value_object<Mensaje>("Mensaje")
        .field("texto", &Mensaje::texto)
        .field("titulo", &Mensaje::titulo);
    value_object<NombreAccesible>("NombreAccesible")
        .field("nombre", &texto_de_campo<NombreAccesible, &NombreAccesible::nombre>,
               &sin_escribir<NombreAccesible>)
        .field("descripcion", &texto_de_campo<NombreAccesible, &NombreAccesible::descripcion>,
               &sin_escribir<NombreAccesible>);
    value_object<EstadoWeb>("EstadoWeb")
        .field("textos", &EstadoWeb::textos)
        .field("mensajes", &EstadoWeb::mensajes)
        .field("paso", &EstadoWeb::paso)
        .field("grado", &EstadoWeb::grado)
        .field("hayMarcada", &EstadoWeb::hay_marcada)
        .field("hayExtraida", &EstadoWeb::hay_extraida)
        .field("puedeRepetir", &EstadoWeb::puede_repetir)
        .field("hayEntrada", &EstadoWeb::hay_entrada)
        .field("barribles", &EstadoWeb::barribles)
        .field("vacias", &EstadoWeb::vacias)
        .field("pictures", &EstadoWeb::pictures);
    value_object<MarcaEje>("MarcaEje")
        .field("valor", &MarcaEje::valor)
        .field("texto", &MarcaEje::texto);
    value_object<Eje>("Eje")
        .field("titulo", &Eje::titulo)
        .field("desde", &Eje::desde)
        .field("hasta", &Eje::hasta)
        .field("marcas", &Eje::marcas);
    value_object<ColorGrafico>("ColorGrafico")
        .field("r", &ColorGrafico::r)
        .field("g", &ColorGrafico::g)
        .field("b", &ColorGrafico::b);
    value_object<SerieGrafico>("SerieGrafico")
        .field("nombre", &SerieGrafico::nombre)
        .field(
            "tipo", +[](const SerieGrafico& s) { return texto_de(s.tipo); },
            &sin_escribir<SerieGrafico>)
        .field("x", &SerieGrafico::x)
        .field("y", &SerieGrafico::y)
        .field("color", &SerieGrafico::color)
        .field(
            "trazo", +[](const SerieGrafico& s) { return texto_de(s.trazo); },
            &sin_escribir<SerieGrafico>)
        .field("grosor", &SerieGrafico::grosor)
        .field("conPuntos", &SerieGrafico::con_puntos)
        .field("ejeDerecho", &SerieGrafico::eje_derecho);
    value_object<Grafico>("Grafico")
        .field("titulo", &Grafico::titulo)
        .field("x", &Grafico::x)
        .field("y", &Grafico::y)
        .field("yDerecho", &Grafico::y_derecho)
        .field("series", &Grafico::series);
    value_object<AnalisisWeb>("AnalisisWeb")
        .field("atacada", &AnalisisWeb::atacada)
        .field("leida", &AnalisisWeb::leida)
        .field("diferencia", &AnalisisWeb::diferencia)
        .field("diferenciaAtacada", &AnalisisWeb::diferencia_atacada)
        .field("escala", &AnalisisWeb::escala)
        .field("escalaAtacada", &AnalisisWeb::escala_atacada)
        .field("cifras", &AnalisisWeb::cifras)
        .field("mapas", &AnalisisWeb::mapas)
        .field("busqueda", &AnalisisWeb::busqueda)
        .field("correctos", &AnalisisWeb::correctos)
        .field("total", &AnalisisWeb::total)
        .field("sim", &AnalisisWeb::sim)
        .field("detectada", &AnalisisWeb::detectada)
        .field("grafico", &AnalisisWeb::grafico);
    value_object<Fuerza>("Fuerza")
        .field("nombre", &texto_de_campo<Fuerza, &Fuerza::nombre>, &sin_escribir<Fuerza>)
        .field("desde", &Fuerza::desde)
        .field("hasta", &Fuerza::hasta)
        .field("inicial", &Fuerza::inicial)
        .field("paso", &Fuerza::paso)
        .field("decimales", &Fuerza::decimales)
        .field("entera", &Fuerza::entera);
    value_object<DescripcionMetodo>("DescripcionMetodo")
        .field("nombre", &texto_de_campo<DescripcionMetodo, &DescripcionMetodo::nombre>,
               &sin_escribir<DescripcionMetodo>)
        .field("titulo", &texto_de_campo<DescripcionMetodo, &DescripcionMetodo::titulo>,
               &sin_escribir<DescripcionMetodo>)
        .field("fuerza", &DescripcionMetodo::fuerza)
        .field("deLaDemostracion", &DescripcionMetodo::de_la_demostracion)
        .field(
            "leeLaMarca", +[](const DescripcionMetodo& d) { return d.rinde == Rinde::Lectura; },
            &sin_escribir<DescripcionMetodo, bool>);
    value_object<RangoAtaque>("RangoAtaque")
        .field("nombre", &texto_de_campo<RangoAtaque, &RangoAtaque::nombre>,
               &sin_escribir<RangoAtaque>)
        .field("titulo", &texto_de_campo<RangoAtaque, &RangoAtaque::titulo>,
               &sin_escribir<RangoAtaque>)
        .field("parametro", &texto_de_campo<RangoAtaque, &RangoAtaque::parametro>,
               &sin_escribir<RangoAtaque>)
        .field("decimales", &RangoAtaque::decimales)
        .field("desde", &RangoAtaque::desde)
        .field("hasta", &RangoAtaque::hasta)
        .field("entero", &RangoAtaque::entero)
        .field("inicial", &RangoAtaque::inicial);
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
        .function("par", &ZekWeb::par)
        .function("marcada", &ZekWeb::marcada)
        .function("extraida", &ZekWeb::extraida)
        .function("bmp", &ZekWeb::bmp)
        .function("hojaPedidos", &ZekWeb::hoja_pedidos)
        .function("ponJpegHoja", &ZekWeb::pon_jpeg_hoja)
        .function("hoja", &ZekWeb::hoja)
        .function("archivo", &ZekWeb::archivo)
        .function("informe", &ZekWeb::informe)
        .class_function("textos", &ZekWeb::textos)
        .class_function("ataques", &ZekWeb::ataques)
        .class_function("metodos", &ZekWeb::metodos)
        .function("elige", &ZekWeb::elige)
        .function("ponJpeg", &ZekWeb::pon_jpeg)
        .function("analiza", &ZekWeb::analiza)
        .function("entrada", &ZekWeb::entrada)
        .function("comparacion", &ZekWeb::comparacion)
        .class_function("cancelado", &ZekWeb::cancelado)
        .class_function("barrido", &ZekWeb::barrido)
        .class_function("detectando", &ZekWeb::detectando);
}
