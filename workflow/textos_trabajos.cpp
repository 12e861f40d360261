// SPDX-License-Identifier: MIT
#include "workflow/textos_trabajos.h"

#include <algorithm>
#include <cmath>

#include "base/numeros.h"

namespace zek {

std::string texto_de_cancelado(TrabajoLargo t, int porcentaje, bool queda_el_anterior) {
    const char* que = t == TrabajoLargo::Barrido       ? "Barrido cancelado"
                      : t == TrabajoLargo::Comparacion ? "Comparación cancelada"
                                                       : "Detección cancelada";
    std::string texto = std::string(que) + " al " + std::to_string(porcentaje) + " %.";
    if (queda_el_anterior) texto += " El gráfico es el del barrido anterior.";
    return texto;
}

std::string texto_detectando(const std::string& ataque) {
    return "Insertando, atacando (" + ataque + ") y detectando…";
}

ColorGrafico color_de_ber(double ber) {
    const double t = std::clamp(ber / 0.5, 0.0, 1.0);
    const auto canal = [](double v) { return static_cast<int>(std::lround(255 * v)); };
    return {canal(0.55 + 0.45 * t), canal(0.9 - 0.5 * t), canal(0.55 - 0.15 * t)};
}

ColorGrafico color_de_presencia(bool presente) {
    return color_de_ber(presente ? 0 : 0.5);
}

TablaComparacion describe_tabla_comparacion(const Comparacion& c, char separador) {
    TablaComparacion t;
    t.cabecera = {"Método", "Fuerza", "PSNR", "SSIM"};
    for (const Ataque& a : ataques_de_la_comparacion()) t.cabecera.push_back(a.texto);
    for (const MetodoComparado& m : c.metodos) {
        FilaComparacion fila;
        fila.metodo = m.metodo->titulo();
        if (!m.insercion.marcada) {
            fila.no_cabe = m.insercion.no_cabe;
            t.filas.push_back(std::move(fila));
            continue;
        }
        const auto numero = [&](std::optional<double> v, int decimales) {
            return CeldaComparacion{v ? con_decimales(*v, decimales, separador) : "", {}, {}};
        };
        fila.celdas.push_back(numero(m.fuerza, m.metodo->fuerza().decimales));
        fila.celdas.push_back(numero(m.insercion.psnr, 2));
        fila.celdas.push_back(numero(m.insercion.ssim, 3));
        for (const LecturaAtacada& l : m.ataques) {
            CeldaComparacion celda;
            if (l.sim) {
                celda.texto = "sim " + con_decimales(*l.sim, 2, separador) + "\n" +
                              presencia(*l.sim, c.umbral);
                celda.fondo = color_de_presencia(*l.sim > c.umbral);
            }
            if (l.aciertos.total > 0) {
                celda.texto = con_decimales(l.aciertos.ber(), 3, separador) + "\nNC " +
                              con_decimales(l.aciertos.nc(), 2, separador);
                celda.fondo = color_de_ber(l.aciertos.ber());
                celda.leidos = l.leidos;
            }
            fila.celdas.push_back(std::move(celda));
        }
        t.filas.push_back(std::move(fila));
    }
    return t;
}

std::string texto_de_comparacion(const Comparacion& c, char separador) {
    return "Los cuatro métodos a " + con_decimales(c.psnr_objetivo, 2, separador) + " dB (" +
           origen_del_objetivo(c.origen) +
           "). Tasa de error de bits y NC de cada lectura; por encima de 0,5 la lectura sale "
           "invertida más que al azar. El espectro ensanchado no lleva la imagen de la marca: su "
           "detector, con la imagen original, da sim y la declara presente por encima de " +
           texto_general(c.umbral, separador) + ".";
}

std::string texto_de_prediccion(const Comparacion& c) {
    for (const MetodoComparado& m : c.metodos) {
        if (!m.calidad_predicha) continue;
        return "El método DCT predice, con la tabla de JPEG, que la marca está a salvo desde la "
               "calidad " +
               std::to_string(*m.calidad_predicha) +
               ": vale donde ningún píxel se satura; las zonas blancas o de colores saturados "
               "son donde falla.";
    }
    return {};
}

std::string texto_del_detector(const AnalisisDeteccion& a, double clave, double umbral,
                               const std::string& ataque, char separador) {
    if (!a.motivo.empty()) return a.motivo;
    return "La imagen marcada con la clave, " +
           (a.psnr ? con_decimales(*a.psnr, 2, separador) : std::string("—")) +
           " dB de PSNR, atacada con " + ataque + ": " +
           texto_de_decision(clave, a.respuesta.sim, umbral, separador) +
           " El detector necesita la imagen original: no es ciego.";
}

std::string texto_de_la_roc(const AnalisisDeteccion& a, char separador) {
    if (!a.motivo.empty()) return {};
    return "Con " + std::to_string(a.verdaderas.size()) +
           " inserciones de otras claves atacadas igual y " +
           std::to_string(a.respuesta.falsas.size()) +
           " claves equivocadas: área de la curva ROC " + con_decimales(a.roc.area, 3, separador) +
           ". Para una falsa alarma en un millón, el umbral es " +
           con_decimales(a.roc.umbral_millonesima, 2, separador) + " y detecta el " +
           con_decimales(100 * a.roc.deteccion_millonesima, 0, separador) +
           " % de las imágenes marcadas.";
}

}  // namespace zek
