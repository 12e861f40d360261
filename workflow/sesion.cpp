// SPDX-License-Identifier: MIT
#include "workflow/sesion.h"

#include "engine/funciones.h"
#include "images/capturas.h"
#include "workflow/asigna_imagen.h"

namespace zek {

Sesion::Sesion(PuertoVentana& puerto, LectorImagen& lector, TamanoImagen anfitrion,
               TamanoImagen marca)
    : puerto_(puerto),
      lector_(lector),
      Picture1_(anfitrion.ancho, anfitrion.alto),
      Picture2_(marca.ancho, marca.alto),
      Picture3_(anfitrion.ancho, anfitrion.alto),
      Picture4_(marca.ancho, marca.alto),
      demo_(vbles_, pictures(), puerto) {}

bool Sesion::SubImagen_Click() {
    return abre(Rol::Imagen, puerto_.elige_archivo(kFiltroImagenes));
}

bool Sesion::SubMarcaAgua_Click() {
    return abre(Rol::Marca, puerto_.elige_archivo(kFiltroImagenes));
}

bool Sesion::abre_imagen_marcada() {
    return abre(Rol::Marcada, puerto_.elige_archivo(kFiltroImagenes));
}

bool Sesion::abre(Rol rol, const std::string& ruta) {
    switch (rol) {
        case Rol::Imagen:
            if (!abre_imagen(vbles_, pictures(), puerto_, lector_, ruta)) return false;
            ruta_anfitrion_ = ruta;
            hay_anfitrion_ = true;
            return true;
        case Rol::Marca:
            if (!abre_marca(vbles_, pictures(), puerto_, lector_, ruta)) return false;
            ruta_marca_ = ruta;
            return true;
        case Rol::Marcada:
            return abre_marcada(ruta);
    }
    return false;
}

void Sesion::aplica(Parametro p, const std::string& texto) {
    puerto_.pon_texto(p == Parametro::Grado ? Control::Txt_Grado : Control::Txt_Clave, texto);
    aplica_parametro(vbles_, puerto_, p);
}

bool Sesion::repite() {
    const std::string imagen = ruta_anfitrion_, marca = ruta_marca_;
    MnuReset_Click();
    const bool imagen_aceptada = imagen.empty() || abre(Rol::Imagen, imagen);
    const std::string rechazo = imagen_aceptada ? std::string() : puerto_.texto(Control::Estado);
    const bool marca_aceptada = marca.empty() || abre(Rol::Marca, marca);
    // The user has not seen the refusal yet: it stays until they act.
    if (!rechazo.empty() && !marca.empty()) puerto_.pon_texto(Control::Estado, rechazo);
    return imagen_aceptada && marca_aceptada;
}

// The host's picture goes with the reset: nothing is compared with it after.
void Sesion::MnuReset_Click() {
    demo_.MnuReset_Click();
    hay_anfitrion_ = false;
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
    if (ultima_lectura_abierta_) return abierta_.marca_leida();
    const Informe& inf = demo_.informe();
    if (!inf.leida) return std::nullopt;
    return imagen_de_lectura(inf.leida, inf.leida->Wm, inf.leida->Hm);
}

bool Sesion::abre_marcada(const std::string& ruta) {
    // Into a picture of its own, so that a refused file leaves the one opened
    // before as it was; the loading rules keep Picture3 and Picture4 at the
    // sizes of the boxes they follow, which this picture does not change.
    SuperficieMemoria candidata = abierta_.imagen();
    if (!carga_imagen(candidata, "I", ruta, pictures(), puerto_, lector_)) return false;
    puerto_.pon_texto(Control::Estado,
                      abierta_.lee(std::move(candidata), ruta, vbles_, Picture2_.ancho(),
                                   Picture2_.alto(), puerto_.separador_decimal()));
    ultima_lectura_abierta_ = true;
    return true;
}

std::optional<FuenteLaboratorio> Sesion::fuente_marcada(bool figuras) const {
    if (!demo_.informe().insertada) return std::nullopt;
    return prepara_fuente("Imagen marcada (paso 2)", demo_.marcada_completa(),
                          demo_.luminancia_original(), vbles_.MatrizMarca,
                          demo_.parametros_de_lectura(), figuras);
}

std::optional<FuenteLaboratorio> Sesion::fuente_abierta() const {
    // The host's luminance when there is a host; none after a reset, which
    // empties the host's box.
    const Tabla& original =
        demo_.luminancia_original().dimensionada() ? demo_.luminancia_original() : vbles_.MatrizY;
    return abierta_.fuente(hay_anfitrion_ ? original : Tabla{}, vbles_.MatrizMarca);
}

std::optional<EntradaBarrido> Sesion::entrada_del_barrido() const {
    if (!vbles_.MatrizY.contiene(1, 1) || !vbles_.MatrizMarca.contiene(1, 1)) return std::nullopt;
    // The host as opened: before "Paso 1" drew its grid over Picture1.
    const SuperficieMemoria& anfitrion = demo_.anfitrion();
    return EntradaBarrido{anfitrion.ancho() > 0 ? anfitrion : Picture1_, Picture2_, vbles_.Clave};
}

EleccionLaboratorio eleccion_del_laboratorio(const Sesion& s,
                                             std::shared_ptr<const FuenteLaboratorio> fuente,
                                             bool abierta, const Metodo& m, double fuerza,
                                             const Ataque& ataque, bool busca_rejilla) {
    const Vbles& v = s.vbles();
    EleccionLaboratorio e;
    e.fuente = std::move(fuente);
    e.abierta = abierta;
    e.metodo = &m;
    e.fuerza = m.de_la_demostracion() ? v.Grado : fuerza;
    e.clave = v.Clave;
    // A detector needs the host even for a reopened picture.
    if (!m.de_la_demostracion() && (!abierta || !m.lee_la_marca())) {
        if (auto entrada = s.entrada_del_barrido()) e.anfitrion = std::move(entrada->anfitrion);
    }
    e.MatrizMarca = v.MatrizMarca;
    e.Wm = s.Picture2().ancho();
    e.Hm = s.Picture2().alto();
    e.ataque = ataque;
    // Every method's layout is made on the host: a cut is searched for in it.
    e.busca_rejilla = busca_rejilla;
    e.W_rejilla = s.vbles().MatrizY.dimensionada() ? s.Picture1().ancho() : 0;
    e.H_rejilla = s.vbles().MatrizY.dimensionada() ? s.Picture1().alto() : 0;
    return e;
}

bool se_puede_analizar(const EleccionLaboratorio& e) {
    return e.fuente && (e.metodo->de_la_demostracion() || e.anfitrion || e.abierta);
}

bool se_puede_barrer(const Sesion& s, const Metodo& m) {
    return s.entrada_del_barrido() && m.lee_la_marca() &&
           (!m.de_la_demostracion() || s.vbles().Clave != 0);
}

}  // namespace zek
