// SPDX-License-Identifier: MIT
// The least significant bit, or any bit plane p: watermark pixel (xm, ym)
// in host pixel (xm, ym), as bit p of the integer luminance
// v = floor((299 R + 587 G + 114 B) / 1000). Invisible, and gone at the
// first compression.
#include <cstdlib>

#include "engine/metodo.h"

namespace zek {
namespace {

struct Rgb {
    int r, g, b;
};

Rgb rgb_de(int32_t color) {
    return {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
}

int luminancia_entera(Rgb c) {
    return (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
}

int plano_de(double fuerza) {
    return static_cast<int>(fuerza);
}

class Lsb final : public Metodo {
  public:
    const DescripcionMetodo& descripcion() const override {
        static constexpr DescripcionMetodo d{"lsb",
                                             "Bit menos significativo",
                                             "LSB",
                                             {"plano de bits", 0, 7, 0, 1, 0, true},
                                             Rinde::Lectura,
                                             false,
                                             "El método LSB no tiene rejilla que buscar: cada "
                                             "píxel lleva un bit de la marca, y nada en la "
                                             "imagen dice dónde empieza."};
        return d;
    }

    int64_t capacidad(int W, int H, int Wm, int Hm) const override {
        // Pixel (xm, ym) needs host pixel (xm, ym): all of it or nothing.
        return Wm <= W && Hm <= H ? int64_t{Wm} * Hm : 0;
    }

    std::optional<SuperficieMemoria> inserta(const SuperficieImagen& anfitrion, const Bits& marca,
                                             int Wm, int Hm, double fuerza, double) const override {
        if (!no_cabe(anfitrion.ancho(), anfitrion.alto(), Wm, Hm).empty()) return {};
        const int p = plano_de(fuerza);
        SuperficieMemoria salida = copia(anfitrion);
        for (int ym = 1; ym <= Hm; ++ym) {
            for (int xm = 1; xm <= Wm; ++xm) {
                const int8_t bit = marca[static_cast<size_t>(ym - 1) * Wm + (xm - 1)];
                if (bit < 0 || xm >= anfitrion.ancho() || ym >= anfitrion.alto()) continue;
                const Rgb c = rgb_de(anfitrion.lee_pixel(xm, ym));
                const int v = luminancia_entera(c);
                // The smallest step, the negative one first on a tie, that
                // sets bit p and keeps every channel in range; none: as it is.
                const int bajo = -std::min({c.r, c.g, c.b}), alto = 255 - std::max({c.r, c.g, c.b});
                for (int m = 0; m <= 255; ++m) {
                    const int d = m == 0 ? 0 : -m;
                    const int e = m;
                    int elegido = 256;
                    if (d >= bajo && (((v + d) >> p) & 1) == bit)
                        elegido = d;
                    else if (e <= alto && (((v + e) >> p) & 1) == bit)
                        elegido = e;
                    if (elegido == 256) continue;
                    salida.pon_pixel(
                        xm, ym, (c.r + elegido) + 256 * (c.g + elegido) + 65536 * (c.b + elegido));
                    break;
                }
            }
        }
        return salida;
    }

    // (v mod 2^(p+1)) / 2^(p+1): bit p is 1 in the upper half.
    std::vector<double> fracciones(const SuperficieImagen& imagen, int Wm, int Hm, double fuerza,
                                   double) const override {
        const int p = plano_de(fuerza), periodo = 2 << p;
        std::vector<double> f(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
        for (int ym = 1; ym <= Hm; ++ym) {
            for (int xm = 1; xm <= Wm; ++xm) {
                if (xm >= imagen.ancho() || ym >= imagen.alto()) continue;
                const int32_t color = imagen.lee_pixel(xm, ym);
                if (color < 0) continue;
                const int v = luminancia_entera(rgb_de(color));
                f[static_cast<size_t>(ym - 1) * Wm + (xm - 1)] =
                    static_cast<double>(v % periodo) / periodo;
            }
        }
        return f;
    }

    Bits lee(const SuperficieImagen& imagen, int Wm, int Hm, double fuerza, double) const override {
        const int p = plano_de(fuerza);
        Bits bits(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
        for (int ym = 1; ym <= Hm; ++ym) {
            for (int xm = 1; xm <= Wm; ++xm) {
                if (xm >= imagen.ancho() || ym >= imagen.alto()) continue;
                const int32_t color = imagen.lee_pixel(xm, ym);
                if (color < 0) continue;
                bits[static_cast<size_t>(ym - 1) * Wm + (xm - 1)] =
                    static_cast<int8_t>((luminancia_entera(rgb_de(color)) >> p) & 1);
            }
        }
        return bits;
    }
};

}  // namespace

const Metodo& metodo_lsb() {
    static const Lsb m;
    return m;
}

}  // namespace zek
