// SPDX-License-Identifier: MIT
// The embedding methods side by side on the user's own pictures: each
// brought to the same PSNR, then attacked; the three that carry the
// watermark read back blindly, with the bit error rate against JPEG
// quality, and the spread spectrum's detector with its sim.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/superficie_memoria.h"
#include "engine/espectro.h"
#include "engine/metodo.h"
#include "images/ataques.h"
#include "workflow/barrido.h"

namespace zek {

// One method on one host: the watermarked picture and how far it is from
// the host.
struct Insercion {
    std::optional<SuperficieMemoria> marcada;  // nothing when the watermark does not fit
    std::string no_cabe;                       // why not, in Spanish
    std::optional<double> psnr, ssim;          // against the host
};
Insercion inserta_con(const Metodo& m, const SuperficieImagen& anfitrion, const Bits& marca, int Wm,
                      int Hm, double fuerza, double clave);

// An attack on a watermarked picture and the method's blind reading of it.
struct LecturaAtacada {
    std::string ataque;
    Aciertos aciertos;
    Bits leidos;
    std::optional<double> psnr, ssim;  // against the watermarked picture; none when resized
    // The spread spectrum's detector on the attacked picture: nothing for
    // the other methods, or when the attack changed the picture's size.
    std::optional<double> sim;
};
// con_figuras: the PSNR and SSIM of the attacked picture too.
LecturaAtacada lee_atacada(const Metodo& m, const SuperficieImagen& marcada, const Bits& marca,
                           int Wm, int Hm, double fuerza, double clave, const Ataque& ataque,
                           const CodecJpeg* jpeg, bool con_figuras = false);

// The attacks of the comparison: the sweep's, and a contrast change.
std::vector<Ataque> ataques_de_la_comparacion();
// The JPEG qualities of the comparison's chart: 10 to 100 in steps of 5.
std::vector<int> calidades_de_la_comparacion();

struct MetodoComparado {
    const Metodo* metodo = nullptr;
    double fuerza = 0;
    Insercion insercion;
    std::vector<LecturaAtacada> ataques;          // in the order of the attacks
    std::vector<std::optional<double>> ber_jpeg;  // one per quality
    std::vector<std::optional<double>> sim_jpeg;  // the spread spectrum's, one per quality
    std::optional<int> calidad_predicha;          // the DCT method's
};

// Where the comparison's PSNR comes from: the block pairs at the degree in
// force, the one asked for, or kPsnrPorDefecto when the watermark cannot be
// laid out in block pairs and none was asked for.
enum class OrigenObjetivo { Bloques, Pedido, PorDefecto };
inline constexpr double kPsnrPorDefecto = 40;

struct Comparacion {
    double psnr_objetivo = 0;
    OrigenObjetivo origen = OrigenObjetivo::Bloques;
    std::vector<MetodoComparado> metodos;
    double umbral = kUmbralEspectro;  // the spread spectrum's detector decides with it
};

// The detector's decision in one word: "presente" above the threshold,
// "ausente" otherwise.
const char* presencia(double sim, double umbral);

// Where the target came from, for a sentence ("el PSNR pedido").
const char* origen_del_objetivo(OrigenObjetivo o);
// Its name in files for programs: "bloques", "pedido", "porDefecto".
const char* clave_del_objetivo(OrigenObjetivo o);

// Each method, in the registry's order, at the strength that brings its
// PSNR nearest psnr_objetivo (by default the block pairs' PSNR at `grado`,
// which they keep; 40 dB when they cannot embed): the bit plane nearest,
// the other strengths by bisection to within 0.05 dB. A method that yields
// a decision (the spread spectrum) marks kLongitudEspectro coefficients
// with the key and is detected against the host. progreso(done, total) may
// return false to
// stop; what is done is returned. `calibradas`, the strengths an earlier
// comparison of the same pictures and target found (one per method, in its
// order), spares the calibration: the web page runs a comparison twice, the
// second time with its browser's JPEGs. `solo`, when not empty, the
// methods to compare (in the registry's order still), so that workers side
// by side can share the comparison; `calibradas` then holds theirs.
Comparacion compara_metodos(const SuperficieImagen& anfitrion, const Bits& marca, int Wm, int Hm,
                            double grado, double clave, std::optional<double> psnr_objetivo,
                            const CodecJpeg* jpeg,
                            const std::function<bool(int hechos, int total)>& progreso = {},
                            const std::vector<double>& calibradas = {},
                            const std::vector<const Metodo*>& solo = {});

// The sweep of another method: each strength of `fuerzas`, its PSNR
// against the host and the bit error rate without attack and with each
// attack, as the degree sweep's rows (the strength in `grado`). progreso as
// there; the strengths done before a stop are returned.
std::vector<FilaBarrido> barrido_de_fuerzas(
    const Metodo& m, const SuperficieImagen& anfitrion, const Bits& marca, int Wm, int Hm,
    const std::vector<double>& fuerzas, double clave, const std::vector<Ataque>& ataques,
    const CodecJpeg* jpeg, const std::function<bool(size_t hechos, size_t total)>& progreso = {});
// The strengths the laboratory sweeps for a method: every bit plane, or
// alfa from 0.5 to 10.
std::vector<double> fuerzas_del_barrido(const Metodo& m);

// comparacion.csv: "metodo,fuerza,psnr,ssim,ataque,correctos,total,ber,nc,sim"
// and one row per method and attack, numbers with the point; the spread
// spectrum fills sim and leaves the reading's four fields empty.
std::string comparacion_csv(const Comparacion& c);

}  // namespace zek
