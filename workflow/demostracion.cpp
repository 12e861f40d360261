// SPDX-License-Identifier: MIT
#include "workflow/demostracion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/funciones.h"
#include "engine/pares.h"

namespace zek {
namespace {

// What Dibuja_Imagen covers: the host's size and all three tables.
Zona zona_de(const Vbles& v, const SuperficieImagen& anfitrion) {
    return {1,
            std::min(
                {anfitrion.ancho(), v.MatrizY.x_hasta(), v.MatrizI.x_hasta(), v.MatrizQ.x_hasta()}),
            1,
            std::min(
                {anfitrion.alto(), v.MatrizY.y_hasta(), v.MatrizI.y_hasta(), v.MatrizQ.y_hasta()})};
}

}  // namespace

Demostracion::Demostracion(Vbles& vbles, Pictures pictures, PuertoVentana& puerto)
    : vbles_(vbles), pic_(pictures), puerto_(puerto), sec_(vbles, pictures, puerto) {}

void Demostracion::pon_estado(const std::string& texto) {
    puerto_.pon_texto(Control::Estado, texto);
}

void Demostracion::Command1_Click() {
    const int antes = vbles_.Paso;
    if (antes == 0) anfitrion_ = copia(pic_.Picture1);  // before the grid covers it
    if (antes == 1) {
        Wm_ = pic_.Picture2.ancho();
        Hm_ = pic_.Picture2.alto();
        luminancia_original_ = vbles_.MatrizY;
    }
    sec_.Command1_Click();
    if (vbles_.Paso == antes) return;  // refused: nothing ran
    if (antes == 1) tras_insercion();
    if (antes == 3) tras_extraccion();
}

void Demostracion::MnuReset_Click() {
    sec_.MnuReset_Click();
    informe_ = {};
    anfitrion_ = marcada_ = SuperficieMemoria();
    luminancia_original_.vacia();
    pon_estado("");
}

void Demostracion::tras_insercion() {
    informe_ = {};
    informe_.insertada = sec_.insercion_hecha();
    if (!informe_.insertada) {
        pon_estado("No se ha insertado la marca de agua.");
        return;
    }
    marcada_ = copia(pic_.Picture3);
    zona_ = zona_de(vbles_, pic_.Picture1);
    informe_.pares = cuenta_pares(vbles_.MatrizMarca, pic_.Picture1.ancho(), pic_.Picture1.alto(),
                                  vbles_.LongBloque, Wm_, Hm_);
    informe_.psnr = psnr_entre(anfitrion_, marcada_, zona_);
    const std::string psnr =
        informe_.psnr ? con_decimales(*informe_.psnr, 2, puerto_.separador_decimal()) + " dB"
                      : "sin diferencias";
    pon_estado("Imagen marcada: PSNR frente a la imagen principal " + psnr + ", " +
               std::to_string(informe_.pares) + " pares de bloques con un píxel de la marca.");
}

std::string texto_de_aciertos(const Aciertos& a, char separador) {
    // Rounded down, so that 40266 of 40275 does not read as 100 %.
    const double porcentaje =
        a.total
            ? std::floor(1000.0 * static_cast<double>(a.correctos) / static_cast<double>(a.total)) /
                  10.0
            : 0.0;
    return std::to_string(a.correctos) + " de " + std::to_string(a.total) + " píxeles correctos (" +
           con_decimales(porcentaje, 1, separador) + " %)";
}

ParametrosLectura Demostracion::parametros_de_lectura() const {
    return {vbles_.Grado, vbles_.Clave, vbles_.LongBloque, Wm_, Hm_};
}

SuperficieMemoria Demostracion::marcada_completa() const {
    if (!informe_.insertada) return {};
    SuperficieMemoria s = anfitrion_;
    const int alto = zona_.y_hasta - zona_.y_desde + 1;
    std::vector<int32_t> columna(static_cast<size_t>(std::max(alto, 0)));
    for (int x = zona_.x_desde; x <= zona_.x_hasta && alto > 0; ++x) {
        marcada_.lee_columna(x, zona_.y_desde, alto, columna.data());
        s.pon_columna(x, zona_.y_desde, alto, columna.data());
    }
    return s;
}

std::string Demostracion::descripcion_de_par(int x, int y) const {
    const int32_t L = vbles_.LongBloque;
    if (!informe_.insertada || L < 1) return {};
    const auto par = par_en(x, y, anfitrion_.ancho() / L, anfitrion_.alto() / L, L, Wm_, Hm_);
    if (!par) return "Este bloque no lleva ningún píxel de la marca de agua.";
    const char sep = puerto_.separador_decimal();
    const auto media = [&](const Tabla& Y, Bloque b) {
        const auto s = suma_bloque(Y, b);
        return s ? con_decimales(*s / (static_cast<double>(L) * L), 2, sep) : std::string("?");
    };
    const auto residuo = [&](const Tabla& Y) {
        const auto g = entero(vbles_.Grado);
        const auto r =
            g && *g != 0 ? residuo_del_par(Y, par->A, par->B, vbles_.Grado, *g) : std::nullopt;
        return r ? texto_general(*r < 0 ? *r + std::abs(*g) : *r, sep) : std::string("?");
    };
    const auto bloque = [](Bloque b) {
        return "columna " + std::to_string(b.x0) + ", fila " + std::to_string(b.y0);
    };
    const double color = vbles_.MatrizMarca.contiene(par->xm, par->ym)
                             ? vbles_.MatrizMarca.lee(par->xm, par->ym)
                             : -1;
    const std::string clase = color == -1       ? "sin color: el par no se ha modificado"
                              : es_claro(color) ? "claro"
                                                : "oscuro";
    const Tabla& antes = luminancia_original_;
    return "Par " + std::to_string(par->k) + "\nBloque A: " + bloque(par->A) +
           "\nBloque B: " + bloque(par->B) + "\nLuminancia media antes: A " + media(antes, par->A) +
           ", B " + media(antes, par->B) + "\nLuminancia media después: A " +
           media(vbles_.MatrizY, par->A) + ", B " + media(vbles_.MatrizY, par->B) +
           "\nResto antes: " + residuo(antes) + "\nResto después: " + residuo(vbles_.MatrizY) +
           "\nPíxel de la marca: (" + std::to_string(par->xm) + ", " + std::to_string(par->ym) +
           "), " + clase;
}

void Demostracion::tras_extraccion() {
    // The picture as "Paso 2" drew it, before the grid covered it.
    if (informe_.insertada) {
        LecturaCiega l = lee_a_ciegas(marcada_, vbles_.Grado, vbles_.Clave, vbles_.LongBloque,
                                      vbles_.MatrizMarca, Wm_, Hm_);
        informe_.leida = std::move(l.leida);
        informe_.extraccion = l.aciertos;
    }
    if (!informe_.leida || !informe_.extraccion) {
        informe_.leida.reset();
        pon_estado("Extracción ciega: no hay ninguna marca insertada que leer.");
        return;
    }
    const Aciertos a = *informe_.extraccion;
    pon_estado("Extracción ciega de la imagen marcada: " +
               texto_de_aciertos(a, puerto_.separador_decimal()));
}

}  // namespace zek
