// SPDX-License-Identifier: MIT
// Quantisation of DCT coefficients on JPEG's own 8 x 8 grid: each watermark
// pixel brings one middle-frequency coefficient of one block to Clave or
// Clave + step/2 modulo its step, alfa times JPEG's quantiser for it, so
// that the quality at which JPEG breaks the mark can be predicted from
// JPEG's table.
#include <array>
#include <cmath>
#include <numbers>

#include "base/vectores.h"
#include "engine/dct.h"
#include "engine/metodo.h"
#include "engine/sincronizacion.h"

namespace zek {
namespace {

constexpr int kLado = 8;

// JPEG's standard luminance quantisation table (Annex K, Table K.1), row v
// (vertical frequency), column u.
constexpr int kQ50[kLado][kLado] = {
    {16, 11, 10, 16, 24, 40, 51, 61},     {12, 12, 14, 19, 26, 58, 60, 55},
    {14, 13, 16, 24, 40, 57, 69, 56},     {14, 17, 22, 29, 51, 87, 80, 62},
    {18, 22, 37, 56, 68, 109, 103, 77},   {24, 35, 55, 64, 81, 104, 113, 92},
    {49, 64, 78, 87, 103, 121, 120, 101}, {72, 92, 95, 98, 112, 100, 103, 99}};

// JPEG's zigzag positions 6 to 20, the anti-diagonals u + v = 3, 4, 5, as
// (v, u).
struct Coeficiente {
    int v, u;
};
constexpr Coeficiente kUsados[] = {{0, 3}, {1, 2}, {2, 1}, {3, 0}, {4, 0}, {3, 1}, {2, 2}, {1, 3},
                                   {0, 4}, {0, 5}, {1, 4}, {2, 3}, {3, 2}, {4, 1}, {5, 0}};
constexpr int kPorBloque = static_cast<int>(std::size(kUsados));

// a(k) cos((2n + 1) k pi / 16): the engine's DCT-II basis of 8 samples.
const std::array<std::array<double, kLado>, kLado>& base_8() {
    static const auto b = [] {
        const std::vector<double> M = base_dct(kLado);
        std::array<std::array<double, kLado>, kLado> t{};
        for (int k = 0; k < kLado; ++k) {
            for (int n = 0; n < kLado; ++n)
                t[static_cast<size_t>(k)][static_cast<size_t>(n)] =
                    M[static_cast<size_t>(k * kLado + n)];
        }
        return t;
    }();
    return b;
}

// Whole blocks from the picture's first pixel, on JPEG's own grid: the
// coefficients are those a JPEG encoder quantises.
struct Rejilla {
    int Bx, By;
    int64_t N() const { return int64_t{Bx} * By; }
};
Rejilla rejilla(int W, int H) {
    return {std::max(W, 0) / kLado, std::max(H, 0) / kLado};
}

int coeficientes_por_bloque(int64_t N, int Wm, int Hm) {
    const int64_t P = int64_t{Wm} * Hm;
    return N < 1 ? kPorBloque + 1 : static_cast<int>((P + N - 1) / N);
}

// One column of blocks: eight columns of the picture, their colours and
// their luminance as the host capture computes it. The picture is read a
// column of blocks at a time, so that nothing the size of the picture is
// held but the result.
struct Franja {
    int H;
    std::vector<int32_t> colores;
    std::vector<double> Y;
    explicit Franja(int alto)
        : H(alto),
          colores(static_cast<size_t>(kLado) * alto),
          Y(static_cast<size_t>(kLado) * alto) {}

