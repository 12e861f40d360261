// SPDX-License-Identifier: MIT
#include "workflow/laboratorio.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/numeros.h"
#include "images/capturas.h"
#include "workflow/demostracion.h"
#include "workflow/deteccion.h"

namespace zek {
namespace {

// The picture at the top left of a black canvas of W x H.
SuperficieMemoria sobre_lienzo(const SuperficieImagen& imagen, int W, int H) {
    SuperficieMemoria lienzo(W, H);
    lienzo.rellena(0, 0, W, H, 0);
    const int alto = std::min(H, imagen.alto());
    std::vector<int32_t> columna(static_cast<size_t>(std::max(alto, 0)));
    for (int x = 0; x < std::min(W, imagen.ancho()); ++x) {
        imagen.lee_columna(x, 0, alto, columna.data());
        lienzo.pon_columna(x, 0, alto, columna.data());
    }
    return lienzo;
}

std::optional<Histograma> histograma(const Tabla& Y, int W, int H, const Tabla& MatrizMarca,
                                     const ParametrosLectura& p) {
    return histograma_de_residuos(Y, W, H, p, MatrizMarca);
}

// The attacked picture against the source and the host, when it kept its
// size: PSNR, SSIM and |Y' - Y|.
void pon_figuras(ResultadoLaboratorio& r, const FuenteLaboratorio& fuente) {
    const int W = fuente.imagen.ancho(), H = fuente.imagen.alto();
    if (r.atacada.ancho() != W || r.atacada.alto() != H) return;
    r.psnr = psnr_entre(fuente.imagen, r.atacada, {0, W - 1, 0, H - 1});
    Tabla Y;
    captura_luminancia(r.atacada, Y);
    r.ssim = ssim_entre(Y, fuente.Y, W, H);
    if (fuente.Y_original.dimensionada())
        r.diferencia = diferencia_de_luminancia(Y, fuente.Y_original, W, H);
}

}  // namespace

FuenteLaboratorio prepara_fuente(std::string nombre, const SuperficieImagen& imagen,
                                 const Tabla& Y_original, const Tabla& MatrizMarca,
                                 const ParametrosLectura& lectura, bool figuras) {
    FuenteLaboratorio f{
        std::move(nombre), copia(imagen), {}, Y_original, MatrizMarca, lectura, {}, {}, {}, {}};
    captura_luminancia(f.imagen, f.Y);
    const int W = f.imagen.ancho(), H = f.imagen.alto();
    if (!figuras) return f;
    f.despues = histograma(f.Y, W, H, MatrizMarca, lectura);
    if (Y_original.dimensionada()) {
        f.antes = histograma(Y_original, W, H, MatrizMarca, lectura);
        f.diferencia = diferencia_de_luminancia(f.Y, Y_original, W, H);
    } else {
        f.diferencia = {SuperficieMemoria(W, H), 0, 1};
    }
    return f;
}

ResultadoLaboratorio analiza(const FuenteLaboratorio& fuente, const Ataque& ataque,
                             const CodecJpeg* jpeg, bool con_histograma) {
    const int W = fuente.imagen.ancho(), H = fuente.imagen.alto();
    const ParametrosLectura& p = fuente.lectura;
    ResultadoLaboratorio r;
    auto atacada = aplica_ataque(ataque, fuente.imagen, jpeg);
    if (!atacada) {  // the codec failed: nothing to read
        r.leida = imagen_de_lectura(std::nullopt, p.Wm, p.Hm);
        return r;
    }
    r.atacada = std::move(*atacada);
    Tabla Y;
    if (r.atacada.ancho() == W && r.atacada.alto() == H) {
        r.psnr = psnr_entre(fuente.imagen, r.atacada, {0, W - 1, 0, H - 1});
        captura_luminancia(r.atacada, Y);
    } else {  // pixels were lost: no pixel-by-pixel comparison means anything
        captura_luminancia(sobre_lienzo(r.atacada, W, H), Y);
    }
    const LecturaCiega l = lee_a_ciegas(std::move(Y), W, H, p, fuente.MatrizMarca);
    r.leida = imagen_de_lectura(l.leida, p.Wm, p.Hm);
    r.aciertos = l.aciertos;
    if (con_histograma) r.histograma = histograma(l.Y, W, H, fuente.MatrizMarca, p);
    if (con_histograma && r.atacada.ancho() == W && r.atacada.alto() == H) {
        r.ssim = ssim_entre(l.Y, fuente.Y, W, H);
    }
    if (con_histograma && fuente.Y_original.dimensionada() && r.atacada.ancho() == W &&
        r.atacada.alto() == H) {
        r.diferencia = diferencia_de_luminancia(l.Y, fuente.Y_original, W, H);
    }
    return r;
}

ResultadoLaboratorio analiza_con(const Metodo& m, double fuerza, const Bits& marca,
                                 const FuenteLaboratorio& fuente, const Ataque& ataque,
                                 const CodecJpeg* jpeg) {
    const ParametrosLectura& p = fuente.lectura;
    ResultadoLaboratorio r;
    auto atacada = aplica_ataque(ataque, fuente.imagen, jpeg);
    if (!atacada) {
        r.leida = imagen_de_lectura(std::nullopt, p.Wm, p.Hm);
        return r;
    }
    r.atacada = std::move(*atacada);
    const Bits leidos = m.lee(r.atacada, p.Wm, p.Hm, fuerza, p.Clave);
    r.leida = imagen_de_lectura(lectura_de_bits(leidos, p.Wm, p.Hm), p.Wm, p.Hm);
    r.aciertos = compara_bits(leidos, marca);
    r.histograma =
        histograma_de_fracciones(m.fracciones(r.atacada, p.Wm, p.Hm, fuerza, p.Clave), marca);
    pon_figuras(r, fuente);
    return r;
}

std::optional<FuenteLaboratorio> fuente_con(const Metodo& m, double fuerza, double clave,
                                            const Bits& marca, const SuperficieImagen& anfitrion,
                                            const Tabla& MatrizMarca, int Wm, int Hm,
                                            std::string* motivo) {
    const std::string no = no_cabe(m, anfitrion.ancho(), anfitrion.alto(), Wm, Hm);
    const auto marcada =
        no.empty() ? m.inserta(anfitrion, marca, Wm, Hm, fuerza, clave) : std::nullopt;
    if (motivo) *motivo = no;
    if (!marcada) return std::nullopt;
    Tabla Y_anfitrion;
    captura_luminancia(anfitrion, Y_anfitrion);
    FuenteLaboratorio f = prepara_fuente(std::string("Imagen marcada con el método ") + m.nombre(),
                                         *marcada, Y_anfitrion, MatrizMarca, {0, clave, 0, Wm, Hm});
    // What this method's reading looks at, in the host and in its picture.
    f.antes = histograma_de_fracciones(m.fracciones(anfitrion, Wm, Hm, fuerza, clave), marca);
    f.despues = histograma_de_fracciones(m.fracciones(*marcada, Wm, Hm, fuerza, clave), marca);
    return f;
}

namespace {

// The spread spectrum's source: the reopened picture as it is, or the host
// marked with the key; either with the detector against the host.
std::shared_ptr<const FuenteLaboratorio> fuente_del_espectro(const EleccionLaboratorio& e,
                                                             std::string* motivo) {
    if (!e.anfitrion) {
        if (motivo)
            *motivo =
                "El detector del espectro ensanchado necesita la imagen principal "
                "original: ábrala.";
        return nullptr;
    }
    const SuperficieImagen& anfitrion = *e.anfitrion;
    std::string no = no_cabe_espectro(anfitrion.ancho(), anfitrion.alto(), kLongitudEspectro);
    if (motivo) *motivo = no;
    if (!no.empty()) return nullptr;
    const CoeficientesEspectro original = coeficientes_espectro(anfitrion);
    Tabla Y_anfitrion;
    captura_luminancia(anfitrion, Y_anfitrion);
    const ParametrosLectura lectura{0, e.clave, 0, e.Wm, e.Hm};
    FuenteLaboratorio f;
    if (e.abierta && e.fuente) {
        f = *e.fuente;
        f.antes.reset();
        f.despues.reset();
    } else {
        const auto marcada =
            inserta_espectro(anfitrion, original, e.clave, e.fuerza, kLongitudEspectro, motivo);
        if (!marcada) return nullptr;
        f = prepara_fuente(std::string("Imagen marcada con el método ") + e.metodo->nombre(),
                           *marcada, Y_anfitrion, e.MatrizMarca, lectura);
        f.antes.reset();  // no residues: this mark is not in the block pairs
        f.despues.reset();
    }
    f.lectura = lectura;
    f.detector = std::make_shared<const DetectorEspectro>(original, kLongitudEspectro);
    return std::make_shared<const FuenteLaboratorio>(std::move(f));
}

// The attack on the source and the detector's response to it.
ResultadoLaboratorio detecta(const EleccionLaboratorio& e, const FuenteLaboratorio& fuente,
                             const CodecJpeg* jpeg) {
    ResultadoLaboratorio r;
    r.detectada = true;
    r.leida = imagen_de_lectura(std::nullopt, e.Wm, e.Hm);
    auto atacada = aplica_ataque(e.ataque, fuente.imagen, jpeg);
    if (!atacada) return r;
    r.atacada = std::move(*atacada);
    if (fuente.detector) {
        std::optional<SuperficieMemoria> comparable;
        if (e.busca_rejilla && e.anfitrion)
            comparable = para_el_detector(r.atacada, *e.anfitrion, &r.colocada, &r.sin_busqueda);
        if (const auto x = fuente.detector->extrae(comparable ? *comparable : r.atacada, e.fuerza))
            r.respuesta = responde(*x, e.clave);
    }
    pon_figuras(r, fuente);
    return r;
}

// The search on what the attack left, when asked and the picture is
// smaller than the layout's: its reading replaces the one made in place.
void busca_en(const EleccionLaboratorio& e, const FuenteLaboratorio& fuente,
              ResultadoLaboratorio& r) {
    const int W = e.W_rejilla > 0 ? e.W_rejilla : fuente.imagen.ancho();
    const int H = e.H_rejilla > 0 ? e.H_rejilla : fuente.imagen.alto();
    const int Wc = r.atacada.ancho(), Hc = r.atacada.alto();
    if (Wc < 1 || Hc < 1) return;
    if (Wc == W && Hc == H) {
        r.sin_busqueda = "La imagen conserva el tamaño de la principal (" + std::to_string(W) +
                         " × " + std::to_string(H) +
                         "): su rejilla está donde se puso, no hay nada que buscar.";
        return;
    }
    if (e.ataque.tipo == TipoAtaque::Recorte && fuente.imagen.ancho() == W &&
        fuente.imagen.alto() == H) {
        const int n = static_cast<int>(e.ataque.valor);
        r.recorte_hecho = Desplazamiento{n, n};
    }
    ParametrosLectura p = fuente.lectura;
    p.Wm = e.Wm;
    p.Hm = e.Hm;
    if (!e.metodo->de_la_demostracion()) p.Clave = e.clave;
    auto s = e.metodo->busca_rejilla(r.atacada, W, H, p, e.fuerza,
                                     bits_de_marca(e.MatrizMarca, e.Wm, e.Hm), &r.sin_busqueda);
    if (!s) return;
    r.leida = imagen_de_lectura(s->leida, e.Wm, e.Hm);
    r.aciertos = s->aciertos;
    r.histograma = s->histograma;
    r.sincronizacion = std::move(s);
}

}  // namespace

std::shared_ptr<const FuenteLaboratorio> fuente_de(const EleccionLaboratorio& e,
                                                   std::string* motivo) {
    if (!e.metodo->lee_la_marca()) return fuente_del_espectro(e, motivo);
    if (e.metodo->de_la_demostracion()) return e.fuente;
    const Bits bits = bits_de_marca(e.MatrizMarca, e.Wm, e.Hm);
    if (e.abierta && e.fuente) {
        // The reopened picture, with what this method's reading looks at.
        FuenteLaboratorio propia = *e.fuente;
        propia.antes.reset();
        propia.despues = histograma_de_fracciones(
            e.metodo->fracciones(propia.imagen, e.Wm, e.Hm, e.fuerza, e.clave), bits);
        return std::make_shared<const FuenteLaboratorio>(std::move(propia));
    }
    if (!e.anfitrion) return nullptr;
    auto nueva = fuente_con(*e.metodo, e.fuerza, e.clave, bits, *e.anfitrion, e.MatrizMarca, e.Wm,
                            e.Hm, motivo);
    return nueva ? std::make_shared<const FuenteLaboratorio>(std::move(*nueva)) : nullptr;
}

ResultadoLaboratorio analiza_fuente(const EleccionLaboratorio& e, const FuenteLaboratorio& fuente,
                                    const CodecJpeg* jpeg) {
    if (!e.metodo->lee_la_marca()) return detecta(e, fuente, jpeg);
    ResultadoLaboratorio r =
        e.metodo->de_la_demostracion()
            ? analiza(fuente, e.ataque, jpeg)
            : analiza_con(*e.metodo, e.fuerza, bits_de_marca(e.MatrizMarca, e.Wm, e.Hm), fuente,
                          e.ataque, jpeg);
    if (e.busca_rejilla) busca_en(e, fuente, r);
    return r;
}

bool ofrece_busqueda(const EleccionLaboratorio& e) {
    const bool menor = e.fuente && (e.fuente->imagen.ancho() < e.W_rejilla ||
                                    e.fuente->imagen.alto() < e.H_rejilla);
    return menor || (e.ataque.tipo == TipoAtaque::Recorte && e.ataque.valor >= 1);
}

AnalisisLaboratorio analiza_eleccion(const EleccionLaboratorio& e, const CodecJpeg* jpeg) {
    AnalisisLaboratorio a;
    a.fuente = fuente_de(e, &a.motivo);
    if (a.fuente) a.resultado = analiza_fuente(e, *a.fuente, jpeg);
    return a;
}

std::string texto_de_cifras(const ResultadoLaboratorio& r, const FuenteLaboratorio& f,
                            char separador) {
    std::string cifras;
    if (r.detectada) {
        cifras = r.respuesta ? texto_de_decision(f.lectura.Clave, r.respuesta->sim, kUmbralEspectro,
                                                 separador) +
                                   " Con " + std::to_string(r.respuesta->falsas.size()) +
                                   " claves equivocadas, la mayor da " +
                                   con_decimales(r.respuesta->mayor, 2, separador) + "."
                             : "El detector no compara una imagen de otro tamaño que la "
                               "principal: «Buscar la rejilla» la coloca sobre ella.";
    } else if (r.aciertos && r.aciertos->total > 0) {
        const Aciertos& a = *r.aciertos;
        cifras = texto_de_aciertos(a, separador) +
                 ". Tasa de error de bits: " + con_decimales(a.ber(), 3, separador) +
                 ", NC: " + con_decimales(a.nc(), 3, separador) + ".";
    } else {
        cifras = "No se puede leer ninguna marca de esta imagen.";
    }
    cifras += " PSNR frente a la imagen sin atacar: ";
    if (r.atacada.ancho() != f.imagen.ancho() || r.atacada.alto() != f.imagen.alto()) {
        return cifras + "no se compara, el ataque ha quitado píxeles (queda una imagen de " +
               std::to_string(r.atacada.ancho()) + " × " + std::to_string(r.atacada.alto()) + ").";
    }
    cifras += r.psnr ? con_decimales(*r.psnr, 2, separador) + " dB" : "sin diferencias";
    return cifras + (r.ssim ? ", SSIM " + con_decimales(*r.ssim, 4, separador) + "." : ".");
}

namespace {
std::string punto(int x, int y) {
    std::string t = "(";
    t += std::to_string(x);
    t += ", ";
    t += std::to_string(y);
    return t += ")";
}
std::string s_y_a(double S, double A, char separador) {
    std::string t = "S = ";
    t += con_decimales(S, 3, separador);
    t += " y A = ";
    return t += con_decimales(A, 3, separador);
}
}  // namespace

std::string texto_de_sincronizacion(const Sincronizacion& s, std::optional<Desplazamiento> hecho,
                                    char separador) {
    std::string t = "Rejilla encontrada en ";
    t += punto(s.x, s.y);
    if (hecho) t += "; el recorte se hizo en " + punto(hecho->x, hecho->y);
    t += ". Con la búsqueda, ";
    t += s_y_a(s.ciega_en, s.acuerdo_en, separador);
    t += ": ";
    t += texto_de_aciertos(s.aciertos, separador);
    t += " de los que conservan su par (la imagen entera lleva ";
    t += std::to_string(s.portadores);
    t += "), tasa de error de bits ";
    t += con_decimales(s.aciertos.ber(), 3, separador);
    t += ". Sin buscar, en (0, 0), ";
    if (std::isnan(s.acuerdo_sin_buscar)) return t += "ningún par cabe entero.";
    t += s_y_a(s.ciega_sin_buscar, s.acuerdo_sin_buscar, separador);
    t += ", tasa de error ";
    t += con_decimales(s.sin_buscar.ber(), 3, separador);
    return t += ".";
}

std::string texto_de_colocacion(Desplazamiento d, int Wc, int Hc) {
    std::string t = "La imagen sospechosa, de ";
    t += std::to_string(Wc);
    t += " × ";
    t += std::to_string(Hc);
    t += ", estaba en ";
    t += punto(d.x, d.y);
    return t += " de la original: se ha colocado allí antes de detectar.";
}

std::string texto_de_busqueda(const ResultadoLaboratorio& r, char separador) {
    if (r.sincronizacion)
        return texto_de_sincronizacion(*r.sincronizacion, r.recorte_hecho, separador);
    if (r.colocada) return texto_de_colocacion(*r.colocada, r.atacada.ancho(), r.atacada.alto());
    return r.sin_busqueda;
}

std::string texto_de_escala(const FuenteLaboratorio* f, const Diferencia* d, bool analizada,
                            char separador) {
    if (!f) return {};
    if (!f->Y_original.dimensionada())
        return "Sin imagen principal del mismo tamaño con la que comparar.";
    if (!d)
        return analizada ? "El ataque ha cambiado el tamaño: no se compara píxel a píxel."
                         : "Calculando…";
    if (d->maxima <= 0) return "Negro: ninguna diferencia.";
    return "Negro: sin cambio. Blanco: " + con_decimales(d->maxima, 1, separador) +
           " niveles de luminancia (diferencias multiplicadas por " +
           con_decimales(d->ganancia, 1, separador) + ").";
}

std::vector<ResultadoAtaque> ataca(const FuenteLaboratorio* fuente,
                                   const std::vector<Ataque>& ataques, const CodecJpeg& jpeg) {
    std::vector<ResultadoAtaque> resultados;
    for (const Ataque& a : ataques) {
        ResultadoAtaque r{a.texto, std::nullopt, std::nullopt, {}, false, {}};
        if (fuente) {
            ResultadoLaboratorio l = analiza(*fuente, a, &jpeg, false);
            r.psnr = l.psnr;
            r.ssim = l.ssim;
            r.leida = std::move(l.leida);
            if (l.aciertos) {
                r.aciertos = *l.aciertos;
                r.leido = true;
            }
        }
        resultados.push_back(std::move(r));
    }
    return resultados;
}

}  // namespace zek
