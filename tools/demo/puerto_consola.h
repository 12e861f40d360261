// SPDX-License-Identifier: MIT
// The window port for zek-demo: the in-memory port, with every message box
// also printed on standard error.
#pragma once

#include <iosfwd>
#include <string>

#include "base/puerto_memoria.h"

namespace zek {

// "TITLE: TEXT" on one line, carriage returns and line feeds shown as " / ".
std::string linea_de_mensaje(const Mensaje& m);

class PuertoConsola final : public PuertoMemoria {
  public:
    // errores: where message boxes are printed; nullptr keeps them silent.
    explicit PuertoConsola(std::ostream* errores) : errores_(errores) {}

    void mensaje(const std::string& texto, Icono icono, const std::string& titulo) override;

  private:
    std::ostream* errores_;
};

}  // namespace zek
