// SPDX-License-Identifier: MIT
// The laboratory: a watermarked picture (the one stage 1 drew, or one
// opened from a file) attacked and read back blindly, with the figures that
// say why the mark survives or not. A source is a snapshot of everything
// the analysis needs, so that it can run on another thread while the user
// goes on.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/superficie_memoria.h"
#include "base/tabla.h"
#include "engine/espectro.h"
#include "engine/extraccion_ciega.h"
#include "engine/lectura_ciega.h"
#include "engine/metodo.h"
#include "engine/sincronizacion.h"
#include "images/ataques.h"
#include "images/calidad.h"

namespace zek {

struct FuenteLaboratorio {
    std::string nombre;        // what the user knows it by
    SuperficieMemoria imagen;  // the watermarked picture
    Tabla Y;                   // its luminance
    Tabla Y_original;          // the host's before embedding; empty when unknown
    Tabla MatrizMarca;         // the watermark as embedded
    ParametrosLectura lectura;
    std::optional<Histograma> antes, despues;  // residues of the host and of this picture
    Diferencia diferencia;                     // |Y' - Y| against the host
    // The spread spectrum's detector against the host, when the picture is
    // to be detected rather than read.
    std::shared_ptr<const DetectorEspectro> detector;
};

// Captures the picture and works out what does not depend on the attack;
// only what the reading needs when `figuras` is false (for the sweep).
FuenteLaboratorio prepara_fuente(std::string nombre, const SuperficieImagen& imagen,
                                 const Tabla& Y_original, const Tabla& MatrizMarca,
                                 const ParametrosLectura& lectura, bool figuras = true);

struct ResultadoLaboratorio {
    SuperficieMemoria atacada;
    SuperficieMemoria leida;           // the reading as a picture (white, black, grey)
    std::optional<Aciertos> aciertos;  // nothing when nothing could be read
    std::optional<double> psnr;  // attacked against the source; nothing when identical or resized
    std::optional<double> ssim;  // of the luminance, the same; nothing when resized
    std::optional<Histograma> histograma;  // residues of the attacked picture
    // |Y' - Y| of the attacked picture against the host: what the mark and
    // the attack changed together; nothing without a host of the same size.
    std::optional<Diferencia> diferencia;
    // The spread spectrum's detector on the attacked picture: sim for the
    // key and the wrong keys; nothing when the attack changed its size.
    bool detectada = false;  // the picture was for the detector, not for a reading
    std::optional<RespuestaDetector> respuesta;
    // The search for the grid of a picture that lost pixels: what it found
    // (the reading, its figures and histogram are then the search's), where
    // the attack cut (when the attack says), where the detector put a
    // smaller picture, or why nothing was searched.
    std::optional<Sincronizacion> sincronizacion;
    std::optional<Desplazamiento> recorte_hecho, colocada;
    std::string sin_busqueda;
};

// The attack on the source, then the blind reading of what it leaves. A
// picture smaller than the source (a crop) is read with the source's block
// layout, over black where it has no pixels.
ResultadoLaboratorio analiza(const FuenteLaboratorio& fuente, const Ataque& ataque,
                             const CodecJpeg* jpeg, bool con_histograma = true);

// The same reading with another embedding method, at its strength, against
// the watermark's bits: the attacked picture, the reading, the figures, the
// difference with the host and the histogram of the fractions of the step
// the reading looks at. A picture that lost pixels is read as it is.
ResultadoLaboratorio analiza_con(const Metodo& m, double fuerza, const Bits& marca,
                                 const FuenteLaboratorio& fuente, const Ataque& ataque,
                                 const CodecJpeg* jpeg);
// The source of another method: the host embedded with it (nothing when the
// watermark does not fit, `motivo` then says why) against the host's
// luminance.
std::optional<FuenteLaboratorio> fuente_con(const Metodo& m, double fuerza, double clave,
                                            const Bits& marca, const SuperficieImagen& anfitrion,
                                            const Tabla& MatrizMarca, int Wm, int Hm,
                                            std::string* motivo);

// One choice in the laboratory: the picture, the method with its strength,
// and the attack. `fuente` is the picture chosen (the one stage 1 drew, or
// one reopened); with a method other than the block pairs, the host as
// opened is embedded with it instead, unless the reopened picture is
// chosen, which is read as it is. A method that yields a decision is
// detected against the host, which it always needs.
struct EleccionLaboratorio {
    std::shared_ptr<const FuenteLaboratorio> fuente;
    bool abierta = false;
    const Metodo* metodo = &metodo_bloques();
    double fuerza = 0, clave = 0;
    std::optional<SuperficieMemoria> anfitrion;
    Tabla MatrizMarca;
    int Wm = 0, Hm = 0;
    Ataque ataque;
    // "Buscar la rejilla": a picture smaller than the W x H one the layout
    // was made on is searched for its grid (the detector's: put back on the
    // host) before it is read.
    bool busca_rejilla = false;
    int W_rejilla = 0, H_rejilla = 0;
};
// Whether the choice offers the search: a crop, or a picture smaller than
// the layout's.
bool ofrece_busqueda(const EleccionLaboratorio& e);

// What the laboratory shows for it: the picture attacked (the source) and
// what the attack left, or why nothing could be embedded.
struct AnalisisLaboratorio {
    std::shared_ptr<const FuenteLaboratorio> fuente;
    std::optional<ResultadoLaboratorio> resultado;
    std::string motivo;
};
// The laboratory's one analysis, for every front end to schedule on its
// own worker: the source of the choice, then the attack on it and the
// reading. The two halves apart for a front end that must prepare the
// attack on the source in between (the browser encodes JPEG itself):
AnalisisLaboratorio analiza_eleccion(const EleccionLaboratorio& e, const CodecJpeg* jpeg);
// the picture the choice attacks; nothing (and `motivo` says why) when the
// watermark does not fit the method;
std::shared_ptr<const FuenteLaboratorio> fuente_de(const EleccionLaboratorio& e,
                                                   std::string* motivo);
// the attack on that source and the reading with the choice's method.
ResultadoLaboratorio analiza_fuente(const EleccionLaboratorio& e, const FuenteLaboratorio& fuente,
                                    const CodecJpeg* jpeg);

// The line under the attacked picture: the pixels read right, the bit error
// rate and NC (or the detector's decision), the PSNR and SSIM against the
// picture before the attack.
std::string texto_de_cifras(const ResultadoLaboratorio& r, const FuenteLaboratorio& f,
                            char separador_decimal);

// What the search for the grid found, in one paragraph: the offset taken
// (and the one the cut was made at, when known), S and A with and without
// the search, and the pixels read right over those whose pairs were kept.
std::string texto_de_sincronizacion(const Sincronizacion& s, std::optional<Desplazamiento> hecho,
                                    char separador_decimal);
// Where the detector put a smaller suspect picture of Wc x Hc.
std::string texto_de_colocacion(Desplazamiento d, int Wc, int Hc);
// What the laboratory says of the search in a result: one of the two
// above, or why nothing was searched; empty when it was not asked for.
std::string texto_de_busqueda(const ResultadoLaboratorio& r, char separador_decimal);

// What the difference picture shown means: its scale in luminance levels
// and its gain; or why there is none (no source, no host of the same size,
// an attack that changed the size, an analysis still running).
std::string texto_de_escala(const FuenteLaboratorio* fuente, const Diferencia* diferencia,
                            bool analizada, char separador_decimal);

// An attack and the blind reading of what it leaves, as the report and the
// handout list them.
struct ResultadoAtaque {
    std::string ataque;
    std::optional<double> psnr;  // against the watermarked picture
    std::optional<double> ssim;  // of the luminance, the same
    Aciertos aciertos;
    bool leido = false;       // the blind extraction ran
    SuperficieMemoria leida;  // the reading as a picture
};
// Each attack on the source (none: rows without figures).
std::vector<ResultadoAtaque> ataca(const FuenteLaboratorio* fuente,
                                   const std::vector<Ataque>& ataques, const CodecJpeg& jpeg);

}  // namespace zek
