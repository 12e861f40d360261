// The window port for headless runs: captions are kept, message boxes are
// kept and printed on standard error, the file dialog answers with the files
// queued for it, and numbers use the point as decimal separator.
#pragma once

#include <deque>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "base/puerto_ventana.h"

namespace zek {

struct Mensaje {
    std::string titulo, texto;
};

// "TITLE: TEXT" on one line, carriage returns and line feeds shown as " / ".
std::string linea_de_mensaje(const Mensaje& m);

class PuertoConsola final : public PuertoVentana {
  public:
    // errores: where message boxes are printed; nullptr keeps them silent.
    explicit PuertoConsola(std::ostream* errores) : errores_(errores) {}

    void pon_texto(Control control, const std::string& texto) override;
    std::string texto(Control control) const override;
    void mensaje(const std::string& texto, Icono icono, const std::string& titulo) override;
    std::string elige_archivo(const std::string& filtro) override;
    void cursor_ocupado(bool) override {}
    char separador_decimal() const override { return '.'; }
    std::optional<double> lee_numero(const std::string& texto) const override;

    void pon_archivo(const std::string& ruta) { archivos_.push_back(ruta); }
    const std::vector<Mensaje>& mensajes() const { return mensajes_; }

  private:
    std::ostream* errores_;
    std::map<Control, std::string> textos_;
    std::vector<Mensaje> mensajes_;
    std::deque<std::string> archivos_;
};

// A number written with the point as decimal separator, blanks around it
// allowed; nothing for anything else (infinities and NaN included).
std::optional<double> numero_con_punto(const std::string& texto);

}  // namespace zek
