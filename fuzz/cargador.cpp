// SPDX-License-Identifier: MIT
// Arbitrary bytes as an image file, opened as the host (with a fixed
// watermark) and as the watermark (with a fixed host). An accepted picture
// is captured and taken through the four stages; a refused or unreadable one
// must leave its box as the loading rules say.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz/banco.h"
#include "fuzz/qt.h"
#include "images/capturas.h"
#include "qt/lector_qt.h"

namespace {

using namespace zek;

std::string ruta_de_entrada() {
    const char* carpeta = std::getenv("TMPDIR");
    return std::string(carpeta ? carpeta : "/tmp") + "/zek-fuzz-" + std::to_string(getpid()) +
           ".img";
}

void dibuja(SuperficieImagen& s, int ancho, int alto, int semilla) {
    s.fija_tamano(ancho, alto);
    for (int x = 0; x < ancho; ++x) {
        for (int y = 0; y < alto; ++y) {
            s.pon_pixel(x, y, ((x * 7 + y * 13 + semilla) % 2) ? 0xFFFFFF : (x * 5) % 256 * 0x0101);
        }
    }
}

// Opens the file in one role; checks what the box holds afterwards.
void abre(const std::string& ruta, bool como_anfitrion) {
    LectorQt lector;
    fuzz::Banco b(&lector, 60, 40, 20, 10);  // small boxes until a picture sets their size
    b.usa_locale(QLocale::c());
    // The other picture of the pair first, from memory.
    SuperficieMemoria otra(como_anfitrion ? 6 : 90, como_anfitrion ? 4 : 70);
    dibuja(otra, otra.ancho(), otra.alto(), como_anfitrion ? 1 : 2);
    b.memoria.pon("otra", otra);
    b.sesion.abre(como_anfitrion ? Rol::Marca : Rol::Imagen, "otra");
    const SuperficieMemoria& caja = como_anfitrion ? b.p1 : b.p2;
    const SuperficieMemoria antes = caja;
    const TamanoImagen limite = como_anfitrion ? kLimiteAnfitrion : kLimiteMarca;
    const bool aceptada = b.sesion.abre(como_anfitrion ? Rol::Imagen : Rol::Marca, ruta);
    b.comprueba();
    if (!aceptada) {
        // Refused for its size (a message, the box emptied at its design
        // size) or unreadable (nothing at all changes).
        const bool vacia = caja.ancho() == limite.ancho && caja.alto() == limite.alto;
        fuzz::exige(b.puerto.mensajes.size() == 1 ? vacia : caja == antes,
                    "una imagen rechazada dejó la caja en otro estado");
        return;
    }
    fuzz::exige(caja.ancho() <= limite.ancho && caja.alto() <= limite.alto,
                "se aceptó una imagen mayor que su caja");
    b.demuestra("10", "3", 0);
    for (int i = 0; i < 4; ++i) {
        b.sesion.Command1_Click();
        b.comprueba();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::arranca_qt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    static const std::string ruta = ruta_de_entrada();
    {
        std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(datos), static_cast<std::streamsize>(n));
    }
    abre(ruta, true);
    abre(ruta, false);
    return 0;
}
