// SPDX-License-Identifier: MIT
// zek-demo: the demonstration without a window, on the same workflow code.
// Loads the two pictures, applies Grado and Clave, presses the step button
// four times, attacks the watermarked picture if asked, reads the watermark
// back blindly and writes the pictures and a report.
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "base/numeros.h"
#include "base/version.h"
#include "engine/espectro.h"
#include "graficos/graficos.h"
#include "graficos/hoja_de_clase.h"
#include "images/lector_imagen.h"
#include "qt/escritura.h"
#include "qt/imagen_qt.h"
#include "tools/demo/ejecucion.h"
#include "tools/demo/linea_de_mensaje.h"
#include "tools/demo/opciones.h"
#include "tools/demo/salida.h"
#include "workflow/deteccion.h"
#include "workflow/informe.h"

namespace {

using namespace zek;
namespace fs = std::filesystem;

constexpr int kBien = 0, kUsoIncorrecto = 1, kImagenRechazada = 2, kSinEscribir = 3, kDetenida = 4;

// The strength of a method other than the block pairs': as given, or the
// one the laboratory starts from.
double fuerza_de(const Opciones& o) {
    return o.fuerza.value_or(o.metodo->fuerza().inicial);
}

// A degree or key the demonstration did not take: never run on with 0.
struct ParametroRechazado {
    std::string texto;
};

QByteArray bytes_de(const std::string& texto) {
    return QByteArray::fromStdString(texto);
}

void anade(std::vector<ArchivoNuevo>& archivos, const fs::path& carpeta, const char* nombre,
           QByteArray bytes) {
    archivos.push_back({(carpeta / nombre).string(), std::move(bytes)});
}

std::vector<ArchivoNuevo> resultados(Ejecucion& e, const std::vector<ResultadoAtaque>& ataques,
                                     const fs::path& carpeta) {
    std::vector<ArchivoNuevo> archivos;
    const Sesion& s = e.sesion();
    const char* nombres[] = {"picture1.png", "picture2.png", "picture3.png", "picture4.png"};
    int n = 0;
    for (const SuperficieImagen* p : {&s.Picture1(), &s.Picture2(), &s.Picture3(), &s.Picture4()}) {
        anade(archivos, carpeta, nombres[n++], png_de(*p));
    }
    const Informe& inf = e.demostracion().informe();
    anade(archivos, carpeta, "extraida.png",
          png_de(imagen_de_lectura(inf.leida, s.Picture2().ancho(), s.Picture2().alto())));
    if (inf.insertada) {
        anade(archivos, carpeta, "marcada.png", png_de(e.demostracion().marcada_completa()));
    }
    anade(archivos, carpeta, "informe.json",
          bytes_de(informe_json(e.vbles(), inf, s.fuente_marcada(), e.puerto().mensajes, ataques)));
    return archivos;
}

// Writes the whole set or nothing of it: the results already in the folder
// stay as they were when any file cannot be written.
bool escribe(const std::vector<ArchivoNuevo>& archivos, const fs::path& carpeta) {
    std::error_code error;
    const bool nueva = !fs::exists(carpeta, error);
    fs::create_directories(carpeta, error);
    if (error) {
        std::cerr << "No se ha podido crear la carpeta «" << carpeta.string()
                  << "»: " << motivo_del_sistema(error.value(), error.message()) << '\n';
        return false;
    }
    for (const ArchivoNuevo& a : archivos) {
        if (a.bytes.isEmpty()) {
            std::cerr << "No se ha podido codificar «" << fs::path(a.ruta).filename().string()
                      << "».\n";
            return false;
        }
    }
    const auto fallo = escribe_archivos(archivos);
    if (!fallo) return true;
    std::cerr << "No se ha podido escribir «" << fs::path(fallo->ruta).filename().string()
              << "» en «" << carpeta.string() << "»: " << fallo->motivo << '\n';
    if (nueva) fs::remove(carpeta, error);  // only if it is still empty
    return false;
}

// Where the step presses stopped: the stage not reached, and the message
// that stopped them; nothing when all four were taken.
std::optional<Parada> parada(const Ejecucion& e, size_t mensajes_antes) {
    if (e.vbles().Paso >= 4) return std::nullopt;
    const auto& mensajes = e.puerto().mensajes;
    Parada p{e.vbles().Paso + 1, std::nullopt};
    if (mensajes.size() > mensajes_antes) p.mensaje = linea_de_mensaje(mensajes.back());
    return p;
}

std::string antes_del_paso(const Parada& p) {
    std::string t = "antes del «Paso " + std::to_string(p.paso) + "» de 4";
    if (p.mensaje) t += " con el mensaje «" + *p.mensaje + "»";
    return t;
}

// The run stopped before the last stage and did nothing else it was asked.
int detenida(const Parada& p) {
    std::cerr << "zek-demo: la demostración se ha detenido " << antes_del_paso(p) << ".\n";
    return kDetenida;
}

// The run did what it was asked with another method, or the comparison;
// the demonstration's pictures stopping early is a fact worth one line.
int hecho_con_parada(const Parada& p, const std::string& hecho) {
    std::cerr << "zek-demo: las imágenes de la demostración se quedan " << antes_del_paso(p) << "; "
              << hecho << ".\n";
    return kBien;
}

double clave_de(const Opciones& o) {
    return *lee_numero_con_separador(o.p.clave, '.');
}

// --extrae --metodo lsb|dct: the picture opened as the host, read with that
// method, and compared with the watermark opened.
int extrae_con_metodo(const Opciones& o, const Ejecucion& e) {
    const Sesion& s = e.sesion();
    const int Wm = s.Picture2().ancho(), Hm = s.Picture2().alto();
    const Bits marca = bits_de_marca(s.vbles().MatrizMarca, Wm, Hm);
    const Bits leidos = o.metodo->lee(s.Picture1(), Wm, Hm, fuerza_de(o), clave_de(o));
    const std::string motivo =
        no_cabe(*o.metodo, s.Picture1().ancho(), s.Picture1().alto(), Wm, Hm);
    if (!motivo.empty()) {
        std::cerr << motivo << '\n';
        return kImagenRechazada;
    }
    std::vector<ArchivoNuevo> archivos;
    anade(archivos, o.salida, "extraida.png",
          png_de(imagen_de_lectura(lectura_de_bits(leidos, Wm, Hm), Wm, Hm)));
    anade(archivos, o.salida, "informe.json",
          bytes_de(informe_metodo_json(o.metodo->nombre(), fuerza_de(o), std::nullopt, std::nullopt,
                                       compara_bits(leidos, marca), {})));
    return escribe(archivos, o.salida) ? kBien : kSinEscribir;
}

// --extrae --sincroniza: the picture taken as a cut of a larger one, the
// grid searched for, and the watermark read with the offset found. The
// counts are over the pixels whose pairs the cut kept.
int extrae_sincronizada(const Opciones& o, Ejecucion& e) {
    const auto tamano = lee_tamano(*o.sincroniza);
    if (!tamano) {
        std::cerr << "--sincroniza no es un tamaño ANCHOxALTO (por ejemplo 378x483): «"
                  << *o.sincroniza << "».\n";
        return kImagenRechazada;
    }
    const auto [W, H] = *tamano;
    if (W > kLimiteAnfitrion.ancho || H > kLimiteAnfitrion.alto) {
        std::cerr << "--sincroniza pide una imagen de " << W << " × " << H
                  << ", mayor que la mayor imagen principal que se acepta ("
                  << kLimiteAnfitrion.ancho << " × " << kLimiteAnfitrion.alto << ").\n";
        return kImagenRechazada;
    }
    const Ejecucion::Busqueda b = e.busca_rejilla(o.p, o.lado, W, H, *o.metodo, fuerza_de(o));
    if (!b.sincronizacion) {
        std::cerr << b.motivo << '\n';
        return kImagenRechazada;
    }
    const Sincronizacion& s = *b.sincronizacion;
    const int Wm = s.leida.Wm, Hm = s.leida.Hm;
    Json j = Json::objeto({{"metodo", o.metodo->nombre()}});
    if (o.metodo->de_la_demostracion()) {
        j["longBloque"] = b.lado;
    } else {
        j["fuerza"] = fuerza_de(o);
    }
    j["extraccion"] = aciertos_json(s.aciertos);
    j["sincronizacion"] = sincronizacion_json(s);
    j["histograma"] = histograma_json(std::nullopt, s.histograma);
    std::vector<ArchivoNuevo> archivos;
    anade(archivos, o.salida, "extraida.png", png_de(imagen_de_lectura(s.leida, Wm, Hm)));
    anade(archivos, o.salida, "sincronizacion-ciega.png",
          png_de(imagen_de_mapa(s.ciega, s.x, s.y)));
    anade(archivos, o.salida, "sincronizacion.png", png_de(imagen_de_mapa(s.acuerdo, s.x, s.y)));
    anade(archivos, o.salida, "informe.json", bytes_de(j.texto()));
    if (!escribe(archivos, o.salida)) return kSinEscribir;
    std::cout << texto_de_sincronizacion(s, std::nullopt, ',') << '\n';
    return kBien;
}

// --extrae: the watermark read back from a picture alone.
int extrae(const Opciones& o) {
    Ejecucion e(&std::cerr);
    if (!e.carga(o.p)) {
        std::cerr << e.motivo() << '\n';
        return kImagenRechazada;
    }
    if (o.sincroniza) return extrae_sincronizada(o, e);
    if (!o.metodo->de_la_demostracion()) return extrae_con_metodo(o, e);
    const Ejecucion::Extraccion x = e.extrae(o.p, o.lado);
    const int Wm = e.sesion().Picture2().ancho(), Hm = e.sesion().Picture2().alto();
    std::vector<ArchivoNuevo> archivos;
    anade(archivos, o.salida, "extraida.png", png_de(imagen_de_lectura(x.leida, Wm, Hm)));
    anade(archivos, o.salida, "informe.json", bytes_de(informe_extraccion_json(e, x)));
    return escribe(archivos, o.salida) ? kBien : kSinEscribir;
}

// An attack must leave the picture something to read: a crop keeps at
// least one column and one row.
void comprueba_ataques(const std::vector<Ataque>& ataques, const SuperficieImagen& anfitrion) {
    for (const Ataque& a : ataques) {
        const double hasta =
            hasta_en_imagen(rango_de_ataque(a.tipo), anfitrion.ancho(), anfitrion.alto());
        if (a.valor <= hasta) continue;
        throw ErrorDeUso{"el ataque «" + a.texto + "» no cabe en una imagen de " +
                         std::to_string(anfitrion.ancho()) + " × " +
                         std::to_string(anfitrion.alto()) + ": el valor llega como mucho a " +
                         texto_exacto(hasta)};
    }
}

// marcada.png embedded with the method asked for, the attacks read back
// with it, and its report; false, writing nothing, when the watermark does
// not fit (the reason on standard error).
bool anade_metodo(std::vector<ArchivoNuevo>& archivos, const Ejecucion& e,
                  const EntradaBarrido& entrada, const Opciones& o, const CodecJpeg& jpeg,
                  const std::optional<Parada>& parada) {
    const int Wm = entrada.marca.ancho(), Hm = entrada.marca.alto();
    const Bits bits = bits_de_marca(e.vbles().MatrizMarca, Wm, Hm);
    const double fuerza = fuerza_de(o), clave = entrada.clave;
    const Insercion ins = inserta_con(*o.metodo, entrada.anfitrion, bits, Wm, Hm, fuerza, clave);
    if (!ins.marcada) {
        std::cerr << ins.no_cabe << '\n';
        return false;
    }
    const Aciertos sin_ataque =
        compara_bits(o.metodo->lee(*ins.marcada, Wm, Hm, fuerza, clave), bits);
    std::vector<LecturaAtacada> ataques;
    for (const Ataque& a : o.p.ataques) {
        ataques.push_back(
            lee_atacada(*o.metodo, *ins.marcada, bits, Wm, Hm, fuerza, clave, a, &jpeg, true));
    }
    std::erase_if(archivos, [](const ArchivoNuevo& a) {
        const std::string nombre = fs::path(a.ruta).filename().string();
        return nombre == "marcada.png" || nombre == "informe.json";
    });
    anade(archivos, o.salida, "marcada.png", png_de(*ins.marcada));
    anade(archivos, o.salida, "informe.json",
          bytes_de(informe_metodo_json(o.metodo->nombre(), fuerza, ins.psnr, ins.ssim, sin_ataque,
                                       ataques, parada)));
    return true;
}

Json deteccion_json(double sim, const Opciones& o) {
    return Json::objeto({{"sim", sim},
                         {"umbral", o.umbral},
                         {"pFalsaAlarma", probabilidad_de_falsa_alarma(o.umbral)},
                         {"presente", sim > o.umbral}});
}

// marcada.png with the key's spread spectrum instead, and what the detector
// finds in it and in each attack; false, writing nothing, when the picture
// is too small (the reason on standard error).
bool anade_espectro(std::vector<ArchivoNuevo>& archivos, const EntradaBarrido& entrada,
                    const Opciones& o, const CodecJpeg& jpeg, const std::optional<Parada>& parada) {
    const double alfa = fuerza_de(o), clave = entrada.clave;
    std::string motivo;
    const CoeficientesEspectro coeficientes = coeficientes_espectro(entrada.anfitrion);
    const auto marcada =
        inserta_espectro(entrada.anfitrion, coeficientes, clave, alfa, o.longitud, &motivo);
    if (!marcada) {
        std::cerr << motivo << '\n';
        return false;
    }
    const DetectorEspectro detector(coeficientes, o.longitud);
    const auto sim = [&](const SuperficieImagen& imagen) -> std::optional<double> {
        const auto x = detector.extrae(imagen, alfa);
        return x ? std::optional<double>(responde(*x, clave, 0).sim) : std::nullopt;
    };
    const int W = marcada->ancho(), H = marcada->alto();
    Json ataques = Json::lista();
    for (const Ataque& a : o.p.ataques) {
        const auto atacada = aplica_ataque(a, *marcada, &jpeg);
        Json fila = Json::objeto({{"ataque", a.texto}});
        const auto s = atacada ? sim(*atacada) : std::nullopt;
        fila["sim"] = s;
        fila["presente"] = s ? Json(*s > o.umbral) : Json();
        if (s) fila["psnr"] = psnr_entre(*marcada, *atacada, {0, W - 1, 0, H - 1});
        ataques.anade(fila);
    }
    std::erase_if(archivos, [](const ArchivoNuevo& a) {
        const std::string nombre = fs::path(a.ruta).filename().string();
        return nombre == "marcada.png" || nombre == "informe.json";
    });
    Json informe =
        Json::objeto({{"metodo", o.metodo->nombre()},
                      {"fuerza", alfa},
                      {"longitud", o.longitud},
                      {"psnr", psnr_entre(entrada.anfitrion, *marcada, {0, W - 1, 0, H - 1})},
                      {"deteccion", deteccion_json(*sim(*marcada), o)},
                      {"ataques", ataques},
                      {"parada", parada_json(parada)}});
    anade(archivos, o.salida, "marcada.png", png_de(*marcada));
    anade(archivos, o.salida, "informe.json", bytes_de(informe.texto()));
    return true;
}

// A picture opened as the host is, with the same checks and messages.
std::optional<SuperficieMemoria> abre_como_anfitrion(const std::string& ruta) {
    LectorQt lector;
    SesionSinVentana s(&lector);
    s.puerto.al_mostrar = [](const Mensaje& m) { std::cerr << linea_de_mensaje(m) << '\n'; };
    if (s.sesion.abre(Rol::Imagen, ruta)) return s.sesion.Picture1();
    const std::string estado = s.estado();
    if (!estado.empty()) std::cerr << estado << '\n';
    return std::nullopt;
}

// --detecta: is the key's spread spectrum in the suspect picture? The
// detector needs the original; the answer is one line and deteccion.json.
int detecta(const Opciones& o) {
    const auto sospechosa = abre_como_anfitrion(o.p.anfitrion);
    if (!sospechosa) return kImagenRechazada;
    const auto original = abre_como_anfitrion(o.p.marca);
    if (!original) return kImagenRechazada;
    const std::string no = no_cabe_espectro(original->ancho(), original->alto(), o.longitud);
    if (!no.empty()) {
        std::cerr << no << '\n';
        return kImagenRechazada;
    }
    // A smaller suspect (a cut) is first put back where it sits in the original.
    std::optional<Desplazamiento> desplazamiento;
    std::string motivo;
    const auto comparable = para_el_detector(*sospechosa, *original, &desplazamiento, &motivo);
    if (!comparable) {
        std::cerr << "La imagen sospechosa no se compara con la original: " << motivo << '\n';
        return kImagenRechazada;
    }
    const DetectorEspectro detector(*original, o.longitud);
    const double alfa = fuerza_de(o), clave = clave_de(o);
    const RespuestaDetector r = responde(*detector.extrae(*comparable, alfa), clave);
    Json j = deteccion_json(r.sim, o);
    if (desplazamiento)
        j["desplazamiento"] = Json::objeto({{"x", desplazamiento->x}, {"y", desplazamiento->y}});
    j["clave"] = clave;
    j["fuerza"] = alfa;
    j["longitud"] = o.longitud;
    j["clavesEquivocadas"] = Json::objeto({{"cuantas", static_cast<int>(r.falsas.size())},
                                           {"media", r.media},
                                           {"desviacion", r.desviacion},
                                           {"mayor", r.mayor}});
    std::vector<ArchivoNuevo> archivos;
    anade(archivos, o.salida, "deteccion.json", bytes_de(j.texto()));
    if (!escribe(archivos, o.salida)) return kSinEscribir;
    if (desplazamiento)
        std::cout << texto_de_colocacion(*desplazamiento, sospechosa->ancho(), sospechosa->alto())
                  << '\n';
    std::cout << texto_de_decision(clave, r.sim, o.umbral, ',') << '\n';
    return kBien;
}

// The three methods at one PSNR on the pictures as opened: the table, the
// JPEG chart, and each method's watermarked picture.
Comparacion anade_comparacion(std::vector<ArchivoNuevo>& archivos, const Ejecucion& e,
                              const EntradaBarrido& entrada, const Opciones& o,
                              const CodecJpeg& jpeg) {
    const int Wm = entrada.marca.ancho(), Hm = entrada.marca.alto();
    const Bits bits = bits_de_marca(e.vbles().MatrizMarca, Wm, Hm);
    const Comparacion c = compara_metodos(entrada.anfitrion, bits, Wm, Hm, e.vbles().Grado,
                                          entrada.clave, o.psnr_objetivo, &jpeg);
    for (const MetodoComparado& m : c.metodos) {
        if (!m.insercion.no_cabe.empty()) std::cerr << m.insercion.no_cabe << '\n';
        if (!m.insercion.marcada) continue;
        archivos.push_back(
            {(o.salida / ("marcada-" + std::string(m.metodo->nombre()) + ".png")).string(),
             png_de(*m.insercion.marcada)});
    }
    anade(archivos, o.salida, "comparacion.json", bytes_de(comparacion_json(c)));
    anade(archivos, o.salida, "comparacion.csv", bytes_de(comparacion_csv(c)));
    anade(archivos, o.salida, "comparacion.png",
          png_de_grafico(dibuja_grafico(describe_comparacion(c, separador_local()))));
    if (QChart* sim = dibuja_grafico(describe_sim_jpeg(c, separador_local())))
        anade(archivos, o.salida, "comparacion-espectro.png", png_de_grafico(sim));
    return c;
}

// The classroom handout of this run, with the report attached.
void anade_hoja(std::vector<ArchivoNuevo>& archivos, const Ejecucion& e, const Opciones& o,
                const std::vector<ResultadoAtaque>& ataques,
                const std::vector<FilaBarrido>& barrido, const std::optional<Comparacion>& c) {
    auto hoja = leccion_de_la_sesion(e.sesion(), nullptr);
    if (!hoja) return;
    pon_huellas(*hoja, e.sesion().ruta_anfitrion(), e.sesion().ruta_marca());
    hoja->ataques = ataques;
    hoja->barrido = barrido;
    hoja->comparacion = c;
    QByteArray informe;
    for (const ArchivoNuevo& a : archivos) {
        if (a.ruta == (o.salida / "informe.json").string()) informe = a.bytes;
    }
    std::vector<std::string> ataques_dados;
    for (const Ataque& a : o.ataques_de_la_hoja) ataques_dados.push_back(a.texto);
    hoja->orden =
        orden_de_la_hoja(e.sesion(), o.barrido, o.compara, o.hoja->string(), ataques_dados);
    const Documento documento = documento_de_la_hoja(*hoja);
    archivos.push_back(
        {o.hoja->string(), hoja_pdf(documento, dibuja_graficos(documento), informe)});
}

int ejecuta(const Opciones& o) {
    const CodecJpegQt jpeg;
    Ejecucion e(&std::cerr);
    if (!e.carga(o.p)) {
        std::cerr << e.motivo() << '\n';
        return kImagenRechazada;
    }
    comprueba_ataques(o.p.ataques, e.sesion().Picture1());
    const size_t mensajes_antes = e.puerto().mensajes.size();
    if (!e.demuestra(o.p)) throw ParametroRechazado{o.p.grado + " / " + o.p.clave};
    const std::optional<Parada> parada_ = parada(e, mensajes_antes);
    // A handout lists the attacks given, or its own; the sweep keeps its.
    const auto ataques = e.ataca(!o.hoja                        ? o.p.ataques
                                 : o.ataques_de_la_hoja.empty() ? ataques_de_la_hoja()
                                                                : o.ataques_de_la_hoja,
                                 jpeg);

    std::vector<ArchivoNuevo> archivos = resultados(e, ataques, o.salida);
    const bool otro_metodo = !o.metodo->de_la_demostracion();
    if (!o.metodo->lee_la_marca()) {
        const auto entrada = e.sesion().entrada_del_barrido();
        if (!entrada || !anade_espectro(archivos, *entrada, o, jpeg, parada_))
            return kImagenRechazada;
    } else if (otro_metodo) {
        const auto entrada = e.sesion().entrada_del_barrido();
        if (!entrada || !anade_metodo(archivos, e, *entrada, o, jpeg, parada_))
            return kImagenRechazada;
    }
    const auto entrada = e.sesion().entrada_del_barrido();
    std::vector<FilaBarrido> filas;
    if (!o.grados.empty() && entrada) {
        filas = barrido_de_grados(entrada->anfitrion, entrada->marca, o.grados, entrada->clave,
                                  o.p.ataques, &jpeg);
        anade(archivos, o.salida, "barrido.csv", bytes_de(barrido_csv(filas)));
        anade(archivos, o.salida, "barrido.png", png_de_grafico(filas));
    }
    std::optional<Comparacion> comparacion;
    if (o.compara && entrada) comparacion = anade_comparacion(archivos, e, *entrada, o, jpeg);
    if (o.hoja) anade_hoja(archivos, e, o, ataques, filas, comparacion);
    if (!escribe(archivos, o.salida)) return kSinEscribir;
    if (!parada_) return kBien;
    if (otro_metodo)
        return hecho_con_parada(*parada_, std::string("el método ") + o.metodo->nombre() +
                                              " sí ha insertado la marca y la ha " +
                                              (o.metodo->lee_la_marca() ? "leído" : "buscado"));
    const bool comparada =
        comparacion &&
        std::any_of(comparacion->metodos.begin(), comparacion->metodos.end(),
                    [](const MetodoComparado& m) { return m.insercion.marcada.has_value(); });
    if (comparada) return hecho_con_parada(*parada_, "la comparación de métodos sí se ha hecho");
    return detenida(*parada_);
}

// The one line that matters, and where the rest is (as GNU programs do).
int uso_incorrecto(const ErrorDeUso& e) {
    std::cerr << "zek-demo: " << e.texto << "\nPruebe «zek-demo --ayuda» para más información.\n";
    return kUsoIncorrecto;
}

}  // namespace

int main(int argc, char** argv) {
    Opciones o;
    try {
        o = lee_opciones(argc, argv);
    } catch (const ErrorDeUso& e) {
        return uso_incorrecto(e);
    }
    if (o.ayuda) {
        std::cout << uso();
        return kBien;
    }
    if (o.version) {
        std::cout << "zek-demo " << kVersion << '\n';
        return kBien;
    }
    // No window is shown: the chart and the image codecs only need Qt. Qt's
    // own notices would mix with the message lines on standard error.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication aplicacion(argc, argv);
    try {
        return o.detecta ? detecta(o) : o.extrae ? extrae(o) : ejecuta(o);
    } catch (const ErrorDeUso& e) {
        return uso_incorrecto(e);
    } catch (const ParametroRechazado& e) {
        std::cerr << "zek-demo: el grado o la clave no se han aceptado: «" << e.texto << "»\n";
        return kUsoIncorrecto;
    }
}
