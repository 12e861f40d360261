// SPDX-License-Identifier: MIT
// What the core needs of the main window: captions of its labels and text
// boxes, modal message boxes, the file-open dialog, the busy pointer and the
// user's number format. The Qt window implements it; tests record it.
#pragma once

#include <optional>
#include <string>

namespace zek {

// Estado is the status line under the design area: what the analysis found
// and why a file could not be read.
enum class Control { LpASO, LBloque, LNumBloques, LGrado, LClave, Txt_Grado, Txt_Clave, Estado };

enum class Icono { Ninguno, Informacion };

// Title of every message box that names no other.
inline constexpr const char* kTituloAplicacion = "ZEK";

class PuertoVentana {
  public:
    virtual ~PuertoVentana() = default;

    virtual void pon_texto(Control control, const std::string& texto) = 0;
    virtual std::string texto(Control control) const = 0;

    // Modal: returns when the user has closed the box with its OK button.
    virtual void mensaje(const std::string& texto, Icono icono, const std::string& titulo) = 0;

    // Modal file-open dialog with one filter entry "description|patterns";
    // the chosen file's path, or the empty text when the user cancelled.
    virtual std::string elige_archivo(const std::string& filtro) = 0;

    virtual void cursor_ocupado(bool ocupado) = 0;

    // Decimal separator of the user's locale, for numbers shown as text.
    virtual char separador_decimal() const = 0;

    // The number a text denotes in the user's locale (blanks around it
    // allowed), or nothing when the text is not numeric.
    virtual std::optional<double> lee_numero(const std::string& texto) const = 0;
};

// Shows the busy pointer for as long as it lives.
class CursorOcupado {
  public:
    explicit CursorOcupado(PuertoVentana& puerto) : puerto_(puerto) {
        puerto_.cursor_ocupado(true);
    }
    ~CursorOcupado() { puerto_.cursor_ocupado(false); }
    CursorOcupado(const CursorOcupado&) = delete;
    CursorOcupado& operator=(const CursorOcupado&) = delete;

  private:
    PuertoVentana& puerto_;
};

}  // namespace zek
