// SPDX-License-Identifier: MIT
#include "base/grafico.h"

#include <algorithm>
#include <cmath>

#include "base/numeros.h"

namespace zek {

double paso_redondo(double amplitud, int como_mucho) {
    if (!(amplitud > 0) || como_mucho < 1) return 1;
    const double minimo = amplitud / como_mucho;
    double potencia = std::pow(10.0, std::floor(std::log10(minimo)));
    // A little above the least, so that 1.0000000001 x 10^k is not taken for 2.
    for (;; potencia *= 10) {
        for (const double m : {1.0, 2.0, 5.0}) {
            if (m * potencia >= minimo * (1 - 1e-9)) return m * potencia;
        }
    }
}

Eje eje_redondo(std::string titulo, double desde, double hasta, int como_mucho, char separador,
                bool ajusta) {
    Eje e{std::move(titulo), desde, hasta, {}};
    if (!(hasta > desde)) e.hasta = desde + 1;
    const double paso = paso_redondo(e.hasta - e.desde, como_mucho);
    const int decimales = std::max(0, static_cast<int>(-std::floor(std::log10(paso) + 1e-9)));
    auto primera = static_cast<long long>(std::ceil(e.desde / paso - 1e-9));
    auto ultima = static_cast<long long>(std::floor(e.hasta / paso + 1e-9));
    if (ajusta) {
        primera = static_cast<long long>(std::floor(e.desde / paso + 1e-9));
        ultima = static_cast<long long>(std::ceil(e.hasta / paso - 1e-9));
        e.desde = static_cast<double>(primera) * paso;
        e.hasta = static_cast<double>(ultima) * paso;
    }
    for (long long k = primera; k <= ultima; ++k) {
        const double v = static_cast<double>(k) * paso + 0.0;  // never "-0"
        e.marcas.push_back({v, con_decimales(v == 0 ? 0.0 : v, decimales, separador)});
    }
    return e;
}

}  // namespace zek
