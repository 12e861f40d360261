// SPDX-License-Identifier: MIT
#include "workflow/imagen_abierta.h"

#include <filesystem>

#include "workflow/demostracion.h"

namespace zek {

std::string ImagenAbierta::lee(SuperficieMemoria imagen, const std::string& ruta, const Vbles& v,
                               int Wm, int Hm, char separador) {
    imagen_ = std::move(imagen);
    nombre_ = std::filesystem::path(ruta).filename().string();
    hay_ = true;
    const LecturaCiega l =
        lee_a_ciegas(imagen_, v.Grado, v.Clave, v.LongBloque, v.MatrizMarca, Wm, Hm);
    parametros_ = l.parametros;
    marca_leida_ = imagen_de_lectura(l.leida, Wm, Hm);
    aciertos_ = l.aciertos;
    const std::string titulo = "Extracción ciega de «" + nombre_ + "»";
    if (!aciertos_) return titulo + ": hace falta una marca de agua abierta, un grado y una clave.";
    return titulo + " con bloques de lado " + std::to_string(parametros_.LongBloque) + ": " +
           texto_de_aciertos(*aciertos_, separador);
}

std::optional<FuenteLaboratorio> ImagenAbierta::fuente(const Tabla& Y_original,
                                                       const Tabla& MatrizMarca) const {
    if (!hay_) return std::nullopt;
    const bool mismo =
        Y_original.x_hasta() == imagen_.ancho() && Y_original.y_hasta() == imagen_.alto();
    return prepara_fuente(nombre_, imagen_, mismo ? Y_original : Tabla{}, MatrizMarca, parametros_);
}

}  // namespace zek
