// SPDX-License-Identifier: MIT
// JSON for the files meant for programs (informe.json, comparacion.json),
// written the same by every front end, the browser's included: keys in
// order, four blanks of indentation, numbers with the point and as few
// digits as read back exactly, whatever the locale.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zek {

class Json {
  public:
    Json() = default;  // null
    Json(std::nullptr_t) {}
    Json(bool v) : tipo_(Tipo::Logico), logico_(v) {}
    Json(int v) : Json(int64_t{v}) {}
    Json(int64_t v) : tipo_(Tipo::Entero), entero_(v) {}
    Json(double v) : tipo_(Tipo::Real), real_(v) {}
    Json(std::string v) : tipo_(Tipo::Texto), texto_(std::move(v)) {}
    Json(const char* v) : Json(std::string(v)) {}
    template <class T>
    Json(const std::optional<T>& v) : Json(v ? Json(*v) : Json()) {}

    static Json lista() { return Json(Tipo::Lista); }
    static Json objeto(std::initializer_list<std::pair<const std::string, Json>> campos = {}) {
        Json j(Tipo::Objeto);
        j.campos_ = campos;
        return j;
    }

    Json& operator[](const std::string& clave) { return campos_[clave]; }
    const Json& en(const std::string& clave) const { return campos_.at(clave); }
    void anade(Json v) { elementos_.push_back(std::move(v)); }

    // The document, ending with a newline.
    std::string texto() const;

  private:
    enum class Tipo { Nulo, Logico, Entero, Real, Texto, Lista, Objeto };
    explicit Json(Tipo t) : tipo_(t) {}
    void escribe(std::string& s, int sangria) const;

    Tipo tipo_ = Tipo::Nulo;
    bool logico_ = false;
    int64_t entero_ = 0;
    double real_ = 0;
    std::string texto_;
    std::vector<Json> elementos_;
    std::map<std::string, Json> campos_;
};

}  // namespace zek
