// SPDX-License-Identifier: MIT
#include "workflow/comparacion.h"

#include <algorithm>
#include <cmath>

#include "base/numeros.h"
#include "images/calidad.h"
#include "images/capturas.h"
#include "workflow/barrido.h"

namespace zek {
namespace {

constexpr double kToleranciaPsnr = 0.05;

Zona toda(const SuperficieImagen& s) {
    return {0, s.ancho() - 1, 0, s.alto() - 1};
}

// The embedding with how far it is from the host.
Insercion con_figuras(const SuperficieImagen& anfitrion, std::optional<SuperficieMemoria> marcada) {
    Insercion r;
    r.marcada = std::move(marcada);
    if (!r.marcada) return r;
    r.psnr = psnr_entre(anfitrion, *r.marcada, toda(anfitrion));
    Tabla Y_a, Y_m;
    captura_luminancia(anfitrion, Y_a);
    captura_luminancia(*r.marcada, Y_m);
    r.ssim = ssim_entre(Y_m, Y_a, anfitrion.ancho(), anfitrion.alto());
    return r;
}

}  // namespace

Insercion inserta_con(const Metodo& m, const SuperficieImagen& anfitrion, const Bits& marca, int Wm,
                      int Hm, double fuerza, double clave) {
    const std::string no = no_cabe(m, anfitrion.ancho(), anfitrion.alto(), Wm, Hm);
    if (!no.empty()) return {std::nullopt, no, std::nullopt, std::nullopt};
    return con_figuras(anfitrion, m.inserta(anfitrion, marca, Wm, Hm, fuerza, clave));
}

LecturaAtacada lee_atacada(const Metodo& m, const SuperficieImagen& marcada, const Bits& marca,
                           int Wm, int Hm, double fuerza, double clave, const Ataque& ataque,
                           const CodecJpeg* jpeg, bool con_figuras) {
    LecturaAtacada l{ataque.texto, {}, {}, {}, {}, {}};
    const auto atacada = aplica_ataque(ataque, marcada, jpeg);
    if (!atacada) return l;
    l.leidos = m.lee(*atacada, Wm, Hm, fuerza, clave);
    l.aciertos = compara_bits(l.leidos, marca);
    const bool mismo = atacada->ancho() == marcada.ancho() && atacada->alto() == marcada.alto();
    if (con_figuras && mismo) {
        l.psnr = psnr_entre(marcada, *atacada, toda(marcada));
        Tabla Y_m, Y_a;
        captura_luminancia(marcada, Y_m);
        captura_luminancia(*atacada, Y_a);
        l.ssim = ssim_entre(Y_a, Y_m, marcada.ancho(), marcada.alto());
    }
    return l;
}

namespace {

struct TextosDelObjetivo {
    const char* clave;  // for programs
    const char* frase;  // for a sentence
};
constexpr TextosDelObjetivo kTextosDelObjetivo[] = {
    {"bloques", "el PSNR de los pares de bloques con el grado en uso"},
    {"pedido", "el PSNR pedido"},
    {"porDefecto", "el PSNR por defecto: los pares de bloques no dan uno al que igualar"},
};

}  // namespace

const char* origen_del_objetivo(OrigenObjetivo o) {
    return kTextosDelObjetivo[static_cast<size_t>(o)].frase;
}

const char* clave_del_objetivo(OrigenObjetivo o) {
    return kTextosDelObjetivo[static_cast<size_t>(o)].clave;
}

const char* presencia(double sim, double umbral) {
    return sim > umbral ? "presente" : "ausente";
}

std::vector<Ataque> ataques_de_la_comparacion() {
    std::vector<Ataque> ataques = ataques_del_barrido();
    ataques.push_back(*lee_ataque("contraste:150"));
    return ataques;
}

std::vector<int> calidades_de_la_comparacion() {
    std::vector<int> q;
    for (int c = 10; c <= 100; c += 5) q.push_back(c);
    return q;
}

namespace {

// The strength in [bajo, alto] whose PSNR is within the tolerance of the
// target, by bisection (the PSNR falls as the strength grows); where the
// PSNR jumps past the target, the strength tried whose PSNR came nearest.
template <typename Psnr>
double biseca(double bajo, double alto, const Psnr& psnr, double objetivo) {
    double mejor = (bajo + alto) / 2, distancia = 1e300;
    for (int i = 0; i < 40; ++i) {
        const double medio = (bajo + alto) / 2, p = psnr(medio);
        if (std::fabs(p - objetivo) <= kToleranciaPsnr) return medio;
        if (std::fabs(p - objetivo) < distancia) distancia = std::fabs(p - objetivo), mejor = medio;
        (p > objetivo ? bajo : alto) = medio;
    }
    return mejor;
}

// The strength whose PSNR is nearest the target: a whole bit plane, or a
// DCT strength by bisection.
double calibra(const Metodo& m, const SuperficieImagen& anfitrion, const Bits& marca, int Wm,
               int Hm, double clave, double objetivo) {
    const Fuerza& r = m.fuerza();
    const auto psnr = [&](double f) {
        return inserta_con(m, anfitrion, marca, Wm, Hm, f, clave).psnr.value_or(1e9);
    };
    if (!r.entera) return biseca(r.desde, r.hasta, psnr, objetivo);
    double mejor = r.desde, distancia = 1e300;
    for (double f = r.desde; f <= r.hasta; ++f) {
        const double d = std::fabs(psnr(f) - objetivo);
        if (d < distancia) distancia = d, mejor = f;
    }
    return mejor;
}

Ataque jpeg_de_calidad(int q) {
    return {TipoAtaque::Jpeg, static_cast<double>(q), "jpeg:" + std::to_string(q)};
}

// The spread spectrum at the target PSNR, detected against the host with
// the key after each attack and each JPEG quality.
MetodoComparado compara_espectro(const Metodo& m, const SuperficieImagen& anfitrion, double clave,
                                 double objetivo, const std::vector<Ataque>& ataques,
                                 const std::vector<int>& calidades, const CodecJpeg* jpeg,
                                 std::optional<double> calibrada) {
    MetodoComparado r;
    r.metodo = &m;
    const int n = kLongitudEspectro;
    r.insercion.no_cabe = m.no_cabe(anfitrion.ancho(), anfitrion.alto(), 1, 1);
    if (!r.insercion.no_cabe.empty()) return r;
    const CoeficientesEspectro original = coeficientes_espectro(anfitrion);
    const auto inserta = [&](double alfa) {
        return inserta_espectro(anfitrion, original, clave, alfa, n, nullptr);
    };
    r.fuerza = calibrada ? *calibrada
                         : biseca(
                               m.fuerza().desde, m.fuerza().hasta,
                               [&](double alfa) {
                                   return con_figuras(anfitrion, inserta(alfa)).psnr.value_or(1e9);
                               },
                               objetivo);
    r.insercion = con_figuras(anfitrion, inserta(r.fuerza));
    if (!r.insercion.marcada) return r;
    const DetectorEspectro detector(original, n);
    const std::vector<double> x = secuencia_de_clave(clave, n);
    const auto sim = [&](const Ataque& a) -> std::optional<double> {
        const auto atacada = aplica_ataque(a, *r.insercion.marcada, jpeg);
        const auto extraida = atacada ? detector.extrae(*atacada, r.fuerza) : std::nullopt;
        return extraida ? std::optional<double>(similitud(*extraida, x)) : std::nullopt;
    };
    for (const Ataque& a : ataques) {
        LecturaAtacada l{a.texto, {}, {}, {}, {}, {}};
        l.sim = sim(a);
        r.ataques.push_back(std::move(l));
    }
    for (const int q : calidades) r.sim_jpeg.push_back(sim(jpeg_de_calidad(q)));
    return r;
}

}  // namespace

Comparacion compara_metodos(const SuperficieImagen& anfitrion, const Bits& marca, int Wm, int Hm,
                            double grado, double clave, std::optional<double> psnr_objetivo,
                            const CodecJpeg* jpeg, const std::function<bool(int, int)>& progreso,
                            const std::vector<double>& calibradas,
                            const std::vector<const Metodo*>& solo) {
    const std::vector<Ataque> ataques = ataques_de_la_comparacion();
    const std::vector<int> calidades = calidades_de_la_comparacion();
    Comparacion c;
    const Metodo& bloques = metodo_bloques();
    if (psnr_objetivo) {
        c.psnr_objetivo = *psnr_objetivo;
        c.origen = OrigenObjetivo::Pedido;
    } else if (const auto p = inserta_con(bloques, anfitrion, marca, Wm, Hm, grado, clave).psnr) {
        c.psnr_objetivo = *p;
    } else {
        c.psnr_objetivo = kPsnrPorDefecto;
        c.origen = OrigenObjetivo::PorDefecto;
    }
    std::vector<const Metodo*> comparados;
    for (const Metodo* m : metodos()) {
        if (solo.empty() || std::find(solo.begin(), solo.end(), m) != solo.end())
            comparados.push_back(m);
    }
    const int total = static_cast<int>(comparados.size());
    int hechos = 0;
    for (const Metodo* m : comparados) {
        const size_t i = static_cast<size_t>(hechos);
        std::optional<double> calibrada;
        if (i < calibradas.size()) calibrada = calibradas[i];
        if (!m->lee_la_marca()) {
            c.metodos.push_back(compara_espectro(*m, anfitrion, clave, c.psnr_objetivo, ataques,
                                                 calidades, jpeg, calibrada));
            if (progreso && !progreso(++hechos, total)) return c;
            continue;
        }
        MetodoComparado r;
        r.metodo = m;
        // The block pairs keep the degree in force unless a PSNR is asked for.
        r.fuerza = m->de_la_demostracion() && !psnr_objetivo ? grado
                   : calibrada                               ? *calibrada
                               : calibra(*m, anfitrion, marca, Wm, Hm, clave, c.psnr_objetivo);
        r.insercion = inserta_con(*m, anfitrion, marca, Wm, Hm, r.fuerza, clave);
        if (r.insercion.marcada) {
            for (const Ataque& a : ataques) {
                r.ataques.push_back(
                    lee_atacada(*m, *r.insercion.marcada, marca, Wm, Hm, r.fuerza, clave, a, jpeg));
            }
            for (const int q : calidades) {
                const Aciertos x = lee_atacada(*m, *r.insercion.marcada, marca, Wm, Hm, r.fuerza,
                                               clave, jpeg_de_calidad(q), jpeg)
                                       .aciertos;
                r.ber_jpeg.push_back(x.total ? std::optional<double>(x.ber()) : std::nullopt);
            }
        }
        r.calidad_predicha =
            m->calidad_predicha(anfitrion.ancho(), anfitrion.alto(), Wm, Hm, r.fuerza);
        c.metodos.push_back(std::move(r));
        if (progreso && !progreso(++hechos, total)) return c;
    }
    return c;
}

std::vector<FilaBarrido> barrido_de_fuerzas(const Metodo& m, const SuperficieImagen& anfitrion,
                                            const Bits& marca, int Wm, int Hm,
                                            const std::vector<double>& fuerzas, double clave,
                                            const std::vector<Ataque>& ataques,
                                            const CodecJpeg* jpeg,
                                            const std::function<bool(size_t, size_t)>& progreso) {
    std::vector<FilaBarrido> filas;
    const auto ber = [](const Aciertos& a) {
        return a.total ? std::optional<double>(a.ber()) : std::nullopt;
    };
    for (size_t i = 0; i < fuerzas.size(); ++i) {
        const double f = fuerzas[i];
        const Insercion ins = inserta_con(m, anfitrion, marca, Wm, Hm, f, clave);
        FilaBarrido sin_ataque{f, "ninguno", ins.psnr, std::nullopt};
        std::vector<FilaBarrido> de_f;
        if (ins.marcada) {
            sin_ataque.ber = ber(compara_bits(m.lee(*ins.marcada, Wm, Hm, f, clave), marca));
            for (const Ataque& a : ataques) {
                const LecturaAtacada l =
                    lee_atacada(m, *ins.marcada, marca, Wm, Hm, f, clave, a, jpeg);
                de_f.push_back({f, a.texto, std::nullopt, ber(l.aciertos)});
            }
        }
        filas.push_back(sin_ataque);
        filas.insert(filas.end(), de_f.begin(), de_f.end());
        if (progreso && !progreso(i + 1, fuerzas.size())) break;
    }
    return filas;
}

std::vector<double> fuerzas_del_barrido(const Metodo& m) {
    if (m.fuerza().entera) {
        std::vector<double> planos;
        for (double p = m.fuerza().desde; p <= m.fuerza().hasta; ++p) planos.push_back(p);
        return planos;
    }
    return {0.5, 1, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10};
}

std::string comparacion_csv(const Comparacion& c) {
    std::string csv = "metodo,fuerza,psnr,ssim,ataque,correctos,total,ber,nc,sim\n";
    const auto campo = [](const std::optional<double>& v) { return v ? texto_exacto(*v) : ""; };
    for (const MetodoComparado& m : c.metodos) {
        for (const LecturaAtacada& l : m.ataques) {
            const bool hay = l.aciertos.total > 0, lee = m.metodo->lee_la_marca();
            csv += std::string(m.metodo->nombre()) + "," + texto_exacto(m.fuerza) + "," +
                   campo(m.insercion.psnr) + "," + campo(m.insercion.ssim) + "," + l.ataque + "," +
                   (lee ? std::to_string(l.aciertos.correctos) : "") + "," +
                   (lee ? std::to_string(l.aciertos.total) : "") + "," +
                   (hay ? texto_exacto(l.aciertos.ber()) : "") + "," +
                   (hay ? texto_exacto(l.aciertos.nc()) : "") + "," + campo(l.sim) + "\n";
        }
    }
    return csv;
}

}  // namespace zek
