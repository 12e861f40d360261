// SPDX-License-Identifier: MIT
// JPEG attacks with the browser's encoder, which answers later: a first run
// notes which pictures and qualities it asks for, the page has them encoded,
// and a second run finds them.
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "images/ataques.h"
#include "web/enlace.h"
#include "web/pixeles.h"

namespace zek {

// The browser's JPEGs by picture and quality; each one missing is noted.
class JpegPorEncargo final : public CodecJpeg {
  public:
    std::optional<SuperficieMemoria> comprime(const SuperficieImagen& imagen,
                                              int calidad) const override {
        const Clave clave = clave_de(imagen);
        auto& e = encargos_[clave];
        if (const auto hecha = e.hechas.find(calidad); hecha != e.hechas.end())
            return hecha->second;
        if (modo_ == Modo::Toma) return std::nullopt;  // the browser could not encode it
        if (e.original.ancho() == 0) e.original = copia(imagen);
        e.pedidas.insert(calidad);
        // A stand-in, for a job that would stop at the first JPEG missing.
        if (modo_ == Modo::Sustituye) return copia(imagen);
        return std::nullopt;
    }
    // A first run notes what it needs, and gives nothing for it or the
    // picture itself; the second takes what the browser made.
    enum class Modo { Apunta, Sustituye, Toma };
    void pon_modo(Modo m) { modo_ = m; }
    bool tomando() const { return modo_ == Modo::Toma; }
    // The pictures still to encode, each with its qualities.
    emscripten::val pedidos() const {
        emscripten::val lista = emscripten::val::array();
        for (const auto& [clave, e] : encargos_) {
            if (e.pedidas.empty()) continue;
            emscripten::val p = rgba_de(e.original);
            p.set("calidades", std::vector<int>(e.pedidas.begin(), e.pedidas.end()));
            p.set("clave", emscripten::val(static_cast<double>(clave.first)));
            lista.call<void>("push", p);
        }
        return lista;
    }
    void pon(double clave, int calidad, SuperficieMemoria hecha) {
        for (auto& [k, e] : encargos_) {
            if (k.first != static_cast<uint64_t>(clave)) continue;
            e.pedidas.erase(calidad);
            e.hechas[calidad] = std::move(hecha);
            return;
        }
    }
    void olvida() { encargos_.clear(); }

  private:
    // A picture by its size and a hash of its pixels (FNV-1a), a 53-bit
    // number so that the page holds it exactly.
    using Clave = std::pair<uint64_t, std::pair<int, int>>;
    static Clave clave_de(const SuperficieImagen& s) {
        uint64_t h = 1469598103934665603ull;
        std::vector<int32_t> columna(static_cast<size_t>(s.alto()));
        for (int x = 0; x < s.ancho(); ++x) {
            s.lee_columna(x, 0, s.alto(), columna.data());
            for (const int32_t c : columna) h = (h ^ static_cast<uint32_t>(c)) * 1099511628211ull;
        }
        return {h & ((1ull << 53) - 1), {s.ancho(), s.alto()}};
    }
    static SuperficieMemoria copia(const SuperficieImagen& s) {
        SuperficieMemoria m(s.ancho(), s.alto());
        std::vector<int32_t> columna(static_cast<size_t>(s.alto()));
        for (int x = 0; x < s.ancho(); ++x) {
            s.lee_columna(x, 0, s.alto(), columna.data());
            m.pon_columna(x, 0, s.alto(), columna.data());
        }
        return m;
    }
    struct Encargo {
        SuperficieMemoria original;
        std::set<int> pedidas;
        std::map<int, SuperficieMemoria> hechas;
    };
    mutable std::map<Clave, Encargo> encargos_;
    Modo modo_ = Modo::Apunta;
};

}  // namespace zek
