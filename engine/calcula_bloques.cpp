#include <cstdint>

#include "engine/funciones.h"

namespace zek {

bool Calcula_Bloques(Vbles& vbles, const SuperficieImagen& host, const SuperficieImagen& marca,
                     PuertoVentana& puerto) {
    const int64_t P = int64_t{marca.ancho()} * marca.alto();
    if (P % 2 != 0) {
        puerto.mensaje("Marca de Agua no Válida", Icono::Informacion, kTituloAplicacion);
        return false;
    }

    vbles.LongBloque = host.alto() < host.ancho() ? host.alto() : host.ancho();
    vbles.NumBloques = static_cast<double>(2 * P);
    while (vbles.LongBloque >= 1) {
        const int32_t L = vbles.LongBloque;
        const int64_t Bx = host.ancho() / L;
        const int64_t By = host.alto() / L;
        vbles.NumBloques = static_cast<double>(Bx * By);
        // Each watermark pixel takes a pair of side-by-side blocks.
        if (Bx % 2 == 0 && Bx * By >= 2 * P) break;
        vbles.LongBloque = L - 1;
    }

    const char sep = puerto.separador_decimal();
    puerto.pon_texto(Control::LBloque, "Longitud de bloque " + std::to_string(vbles.LongBloque));
    puerto.pon_texto(Control::LNumBloques,
                     "Número de bloque " + texto_general(vbles.NumBloques, sep));
    return true;
}
}  // namespace zek
