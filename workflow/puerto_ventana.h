// What the core needs of the main window: label captions, modal message
// boxes and the busy pointer. The Qt window implements it; tests record it.
#pragma once

#include <string>

namespace zek {

enum class Etiqueta { LpASO, LBloque, LNumBloques, LGrado, LClave };

enum class Icono { Ninguno, Informacion };

// Title of every message box that names no other.
inline constexpr const char* kTituloAplicacion = "ZEK";

class PuertoVentana {
  public:
    virtual ~PuertoVentana() = default;

    virtual void pon_texto(Etiqueta etiqueta, const std::string& texto) = 0;

    // Modal: returns when the user has closed the box with its OK button.
    virtual void mensaje(const std::string& texto, Icono icono, const std::string& titulo) = 0;

    virtual void cursor_ocupado(bool ocupado) = 0;

    // Decimal separator of the user's locale, for numbers shown in captions.
    virtual char separador_decimal() const { return '.'; }
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
