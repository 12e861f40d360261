// SPDX-License-Identifier: MIT
// How zek-demo prints a message box on standard error.
#pragma once

#include <string>

#include "base/puerto_memoria.h"

namespace zek {

// "TITLE: TEXT" on one line, carriage returns and line feeds shown as " / ".
std::string linea_de_mensaje(const Mensaje& m);

}  // namespace zek
