// SPDX-License-Identifier: MIT
// The demonstration's own method: each watermark pixel in a pair of
// neighbouring blocks, the difference of their mean luminances brought to
// Clave or Clave + Grado/2 modulo Grado; read blindly as the laboratory does.
#include <cmath>

#include "base/numeros.h"
#include "base/puerto_memoria.h"
#include "base/vbles.h"
#include "engine/funciones.h"
#include "engine/lectura_ciega.h"
#include "engine/metodo.h"
#include "engine/pares.h"
#include "engine/sincronizacion.h"
#include "images/capturas.h"

namespace zek {
namespace {

// The watermark table the embedding reads: white light, black dark, -1 out.
Tabla tabla_de_bits(const Bits& bits, int Wm, int Hm) {
    Tabla t;
    t.dimensiona(1, Wm, 1, Hm);
    for (int ym = 1; ym <= Hm; ++ym) {
        for (int xm = 1; xm <= Wm; ++xm) {
            const int8_t b = bits[static_cast<size_t>(ym - 1) * Wm + (xm - 1)];
            t.escribe(xm, ym, b < 0 ? -1 : b ? 0xFFFFFF : 0);
        }
    }
    return t;
}

class Bloques final : public Metodo {
  public:
    const DescripcionMetodo& descripcion() const override {
        // A degree between 2 and 64 when a PSNR must be matched; otherwise
        // the one in force.
        static constexpr DescripcionMetodo d{
            "bloques",      "Pares de bloques",
            "de bloques",   {"el grado en uso", 2, 64, 0, 1, 2, false},
            Rinde::Lectura, true};
        return d;
    }

    // Pairs carry the pixels two blocks at a time: an odd count has no layout.
    std::string no_cabe(int W, int H, int Wm, int Hm) const override {
        const int64_t P = int64_t{Wm} * Hm;
        if (capacidad(W, H, Wm, Hm) >= P || P % 2 == 0 || Wm < 1 || Hm < 1)
            return Metodo::no_cabe(W, H, Wm, Hm);
        return "La marca de " + std::to_string(Wm) + " × " + std::to_string(Hm) +
               " píxeles no se puede repartir en pares de bloques: " + std::to_string(P) +
               " es un número impar de píxeles.";
    }

    // All of it when "Paso 1" finds a block side; none otherwise.
    int64_t capacidad(int W, int H, int Wm, int Hm) const override {
        const int64_t P = int64_t{Wm} * Hm;
        return lado_de_lectura(0, W, H, Wm, Hm) >= 1 ? P : 0;
    }

    std::optional<SuperficieMemoria> inserta(const SuperficieImagen& anfitrion, const Bits& marca,
                                             int Wm, int Hm, double fuerza,
                                             double clave) const override {
        if (!no_cabe(anfitrion.ancho(), anfitrion.alto(), Wm, Hm).empty()) return {};
        Vbles v;
        Captura_Imagen(anfitrion, v);
        v.MatrizMarca = tabla_de_bits(marca, Wm, Hm);
        v.Grado = fuerza;
        v.Clave = clave;
        // Drawn over the host itself, so that the picture holds the host's
        // colours wherever the rendering draws nothing, as a saved one does.
        SuperficieMemoria salida = copia(anfitrion);
        PuertoMemoria puerto;
        if (!Inserta_Marca(v, anfitrion, SuperficieMemoria(Wm, Hm), salida, puerto)) return {};
        return salida;
    }

    // The pair's residue, brought into 0 .. |Grado| - 1, over |Grado|.
    std::vector<double> fracciones(const SuperficieImagen& imagen, int Wm, int Hm, double fuerza,
                                   double) const override {
        std::vector<double> f(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
        const int W = imagen.ancho(), H = imagen.alto();
        const int32_t L = lado_de_lectura(0, W, H, Wm, Hm);
        const auto g = entero(fuerza);
        if (L < 1 || !g || *g == 0) return f;
        Tabla Y;
        captura_luminancia(imagen, Y);
        if (!Y.cubre(1, W / L * L, 1, H / L * L)) return f;
        const double c = std::abs(static_cast<double>(*g));
        recorre_pares(W / L, H / L, L, Wm, Hm, [&](const Par& par) {
            const auto r = residuo_del_par(Y, par.A, par.B, fuerza, *g);
            if (r)
                f[static_cast<size_t>(par.ym - 1) * Wm + (par.xm - 1)] = (*r < 0 ? *r + c : *r) / c;
            return true;
        });
        return f;
    }

    std::optional<Sincronizacion> busca_rejilla(const SuperficieImagen& imagen, int W, int H,
                                                const ParametrosLectura& p, double,
                                                const Bits& marca,
                                                std::string* motivo) const override {
        return sincroniza_pares(imagen, W, H, p, marca, motivo);
    }

    Bits lee(const SuperficieImagen& imagen, int Wm, int Hm, double fuerza,
             double clave) const override {
        const int32_t L = lado_de_lectura(0, imagen.ancho(), imagen.alto(), Wm, Hm);
        const auto leida = extraccion_ciega(imagen, {fuerza, clave, L, Wm, Hm});
        if (!leida) return Bits(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
        return bits_de_lectura(*leida);
    }
};

}  // namespace

const Metodo& metodo_bloques() {
    static const Bloques m;
    return m;
}

}  // namespace zek
