// SPDX-License-Identifier: MIT
// The spread spectrum as one of the methods: it carries no picture, only
// the key, so its reading finds nothing and what it yields is the
// detector's decision against the original host (engine/espectro.h).
#include "engine/espectro.h"
#include "engine/metodo.h"

namespace zek {
namespace {

class Espectro final : public Metodo {
  public:
    const DescripcionMetodo& descripcion() const override {
        static constexpr DescripcionMetodo d{
            kNombreEspectro,
            kTituloEspectro,
            kNombreEspectro,
            {"alfa", kAlfaEspectroMinimo, kAlfaEspectroMaximo, kAlfaEspectro, 0.01, 3, false},
            Rinde::Decision,
            false,
            "El detector del método espectro no busca una rejilla: coloca la imagen sobre la "
            "original."};
        return d;
    }

    // The watermark is not embedded: any fits a host that has the
    // coefficients to mark.
    int64_t capacidad(int W, int H, int Wm, int Hm) const override {
        return no_cabe_espectro(W, H, kLongitudEspectro).empty() ? int64_t{Wm} * Hm : 0;
    }
    std::string no_cabe(int W, int H, int, int) const override {
        return no_cabe_espectro(W, H, kLongitudEspectro);
    }

    std::optional<SuperficieMemoria> inserta(const SuperficieImagen& anfitrion, const Bits&, int,
                                             int, double alfa, double clave) const override {
        return inserta_espectro(anfitrion, clave, alfa, kLongitudEspectro, nullptr);
    }

    Bits lee(const SuperficieImagen&, int Wm, int Hm, double, double) const override {
        return Bits(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
    }
    std::vector<double> fracciones(const SuperficieImagen&, int Wm, int Hm, double,
                                   double) const override {
        return std::vector<double>(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
    }
};

}  // namespace

const Metodo& metodo_espectro() {
    static const Espectro m;
    return m;
}

}  // namespace zek