    void lee(const SuperficieImagen& imagen, int x0) {
        for (int x = 0; x < kLado; ++x)
            imagen.lee_columna(x0 + x, 0, H, &colores[static_cast<size_t>(x) * H]);
        for (size_t i = 0; i < colores.size(); ++i) Y[i] = luminancia_dct(colores[i]);
    }
    const double* columna(int x, int y0) const { return &Y[static_cast<size_t>(x) * H + y0]; }
};

// The list's coefficients reach u = 5 at most.
constexpr int kFrecuencias = 6;

// A column of a block as two vectors of four doubles, so that each sum is
// made in the same order whatever the processor's vector width.
using Cuatro = vec::Carriles<4>::Dobles;
struct Columna8 {
    Cuatro a, b;  // rows 0-3 and 4-7
};
ZEK_EN_LINEA void carga(const double* f, Columna8& c) {
    c.a = vec::carga<Cuatro>(f);
    c.b = vec::carga<Cuatro>(f + 4);
}
ZEK_EN_LINEA double suma(const Cuatro& v) {
    return (v[0] + v[1]) + (v[2] + v[3]);
}

// The basis again, as columns: base[k] holds a(k) cos((2n + 1) k pi / 16)
// for n = 0 .. 7.
const std::array<Columna8, kLado>& base_en_columnas() {
    static const auto b = [] {
        std::array<Columna8, kLado> t{};
        for (int k = 0; k < kLado; ++k) carga(base_8()[k].data(), t[k]);
        return t;
    }();
    return b;
}

// Coefficients 0 .. k - 1 of the list for the block at row y0 of the strip:
// first along each row for the six horizontal frequencies, then along the
// columns for the coefficients wanted.
ZEK_EN_LINEA void coeficientes_en(const Franja& franja, int y0, int k, double* c) {
    const auto& b = base_8();
    const auto& bc = base_en_columnas();
    Columna8 fila[kFrecuencias] = {};  // fila[u](y) = sum over x of f(x, y) a(u) cos(...)
    for (int x = 0; x < kLado; ++x) {
        Columna8 f;
        carga(franja.columna(x, y0), f);
        for (int u = 0; u < kFrecuencias; ++u) {
            const double p = b[u][x];
            fila[u].a += f.a * p;
            fila[u].b += f.b * p;
        }
    }
    for (int j = 0; j < k; ++j) {
        const Coeficiente cj = kUsados[j];
        c[j] = suma(fila[cj.u].a * bc[cj.v].a + fila[cj.u].b * bc[cj.v].b);
    }
}

// round(d), halves away from zero, kept within +-512 (beyond 255 every
// channel saturates); without branches, so that it runs across vector lanes.
ZEK_EN_LINEA int32_t redondea(double d) {
    d = std::fabs(d) < 512 ? d : d > 0 ? 512 : -512;
    const auto entero = static_cast<int32_t>(d);  // toward zero
    const double resto = d - entero;
    return entero + (resto >= 0.5) - (resto <= -0.5);
}

// The pixel with paso added to each channel, clamped to 0 .. 255.
ZEK_EN_LINEA int32_t mueve(int32_t color, int32_t paso) {
    const auto canal = [paso](int32_t v) { return std::clamp(v + paso, 0, 255); };
    const int32_t nuevo =
        canal(color & 0xFF) | canal((color >> 8) & 0xFF) << 8 | canal((color >> 16) & 0xFF) << 16;
    return color < 0 ? color : nuevo;
}

// Adds to the block at row y0 of the strip the inverse transform of the
// coefficients' changes, Y' - Y, rounded, to each channel.
ZEK_EN_LINEA void aplica_inversa_en(const double* delta, int k, int y0, Franja& franja) {
    const auto& b = base_8();
    const auto& bc = base_en_columnas();
    Columna8 columna[kFrecuencias] = {};  // columna[u](y) = sum over v of delta(v, u) a(v) cos(...)
    for (int j = 0; j < k; ++j) {
        const Coeficiente cj = kUsados[j];
        columna[cj.u].a += delta[j] * bc[cj.v].a;
        columna[cj.u].b += delta[j] * bc[cj.v].b;
    }
    for (int x = 0; x < kLado; ++x) {
        Columna8 d = {};
        for (int u = 0; u < kFrecuencias; ++u) {
            const double p = b[u][x];
            d.a += columna[u].a * p;
            d.b += columna[u].b * p;
        }
        int32_t* colores = &franja.colores[static_cast<size_t>(x) * franja.H + y0];
        int32_t pasos[kLado];
        for (int y = 0; y < 4; ++y) pasos[y] = redondea(d.a[y]);
        for (int y = 0; y < 4; ++y) pasos[4 + y] = redondea(d.b[y]);
        for (int y = 0; y < kLado; ++y) colores[y] = mueve(colores[y], pasos[y]);
    }
}

// Both built a second time for AVX2, where four lanes are one register.
#if defined(__x86_64__)
[[gnu::target("avx2")]] void coeficientes_avx2(const Franja& franja, int y0, int k, double* c) {
    coeficientes_en(franja, y0, k, c);
}
[[gnu::target("avx2")]] void aplica_inversa_avx2(const double* delta, int k, int y0,
                                                 Franja& franja) {
    aplica_inversa_en(delta, k, y0, franja);
}
#endif
void coeficientes(const Franja& franja, int y0, int k, double* c) {
#if defined(__x86_64__)
    if (vec::hay_avx2()) return coeficientes_avx2(franja, y0, k, c);
#endif
    coeficientes_en(franja, y0, k, c);
}
void aplica_inversa(const double* delta, int k, int y0, Franja& franja) {
#if defined(__x86_64__)
    if (vec::hay_avx2()) return aplica_inversa_avx2(delta, k, y0, franja);
#endif
    aplica_inversa_en(delta, k, y0, franja);
}

// Walks the columns of blocks, and in each the blocks that carry watermark
// pixels, with the numbers of the pixels each carries: pixel i is in block
// i mod N (numbered row by row), coefficient i / N. hecha(x0, franja) is
// called once each column of blocks has been seen.
template <typename F, typename G>
void recorre_bloques(const SuperficieImagen& imagen, const Rejilla& r, int64_t P, F&& f,
                     G&& hecha) {
    const int64_t N = r.N();
    Franja franja(imagen.alto());
    std::array<int64_t, kPorBloque> pixeles{};
    for (int bx = 0; bx < r.Bx; ++bx) {
        franja.lee(imagen, bx * kLado);
        for (int by = 0; by < r.By; ++by) {
            const int64_t bloque = int64_t{by} * r.Bx + bx;
            int k = 0;
            for (int64_t i = bloque; i < P && k < kPorBloque; i += N) pixeles[k++] = i;
            if (k > 0) f(franja, by * kLado, pixeles.data(), k);
        }
        hecha(bx * kLado, franja);
    }
}

double paso(double alfa, Coeficiente c) {
    return alfa * kQ50[c.v][c.u];
}

// (c - Clave) mod step, over the step: in [0, 1).
double fraccion(double c, double clave, double q) {
    const double t = (c - clave) / q;
    const double f = t - std::floor(t);
    return f < 1 ? f : 0;
}

class Dct final : public Metodo {
  public:
    const DescripcionMetodo& descripcion() const override {
        static constexpr DescripcionMetodo d{"dct",          "Coeficientes DCT",
                                             "DCT",          {"alfa", 0.1, 10, 2, 0.25, 2, false},
                                             Rinde::Lectura, false};
        return d;
    }

