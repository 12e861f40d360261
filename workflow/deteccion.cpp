// SPDX-License-Identifier: MIT
#include "workflow/deteccion.h"

#include <algorithm>
#include <cmath>

#include "base/numeros.h"
#include "base/portatil.h"
#include "images/calidad.h"

namespace zek {

CurvaRoc curva_roc(const std::vector<double>& verdaderas, const std::vector<double>& falsas) {
    CurvaRoc c;
    c.umbral_millonesima = umbral_para(1e-6);
    if (verdaderas.empty() || falsas.empty()) return c;
    std::vector<double> umbrales(verdaderas);
    umbrales.insert(umbrales.end(), falsas.begin(), falsas.end());
    std::sort(umbrales.begin(), umbrales.end(), std::greater<>());
    umbrales.erase(std::unique(umbrales.begin(), umbrales.end()), umbrales.end());
    const auto fraccion = [](const std::vector<double>& v, double t) {
        return static_cast<double>(
                   std::count_if(v.begin(), v.end(), [t](double s) { return s >= t; })) /
               static_cast<double>(v.size());
    };
    c.puntos.emplace_back(0, 0);
    for (const double t : umbrales)
        c.puntos.emplace_back(fraccion(falsas, t), fraccion(verdaderas, t));
    double a = 0;
    for (const double v : verdaderas) {
        for (const double f : falsas) a += v > f ? 1 : v == f ? 0.5 : 0;
    }
    c.area = a / (static_cast<double>(verdaderas.size()) * static_cast<double>(falsas.size()));
    c.deteccion_millonesima =
        static_cast<double>(std::count_if(verdaderas.begin(), verdaderas.end(),
                                          [&](double s) { return s > c.umbral_millonesima; })) /
        static_cast<double>(verdaderas.size());
    return c;
}

std::string texto_de_decision(double clave, double sim, double umbral, char separador) {
    const bool presente = sim > umbral;
    std::string p =
        texto_de_numero(probabilidad_de_falsa_alarma(umbral), FormatoNumero::General, 2);
    std::replace(p.begin(), p.end(), '.', separador);
    return "La marca de la clave " + texto_general(clave, separador) +
           (presente ? " está presente: sim " : " no está: sim ") +
           con_decimales(sim, 2, separador) + (presente ? " > " : " ≤ ") +
           texto_general(umbral, separador) + " (probabilidad de falsa alarma " + p + ").";
}

TextosDeRespuesta textos_de_respuesta(size_t claves_falsas, double clave, double umbral,
                                      char separador) {
    return {"Respuesta del detector a " + std::to_string(claves_falsas + 1) + " claves",
            "Clave",
            "sim",
            "claves equivocadas",
            "la clave " + texto_general(clave, separador),
            "umbral " + texto_general(umbral, separador)};
}

double umbral_para(double p) {
    double bajo = -40, alto = 40;  // the probability falls as T grows
    for (int i = 0; i < 200; ++i) {
        const double medio = (bajo + alto) / 2;
        (probabilidad_de_falsa_alarma(medio) > p ? bajo : alto) = medio;
    }
    return (bajo + alto) / 2;
}

AnalisisDeteccion analiza_deteccion(const SuperficieImagen& anfitrion, double clave, double alfa,
                                    int n, const Ataque& ataque, const CodecJpeg* jpeg,
                                    int embebidas, const std::function<bool(int, int)>& progreso) {
    AnalisisDeteccion a;
    const int W = anfitrion.ancho(), H = anfitrion.alto();
    a.motivo = no_cabe_espectro(W, H, n);
    if (!a.motivo.empty()) return a;
    // The host's coefficients and positions serve every key.
    const CoeficientesEspectro coeficientes = coeficientes_espectro(anfitrion);
    const DetectorEspectro detector(coeficientes, n);
    struct Una {
        std::optional<SuperficieMemoria> marcada, atacada;
        std::optional<std::vector<double>> extraida;
    };
    const auto una = [&](double k) {
        Una u;
        u.marcada = inserta_espectro(anfitrion, coeficientes, k, alfa, n, nullptr);
        if (u.marcada) u.atacada = aplica_ataque(ataque, *u.marcada, jpeg);
        if (u.atacada) u.extraida = detector.extrae(*u.atacada, alfa);
        return u;
    };
    Una primera = una(clave);
    a.marcada = std::move(primera.marcada);
    a.atacada = std::move(primera.atacada);
    if (a.marcada) a.psnr = psnr_entre(anfitrion, *a.marcada, {0, W - 1, 0, H - 1});
    if (!primera.extraida) {
        a.motivo = a.atacada
                       ? "El ataque deja una imagen de " + std::to_string(a.atacada->ancho()) +
                             " × " + std::to_string(a.atacada->alto()) +
                             ": el detector compara imágenes del tamaño de la original."
                       : "El ataque no se ha podido aplicar.";
        return a;
    }
    a.respuesta = responde(*primera.extraida, clave);
    a.verdaderas.push_back(a.respuesta.sim);
    for (int k = 1; k < embebidas; ++k) {
        if (progreso && !progreso(k, embebidas)) return a;
        const Una otra = una(clave + k);
        if (otra.extraida)
            a.verdaderas.push_back(similitud(*otra.extraida, secuencia_de_clave(clave + k, n)));
    }
    if (progreso) progreso(embebidas, embebidas);
    a.roc = curva_roc(a.verdaderas, a.respuesta.falsas);
    return a;
}

}  // namespace zek
