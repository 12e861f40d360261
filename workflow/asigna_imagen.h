// SPDX-License-Identifier: MIT
// Choosing an image file, checking that it fits the role of its box and
// showing it there.
#pragma once

#include <string>

#include "base/pictures.h"
#include "base/puerto_ventana.h"
#include "images/lector_imagen.h"

namespace zek {

inline constexpr const char* kFiltroImagenes = "Imagenes(bmp,jpg,gif)|*.bmp;*.jpg;*.gif";

// Whether a picture of size `medida` fits a box of size `limite`.
bool cabe(TamanoImagen medida, TamanoImagen limite);

// The message shown when a picture is too large for its role.
std::string texto_de_rechazo(TamanoImagen medida, TamanoImagen limite);

// Lets the user choose a file and shows it in Pict when it fits the role
// ("I" host, anything else watermark); then Picture3 and Picture4 take the
// sizes of Picture1 and Picture2. An unreadable file changes nothing; a
// picture too large is refused with a message and leaves Pict empty at the
// design size of its role. ruta, when given, receives the file chosen.
bool Asigna_Imagen(SuperficieImagen& Pict, const std::string& Tipo, Pictures pictures,
                   PuertoVentana& puerto, LectorImagen& lector, std::string* ruta = nullptr);
// The same with the file already chosen (the command line, a dropped
// picture, the headless front ends): every check and message as above.
bool carga_imagen(SuperficieImagen& Pict, const std::string& Tipo, const std::string& ruta,
                  Pictures pictures, PuertoVentana& puerto, LectorImagen& lector);

}  // namespace zek
