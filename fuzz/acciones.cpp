// SPDX-License-Identifier: MIT
// Arbitrary sequences of what a user can do: open a host or a watermark
// (from a small set of pictures, some refused, one unreadable), apply a
// parameter, open and close a parameter dialog, press the step button,
// reset, reopen a watermarked picture, attack it in the laboratory. The
// invariants are checked after every action, and parameters may only change
// while Paso is 0.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/banco.h"
#include "workflow/laboratorio.h"

namespace {

using namespace zek;

// Pictures by name: the name is "ancho x alto", or "ilegible".
class LectorPorNombre final : public LectorImagen {
  public:
    std::optional<TamanoImagen> tamano(const std::string& ruta) override {
        if (ruta == "ilegible") return std::nullopt;
        TamanoImagen t;
        if (std::sscanf(ruta.c_str(), "%dx%d", &t.ancho, &t.alto) != 2) return std::nullopt;
        return t;
    }
    std::optional<ImagenDecodificada> lee(const std::string& ruta) override {
        const auto t = tamano(ruta);
        if (!t) return std::nullopt;
        ImagenDecodificada imagen{*t, {}};
        for (int y = 0; y < t->alto; ++y) {
            for (int x = 0; x < t->ancho; ++x) {
                imagen.colores.push_back((x * 3 + y * 5) % 4 ? 0xFFFFFF : (x * 40 + y) & 0xFFFFFF);
            }
        }
        return imagen;
    }
};

// Mostly small pictures, so that many actions run per second; the sizes at
// and just past each box's limit come up too.
constexpr std::array<const char*, 16> kImagenes = {
    "60x40", "7x5", "1x1",   "4x2",     "3x3",     "ilegible", "24x16",   "40x30",
    "16x12", "0x0", "-5x10", "379x483", "182x227", "181x228",  "378x483", "181x227"};
constexpr std::array<const char*, 12> kAtaques = {
    "ruido:0",    "ruido:255", "media:1",      "media:15",      "mediana:2",   "mediana:15",
    "brillo:255", "recorte:0", "contraste:10", "contraste:300", "recorte:483", "escala:1"};
constexpr std::array<const char*, 12> kTextos = {"10",  "3",     "0",   "1", "-16", "2.5",
                                                 "2,5", "1e300", "abc", "",  " 7 ", "0.4"};

class Lector {
  public:
    Lector(const uint8_t* datos, size_t n) : datos_(datos), n_(n) {}
    bool queda() const { return i_ < n_; }
    uint8_t byte() { return i_ < n_ ? datos_[i_++] : 0; }

  private:
    const uint8_t* datos_;
    size_t n_, i_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    // Small boxes to start with, so that many actions run per second; a
    // picture refused for its size still brings the design size back.
    LectorPorNombre lector;
    fuzz::Banco b(&lector, 60, 40, 20, 10);
    b.usa_locale(QLocale::c());
    Lector entrada(datos, n);
    for (int acciones = 0; entrada.queda() && acciones < 32; ++acciones) {
        const double grado = b.v.Grado, clave = b.v.Clave;
        const int paso = b.v.Paso;
        const uint8_t accion = entrada.byte() % 10;
        const uint8_t argumento = entrada.byte();
        switch (accion) {
            case 0:
            case 1:
                b.sesion.abre(accion == 0 ? Rol::Imagen : Rol::Marca,
                              kImagenes[argumento % kImagenes.size()]);
                break;
            case 2:
            case 3: {
                b.sesion.aplica(accion == 2 ? Parametro::Grado : Parametro::Clave,
                                kTextos[argumento % kTextos.size()]);
                break;
            }
            case 4:
            case 5: {
                // The dialog opens with the value in force and closes with a text.
                const Parametro p = accion == 4 ? Parametro::Grado : Parametro::Clave;
                const std::string al_abrir = b.sesion.texto_parametro(p);
                fuzz::exige(b.puerto.lee_numero(al_abrir).has_value(),
                            "el diálogo se abre con un texto que no es un número");
                b.sesion.cierra_dialogo(
                    p, argumento % 2 ? al_abrir : kTextos[argumento / 2 % kTextos.size()]);
                break;
            }
            case 6:
                b.sesion.Command1_Click();
                fuzz::exige(b.v.Paso == paso || b.v.Paso == paso + 1, "Paso avanzó más de uno");
                break;
            case 8:
                // "Imagen marcada…": the host's rules, the demonstration untouched.
                b.sesion.abre(Rol::Marcada, kImagenes[argumento % kImagenes.size()]);
                fuzz::exige(b.v.Paso == paso, "abrir una imagen marcada cambió el paso");
                break;
            case 9: {
                // The laboratory on either source, with an attack at its extremes.
                const auto fuente =
                    argumento % 2 ? b.sesion.fuente_abierta() : b.sesion.fuente_marcada();
                if (fuente) {
                    const auto r = analiza(
                        *fuente, *lee_ataque(kAtaques[argumento / 2 % kAtaques.size()]), nullptr);
                    fuzz::exige(r.leida.ancho() == fuente->lectura.Wm,
                                "la marca leída no tiene el ancho de la marca");
                }
                break;
            }
            default:
                b.sesion.MnuReset_Click();
                fuzz::exige(b.v.Paso == 0, "Reset no vuelve a Paso 0");
                break;
        }
        if (paso > 0 && accion != 7) {
            fuzz::exige(b.v.Grado == grado && b.v.Clave == clave,
                        "un parámetro cambió con la demostración en curso");
        }
        b.comprueba();
    }
    return 0;
}
