#include "workflow/demostracion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/funciones.h"

namespace zek {
namespace {

SuperficieMemoria copia(const SuperficieImagen& s) {
    SuperficieMemoria c(s.ancho(), s.alto());
    std::vector<int32_t> columna(static_cast<size_t>(std::max(s.alto(), 0)));
    for (int x = 0; x < s.ancho(); ++x) {
        s.lee_columna(x, 0, s.alto(), columna.data());
        c.pon_columna(x, 0, s.alto(), columna.data());
    }
    return c;
}

// What Dibuja_Imagen covers: the host's size and all three tables.
Zona zona_de(const Vbles& v, const SuperficieImagen& host) {
    return {
        1, std::min({host.ancho(), v.MatrizY.x_hasta(), v.MatrizI.x_hasta(), v.MatrizQ.x_hasta()}),
        1, std::min({host.alto(), v.MatrizY.y_hasta(), v.MatrizI.y_hasta(), v.MatrizQ.y_hasta()})};
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

std::optional<MarcaLeida> Demostracion::lee_a_ciegas(const SuperficieImagen& imagen) const {
    if (!informe_.insertada) return std::nullopt;
    return extraccion_ciega(imagen, vbles_.Grado, vbles_.Clave, vbles_.LongBloque, Wm_, Hm_);
}

void Demostracion::tras_extraccion() {
    informe_.leida = lee_a_ciegas(marcada_);
    if (!informe_.leida) {
        pon_estado("Extracción ciega: no hay ninguna marca insertada que leer.");
        return;
    }
    const Aciertos a = compara_con_marca(*informe_.leida, vbles_.MatrizMarca);
    informe_.extraccion = a;
    // Rounded down, so that 40266 of 40275 does not read as 100 %.
    const double porcentaje =
        a.total
            ? std::floor(1000.0 * static_cast<double>(a.correctos) / static_cast<double>(a.total)) /
                  10.0
            : 0.0;
    pon_estado("Extracción ciega de la imagen marcada: " + std::to_string(a.correctos) + " de " +
               std::to_string(a.total) + " píxeles correctos (" +
               con_decimales(porcentaje, 1, puerto_.separador_decimal()) + " %)");
}

}  // namespace zek
