// SPDX-License-Identifier: MIT
#include "workflow/sesion.h"

#include <filesystem>

#include "engine/funciones.h"
#include "images/capturas.h"
#include "workflow/asigna_imagen.h"

namespace zek {

Sesion::Sesion(PuertoVentana& puerto, LectorImagen& lector, TamanoImagen host, TamanoImagen marca)
    : puerto_(puerto),
      lector_(lector),
      Picture1_(host.ancho, host.alto),
      Picture2_(marca.ancho, marca.alto),
      Picture3_(host.ancho, host.alto),
      Picture4_(marca.ancho, marca.alto),
      demo_(vbles_, pictures(), puerto) {}

bool Sesion::SubImagen_Click() {
    std::string ruta;
    if (!zek::SubImagen_Click(vbles_, pictures(), puerto_, lector_, &ruta)) return false;
    ruta_host_ = ruta;
    hay_host_ = true;
    return true;
}

// The host's picture goes with the reset: nothing is compared with it after.
void Sesion::MnuReset_Click() {
    demo_.MnuReset_Click();
    hay_host_ = false;
}

bool Sesion::SubMarcaAgua_Click() {
    std::string ruta;
    if (!zek::SubMarcaAgua_Click(vbles_, pictures(), puerto_, lector_, &ruta)) return false;
    ruta_marca_ = ruta;
    return true;
}

std::string Sesion::texto_parametro(Parametro p) const {
    return zek::texto_parametro(vbles_, puerto_, p);
}

bool Sesion::cierra_dialogo(Parametro p, const std::string& texto) {
    return zek::cierra_dialogo(vbles_, puerto_, p, texto);
}

void Sesion::Command1_Click() {
    const bool leida = demo_.informe().leida.has_value();
    demo_.Command1_Click();
    if (!leida && demo_.informe().leida) ultima_lectura_abierta_ = false;
}

std::optional<SuperficieMemoria> Sesion::marca_extraida() const {
    if (ultima_lectura_abierta_) return lectura_abierta_;
    const Informe& inf = demo_.informe();
    if (!inf.leida) return std::nullopt;
    return imagen_de_lectura(inf.leida, inf.leida->Wm, inf.leida->Hm);
}

bool Sesion::abre_imagen_marcada() {
    std::string ruta;
    // Into a picture of its own, so that a refused file leaves the one opened
    // before as it was; the loading rules keep Picture3 and Picture4 at the
    // sizes of the boxes they follow, which this picture does not change.
    SuperficieMemoria candidata = abierta_;
    if (!Asigna_Imagen(candidata, "I", pictures(), puerto_, lector_, &ruta)) return false;
    abierta_ = std::move(candidata);
    nombre_abierta_ = std::filesystem::path(ruta).filename().string();
    hay_abierta_ = true;

    // The layout in force, or this picture's own before the first step.
    const int Wm = Picture2_.ancho(), Hm = Picture2_.alto();
    LecturaCiega l = lee_a_ciegas(abierta_, vbles_.Grado, vbles_.Clave, vbles_.LongBloque,
                                  vbles_.MatrizMarca, Wm, Hm);
    lectura_abierta_params_ = l.parametros;
    Y_abierta_ = std::move(l.Y);
    lectura_abierta_ = imagen_de_lectura(l.leida, Wm, Hm);
    aciertos_abierta_ = l.aciertos;
    ultima_lectura_abierta_ = true;
    const std::string titulo = "Extracción ciega de «" + nombre_abierta_ + "»";
    if (!l.aciertos) {
        puerto_.pon_texto(Control::Estado,
                          titulo + ": hace falta una marca de agua abierta, un grado y una clave.");
        return true;
    }
    puerto_.pon_texto(Control::Estado,
                      titulo + " con bloques de lado " + std::to_string(l.parametros.LongBloque) +
                          ": " + texto_de_aciertos(*l.aciertos, puerto_.separador_decimal()));
    return true;
}

std::optional<FuenteLaboratorio> Sesion::fuente_marcada(bool figuras) const {
    if (!demo_.informe().insertada) return std::nullopt;
    return prepara_fuente("Imagen marcada (paso 2)", demo_.marcada_completa(),
                          demo_.luminancia_original(), vbles_.MatrizMarca, demo_.lectura(),
                          figuras);
}

std::optional<FuenteLaboratorio> Sesion::fuente_abierta() const {
    if (!hay_abierta_) return std::nullopt;
    // The host's luminance when the opened picture has its size; none after
    // a reset, which empties the host's box.
    const Tabla& original =
        demo_.luminancia_original().dimensionada() ? demo_.luminancia_original() : vbles_.MatrizY;
    const bool mismo = hay_host_ && original.x_hasta() == abierta_.ancho() &&
                       original.y_hasta() == abierta_.alto();
    return prepara_fuente(nombre_abierta_, abierta_, mismo ? original : Tabla{}, vbles_.MatrizMarca,
                          lectura_abierta_params_);
}

}  // namespace zek
