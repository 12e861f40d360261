#include <cstdint>
#include <optional>
#include <string>

#include "colores.h"
#include "funciones.h"

namespace zek {
namespace {

constexpr const char* kFueraDeRango =
    "No se ha podido insertar la marca de agua: un cálculo se sale del rango de los números "
    "enteros. Prueba con un grado o una clave menores. La imagen no se ha modificado.";

struct Bloque {
    int x0, y0, L;  // first column and row (from 1), side
};

// Sum of a block's luminances, made whole after every addition, column by
// column; nothing when a partial sum leaves the 32-bit range.
inline std::optional<int32_t> suma_bloque(const Tabla& MatrizY, Bloque b) {
    int32_t suma = 0;
    for (int x = b.x0; x < b.x0 + b.L; ++x) {
        const double* columna = &MatrizY.columna(x)[b.y0 - MatrizY.y_desde()];
        for (int i = 0; i < b.L; ++i) {
            const auto s = entero(suma + columna[i]);
            if (!s) return std::nullopt;
            suma = *s;
        }
    }
    return suma;
}

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

// Light watermark pixel: red component 255, whatever green and blue.
bool es_claro(double color_guardado) {
    return color_guardado >= 0 && rojo(static_cast<int32_t>(color_guardado)) == 255;
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

bool Inserta_Marca(Vbles& vbles, const SuperficieImagen& host, const SuperficieImagen& marca,
                   SuperficieImagen& Picture3, PuertoVentana& puerto) {
    if (!Calcula_Bloques(vbles, host, marca, puerto)) return false;
    const int32_t L = vbles.LongBloque;
    if (L < 1) {
        puerto.mensaje("La imagen es demasiado pequeña para insertar la marca de agua",
                       Icono::Informacion, "Marca de Agua");
        return false;
    }

    const int Bx = host.ancho() / L;
    const int By = host.alto() / L;
    const int Wm = marca.ancho();
    const int Hm = marca.alto();
    if (const auto motivo = motivo_de_rechazo(vbles, Wm, Hm, Bx * L, By * L)) {
        avisa(puerto, *motivo);
        return false;
    }

    const int32_t grado = *entero(vbles.Grado);
    const int64_t pixeles_marca = int64_t{Wm} * Hm;
    const double T = vbles.Grado / 2 + vbles.Clave;
    const double area = static_cast<double>(L * L);
    const Tabla original = vbles.MatrizY;  // put back if any pair fails
    double r = 0;
    int64_t k = 0;
    int xm = 0, ym = 1;  // watermark pixel of pair k

    for (int R = 1; R <= By; ++R) {
        for (int j = 1; j <= Bx; j += 2) {
            ++k;
            if (k > pixeles_marca) break;  // no watermark pixel left for this row
            const Bloque A{(j - 1) * L + 1, (R - 1) * L + 1, L};
            const Bloque B{j * L + 1, A.y0, L};
            const auto S_A = suma_bloque(vbles.MatrizY, A);
            const auto S_B = suma_bloque(vbles.MatrizY, B);
            const auto diferencia =
                S_A && S_B ? entero(*S_A / area - *S_B / area + vbles.Grado * 256) : std::nullopt;
            if (!diferencia) {
                vbles.MatrizY = original;
                avisa(puerto, kFueraDeRango);
                return false;
            }
            // Remainder of truncating division, with the dividend's sign.
            r = grado == 1 || grado == -1 ? 0.0 : static_cast<double>(*diferencia % grado);

            // Watermark pixel number k, row by row.
            if (++xm > Wm) {
                xm = 1;
                ++ym;
            }
            const double color = vbles.MatrizMarca.lee(xm, ym);
            if (color == -1) continue;  // unreadable pixel: the pair stays as it is

            double D;
            if (es_claro(color)) {
                if (r < vbles.Clave) r += vbles.Grado;
                D = (T - r) / 2;
            } else {
                if (r > T) r -= vbles.Grado;
                D = (vbles.Clave - r) / 2;
            }
            if (!desplaza_bloque(vbles.MatrizY, A, D) || !desplaza_bloque(vbles.MatrizY, B, -D)) {
                vbles.MatrizY = original;
                avisa(puerto, kFueraDeRango);
                return false;
            }
        }
    }

    Dibuja_Imagen(vbles, host, Picture3);
    return true;
}

}  // namespace zek
