// SPDX-License-Identifier: MIT
#include "engine/metodo.h"

#include <algorithm>
#include <cmath>

#include "base/numeros.h"
#include "engine/funciones.h"

namespace zek {

Bits bits_de_marca(const Tabla& MatrizMarca, int Wm, int Hm) {
    Bits bits(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
    for (int ym = 1; ym <= Hm; ++ym) {
        for (int xm = 1; xm <= Wm; ++xm) {
            if (!MatrizMarca.contiene(xm, ym)) continue;
            const double color = MatrizMarca.lee(xm, ym);
            if (color == -1) continue;
            bits[static_cast<size_t>(ym - 1) * Wm + (xm - 1)] = es_claro(color) ? 1 : 0;
        }
    }
    return bits;
}

Bits bits_de_lectura(const MarcaLeida& leida) {
    Bits bits(leida.pixeles.size(), -1);
    for (size_t i = 0; i < bits.size(); ++i) {
        const Lectura l = leida.pixeles[i];
        if (l != Lectura::SinPar) bits[i] = l == Lectura::Claro ? 1 : 0;
    }
    return bits;
}

MarcaLeida lectura_de_bits(const Bits& bits, int Wm, int Hm) {
    MarcaLeida leida{Wm, Hm, std::vector<Lectura>(bits.size(), Lectura::SinPar)};
    for (size_t i = 0; i < bits.size(); ++i) {
        if (bits[i] >= 0) leida.pixeles[i] = bits[i] ? Lectura::Claro : Lectura::Oscuro;
    }
    return leida;
}

Aciertos compara_bits(const Bits& leidos, const Bits& marca) {
    Aciertos a;
    for (size_t i = 0; i < marca.size() && i < leidos.size(); ++i) {
        if (marca[i] < 0 || leidos[i] < 0) continue;
        ++a.total;
        if (leidos[i] == marca[i]) ++a.correctos;
    }
    return a;
}

Histograma histograma_de_fracciones(const std::vector<double>& fracciones, const Bits& marca,
                                    int cajas) {
    Histograma h{cajas, std::vector<int64_t>(static_cast<size_t>(cajas)),
                 std::vector<int64_t>(static_cast<size_t>(cajas))};
    for (size_t i = 0; i < fracciones.size() && i < marca.size(); ++i) {
        if (marca[i] < 0 || fracciones[i] < 0) continue;
        const auto caja = static_cast<size_t>(
            std::clamp(static_cast<int>(std::floor(fracciones[i] * cajas)), 0, cajas - 1));
        ++(marca[i] ? h.claros : h.oscuros)[caja];
    }
    return h;
}

std::string Metodo::no_cabe(int W, int H, int Wm, int Hm) const {
    const int64_t caben = capacidad(W, H, Wm, Hm);
    if (caben >= int64_t{Wm} * Hm && Wm >= 1 && Hm >= 1) return {};
    return "La marca de " + std::to_string(Wm) + " × " + std::to_string(Hm) +
           " píxeles no cabe con el método " + descripcion().en_frase + " en una imagen de " +
           std::to_string(W) + " × " + std::to_string(H) + ": caben " + std::to_string(caben) +
           " píxeles.";
}

std::string no_cabe(const Metodo& m, int W, int H, int Wm, int Hm) {
    return m.no_cabe(W, H, Wm, Hm);
}

const std::vector<const Metodo*>& metodos() {
    static const std::vector<const Metodo*> todos = {&metodo_bloques(), &metodo_lsb(),
                                                     &metodo_dct(), &metodo_espectro()};
    return todos;
}

std::string nombres_de_metodos() {
    std::string lista;
    const auto& todos = metodos();
    for (size_t i = 0; i < todos.size(); ++i) {
        if (i > 0) lista += i + 1 == todos.size() ? " o " : ", ";
        lista += todos[i]->nombre();
    }
    return lista;
}

std::string texto_de_fuerza(const Metodo& m, double fuerza, char separador) {
    return con_decimales(fuerza, m.fuerza().decimales, separador);
}

const Metodo* metodo(std::string_view nombre) {
    for (const Metodo* m : metodos())
        if (nombre == m->nombre()) return m;
    return nullptr;
}

}  // namespace zek
