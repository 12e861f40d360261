// SPDX-License-Identifier: MIT
#include "images/ataques.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>
#include <vector>

#include "base/colores.h"
#include "base/numeros.h"

namespace zek {
namespace {

constexpr uint64_t kSemillaRuido = 20031;

bool entero_entre(double v, double desde, double hasta) {
    return v == std::floor(v) && v >= desde && v <= hasta;
}

int32_t color(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// The picture as colours, row by row; -1 where a pixel is not a colour.
std::vector<int32_t> filas_de(const SuperficieImagen& s) {
    const int W = s.ancho(), H = s.alto();
    std::vector<int32_t> c(static_cast<size_t>(W) * H), columna(static_cast<size_t>(H));
    for (int x = 0; x < W; ++x) {
        s.lee_columna(x, 0, H, columna.data());
        for (int y = 0; y < H; ++y) c[static_cast<size_t>(y) * W + x] = columna[y];
    }
    return c;
}

// Colours row by row into a new picture of that size.
SuperficieMemoria de_filas(int W, int H, const std::vector<int32_t>& c) {
    SuperficieMemoria s(W, H);
    std::vector<int32_t> columna(static_cast<size_t>(H));
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) columna[y] = c[static_cast<size_t>(y) * W + x];
        s.pon_columna(x, 0, H, columna.data());
    }
    return s;
}

template <class PorCanal>
SuperficieMemoria canal_a_canal(const SuperficieImagen& imagen, PorCanal f) {
    std::vector<int32_t> c = filas_de(imagen);
    for (int32_t& p : c) {
        if (!es_color(p)) continue;
        // One channel after the other in a fixed order, blue first: f may
        // draw noise, and the order of a call's arguments is the compiler's.
        const int b = f(azul(p)), g = f(verde(p)), r = f(rojo(p));
        p = color(r, g, b);
    }
    return de_filas(imagen.ancho(), imagen.alto(), c);
}

SuperficieMemoria brillo(const SuperficieImagen& imagen, int d) {
    return canal_a_canal(imagen, [d](int v) { return std::clamp(v + d, 0, 255); });
}

// Each channel away from or towards mid-grey; halves round away from zero.
SuperficieMemoria contraste(const SuperficieImagen& imagen, int P) {
    return canal_a_canal(imagen, [P](int v) {
        const long c = std::lround(128.0 + (v - 128) * P / 100.0);
        return static_cast<int>(std::clamp(c, 0L, 255L));
    });
}

// A standard normal sample from 12 random bits: the 4096 quantiles at
// (i + 1/2) / 4096, worked out once by Newton's method on erfc. Far cheaper
// than a transcendental per sample, and the same on every machine.
const std::array<float, 4096>& cuantiles_normales() {
    static const std::array<float, 4096> tabla = [] {
        std::array<float, 4096> t{};
        for (size_t i = 0; i < t.size(); ++i) {
            const double p = (static_cast<double>(i) + 0.5) / 4096.0;
            double z = 0;
            for (int k = 0; k < 40; ++k) {
                const double cdf = 0.5 * std::erfc(-z / std::sqrt(2.0));
                const double dz =
                    (cdf - p) / (std::exp(-z * z / 2) / std::sqrt(2 * std::numbers::pi));
                z -= dz;
                if (std::fabs(dz) < 1e-12) break;
            }
            t[i] = static_cast<float>(z);
        }
        return t;
    }();
    return tabla;
}

// xorshift64*: fast, seeded, and enough for noise.
struct Azar {
    uint64_t s;
    uint64_t siguiente() {
        s ^= s >> 12;
        s ^= s << 25;
        s ^= s >> 27;
        return s * 2685821657736338717ULL;
    }
};

SuperficieMemoria ruido(const SuperficieImagen& imagen, double desviacion) {
    const auto& z = cuantiles_normales();
    Azar azar{kSemillaRuido};
    uint64_t bits = 0;
    int quedan = 0;
    return canal_a_canal(imagen, [&](int v) {
        if (quedan == 0) {
            bits = azar.siguiente();
            quedan = 5;  // five 12-bit draws from each 64-bit number
        }
        const double n = desviacion * z[bits & 0xFFF];
        bits >>= 12;
        --quedan;
        return static_cast<int>(std::clamp(std::nearbyint(v + n), 0.0, 255.0));
    });
}

// One channel of the picture with its border replicated: `antes` columns and
// rows before it, `despues` after, so that every window lies inside.
struct Plano {
    int ancho, alto;  // of the padded plane
    std::vector<uint8_t> v;
    uint8_t en(int x, int y) const { return v[static_cast<size_t>(y) * ancho + x]; }
    const uint8_t* fila(int y) const { return &v[static_cast<size_t>(y) * ancho]; }
};

std::array<Plano, 3> planos(const std::vector<int32_t>& c, int W, int H, int antes, int despues) {
    std::array<Plano, 3> p;
    for (int k = 0; k < 3; ++k) {
        p[k].ancho = W + antes + despues;
        p[k].alto = H + antes + despues;
        p[k].v.resize(static_cast<size_t>(p[k].ancho) * p[k].alto);
    }
    for (int y = 0; y < H + antes + despues; ++y) {
        const int ys = std::clamp(y - antes, 0, H - 1);
        for (int x = 0; x < W + antes + despues; ++x) {
            const int32_t col = c[static_cast<size_t>(ys) * W + std::clamp(x - antes, 0, W - 1)];
            const size_t i = static_cast<size_t>(y) * p[0].ancho + x;
            p[0].v[i] = static_cast<uint8_t>(rojo(col));
            p[1].v[i] = static_cast<uint8_t>(verde(col));
            p[2].v[i] = static_cast<uint8_t>(azul(col));
        }
    }
    return p;
}

// The N x N window around (x, y) runs from -(N/2) to (N-1)/2 on each axis.
SuperficieMemoria media(const SuperficieImagen& imagen, int N) {
    const int W = imagen.ancho(), H = imagen.alto(), antes = N / 2, despues = (N - 1) / 2;
    const auto p = planos(filas_de(imagen), W, H, antes, despues);
    std::vector<int32_t> salida(static_cast<size_t>(W) * H, 0);
    const int n = N * N;
    std::vector<int> columnas(static_cast<size_t>(p[0].ancho));
    for (int k = 0; k < 3; ++k) {
        for (int y = 0; y < H; ++y) {
            // Column sums of the window's rows, then a sum that slides along x.
            std::fill(columnas.begin(), columnas.end(), 0);
            for (int dy = 0; dy < N; ++dy) {
                const uint8_t* f = p[k].fila(y + dy);
                for (int x = 0; x < p[k].ancho; ++x) columnas[x] += f[x];
            }
            int suma = 0;
            for (int dx = 0; dx < N; ++dx) suma += columnas[dx];
            for (int x = 0; x < W; ++x) {
                // Rounded to the nearest whole, halves up.
                salida[static_cast<size_t>(y) * W + x] |= ((2 * suma + n) / (2 * n)) << (8 * k);
                if (x + 1 < W) suma += columnas[x + N] - columnas[x];
            }
        }
    }
    return de_filas(W, H, salida);
}

inline void ordena(uint8_t& a, uint8_t& b) {
    const uint8_t menor = std::min(a, b);
    b = std::max(a, b);
    a = menor;
}

// The median of each 3 x 3 window through a fixed network of 19
// comparisons, the same for every pixel, so that the compiler runs a row
// of pixels at once in vector registers.
void mediana_3(const Plano& p, int W, int H, int desplazamiento, std::vector<int32_t>& salida) {
    for (int y = 0; y < H; ++y) {
        const uint8_t *f0 = p.fila(y), *f1 = p.fila(y + 1), *f2 = p.fila(y + 2);
        int32_t* s = &salida[static_cast<size_t>(y) * W];
        for (int x = 0; x < W; ++x) {
            uint8_t v0 = f0[x], v1 = f0[x + 1], v2 = f0[x + 2], v3 = f1[x], v4 = f1[x + 1],
                    v5 = f1[x + 2], v6 = f2[x], v7 = f2[x + 1], v8 = f2[x + 2];
            ordena(v1, v2), ordena(v4, v5), ordena(v7, v8), ordena(v0, v1), ordena(v3, v4);
            ordena(v6, v7), ordena(v1, v2), ordena(v4, v5), ordena(v7, v8), ordena(v0, v3);
            ordena(v5, v8), ordena(v4, v7), ordena(v3, v6), ordena(v1, v4), ordena(v2, v5);
            ordena(v4, v7), ordena(v4, v2), ordena(v6, v4), ordena(v4, v2);
            s[x] |= int32_t{v4} << desplazamiento;
        }
    }
}

// Median of one channel through a histogram that slides along the row: a
// column enters and one leaves at each step, and the median moves from
// where it was, knowing how many values lie below it. An even count takes
// the upper of the two middle values.
class MedianaDeslizante {
  public:
    explicit MedianaDeslizante(int mitad) : mitad_(mitad) {}
    void pon(int v, int signo) {
        h_[static_cast<size_t>(v)] += signo;
        if (v < m_) debajo_ += signo;
    }
    int mediana() {
        while (debajo_ > mitad_) debajo_ -= h_[static_cast<size_t>(--m_)];
        while (debajo_ + h_[static_cast<size_t>(m_)] <= mitad_)
            debajo_ += h_[static_cast<size_t>(m_++)];
        return m_;
    }

