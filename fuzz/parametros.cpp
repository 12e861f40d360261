// SPDX-License-Identifier: MIT
// Arbitrary text through the window's number parser into Grado and Clave
// (the first through the dialog, the second through the apply button), in
// a Spanish or a C locale, then the four stages on a small fixed pair of
// pictures.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/banco.h"

namespace {

using namespace zek;

void abre_par(fuzz::Banco& b) {
    SuperficieMemoria anfitrion(40, 30), marca(4, 3);
    for (int x = 0; x < 40; ++x) {
        for (int y = 0; y < 30; ++y)
            anfitrion.pon_pixel(x, y, (x * 6) + 256 * (y * 8) + 65536 * 90);
    }
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 3; ++y) marca.pon_pixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0);
    }
    b.carga(anfitrion, marca);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    if (n == 0) return 0;
    fuzz::Banco b(nullptr, 40, 30, 4, 3);
    b.usa_locale(datos[0] % 2 ? QLocale(QLocale::Spanish, QLocale::Spain) : QLocale::c());
    const std::string texto(reinterpret_cast<const char*>(datos + 1), n - 1);
    const auto corte = texto.find('\n');
    const std::string grado = texto.substr(0, corte);
    const std::string clave = corte == std::string::npos ? "3" : texto.substr(corte + 1);
    abre_par(b);

    const double antes = b.v.Grado;
    const bool cerrado = b.sesion.cierra_dialogo(Parametro::Grado, grado);
    fuzz::exige(cerrado || b.v.Grado == antes, "un texto rechazado cambió el grado");
    b.comprueba();
    b.sesion.aplica(Parametro::Clave, clave);
    b.comprueba();
    for (int i = 0; i < 4; ++i) {
        b.sesion.Command1_Click();
        b.comprueba();
    }
    return 0;
}
