// SPDX-License-Identifier: MIT
#include <cstdint>

#include "engine/funciones.h"

namespace zek {

Disposicion disposicion_de_bloques(int W, int H, int64_t P) {
    Disposicion d{H < W ? H : W, static_cast<double>(2 * P)};
    while (d.LongBloque >= 1) {
        const int32_t L = d.LongBloque;
        const int64_t Bx = W / L;
        const int64_t By = H / L;
        d.NumBloques = static_cast<double>(Bx * By);
        // Each watermark pixel takes a pair of side-by-side blocks.
        if (Bx % 2 == 0 && Bx * By >= 2 * P) break;
        d.LongBloque = L - 1;
    }
    return d;
}

bool Calcula_Bloques(Vbles& vbles, const SuperficieImagen& anfitrion, const SuperficieImagen& marca,
                     PuertoVentana& puerto) {
    const int64_t P = int64_t{marca.ancho()} * marca.alto();
    if (P % 2 != 0) {
        puerto.mensaje("Marca de Agua no Válida", Icono::Informacion, kTituloAplicacion);
        return false;
    }

    const Disposicion d = disposicion_de_bloques(anfitrion.ancho(), anfitrion.alto(), P);
    vbles.LongBloque = d.LongBloque;
    vbles.NumBloques = d.NumBloques;

    const char sep = puerto.separador_decimal();
    puerto.pon_texto(Control::LBloque, "Longitud de bloque " + std::to_string(vbles.LongBloque));
    puerto.pon_texto(Control::LNumBloques,
                     "Número de bloque " + texto_general(vbles.NumBloques, sep));
    return true;
}
}  // namespace zek
