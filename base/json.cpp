// SPDX-License-Identifier: MIT
#include "base/json.h"

#include <cmath>
#include <cstdio>

#include "base/portatil.h"

namespace zek {
namespace {

void escribe_texto(std::string& s, const std::string& t) {
    s += '"';
    for (const char c : t) {
        switch (c) {
            case '"':
                s += "\\\"";
                break;
            case '\\':
                s += "\\\\";
                break;
            case '\b':
                s += "\\b";
                break;
            case '\f':
                s += "\\f";
                break;
            case '\n':
                s += "\\n";
                break;
            case '\r':
                s += "\\r";
                break;
            case '\t':
                s += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char u[8];
                    std::snprintf(u, sizeof u, "\\u%04x", static_cast<unsigned>(c));
                    s += u;
                } else {
                    s += c;  // UTF-8 as it is
                }
        }
    }
    s += '"';
}

}  // namespace

std::string Json::texto() const {
    std::string s;
    escribe(s, 0);
    return s + '\n';
}

void Json::escribe(std::string& s, int sangria) const {
    const std::string dentro(static_cast<size_t>(sangria + 4), ' ');
    const std::string fuera(static_cast<size_t>(sangria), ' ');
    switch (tipo_) {
        case Tipo::Nulo:
            s += "null";
            return;
        case Tipo::Logico:
            s += logico_ ? "true" : "false";
            return;
        case Tipo::Entero:
            s += std::to_string(entero_);
            return;
        case Tipo::Real:
            // JSON has no infinities nor NaN.
            s += std::isfinite(real_) ? texto_de_numero(real_, FormatoNumero::Exacto) : "null";
            return;
        case Tipo::Texto:
            escribe_texto(s, texto_);
            return;
        case Tipo::Lista:
            s += "[\n";
            for (size_t i = 0; i < elementos_.size(); ++i) {
                s += dentro;
                elementos_[i].escribe(s, sangria + 4);
                s += i + 1 < elementos_.size() ? ",\n" : "\n";
            }
            s += fuera + "]";
            return;
        case Tipo::Objeto:
            break;
    }
    s += "{\n";
    size_t i = 0;
    for (const auto& [clave, valor] : campos_) {
        s += dentro;
        escribe_texto(s, clave);
        s += ": ";
        valor.escribe(s, sangria + 4);
        s += ++i < campos_.size() ? ",\n" : "\n";
    }
    s += fuera + "}";
}

}  // namespace zek