  private:
    std::array<int, 256> h_{};
    int mitad_, m_ = 0, debajo_ = 0;
};

void mediana_n(const Plano& p, int W, int H, int N, int desplazamiento,
               std::vector<int32_t>& salida) {
    for (int y = 0; y < H; ++y) {
        MedianaDeslizante m(N * N / 2);
        const auto columna = [&](int x, int signo) {
            for (int dy = 0; dy < N; ++dy) m.pon(p.en(x, y + dy), signo);
        };
        for (int dx = 0; dx < N; ++dx) columna(dx, +1);
        for (int x = 0; x < W; ++x) {
            salida[static_cast<size_t>(y) * W + x] |= m.mediana() << desplazamiento;
            if (x + 1 < W) {
                columna(x, -1);
                columna(x + N, +1);
            }
        }
    }
}

SuperficieMemoria mediana(const SuperficieImagen& imagen, int N) {
    const int W = imagen.ancho(), H = imagen.alto();
    const auto p = planos(filas_de(imagen), W, H, N / 2, (N - 1) / 2);
    std::vector<int32_t> salida(static_cast<size_t>(W) * H, 0);
    for (int k = 0; k < 3; ++k) {
        if (N == 3) {
            mediana_3(p[k], W, H, 8 * k, salida);
        } else {
            mediana_n(p[k], W, H, N, 8 * k, salida);
        }
    }
    return de_filas(W, H, salida);
}

// The first N columns and rows removed.
SuperficieMemoria recorte(const SuperficieImagen& imagen, int N) {
    const int W = std::max(imagen.ancho() - N, 0), H = std::max(imagen.alto() - N, 0);
    SuperficieMemoria salida(W, H);
    std::vector<int32_t> columna(static_cast<size_t>(H));
    for (int x = 0; x < W; ++x) {
        imagen.lee_columna(x + N, N, H, columna.data());
        salida.pon_columna(x, 0, H, columna.data());
    }
    return salida;
}

// Where each output sample falls between two input samples along one axis
// of n inputs resampled to m outputs (pixel centres aligned).
struct Muestra {
    int a, b;
    float t;
};
std::vector<Muestra> muestras(int n, int m) {
    std::vector<Muestra> r(static_cast<size_t>(m));
    const double escala = static_cast<double>(n) / m;
    for (int i = 0; i < m; ++i) {
        const double f = std::clamp((i + 0.5) * escala - 0.5, 0.0, n - 1.0);
        const int a = static_cast<int>(f);
        r[i] = {a, std::min(a + 1, n - 1), static_cast<float>(f - a)};
    }
    return r;
}

// Bilinear resampling, separably: along the rows into floats, then down the
// columns, one channel at a time.
std::vector<int32_t> remuestrea(const std::vector<int32_t>& c, int W, int H, int W2, int H2) {
    const auto mx = muestras(W, W2), my = muestras(H, H2);
    std::vector<int32_t> salida(static_cast<size_t>(W2) * H2, 0);
    std::vector<float> fila(static_cast<size_t>(W)), horizontal(static_cast<size_t>(W2) * H);
    for (int k = 0; k < 3; ++k) {
        for (int y = 0; y < H; ++y) {
            const int32_t* origen = &c[static_cast<size_t>(y) * W];
            for (int x = 0; x < W; ++x) fila[x] = static_cast<float>((origen[x] >> (8 * k)) & 0xFF);
            float* destino = &horizontal[static_cast<size_t>(y) * W2];
            for (int x = 0; x < W2; ++x) {
                const Muestra m = mx[x];
                destino[x] = fila[m.a] + (fila[m.b] - fila[m.a]) * m.t;
            }
        }
        for (int y = 0; y < H2; ++y) {
            const Muestra m = my[y];
            const float* arriba = &horizontal[static_cast<size_t>(m.a) * W2];
            const float* abajo = &horizontal[static_cast<size_t>(m.b) * W2];
            int32_t* destino = &salida[static_cast<size_t>(y) * W2];
            for (int x = 0; x < W2; ++x) {
                const float v = arriba[x] + (abajo[x] - arriba[x]) * m.t;
                destino[x] |= static_cast<int32_t>(std::clamp(v + 0.5f, 0.0f, 255.0f)) << (8 * k);
            }
        }
    }
    return salida;
}

// Shrunk to P % of each side (at least one pixel) and enlarged back.
SuperficieMemoria escala(const SuperficieImagen& imagen, double P) {
    const int W = imagen.ancho(), H = imagen.alto();
    const int W2 = std::max(1, static_cast<int>(std::lround(W * P / 100))),
              H2 = std::max(1, static_cast<int>(std::lround(H * P / 100)));
    std::vector<int32_t> c = filas_de(imagen);
    for (int32_t& p : c) p = es_color(p) ? p : 0;
    return de_filas(W, H, remuestrea(remuestrea(c, W, H, W2, H2), W2, H2, W, H));
}

}  // namespace