    int64_t capacidad(int W, int H, int, int) const override {
        return rejilla(W, H).N() * kPorBloque;
    }

    std::optional<SuperficieMemoria> inserta(const SuperficieImagen& anfitrion, const Bits& marca,
                                             int Wm, int Hm, double alfa,
                                             double clave) const override {
        const int W = anfitrion.ancho(), H = anfitrion.alto();
        if (!no_cabe(W, H, Wm, Hm).empty() || !(alfa > 0)) return {};
        SuperficieMemoria salida(W, H);
        recorre_bloques(
            anfitrion, rejilla(W, H), static_cast<int64_t>(marca.size()),
            [&](Franja& franja, int y0, const int64_t* pixeles, int k) {
                std::array<double, kPorBloque> c{}, delta{};
                coeficientes(franja, y0, k, c.data());
                for (int j = 0; j < k; ++j) {
                    const int8_t bit = marca[static_cast<size_t>(pixeles[j])];
                    if (bit < 0) continue;
                    const double q = paso(alfa, kUsados[j]);
                    const double d = bit ? clave + q / 2 : clave;
                    delta[static_cast<size_t>(j)] =
                        d + q * std::round((c[static_cast<size_t>(j)] - d) / q) -
                        c[static_cast<size_t>(j)];
                }
                aplica_inversa(delta.data(), k, y0, franja);
            },
            [&](int x0, const Franja& franja) {
                for (int x = 0; x < kLado; ++x)
                    salida.pon_columna(x0 + x, 0, H, &franja.colores[static_cast<size_t>(x) * H]);
            });
        // The columns right of the last whole block stay as they were.
        std::vector<int32_t> columna(static_cast<size_t>(H));
        for (int x = rejilla(W, H).Bx * kLado; x < W; ++x) {
            anfitrion.lee_columna(x, 0, H, columna.data());
            salida.pon_columna(x, 0, H, columna.data());
        }
        return salida;
    }

