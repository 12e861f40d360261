// SPDX-License-Identifier: MIT
#include "workflow/secuenciador.h"

#include "engine/funciones.h"

namespace zek {

void Secuenciador::termina_etapa(int texto) {
    puerto_.pon_texto(Control::LpASO, kTextoPaso[texto]);
}

void Secuenciador::Command1_Click() {
    if (vbles_.Grado == 0) {
        puerto_.mensaje("El grado de resistencia a ataques de altas frecuencias no puede ser 0.",
                        Icono::Informacion, kTituloAplicacion);
        return;
    }
    if (vbles_.Clave == 0) {
        puerto_.mensaje("Clave de Codificación de la Marca de Agua 0.", Icono::Informacion,
                        kTituloAplicacion);
        return;
    }
    switch (vbles_.Paso) {
        case 0:
            if (!Calcula_Bloques(vbles_, pic_.Picture1, pic_.Picture2, puerto_)) return;
            if (Dibuja_Rejilla(pic_.Picture1, vbles_.LongBloque)) ++vbles_.Paso;
            termina_etapa(1);
            break;
        case 1:
            // The stage counts as run whatever the embedding said.
            insercion_hecha_ =
                Inserta_Marca(vbles_, pic_.Picture1, pic_.Picture2, pic_.Picture3, puerto_);
            ++vbles_.Paso;
            termina_etapa(2);
            break;
        case 2:
            if (Dibuja_Rejilla(pic_.Picture3, vbles_.LongBloque)) ++vbles_.Paso;
            termina_etapa(3);
            break;
        case 3:
            Extrae_Marca(vbles_, pic_.Picture2, pic_.Picture4);
            termina_etapa(4);
            ++vbles_.Paso;
            break;
        default:
            break;  // finished until reset
    }
}

void Secuenciador::MnuReset_Click() {
    insercion_hecha_ = false;
    vbles_.NumBloques = 0;
    vbles_.LongBloque = 0;
    for (SuperficieImagen* p : {&pic_.Picture1, &pic_.Picture2, &pic_.Picture3, &pic_.Picture4}) {
        p->limpia();
    }
    vbles_.Paso = 0;
    vbles_.MatrizMarca.dimensiona(0, 0, 0, 0);
    termina_etapa(0);
    const char sep = puerto_.separador_decimal();
    puerto_.pon_texto(Control::LGrado, kPrefijoGrado + texto_general(vbles_.Grado, sep));
    puerto_.pon_texto(Control::LClave, kPrefijoClave + texto_general(vbles_.Clave, sep));
    puerto_.pon_texto(Control::LNumBloques, "");
    puerto_.pon_texto(Control::LBloque, "");
}

}  // namespace zek
