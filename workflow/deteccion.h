// SPDX-License-Identifier: MIT
// The laboratory's detection lesson with the spread spectrum: the
// detector's response on an attacked picture to the true key and a
// thousand wrong ones, and its errors both ways as the threshold varies
// (the ROC), estimated from the wrong keys and from embeddings with other
// keys attacked the same way.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/superficie_memoria.h"
#include "engine/espectro.h"
#include "images/ataques.h"

namespace zek {

// The detection probability against the false-alarm probability as the
// threshold T goes down: one point (P_fa, P_d) where either changes, from
// (0, 0) to (1, 1); its area (the chance that a marked picture scores
// above an unmarked one, ties half); the T at which an unmarked picture
// scores above it with probability 10^-6 under the normal model, and the
// fraction of the marked ones above that T.
struct CurvaRoc {
    std::vector<std::pair<double, double>> puntos;
    double area = 0;
    double umbral_millonesima = 0;
    double deteccion_millonesima = 0;
};
CurvaRoc curva_roc(const std::vector<double>& verdaderas, const std::vector<double>& falsas);

// The threshold T whose false-alarm probability (1/2) erfc(T / sqrt 2) is p.
double umbral_para(double p);

// The detector's decision in one line: "La marca de la clave 3 está
// presente: sim 31,37 > 6 (probabilidad de falsa alarma 9,9e-10)."
std::string texto_de_decision(double clave, double sim, double umbral, char separador_decimal);

// The words of the detector's response chart, for every front end that
// draws it: its title, its axes and its three series.
struct TextosDeRespuesta {
    std::string titulo, eje_clave, eje_sim, falsas, verdadera, umbral;
};
TextosDeRespuesta textos_de_respuesta(size_t claves_falsas, double clave, double umbral,
                                      char separador_decimal);

struct AnalisisDeteccion {
    std::optional<SuperficieMemoria> marcada, atacada;
    std::string motivo;              // why there is nothing, when there is nothing
    std::optional<double> psnr;      // of the marked picture against the host
    RespuestaDetector respuesta;     // on the attacked picture
    std::vector<double> verdaderas;  // sim of each of the embeddings, attacked
    CurvaRoc roc;
};

// The host marked with the key, attacked, and the detector's response;
// then `embebidas` embeddings with the keys clave ... clave + embebidas - 1,
// each attacked the same way, for the ROC. progreso(hechos, total) may
// return false to stop; the ROC is then left empty.
AnalisisDeteccion analiza_deteccion(const SuperficieImagen& anfitrion, double clave, double alfa,
                                    int n, const Ataque& ataque, const CodecJpeg* jpeg,
                                    int embebidas = 32,
                                    const std::function<bool(int, int)>& progreso = {});

}  // namespace zek