std::optional<Ataque> lee_ataque(const std::string& texto) {
    const auto dos_puntos = texto.find(':');
    if (dos_puntos == std::string::npos) return std::nullopt;
    const std::string nombre = texto.substr(0, dos_puntos);
    const auto v = lee_decimal(std::string_view(texto).substr(dos_puntos + 1));
    if (!v) return std::nullopt;
    const RangoAtaque* r = rango_de_ataque(nombre);
    if (!r || *v < r->desde || *v > r->hasta) return std::nullopt;
    if (r->entero && !entero_entre(*v, r->desde, r->hasta)) return std::nullopt;
    return Ataque{r->tipo, *v, texto};
}

const RangoAtaque* rango_de_ataque(std::string_view nombre) {
    for (const RangoAtaque& r : kRangosAtaque)
        if (nombre == r.nombre) return &r;
    return nullptr;
}

const RangoAtaque& rango_de_ataque(TipoAtaque tipo) {
    for (const RangoAtaque& r : kRangosAtaque)
        if (r.tipo == tipo) return r;
    return kRangosAtaque[0];
}

double hasta_en_imagen(const RangoAtaque& rango, int W, int H) {
    if (rango.tipo != TipoAtaque::Recorte) return rango.hasta;
    return std::clamp(std::min(W, H) - 1, 0, kMayorRecorte);
}

std::optional<SuperficieMemoria> aplica_ataque(const Ataque& ataque, const SuperficieImagen& imagen,
                                               const CodecJpeg* jpeg) {
    if (imagen.ancho() < 1 || imagen.alto() < 1)
        return SuperficieMemoria(imagen.ancho(), imagen.alto());
    const int n = static_cast<int>(ataque.valor);
    switch (ataque.tipo) {
        case TipoAtaque::Jpeg:
            if (!jpeg) return std::nullopt;
            return jpeg->comprime(imagen, n);
        case TipoAtaque::Ruido:
            return ruido(imagen, ataque.valor);
        case TipoAtaque::Media:
            return media(imagen, n);
        case TipoAtaque::Mediana:
            return mediana(imagen, n);
        case TipoAtaque::Brillo:
            return brillo(imagen, n);
        case TipoAtaque::Contraste:
            return contraste(imagen, n);
        case TipoAtaque::Recorte:
            return recorte(imagen, n);
        case TipoAtaque::Escala:
            return escala(imagen, ataque.valor);
    }
    return std::nullopt;
}

}  // namespace zek