    // ((c - Clave) mod step) / step.
    std::vector<double> fracciones(const SuperficieImagen& imagen, int Wm, int Hm, double alfa,
                                   double clave) const override {
        std::vector<double> f(static_cast<size_t>(std::max(Wm, 0)) * std::max(Hm, 0), -1);
        const Rejilla r = rejilla(imagen.ancho(), imagen.alto());
        if (!(alfa > 0) || coeficientes_por_bloque(r.N(), Wm, Hm) > kPorBloque) return f;
        recorre_bloques(
            imagen, r, static_cast<int64_t>(f.size()),
            [&](const Franja& franja, int y0, const int64_t* pixeles, int k) {
                std::array<double, kPorBloque> c{};
                coeficientes(franja, y0, k, c.data());
                for (int j = 0; j < k; ++j) {
                    f[static_cast<size_t>(pixeles[j])] =
                        fraccion(c[static_cast<size_t>(j)], clave, paso(alfa, kUsados[j]));
                }
            },
            [](int, const Franja&) {});
        return f;
    }

    std::optional<Sincronizacion> busca_rejilla(const SuperficieImagen& imagen, int W, int H,
                                                const ParametrosLectura& p, double alfa,
                                                const Bits& marca,
                                                std::string* motivo) const override {
        return sincroniza_dct(imagen, W, H, marca, p.Wm, p.Hm, alfa, p.Clave, motivo);
    }

    std::optional<int> calidad_predicha(int W, int H, int Wm, int Hm, double alfa) const override {
        return calidad_predicha_dct(W, H, Wm, Hm, alfa);
    }

