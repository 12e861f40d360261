// A window port that remembers what the core showed, for the tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "puerto_ventana.h"

namespace zek::prueba {

struct Mensaje {
    std::string texto;
    Icono icono;
    std::string titulo;
    bool operator==(const Mensaje&) const = default;
};

class PuertoGrabador : public PuertoVentana {
  public:
    void pon_texto(Etiqueta e, const std::string& texto) override { textos[e] = texto; }
    void mensaje(const std::string& texto, Icono icono, const std::string& titulo) override {
        mensajes.push_back({texto, icono, titulo});
    }
    void cursor_ocupado(bool ocupado) override { cursor.push_back(ocupado); }
    char separador_decimal() const override { return separador; }

    std::string texto(Etiqueta e) const {
        const auto it = textos.find(e);
        return it == textos.end() ? std::string{} : it->second;
    }

    std::map<Etiqueta, std::string> textos;
    std::vector<Mensaje> mensajes;
    std::vector<bool> cursor;
    char separador = '.';
};

}  // namespace zek::prueba
