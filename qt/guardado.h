// SPDX-License-Identifier: MIT
// Writing a picture to a file safely: the file is replaced only once the
// whole picture has been written, so a failed or cancelled save leaves any
// file already there as it was.
#pragma once

#include <string>

#include "base/superficie.h"

namespace zek {

// PNG, BMP or JPEG by the file's extension (.png, .bmp, .jpg, .jpeg, in any
// case); calidad is the JPEG quality, 0 to 100. The empty text when saved,
// otherwise why not, in Spanish.
std::string guarda_imagen(const SuperficieImagen& imagen, const std::string& ruta, int calidad);

// The path with ".png" added when it has none of the three extensions.
std::string con_extension(const std::string& ruta);

// Whether two paths name the same file (both may not exist yet).
bool mismo_archivo(const std::string& a, const std::string& b);

}  // namespace zek