    // Light where the coefficient falls in the middle half of its step.
    Bits lee(const SuperficieImagen& imagen, int Wm, int Hm, double alfa,
             double clave) const override {
        const std::vector<double> f = fracciones(imagen, Wm, Hm, alfa, clave);
        Bits bits(f.size(), -1);
        for (size_t i = 0; i < f.size(); ++i) {
            if (f[i] >= 0) bits[i] = f[i] >= 0.25 && f[i] < 0.75 ? 1 : 0;
        }
        return bits;
    }
};

}  // namespace

const Metodo& metodo_dct() {
    static const Dct m;
    return m;
}

std::optional<int> calidad_predicha_dct(int W, int H, int Wm, int Hm, double alfa) {
    const Rejilla r = rejilla(W, H);
    const int k = coeficientes_por_bloque(r.N(), Wm, Hm);
    if (k > kPorBloque || !(alfa > 0)) return std::nullopt;
    for (int Q = 1; Q <= 100; ++Q) {
        const int s = Q < 50 ? 5000 / Q : 200 - 2 * Q;
        bool a_salvo = true;
        for (int j = 0; j < k && a_salvo; ++j) {
            const int q50 = kQ50[kUsados[j].v][kUsados[j].u];
            const int q = std::max((q50 * s + 50) / 100, 1);  // as libjpeg clamps it
            a_salvo = q < paso(alfa, kUsados[j]) / 2;
        }
        if (a_salvo) return Q;
    }
    return std::nullopt;
}

// The candidate offsets each see the blocks of the layout at the cut
// picture's positions (8 bx - x0, 8 by - y0); every position is transformed
// once, whatever the offsets that share it.
std::optional<Sincronizacion> sincroniza_dct(const SuperficieImagen& imagen, int W, int H,
                                             const Bits& marca, int Wm, int Hm, double alfa,
                                             double clave, std::string* motivo) {
    const auto rechaza = [motivo](std::string t) -> std::optional<Sincronizacion> {
        if (motivo) *motivo = std::move(t);
        return std::nullopt;
    };
    const int Wc = imagen.ancho(), Hc = imagen.alto();
    if (std::string no = comprueba_tamano(Wc, Hc, W, H); !no.empty()) return rechaza(no);
    const Rejilla r = rejilla(W, H);
    const int64_t P = int64_t{std::max(Wm, 0)} * std::max(Hm, 0);
    const int k = coeficientes_por_bloque(r.N(), Wm, Hm);
    if (P < 1 || marca.size() != static_cast<size_t>(P)) return rechaza("No hay marca que buscar.");
    if (k > kPorBloque) return rechaza(no_cabe(metodo_dct(), W, H, Wm, Hm));
    if (!(alfa > 0)) return rechaza("El método DCT necesita una fuerza mayor que 0.");
    const std::string ninguno = "Ningún bloque de " + std::to_string(kLado) + " × " +
                                std::to_string(kLado) + " cabe entero en la imagen de " +
                                std::to_string(Wc) + " × " + std::to_string(Hc) +
                                ": no hay rejilla que buscar.";
    const int nx = Wc - kLado + 1, ny = Hc - kLado + 1;
    if (nx < 1 || ny < 1) return rechaza(ninguno);

    // For each position and coefficient: its cosine and how it reads.
    const auto en = [&](int x, int y, int j) {
        return (static_cast<size_t>(y) * static_cast<size_t>(nx) + static_cast<size_t>(x)) *
                   static_cast<size_t>(k) +
               static_cast<size_t>(j);
    };
    std::vector<float> coseno(static_cast<size_t>(nx) * ny * k);
    std::vector<int8_t> bit(coseno.size());
    Franja franja(Hc);
    std::array<double, kPorBloque> c{};
    for (int x = 0; x < nx; ++x) {
        franja.lee(imagen, x);
        for (int y = 0; y < ny; ++y) {
            coeficientes(franja, y, k, c.data());
            for (int j = 0; j < k; ++j) {
                const double f = fraccion(c[static_cast<size_t>(j)], clave, paso(alfa, kUsados[j]));
                coseno[en(x, y, j)] = static_cast<float>(std::cos(4 * std::numbers::pi * f));
                bit[en(x, y, j)] = f >= 0.25 && f < 0.75;
            }
        }
    }
    const int64_t N = r.N();
    // Calls visita(pixel, bx, by, j) for the coefficients inside at (x0, y0).
    const auto dentro = [&](int x0, int y0, auto&& visita) {
        for (int by = (y0 + kLado - 1) / kLado; by < r.By && by * kLado - y0 < ny; ++by) {
            for (int bx = (x0 + kLado - 1) / kLado; bx < r.Bx && bx * kLado - x0 < nx; ++bx) {
                const int64_t b = int64_t{by} * r.Bx + bx;
                for (int j = 0; j < k && b + j * N < P; ++j) visita(b + j * N, bx, by, j);
            }
        }
    };
    const int ancho = W - Wc + 1, alto = H - Hc + 1;
    std::vector<CuentaDesplazamiento> cuentas(static_cast<size_t>(ancho) * alto);
    for (int y0 = 0; y0 < alto; ++y0) {
        for (int x0 = 0; x0 < ancho; ++x0) {
            CuentaDesplazamiento& cuenta = cuentas[static_cast<size_t>(y0) * ancho + x0];
            dentro(x0, y0, [&](int64_t i, int bx, int by, int j) {
                const size_t e = en(bx * kLado - x0, by * kLado - y0, j);
                ++cuenta.pares;
                cuenta.suma += coseno[e];
                const int8_t b = marca[static_cast<size_t>(i)];
                if (b < 0) return;
                ++cuenta.aciertos.total;
                cuenta.aciertos.correctos += bit[e] == b;
            });
        }
    }
    Sincronizacion s;
    if (!elige_desplazamiento(cuentas, ancho, alto, s)) return rechaza(ninguno);

    // The fractions again with the offset taken, for the reading and its
    // histogram.
    std::vector<double> fracciones(static_cast<size_t>(P), -1);
    Bits leidos(static_cast<size_t>(P), -1);
    int columna = -1;
    dentro(s.x, s.y, [&](int64_t i, int bx, int by, int j) {
        if (bx * kLado - s.x != columna) {
            columna = bx * kLado - s.x;
            franja.lee(imagen, columna);
        }
        coeficientes(franja, by * kLado - s.y, j + 1, c.data());
        const double f = fraccion(c[static_cast<size_t>(j)], clave, paso(alfa, kUsados[j]));
        fracciones[static_cast<size_t>(i)] = f;
        leidos[static_cast<size_t>(i)] = f >= 0.25 && f < 0.75;
    });
    s.leida = lectura_de_bits(leidos, Wm, Hm);
    s.histograma = histograma_de_fracciones(fracciones, marca);
    for (int8_t b : marca) s.portadores += b >= 0;
    return s;
}

}  // namespace zek
