// SPDX-License-Identifier: MIT
#include "engine/espectro.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <random>

#include "engine/metodo.h"

namespace zek {
namespace {

// M[k N + n] = a_N(k) cos((2n + 1) k pi / 2N): row k of the orthonormal
// DCT-II of N samples.
std::vector<double> cosenos(int N) {
    std::vector<double> M(static_cast<size_t>(N) * N);
    for (int k = 0; k < N; ++k) {
        const double a = std::sqrt((k == 0 ? 1.0 : 2.0) / N);
        for (int n = 0; n < N; ++n)
            M[static_cast<size_t>(k) * N + n] =
                a * std::cos((2 * n + 1) * k * std::numbers::pi / (2.0 * N));
    }
    return M;
}

// destino[i] += k origen[i]: the loops below are written as these, which
// the compiler runs across vector lanes without reordering any sum.
void suma_escalada(double* destino, const double* origen, double k, int n) {
    for (int i = 0; i < n; ++i) destino[i] += k * origen[i];
}

size_t en(int fila, int ancho, int columna) {
    return static_cast<size_t>(fila) * ancho + columna;
}

}  // namespace

std::vector<double> dct_2d(const std::vector<double>& Y, int W, int H) {
    const std::vector<double> MW = cosenos(W), MH = cosenos(H);
    // Rows: R(y, u) = sum_x MW(u, x) Y(y, x), as sums of the rows of MW's transpose.
    std::vector<double> MWt(MW.size());
    for (int u = 0; u < W; ++u) {
        for (int x = 0; x < W; ++x) MWt[en(x, W, u)] = MW[en(u, W, x)];
    }
    std::vector<double> R(static_cast<size_t>(W) * H, 0.0), C(R.size(), 0.0);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x)
            suma_escalada(&R[en(y, W, 0)], &MWt[en(x, W, 0)], Y[en(y, W, x)], W);
    }
    // Columns: C(v, u) = sum_y MH(v, y) R(y, u).
    for (int v = 0; v < H; ++v) {
        for (int y = 0; y < H; ++y)
            suma_escalada(&C[en(v, W, 0)], &R[en(y, W, 0)], MH[en(v, H, y)], W);
    }
    return C;
}

std::vector<double> idct_2d(const std::vector<double>& C, int W, int H) {
    const std::vector<double> MW = cosenos(W), MH = cosenos(H);
    // Rows of C that are all zero add nothing: a sparse change costs little.
    std::vector<bool> fila_nula(static_cast<size_t>(H));
    for (int v = 0; v < H; ++v)
        fila_nula[static_cast<size_t>(v)] =
            std::all_of(C.begin() + static_cast<std::ptrdiff_t>(en(v, W, 0)),
                        C.begin() + static_cast<std::ptrdiff_t>(en(v + 1, W, 0)),
                        [](double c) { return c == 0; });
    std::vector<double> T(C.size(), 0.0), Y(C.size(), 0.0);
    for (int y = 0; y < H; ++y) {
        for (int v = 0; v < H; ++v) {
            if (!fila_nula[static_cast<size_t>(v)])
                suma_escalada(&T[en(y, W, 0)], &C[en(v, W, 0)], MH[en(v, H, y)], W);
        }
    }
    for (int y = 0; y < H; ++y) {
        for (int u = 0; u < W; ++u) {
            const double t = T[en(y, W, u)];
            if (t != 0) suma_escalada(&Y[en(y, W, 0)], &MW[en(u, W, 0)], t, W);
        }
    }
    return Y;
}

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

std::optional<SuperficieMemoria> inserta_espectro(const SuperficieImagen& anfitrion, double clave,
                                                  double alfa, int n, std::string* motivo) {
    const int W = anfitrion.ancho(), H = anfitrion.alto();
    const std::string no = no_cabe_espectro(W, H, n);
    if (motivo) *motivo = no;
    if (!no.empty()) return std::nullopt;
    const std::vector<double> C = dct_2d(luminancias(anfitrion), W, H);
    const std::vector<int> p = posiciones_mayores(C, n);
    const std::vector<double> x = secuencia_de_clave(clave, n);
    // Y' - Y is the inverse of the change alone: C(p_i) alfa x_i.
    std::vector<double> cambio(C.size(), 0.0);
    for (size_t i = 0; i < p.size(); ++i) {
        const auto j = static_cast<size_t>(p[i]);
        cambio[j] = C[j] * alfa * x[i];
    }
    const std::vector<double> dY = idct_2d(cambio, W, H);
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
    : W_(original.ancho()), H_(original.alto()) {
    const std::vector<double> C = dct_2d(luminancias(original), W_, H_);
    posiciones_ = posiciones_mayores(C, n);
    for (const int p : posiciones_) originales_.push_back(C[static_cast<size_t>(p)]);
}

std::optional<std::vector<double>> DetectorEspectro::extrae(const SuperficieImagen& sospechosa,
                                                            double alfa) const {
    if (sospechosa.ancho() != W_ || sospechosa.alto() != H_) return std::nullopt;
    const std::vector<double> Y = luminancias(sospechosa);
    const std::vector<double> MW = cosenos(W_), MH = cosenos(H_);
    // Only the columns u the positions use: R_u(y) = sum_x MW(u, x) Y(y, x).
    std::vector<int> columna_de(static_cast<size_t>(W_), -1);
    std::vector<std::vector<double>> R;
    for (const int p : posiciones_) {
        const int u = p % W_;
        if (columna_de[static_cast<size_t>(u)] >= 0) continue;
        columna_de[static_cast<size_t>(u)] = static_cast<int>(R.size());
        std::vector<double> r(static_cast<size_t>(H_), 0.0);
        for (int y = 0; y < H_; ++y) {
            double s = 0;
            for (int x = 0; x < W_; ++x) s += MW[en(u, W_, x)] * Y[en(y, W_, x)];
            r[static_cast<size_t>(y)] = s;
        }
        R.push_back(std::move(r));
    }
    std::vector<double> extraida(posiciones_.size());
    for (size_t i = 0; i < posiciones_.size(); ++i) {
        const int v = posiciones_[i] / W_, u = posiciones_[i] % W_;
        const std::vector<double>& r = R[static_cast<size_t>(columna_de[static_cast<size_t>(u)])];
        double cz = 0;
        for (int y = 0; y < H_; ++y) cz += MH[en(v, H_, y)] * r[static_cast<size_t>(y)];
        const double c = originales_[i];
        // A coefficient the host does not have (a flat picture's) carries nothing.
        extraida[i] = std::fabs(c) > 1e-9 && alfa != 0 ? (cz - c) / (alfa * c) : 0;
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
    for (int k = 1; k <= claves; ++k)
        r.falsas.push_back(similitud(extraida, secuencia_de_clave(clave + k, n)));
    if (r.falsas.empty()) return r;
    const double cuantas = static_cast<double>(r.falsas.size());
    r.media = std::accumulate(r.falsas.begin(), r.falsas.end(), 0.0) / cuantas;
    double suma = 0;
    for (const double s : r.falsas) suma += (s - r.media) * (s - r.media);
    r.desviacion = std::sqrt(suma / cuantas);
    return r;
}

}  // namespace zek
