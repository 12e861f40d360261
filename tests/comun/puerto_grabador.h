// A window port that remembers what the core showed, for the tests.
#pragma once

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "base/puerto_ventana.h"

namespace zek::prueba {

struct Mensaje {
    std::string texto;
    Icono icono;
    std::string titulo;
    bool operator==(const Mensaje&) const = default;
};

class PuertoGrabador : public PuertoVentana {
  public:
    void pon_texto(Control e, const std::string& t) override { textos[e] = t; }
    void mensaje(const std::string& texto, Icono icono, const std::string& titulo) override {
        mensajes.push_back({texto, icono, titulo});
    }
    void cursor_ocupado(bool ocupado) override { cursor.push_back(ocupado); }
    char separador_decimal() const override { return separador; }
    std::string elige_archivo(const std::string& filtro) override {
        filtros.push_back(filtro);
        return archivo;
    }
    // Plain C-locale numbers with the chosen separator; enough for the core.
    std::optional<double> lee_numero(const std::string& t) const override {
        std::string s = t;
        for (char& c : s) {
            if (c == separador) c = '.';
        }
        char* fin = nullptr;
        const double v = std::strtod(s.c_str(), &fin);
        while (fin && *fin == ' ') ++fin;
        if (s.find_first_not_of(' ') == std::string::npos || *fin != '\0') return std::nullopt;
        return v;
    }

    std::string texto(Control e) const override {
        const auto it = textos.find(e);
        return it == textos.end() ? std::string{} : it->second;
    }

    std::map<Control, std::string> textos;
    std::vector<Mensaje> mensajes;
    std::vector<bool> cursor;
    std::vector<std::string> filtros;
    std::string archivo;  // what the file dialog answers
    char separador = '.';
};

}  // namespace zek::prueba
