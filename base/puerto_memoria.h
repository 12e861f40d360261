// SPDX-License-Identifier: MIT
// The window port without a window: it keeps what the window would show
// (captions, message boxes, busy pointer changes, file dialogs) and answers
// the file dialog with a file chosen beforehand. Tests, fuzzers, benchmarks
// and the console tool all use it.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/puerto_ventana.h"

namespace zek {

struct Mensaje {
    std::string texto;
    Icono icono = Icono::Ninguno;
    std::string titulo;
    bool operator==(const Mensaje&) const = default;
};

class PuertoMemoria : public PuertoVentana {
  public:
    void pon_texto(Control control, const std::string& texto) override { textos[control] = texto; }
    std::string texto(Control control) const override;
    void mensaje(const std::string& texto, Icono icono, const std::string& titulo) override {
        mensajes.push_back({texto, icono, titulo});
        if (al_mostrar) al_mostrar(mensajes.back());
    }
    std::string elige_archivo(const std::string& filtro) override {
        filtros.push_back(filtro);
        return archivo;
    }
    void cursor_ocupado(bool ocupado) override { cursor.push_back(ocupado); }
    char separador_decimal() const override { return separador; }
    std::optional<double> lee_numero(const std::string& texto) const override;

    std::map<Control, std::string> textos;
    std::vector<Mensaje> mensajes;
    std::vector<bool> cursor;          // every change of the busy pointer
    std::vector<std::string> filtros;  // of every file dialog shown
    std::string archivo;               // what the file dialog answers; empty: cancelled
    char separador = '.';
    // The user's locale reading numbers; by default plain decimals written
    // with `separador`, blanks around them allowed.
    std::function<std::optional<double>(const std::string&)> lector_numeros;
    // Called with every message box shown (zek-demo prints them).
    std::function<void(const Mensaje&)> al_mostrar;
};

}  // namespace zek
