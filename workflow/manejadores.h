// SPDX-License-Identifier: MIT
// The handlers of the main window's menus and apply buttons, and of the two
// parameter dialogs, on the shared state and the window port.
#pragma once

#include <string>

#include "base/pictures.h"
#include "base/puerto_ventana.h"
#include "base/vbles.h"
#include "workflow/asigna_imagen.h"

namespace zek {

// "&Imagen" with the file chosen: load the host and capture it under the
// busy pointer; true when the picture was accepted.
bool abre_imagen(Vbles& vbles, Pictures pictures, PuertoVentana& puerto, LectorImagen& lector,
                 const std::string& ruta);
// "&Marca de Agua" with the file chosen: load the watermark and capture it.
bool abre_marca(Vbles& vbles, Pictures pictures, PuertoVentana& puerto, LectorImagen& lector,
                const std::string& ruta);

enum class Parametro { Grado, Clave };

// Apply button beside the parameter's text box on the main window.
void aplica_parametro(Vbles& vbles, PuertoVentana& puerto, Parametro p);

// Text a parameter dialog shows when it opens: the value in force.
std::string texto_parametro(const Vbles& vbles, const PuertoVentana& puerto, Parametro p);

// A parameter dialog is closing with its text; false keeps it open.
bool cierra_dialogo(Vbles& vbles, PuertoVentana& puerto, Parametro p, const std::string& texto);

}  // namespace zek
