// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/funciones.h"
#include "engine/pares.h"

namespace zek {
namespace {

constexpr const char* kFueraDeRango =
    "No se ha podido insertar la marca de agua: un cálculo se sale del rango de los números "
    "enteros. Prueba con un grado o una clave menores. La imagen no se ha modificado.";

// Moves every luminance of the block by D, kept whole; false when a result
// leaves the 32-bit range (the caller then restores the whole table).
inline bool desplaza_bloque(Tabla& MatrizY, Bloque b, double D) {
    for (int x = b.x0; x < b.x0 + b.L; ++x) {
        for (int y = b.y0; y < b.y0 + b.L; ++y) {
            const auto v = entero(MatrizY.lee(x, y) + D);
            if (!v) return false;
            MatrizY.escribe_redondeado(x, y, *v);  // whole numbers are exact as text
        }
    }
    return true;
}

// False when no step of the pair loop can leave the 32-bit range, so that
// the table need not be copied before it: with M the largest |Y| among the
// blocks, a block sum stays within L*L*(M + 1/2), a difference within
// 2M + 256|Grado| + 2, a shift D within 2|Grado| + |Clave| + 1 and a
// shifted luminance within M + |D| + 1. Each block is shifted once, after
// its pair's sums, so every sum reads luminances as they were.
bool puede_salirse(const Vbles& v, int ancho_bloques, int alto_bloques, int32_t L) {
    // Four running maxima, so that the comparisons do not wait on each other.
    std::array<double, 4> maximos{};
    for (int x = 1; x <= ancho_bloques; ++x) {
        const double* columna = v.MatrizY.columna(x) + (1 - v.MatrizY.y_desde());
        for (int i = 0; i < alto_bloques; ++i) {
            double& m = maximos[static_cast<size_t>(i) % 4];
            m = std::max(m, std::fabs(columna[i]));
        }
    }
    const double M = std::max({maximos[0], maximos[1], maximos[2], maximos[3]});
    const double G = std::fabs(v.Grado), C = std::fabs(v.Clave);
    const double desplazamiento = 2 * G + C + 1;
    const double mayor = std::max(
        {static_cast<double>(L) * L * (M + 0.5), 2 * M + 256 * G + 2, M + desplazamiento + 1});
    return !(mayor < 2147483646.0);  // NaN or infinite: take the copy
}

void avisa(PuertoVentana& puerto, const std::string& texto) {
    puerto.mensaje(texto, Icono::Informacion, kTituloAplicacion);
}

// Checks made before anything changes; the reason for refusing, if any.
std::optional<std::string> motivo_de_rechazo(const Vbles& vbles, int Wm, int Hm, int ancho_bloques,
                                             int alto_bloques) {
    const auto g = entero(vbles.Grado);
    if (!g) {
        return "El grado de resistencia es demasiado grande para insertar la marca de agua.";
    }
    if (*g == 0) {
        return "El grado de resistencia, redondeado a un número entero, no puede ser 0. "
               "Indica un grado de al menos 1.";
    }
    if (!vbles.MatrizMarca.cubre(1, Wm, 1, Hm)) {
        return "No hay ninguna marca de agua cargada. Abre la imagen de la marca de agua "
               "antes de insertarla.";
    }
    if (!vbles.MatrizY.cubre(1, ancho_bloques, 1, alto_bloques)) {
        return "No hay ninguna imagen principal cargada para esta rejilla. Abre la imagen "
               "principal antes de insertar la marca de agua.";
    }
    return std::nullopt;
}

}  // namespace

bool Inserta_Marca(Vbles& vbles, const SuperficieImagen& anfitrion, const SuperficieImagen& marca,
                   SuperficieImagen& Picture3, PuertoVentana& puerto) {
    if (!Calcula_Bloques(vbles, anfitrion, marca, puerto)) return false;
    const int32_t L = vbles.LongBloque;
    if (L < 1) {
        puerto.mensaje("La imagen es demasiado pequeña para insertar la marca de agua",
                       Icono::Informacion, "Marca de Agua");
        return false;
    }

    const int Bx = anfitrion.ancho() / L;
    const int By = anfitrion.alto() / L;
    const int Wm = marca.ancho();
    const int Hm = marca.alto();
    if (const auto motivo = motivo_de_rechazo(vbles, Wm, Hm, Bx * L, By * L)) {
        avisa(puerto, *motivo);
        return false;
    }

    const int32_t grado = *entero(vbles.Grado);
    const double T = vbles.Grado / 2 + vbles.Clave;
    // Put back if any pair fails; copied only when one could.
    std::optional<Tabla> original;
    if (puede_salirse(vbles, Bx * L, By * L, L)) original = vbles.MatrizY;

    const bool hecho = recorre_pares(Bx, By, L, Wm, Hm, [&](const Par& par) {
        const auto residuo = residuo_del_par(vbles.MatrizY, par.A, par.B, vbles.Grado, grado);
        if (!residuo) return false;
        const double color = vbles.MatrizMarca.lee(par.xm, par.ym);
        if (color == -1) return true;  // unreadable pixel: the pair stays as it is

        double r = *residuo, D;
        if (es_claro(color)) {
            if (r < vbles.Clave) r += vbles.Grado;
            D = (T - r) / 2;
        } else {
            if (r > T) r -= vbles.Grado;
            D = (vbles.Clave - r) / 2;
        }
        return desplaza_bloque(vbles.MatrizY, par.A, D) &&
               desplaza_bloque(vbles.MatrizY, par.B, -D);
    });
    if (!hecho) {
        vbles.MatrizY = original.value();  // a failure needs a value beyond the bound
        avisa(puerto, kFueraDeRango);
        return false;
    }

    Dibuja_Imagen(vbles, anfitrion, Picture3);
    return true;
}

}  // namespace zek
