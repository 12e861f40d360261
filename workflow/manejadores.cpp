// SPDX-License-Identifier: MIT
#include "workflow/manejadores.h"

#include "images/capturas.h"
#include "workflow/secuenciador.h"

namespace zek {
namespace {

struct Textos {
    Control caja, etiqueta;
    const char* prefijo;
    const char* no_numerico;
};

Textos textos_de(Parametro p) {
    if (p == Parametro::Grado) {
        return {Control::Txt_Grado, Control::LGrado, kPrefijoGrado,
                "Debes de indicar un grado de resistencia correcto."};
    }
    return {Control::Txt_Clave, Control::LClave, kPrefijoClave,
            "Debes de indicar la clave de codificación de la marca de agua."};
}

double& valor_de(Vbles& v, Parametro p) {
    return p == Parametro::Grado ? v.Grado : v.Clave;
}

bool bloqueado(const Vbles& v) {
    return v.Paso > 0;
}

void avisa_bloqueo(Vbles& vbles, PuertoVentana& puerto, Parametro p) {
    puerto.mensaje("Estamos en desarrollo.No puedes cambiar el valor.", Icono::Informacion,
                   kTituloAplicacion);
    puerto.pon_texto(textos_de(p).caja, texto_parametro(vbles, puerto, p));
}

// Numeric: stores it and shows it; otherwise the message, nothing stored.
bool fija_parametro(Vbles& vbles, PuertoVentana& puerto, Parametro p, const std::string& texto) {
    const Textos t = textos_de(p);
    const auto numero = puerto.lee_numero(texto);
    if (!numero) {
        puerto.mensaje(t.no_numerico, Icono::Ninguno, kTituloAplicacion);
        return false;
    }
    valor_de(vbles, p) = *numero;
    const std::string nuevo = texto_parametro(vbles, puerto, p);
    puerto.pon_texto(t.etiqueta, t.prefijo + nuevo);
    puerto.pon_texto(t.caja, nuevo);
    return true;
}

}  // namespace

bool abre_imagen(Vbles& vbles, Pictures pictures, PuertoVentana& puerto, LectorImagen& lector,
                 const std::string& ruta) {
    if (!carga_imagen(pictures.Picture1, "I", ruta, pictures, puerto, lector)) return false;
    const CursorOcupado ocupado(puerto);
    Captura_Imagen(pictures.Picture1, vbles);
    return true;
}

bool abre_marca(Vbles& vbles, Pictures pictures, PuertoVentana& puerto, LectorImagen& lector,
                const std::string& ruta) {
    if (!carga_imagen(pictures.Picture2, "M", ruta, pictures, puerto, lector)) return false;
    const CursorOcupado ocupado(puerto);
    Captura_Marca(pictures.Picture2, vbles);
    return true;
}

std::string texto_parametro(const Vbles& vbles, const PuertoVentana& puerto, Parametro p) {
    const double v = p == Parametro::Grado ? vbles.Grado : vbles.Clave;
    return texto_general(v, puerto.separador_decimal());
}

void aplica_parametro(Vbles& vbles, PuertoVentana& puerto, Parametro p) {
    if (bloqueado(vbles)) {
        avisa_bloqueo(vbles, puerto, p);
        return;
    }
    fija_parametro(vbles, puerto, p, puerto.texto(textos_de(p).caja));
}

bool cierra_dialogo(Vbles& vbles, PuertoVentana& puerto, Parametro p, const std::string& texto) {
    if (bloqueado(vbles)) {
        avisa_bloqueo(vbles, puerto, p);
        return true;  // closes; what was typed is lost
    }
    return fija_parametro(vbles, puerto, p, texto);
}

}  // namespace zek
