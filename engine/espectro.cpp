// SPDX-License-Identifier: MIT
#include "engine/espectro.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <random>

#include "base/portatil.h"
#include "engine/dct.h"
#include "engine/metodo.h"

namespace zek {
namespace {

size_t en(int fila, int ancho, int columna) {
    return static_cast<size_t>(fila) * ancho + columna;
}

// The distinct columns u (and rows v) the positions use, each with its
// place in the list: the coefficients marked sit in a small corner of the
// spectrum, so the sums below run over it alone.
struct Esquina {
    std::vector<int> columnas, filas;
    std::vector<int> columna_de, fila_de;  // -1 where not used
};
Esquina esquina_de(const std::vector<int>& posiciones, int W, int H) {
    Esquina e{{},
              {},
              std::vector<int>(static_cast<size_t>(W), -1),
              std::vector<int>(static_cast<size_t>(H), -1)};
    for (const int p : posiciones) {
        const int u = p % W, v = p / W;
        if (e.columna_de[static_cast<size_t>(u)] < 0) {
            e.columna_de[static_cast<size_t>(u)] = static_cast<int>(e.columnas.size());
            e.columnas.push_back(u);
        }
        if (e.fila_de[static_cast<size_t>(v)] < 0) {
            e.fila_de[static_cast<size_t>(v)] = static_cast<int>(e.filas.size());
            e.filas.push_back(v);
        }
    }
    return e;
}

// The rows of MW that the corner's columns use, transposed: [x][j].
std::vector<double> columnas_de_MW(const std::vector<double>& MW, const Esquina& e, int W) {
    const int U = static_cast<int>(e.columnas.size());
    std::vector<double> M(static_cast<size_t>(W) * U);
    for (int x = 0; x < W; ++x) {
        for (int j = 0; j < U; ++j)
            M[en(x, U, j)] = MW[en(e.columnas[static_cast<size_t>(j)], W, x)];
    }
    return M;
}

}  // namespace

std::vector<double> luminancias(const SuperficieImagen& imagen) {
    const int W = imagen.ancho(), H = imagen.alto();
    std::vector<double> Y(static_cast<size_t>(W) * H);
    std::vector<int32_t> columna(static_cast<size_t>(H));
    for (int x = 0; x < W; ++x) {
        imagen.lee_columna(x, 0, H, columna.data());
        for (int y = 0; y < H; ++y)
            Y[en(y, W, x)] = luminancia_dct(columna[static_cast<size_t>(y)]);
    }
    return Y;
}

std::vector<int> posiciones_mayores(const std::vector<double>& C, int n) {
    std::vector<int> indices(C.size() > 1 ? C.size() - 1 : 0);
    std::iota(indices.begin(), indices.end(), 1);  // (0, 0) left out
    const auto k = static_cast<std::ptrdiff_t>(
        std::clamp<size_t>(static_cast<size_t>(std::max(n, 0)), 0, indices.size()));
    std::partial_sort(indices.begin(), indices.begin() + k, indices.end(), [&](int a, int b) {
        const double ma = std::fabs(C[static_cast<size_t>(a)]),
                     mb = std::fabs(C[static_cast<size_t>(b)]);
        return ma != mb ? ma > mb : a < b;
    });
    indices.resize(static_cast<size_t>(k));
    return indices;
}

std::vector<double> secuencia_de_clave(double clave, int n) {
    // Clave rounded half away from zero, modulo 2^32 (exact in doubles).
    double semilla = std::isfinite(clave) ? std::fmod(std::round(clave), 4294967296.0) : 0;
    if (semilla < 0) semilla += 4294967296.0;
    std::mt19937 generador(static_cast<uint32_t>(semilla));
    std::vector<double> x;
    x.reserve(static_cast<size_t>(std::max(n, 0)) + 1);
    while (static_cast<int>(x.size()) < n) {
        const double u1 = (static_cast<uint32_t>(generador()) + 0.5) / 4294967296.0;
        const double u2 = (static_cast<uint32_t>(generador()) + 0.5) / 4294967296.0;
        const double r = std::sqrt(-2 * std::log(u1)), angulo = 2 * std::numbers::pi * u2;
        x.push_back(r * std::cos(angulo));
        x.push_back(r * std::sin(angulo));
    }
    x.resize(static_cast<size_t>(std::max(n, 0)));
    return x;
}

std::string no_cabe_espectro(int W, int H, int n) {
    const int64_t hay = int64_t{W} * H - 1;
    if (n >= 1 && n <= hay) return {};
    return "La marca de " + std::to_string(n) + " coeficientes no cabe con el método de espectro " +
           "ensanchado en una imagen de " + std::to_string(W) + " × " + std::to_string(H) +
           ": caben " + std::to_string(std::max<int64_t>(hay, 0)) + " coeficientes.";
}

CoeficientesEspectro coeficientes_espectro(const SuperficieImagen& imagen) {
    const int W = imagen.ancho(), H = imagen.alto();
    return {W, H, dct_2d(luminancias(imagen), W, H)};
}

std::optional<SuperficieMemoria> inserta_espectro(const SuperficieImagen& anfitrion, double clave,
                                                  double alfa, int n, std::string* motivo) {
    const std::string no = no_cabe_espectro(anfitrion.ancho(), anfitrion.alto(), n);
    if (motivo) *motivo = no;
    if (!no.empty()) return std::nullopt;
    return inserta_espectro(anfitrion, coeficientes_espectro(anfitrion), clave, alfa, n, motivo);
}

std::optional<SuperficieMemoria> inserta_espectro(const SuperficieImagen& anfitrion,
                                                  const CoeficientesEspectro& coeficientes,
                                                  double clave, double alfa, int n,
                                                  std::string* motivo) {
    const int W = anfitrion.ancho(), H = anfitrion.alto();
    const std::string no = no_cabe_espectro(W, H, n);
    if (motivo) *motivo = no;
    if (!no.empty() || coeficientes.W != W || coeficientes.H != H) return std::nullopt;
    const std::vector<double>& C = coeficientes.C;
    const std::vector<int> p = posiciones_mayores(C, n);
    const std::vector<double> x = secuencia_de_clave(clave, n);
    // Y' - Y is the inverse of the change alone, C(p_i) alfa x_i, which
    // sits in a small corner of the spectrum: first down its columns, then
    // across.
    const Esquina e = esquina_de(p, W, H);
    const int U = static_cast<int>(e.columnas.size());
    const std::vector<double> MW = base_dct(W), MH = base_dct(H);
    std::vector<double> cambio(e.filas.size() * static_cast<size_t>(U), 0.0);  // [fila][j]
    for (size_t i = 0; i < p.size(); ++i) {
        const int v = p[i] / W, u = p[i] % W;
        cambio[en(e.fila_de[static_cast<size_t>(v)], U, e.columna_de[static_cast<size_t>(u)])] =
            C[static_cast<size_t>(p[i])] * alfa * x[i];
    }
    std::vector<double> T(static_cast<size_t>(H) * U, 0.0), dY(static_cast<size_t>(W) * H, 0.0);
    for (int y = 0; y < H; ++y) {
        for (size_t f = 0; f < e.filas.size(); ++f)
            suma_escalada(&T[en(y, U, 0)], &cambio[f * static_cast<size_t>(U)],
                          MH[en(e.filas[f], H, y)], U);
        for (int j = 0; j < U; ++j)
            suma_escalada(&dY[en(y, W, 0)], &MW[en(e.columnas[static_cast<size_t>(j)], W, 0)],
                          T[en(y, U, j)], W);
    }
    SuperficieMemoria marcada = copia(anfitrion);
    std::vector<int32_t> columna(static_cast<size_t>(H));
    for (int x0 = 0; x0 < W; ++x0) {
        marcada.lee_columna(x0, 0, H, columna.data());
        for (int y = 0; y < H; ++y) {
            int32_t& c = columna[static_cast<size_t>(y)];
            if (c < 0) continue;
            const double d = std::round(dY[en(y, W, x0)]);  // halves away from zero
            int32_t nuevo = 0;
            for (int k = 0; k < 3; ++k) {
                const double canal = std::clamp(((c >> (8 * k)) & 0xFF) + d, 0.0, 255.0);
                nuevo |= static_cast<int32_t>(canal) << (8 * k);
            }
            c = nuevo;
        }
        marcada.pon_columna(x0, 0, H, columna.data());
    }
    return marcada;
}

DetectorEspectro::DetectorEspectro(const SuperficieImagen& original, int n)
    : DetectorEspectro(coeficientes_espectro(original), n) {}

DetectorEspectro::DetectorEspectro(const CoeficientesEspectro& original, int n)
    : W_(original.W), H_(original.H) {
    posiciones_ = posiciones_mayores(original.C, n);
    for (const int p : posiciones_) originales_.push_back(original.C[static_cast<size_t>(p)]);
}

std::optional<std::vector<double>> DetectorEspectro::extrae(const SuperficieImagen& sospechosa,
                                                            double alfa) const {
    if (sospechosa.ancho() != W_ || sospechosa.alto() != H_) return std::nullopt;
    const std::vector<double> Y = luminancias(sospechosa);
    const std::vector<double> MW = base_dct(W_), MH = base_dct(H_);
    // Only the columns u the positions use: R(y, j) = sum_x MW(u_j, x) Y(y, x).
    const Esquina e = esquina_de(posiciones_, W_, H_);
    const int U = static_cast<int>(e.columnas.size());
    const std::vector<double> M = columnas_de_MW(MW, e, W_);
    std::vector<double> R(static_cast<size_t>(H_) * U, 0.0);
    for (int y = 0; y < H_; ++y) {
        for (int x = 0; x < W_; ++x)
            suma_escalada(&R[en(y, U, 0)], &M[en(x, U, 0)], Y[en(y, W_, x)], U);
    }
    std::vector<double> extraida(posiciones_.size());
    for (size_t i = 0; i < posiciones_.size(); ++i) {
        const int v = posiciones_[i] / W_,
                  j = e.columna_de[static_cast<size_t>(posiciones_[i] % W_)];
        double cz = 0;
        for (int y = 0; y < H_; ++y) cz += MH[en(v, H_, y)] * R[en(y, U, j)];
        const double c = originales_[i], cambio = cz - c;
        // A coefficient the host does not have (a flat picture's) carries
        // nothing, and one the picture left as it was (but for the
        // transforms' own rounding) reads nothing.
        const bool movido = std::fabs(cambio) > 1e-9 * std::max(1.0, std::fabs(c));
        extraida[i] = std::fabs(c) > 1e-9 && alfa != 0 && movido ? cambio / (alfa * c) : 0;
    }
    return extraida;
}

double similitud(const std::vector<double>& extraida, const std::vector<double>& secuencia) {
    double producto = 0, energia = 0;
    for (size_t i = 0; i < extraida.size() && i < secuencia.size(); ++i) {
        producto += extraida[i] * secuencia[i];
        energia += extraida[i] * extraida[i];
    }
    return energia > 0 ? producto / std::sqrt(energia) : 0;
}

double probabilidad_de_falsa_alarma(double umbral) {
    return 0.5 * std::erfc(umbral / std::numbers::sqrt2);
}

RespuestaDetector responde(const std::vector<double>& extraida, double clave, int claves) {
    const int n = static_cast<int>(extraida.size());
    RespuestaDetector r;
    r.sim = similitud(extraida, secuencia_de_clave(clave, n));
    if (claves < 1) return r;
    r.falsas.resize(static_cast<size_t>(claves));
    // Each key's sequence is its own: the keys split over two cores.
    const auto tramo = [&](int desde, int hasta) {
        for (int k = desde; k <= hasta; ++k)
            r.falsas[static_cast<size_t>(k - 1)] =
                similitud(extraida, secuencia_de_clave(clave + k, n));
    };
    const int mitad = claves / 2;
    if (hay_dos_nucleos() && claves > 1)
        a_la_vez([&] { tramo(1, mitad); }, [&] { tramo(mitad + 1, claves); });
    else
        tramo(1, claves);
    const double cuantas = static_cast<double>(r.falsas.size());
    r.media = std::accumulate(r.falsas.begin(), r.falsas.end(), 0.0) / cuantas;
    double suma = 0;
    for (const double s : r.falsas) suma += (s - r.media) * (s - r.media);
    r.desviacion = std::sqrt(suma / cuantas);
    r.mayor = *std::max_element(r.falsas.begin(), r.falsas.end());
    return r;
}

}  // namespace zek
