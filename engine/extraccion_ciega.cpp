// SPDX-License-Identifier: MIT
#include "engine/extraccion_ciega.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/funciones.h"
#include "engine/pares.h"
#include "images/capturas.h"

namespace zek {
namespace {

// Position on a circle of circumference c, in [0, c).
double en_circulo(double v, double c) {
    const double p = std::fmod(v, c);
    return p < 0 ? p + c : p;
}

// Distance between two positions already in [0, c).
double distancia_circular(double a, double b, double c) {
    const double d = std::fabs(a - b);
    return std::min(d, c - d);
}

// What a reading needs of the layout: whole(Grado), the whole blocks across
// and down, the side; nothing when no embedding could have been made or the
// table does not hold the blocks.
struct Rejilla {
    int32_t grado;
    int Bx, By;
    int32_t L;
};
std::optional<Rejilla> rejilla_de_lectura(const Tabla& MatrizY, int W, int H, double Grado,
                                          int32_t L, int Wm, int Hm) {
    const auto grado = entero(Grado);
    if (!grado || *grado == 0 || L < 1 || Wm < 1 || Hm < 1) return std::nullopt;
    const Rejilla d{*grado, W / L, H / L, L};
    if (!MatrizY.cubre(1, d.Bx * L, 1, d.By * L)) return std::nullopt;
    return d;
}

}  // namespace

ReglaDeLectura::ReglaDeLectura(double Grado, double Clave, int32_t grado)
    : c_(std::abs(static_cast<double>(grado))),
      claro_(en_circulo(Grado / 2 + Clave, c_)),
      oscuro_(en_circulo(Clave, c_)),
      Clave_(Clave) {}

Lectura ReglaDeLectura::lee(std::optional<double> r) const {
    if (!r) return Lectura::Oscuro;
    // r is whole and |r| < c, so one addition puts it on the circle.
    const double en = *r < 0 ? *r + c_ : *r;
    return distancia_circular(en, claro_, c_) < distancia_circular(en, oscuro_, c_)
               ? Lectura::Claro
               : Lectura::Oscuro;
}

double ReglaDeLectura::coseno(double r) const {
    return std::cos(4 * std::numbers::pi * (r - Clave_) / c_);
}

std::optional<MarcaLeida> extraccion_ciega(const SuperficieImagen& marcada,
                                           const ParametrosLectura& p) {
    Tabla MatrizY;
    captura_luminancia(marcada, MatrizY);
    return extraccion_ciega(MatrizY, marcada.ancho(), marcada.alto(), p);
}

std::optional<MarcaLeida> extraccion_ciega(const Tabla& MatrizY, int W, int H,
                                           const ParametrosLectura& p) {
    const double Grado = p.Grado, Clave = p.Clave;
    const int Wm = p.Wm, Hm = p.Hm;
    const auto d = rejilla_de_lectura(MatrizY, W, H, Grado, p.LongBloque, Wm, Hm);
    if (!d) return std::nullopt;
    // Plain copies, not a structured binding: clang 14 lets no lambda capture one.
    const int32_t grado = d->grado, L = d->L;
    const int Bx = d->Bx, By = d->By;

    MarcaLeida leida{Wm, Hm, std::vector<Lectura>(static_cast<size_t>(Wm) * Hm, Lectura::SinPar)};
    const ReglaDeLectura regla(Grado, Clave, grado);
    recorre_pares(Bx, By, L, Wm, Hm, [&](const Par& par) {
        leida.pixeles[static_cast<size_t>(par.ym - 1) * Wm + (par.xm - 1)] =
            regla.lee(residuo_del_par(MatrizY, par.A, par.B, Grado, grado));
        return true;
    });
    return leida;
}

SuperficieMemoria imagen_de_lectura(const std::optional<MarcaLeida>& leida, int Wm, int Hm) {
    SuperficieMemoria s(Wm, Hm);
    s.rellena(0, 0, Wm, Hm, 0x808080);
    if (!leida) return s;
    for (int ym = 1; ym <= std::min(Hm, leida->Hm); ++ym) {
        for (int xm = 1; xm <= std::min(Wm, leida->Wm); ++xm) {
            const Lectura l = leida->en(xm, ym);
            if (l != Lectura::SinPar) s.pon_pixel(xm, ym, l == Lectura::Claro ? 0xFFFFFF : 0);
        }
    }
    return s;
}

std::optional<Histograma> histograma_de_residuos(const Tabla& MatrizY, int W, int H,
                                                 const ParametrosLectura& p,
                                                 const Tabla& MatrizMarca) {
    const double Grado = p.Grado;
    const int Wm = p.Wm, Hm = p.Hm;
    const auto d = rejilla_de_lectura(MatrizY, W, H, Grado, p.LongBloque, Wm, Hm);
    if (!d) return std::nullopt;
    // Plain copies, not a structured binding: clang 14 lets no lambda capture one.
    const int32_t grado = d->grado, L = d->L;
    const int Bx = d->Bx, By = d->By;
    const int32_t c = grado < 0 ? -grado : grado;
    Histograma h{c, std::vector<int64_t>(static_cast<size_t>(c)),
                 std::vector<int64_t>(static_cast<size_t>(c))};
    recorre_pares(Bx, By, L, Wm, Hm, [&](const Par& par) {
        if (!MatrizMarca.contiene(par.xm, par.ym)) return true;
        const double color = MatrizMarca.lee(par.xm, par.ym);
        if (color == -1) return true;
        const auto r = residuo_del_par(MatrizY, par.A, par.B, Grado, grado);
        if (!r) return true;
        const auto i = static_cast<size_t>(*r < 0 ? *r + c : *r);
        ++(es_claro(color) ? h.claros : h.oscuros)[i];
        return true;
    });
    return h;
}

int64_t cuenta_pares(const Tabla& MatrizMarca, int W, int H, int32_t L, int Wm, int Hm) {
    if (L < 1) return 0;
    int64_t pares = 0;
    recorre_pares(W / L, H / L, L, Wm, Hm, [&](const Par& par) {
        pares += MatrizMarca.contiene(par.xm, par.ym) && MatrizMarca.lee(par.xm, par.ym) != -1;
        return true;
    });
    return pares;
}

Aciertos compara_con_marca(const MarcaLeida& leida, const Tabla& MatrizMarca) {
    Aciertos a;
    for (int ym = 1; ym <= leida.Hm; ++ym) {
        for (int xm = 1; xm <= leida.Wm; ++xm) {
            const Lectura l = leida.en(xm, ym);
            if (l == Lectura::SinPar || !MatrizMarca.contiene(xm, ym)) continue;
            const double color = MatrizMarca.lee(xm, ym);
            if (color == -1) continue;
            ++a.total;
            a.correctos += (l == Lectura::Claro) == es_claro(color);
        }
    }
    return a;
}

}  // namespace zek
