#include "workflow/sesion.h"

namespace zek {

Sesion::Sesion(PuertoVentana& puerto, LectorImagen& lector)
    : puerto_(puerto), lector_(lector), demo_(vbles_, pictures(), puerto) {}

bool Sesion::SubImagen_Click() {
    return zek::SubImagen_Click(vbles_, pictures(), puerto_, lector_);
}

bool Sesion::SubMarcaAgua_Click() {
    return zek::SubMarcaAgua_Click(vbles_, pictures(), puerto_, lector_);
}

std::string Sesion::texto_parametro(Parametro p) const {
    return zek::texto_parametro(vbles_, puerto_, p);
}

bool Sesion::cierra_dialogo(Parametro p, const std::string& texto) {
    return zek::cierra_dialogo(vbles_, puerto_, p, texto);
}

}  // namespace zek
