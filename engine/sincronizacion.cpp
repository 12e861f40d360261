// SPDX-License-Identifier: MIT
#include "engine/sincronizacion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/numeros.h"
#include "engine/pares.h"
#include "images/capturas.h"

namespace zek {
namespace {

constexpr double kNada = std::numeric_limits<double>::quiet_NaN();

// Wide enough for d^2 t with d and t below 2^31.
__extension__ using Entero128 = __int128;

std::optional<Sincronizacion> rechaza(std::string* motivo, std::string texto) {
    if (motivo) *motivo = std::move(texto);
    return std::nullopt;
}

std::string medidas(int W, int H) {
    return std::to_string(W) + " × " + std::to_string(H);
}

// A residue that could not be computed (a sum out of range).
constexpr int32_t kSinResiduo = std::numeric_limits<int32_t>::min();

// Every pair position of the cut picture, by the first column and row of
// its left block (from 0): the residue, how it reads and its cosine.
struct TablaDePares {
    int nx = 0, ny = 0;
    std::vector<int32_t> residuo;
    std::vector<int8_t> clase;  // Lectura::Claro or Lectura::Oscuro
    std::vector<double> coseno;
    size_t indice(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(nx) + static_cast<size_t>(x);
    }
};

TablaDePares tabla_de_pares(const Tabla& Y, int Wc, int Hc, const ParametrosLectura& p,
                            int32_t grado) {
    const int32_t L = p.LongBloque;
    TablaDePares t{Wc - 2 * L + 1, Hc - L + 1, {}, {}, {}};
    const size_t n = static_cast<size_t>(t.nx) * static_cast<size_t>(t.ny);
    t.residuo.assign(n, kSinResiduo);
    t.clase.assign(n, static_cast<int8_t>(Lectura::Oscuro));
    t.coseno.assign(n, 0);
    const SumasDeBloques sumas(Y, Wc, Hc);
    const ReglaDeLectura regla(p.Grado, p.Clave, grado);
    for (int y = 0; y < t.ny; ++y) {
        for (int x = 0; x < t.nx; ++x) {
            const auto r = residuo_de_sumas(sumas.suma(x + 1, y + 1, L),
                                            sumas.suma(x + 1 + L, y + 1, L), L, p.Grado, grado);
            const size_t i = t.indice(x, y);
            t.clase[i] = static_cast<int8_t>(regla.lee(r));
            if (!r) continue;
            t.residuo[i] = static_cast<int32_t>(*r);
            t.coseno[i] = regla.coseno(*r);
        }
    }
    return t;
}

// The layout of a W x H picture (Bx x By blocks of side L, carrying the
// first P watermark pixels) over a cut of Wc x Hc.
struct Corte {
    int Bx, By;
    int32_t L;
    int64_t P;
    int Wc, Hc, W, H;
};

// The pairs of the layout that lie wholly inside the cut when its (0, 0)
// is the layout's (x0, y0): calls visita(k, position) with the pair's
// number from 0 and its position in the table. The luminance table's
// element (x, y) holds pixel (x, y) counted from 0, so its last column and
// row lie outside the picture and read black: a pair reaching them is cut
// away, unless the cut reaches the layout's own edge there, where the
// embedding saw the same black.
template <class Visita>
void pares_dentro(int x0, int y0, const Corte& c, const TablaDePares& t, Visita&& visita) {
    const int32_t L = c.L;
    const int nx = t.nx - (x0 + c.Wc == c.W ? 0 : 1), ny = t.ny - (y0 + c.Hc == c.H ? 0 : 1);
    if (nx < 1 || ny < 1) return;
    const int pares_por_fila = c.Bx / 2;
    const int R0 = (y0 + L - 1) / L;                       // first row of blocks at or below y0
    const int R1 = std::min(c.By - 1, (ny - 1 + y0) / L);  // last whose top row fits
    const int j0 = (x0 + 2 * L - 1) / (2 * L);             // first pair at or right of x0
    const int j1 = std::min(pares_por_fila - 1, (nx - 1 + x0) / (2 * L));
    for (int R = R0; R <= R1; ++R) {
        const int64_t k0 = int64_t{R} * pares_por_fila;
        if (k0 >= c.P) return;
        const int hasta = static_cast<int>(std::min<int64_t>(j1, c.P - 1 - k0));
        size_t i = t.indice(2 * L * j0 - x0, R * L - y0);
        for (int j = j0; j <= hasta; ++j, i += static_cast<size_t>(2 * L)) visita(k0 + j, i);
    }
}

}  // namespace

SumasDeBloques::SumasDeBloques(const Tabla& Y, int W, int H) : Y_(Y), W_(W) {
    const size_t n = static_cast<size_t>(W + 1) * static_cast<size_t>(H + 1);
    redondeadas_.assign(n, 0);
    dudosas_.assign(n, 0);
    double mayor = 0;
    for (int y = 1; y <= H; ++y) {
        int64_t fila = 0, dudosas_fila = 0;
        for (int x = 1; x <= W; ++x) {
            const double v = Y.lee(x, y);
            const double r = redondea_par(v);
            const bool dudosa = !(std::fabs(v) < 1e9) || std::fabs(std::fabs(v - r) - 0.5) < 1e-6;
            fila += dudosa ? 0 : static_cast<int64_t>(r);
            dudosas_fila += dudosa;
            mayor = std::max(mayor, dudosa ? 0 : std::fabs(r));
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(W + 1) + x;
            redondeadas_[i] = redondeadas_[i - static_cast<size_t>(W + 1)] + fila;
            dudosas_[i] = dudosas_[i - static_cast<size_t>(W + 1)] + dudosas_fila;
        }
    }
    // Within range when even a block as large as the picture could not
    // leave it; otherwise every sum is made the slow way, which says so.
    de_fiar_ = mayor * (static_cast<double>(W) * H + 1) < 2147483647.0;
}

int64_t SumasDeBloques::rectangulo(const std::vector<int64_t>& t, int x0, int y0, int L) const {
    const int x1 = x0 + L - 1, y1 = y0 + L - 1;
    return en(t, x1, y1) - en(t, x0 - 1, y1) - en(t, x1, y0 - 1) + en(t, x0 - 1, y0 - 1);
}

std::optional<int32_t> SumasDeBloques::suma(int x0, int y0, int L) const {
    if (!de_fiar_ || rectangulo(dudosas_, x0, y0, L) != 0)
        return suma_bloque(Y_, Bloque{x0, y0, L});
    return static_cast<int32_t>(rectangulo(redondeadas_, x0, y0, L));
}

std::string comprueba_tamano(int Wc, int Hc, int W, int H) {
    if (Wc < 1 || Hc < 1) return "La imagen está vacía: no hay rejilla que buscar.";
    if (Wc <= W && Hc <= H) return {};
    return "La imagen mide " + medidas(Wc, Hc) + ", más que la de " + medidas(W, H) +
           ": no puede ser un recorte de ella.";
}

bool elige_desplazamiento(const std::vector<CuentaDesplazamiento>& cuentas, int ancho, int alto,
                          Sincronizacion& s) {
    // Agreement above chance in a coin's standard deviations,
    // (2 correct - total) / sqrt(total), compared exactly: d |d| t' against
    // d' |d'| t, in 128 bits.
    const auto mas_alla_del_azar = [](const Aciertos& a, const Aciertos& b) {
        const Entero128 da = 2 * a.correctos - a.total, db = 2 * b.correctos - b.total;
        return da * (da < 0 ? -da : da) * b.total > db * (db < 0 ? -db : db) * a.total;
    };
    s.ciega = {ancho, alto, std::vector<double>(cuentas.size(), kNada)};
    s.acuerdo = s.ciega;
    for (size_t i = 0; i < cuentas.size(); ++i) {
        const CuentaDesplazamiento& c = cuentas[i];
        if (c.pares > 0) s.ciega.valores[i] = c.suma / static_cast<double>(c.pares);
        if (c.aciertos.total > 0) s.acuerdo.valores[i] = 1 - c.aciertos.ber();
    }
    std::optional<size_t> mejor;
    for (size_t i = 0; i < cuentas.size(); ++i) {
        const Aciertos& a = cuentas[i].aciertos;
        if (a.total == 0) continue;
        if (!mejor) {
            mejor = i;
            continue;
        }
        const Aciertos& m = cuentas[*mejor].aciertos;
        const bool mas = mas_alla_del_azar(a, m);
        const bool igual = !mas && !mas_alla_del_azar(m, a);
        if (mas || (igual && s.ciega.valores[i] > s.ciega.valores[*mejor])) mejor = i;
    }
    if (!mejor) return false;
    s.x = static_cast<int>(*mejor % static_cast<size_t>(ancho));
    s.y = static_cast<int>(*mejor / static_cast<size_t>(ancho));
    s.ciega_en = s.ciega.valores[*mejor];
    s.acuerdo_en = s.acuerdo.valores[*mejor];
    s.aciertos = cuentas[*mejor].aciertos;
    s.ciega_sin_buscar = s.ciega.valores[0];
    s.acuerdo_sin_buscar = s.acuerdo.valores[0];
    s.sin_buscar = cuentas[0].aciertos;
    return true;
}

std::optional<Sincronizacion> sincroniza_pares(const SuperficieImagen& imagen, int W, int H,
                                               const ParametrosLectura& p, const Bits& marca,
                                               std::string* motivo) {
    Tabla Y;
    captura_luminancia(imagen, Y);
    return sincroniza_pares(Y, imagen.ancho(), imagen.alto(), W, H, p, marca, motivo);
}

std::optional<Sincronizacion> sincroniza_pares(const Tabla& Y, int Wc, int Hc, int W, int H,
                                               const ParametrosLectura& p, const Bits& marca,
                                               std::string* motivo) {
    if (std::string no = comprueba_tamano(Wc, Hc, W, H); !no.empty())
        return rechaza(motivo, std::move(no));
    const auto grado = entero(p.Grado);
    const int32_t L = p.LongBloque;
    const int64_t P = int64_t{p.Wm} * p.Hm;
    if (!grado || *grado == 0 || L < 1 || p.Wm < 1 || p.Hm < 1 ||
        marca.size() != static_cast<size_t>(P) || !Y.cubre(1, Wc, 1, Hc))
        return rechaza(motivo,
                       "No hay disposición de bloques con la que leer: el grado, el lado del "
                       "bloque o la marca no la permiten.");
    const int Bx = W / L, By = H / L;
    const std::string ninguno = "Ningún par de bloques de lado " + std::to_string(L) +
                                " cabe entero en la imagen de " + medidas(Wc, Hc) +
                                ": no hay rejilla que buscar.";
    if (Wc < 2 * L || Hc < L || Bx < 2 || By < 1) return rechaza(motivo, ninguno);

    const TablaDePares t = tabla_de_pares(Y, Wc, Hc, p, *grado);
    const Corte corte{Bx, By, L, P, Wc, Hc, W, H};
    const int ancho = W - Wc + 1, alto = H - Hc + 1;
    std::vector<CuentaDesplazamiento> cuentas(static_cast<size_t>(ancho) * alto);
    for (int y0 = 0; y0 < alto; ++y0) {
        for (int x0 = 0; x0 < ancho; ++x0) {
            CuentaDesplazamiento& c = cuentas[static_cast<size_t>(y0) * ancho + x0];
            pares_dentro(x0, y0, corte, t, [&](int64_t k, size_t i) {
                ++c.pares;
                c.suma += t.coseno[i];
                const int8_t bit = marca[static_cast<size_t>(k)];
                if (bit < 0) return;
                ++c.aciertos.total;
                c.aciertos.correctos += t.clase[i] == bit;
            });
        }
    }
    Sincronizacion s;
    if (!elige_desplazamiento(cuentas, ancho, alto, s)) return rechaza(motivo, ninguno);

    // The reading, and the residues' histogram, with the offset taken.
    const int32_t c = *grado < 0 ? -*grado : *grado;
    s.histograma = {c, std::vector<int64_t>(static_cast<size_t>(c)),
                    std::vector<int64_t>(static_cast<size_t>(c))};
    s.leida = {p.Wm, p.Hm, std::vector<Lectura>(static_cast<size_t>(P), Lectura::SinPar)};
    pares_dentro(s.x, s.y, corte, t, [&](int64_t k, size_t i) {
        s.leida.pixeles[static_cast<size_t>(k)] = static_cast<Lectura>(t.clase[i]);
        const int8_t bit = marca[static_cast<size_t>(k)];
        const int32_t r = t.residuo[i];
        if (bit < 0 || r == kSinResiduo) return;
        ++(bit ? s.histograma.claros
               : s.histograma.oscuros)[static_cast<size_t>(r < 0 ? r + c : r)];
    });
    const int64_t llevados = std::min<int64_t>(P, int64_t{Bx / 2} * By);
    for (int64_t k = 0; k < llevados; ++k) s.portadores += marca[static_cast<size_t>(k)] >= 0;
    return s;
}

std::optional<Sincronizacion> Metodo::busca_rejilla(const SuperficieImagen&, int, int,
                                                    const ParametrosLectura&, double, const Bits&,
                                                    std::string* motivo) const {
    const char* sin = descripcion().sin_rejilla;
    return rechaza(motivo, sin ? sin : "Este método no tiene rejilla que buscar.");
}

std::optional<Desplazamiento> registra(const SuperficieImagen& sospechosa,
                                       const SuperficieImagen& original, std::string* motivo) {
    const int Wc = sospechosa.ancho(), Hc = sospechosa.alto();
    const int W = original.ancho(), H = original.alto();
    if (std::string no = comprueba_tamano(Wc, Hc, W, H); !no.empty()) {
        if (motivo) *motivo = std::move(no);
        return std::nullopt;
    }
    // Luminance times 1000, whole, so that every sum below is exact.
    const auto luminancias_enteras = [](const SuperficieImagen& s) {
        std::vector<int32_t> v(static_cast<size_t>(s.ancho()) * s.alto());
        std::vector<int32_t> columna(static_cast<size_t>(s.alto()));
        for (int x = 0; x < s.ancho(); ++x) {
            s.lee_columna(x, 0, s.alto(), columna.data());
            for (int y = 0; y < s.alto(); ++y) {
                const int32_t c = columna[static_cast<size_t>(y)];
                v[static_cast<size_t>(y) * s.ancho() + x] =
                    c < 0 ? 0
                          : 299 * (c & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * ((c >> 16) & 0xFF);
            }
        }
        return v;
    };
    const std::vector<int32_t> Z = luminancias_enteras(sospechosa),
                               O = luminancias_enteras(original);
    Desplazamiento mejor;
    int64_t menor = std::numeric_limits<int64_t>::max();
    for (int y0 = 0; y0 + Hc <= H; ++y0) {
        for (int x0 = 0; x0 + Wc <= W; ++x0) {
            int64_t suma = 0;
            for (int y = 0; y < Hc && suma < menor; ++y) {
                const int32_t* z = &Z[static_cast<size_t>(y) * Wc];
                const int32_t* o = &O[static_cast<size_t>(y + y0) * W + x0];
                for (int x = 0; x < Wc; ++x) {
                    const int64_t d = z[x] - o[x];
                    suma += d * d;
                }
            }
            if (suma < menor) {
                menor = suma;
                mejor = {x0, y0};
            }
        }
    }
    return mejor;
}

SuperficieMemoria en_el_marco(const SuperficieImagen& sospechosa, const SuperficieImagen& original,
                              Desplazamiento d) {
    SuperficieMemoria marco = copia(original);
    std::vector<int32_t> columna(static_cast<size_t>(sospechosa.alto()));
    for (int x = 0; x < sospechosa.ancho(); ++x) {
        sospechosa.lee_columna(x, 0, sospechosa.alto(), columna.data());
        marco.pon_columna(x + d.x, d.y, sospechosa.alto(), columna.data());
    }
    return marco;
}

std::optional<SuperficieMemoria> para_el_detector(const SuperficieImagen& sospechosa,
                                                  const SuperficieImagen& original,
                                                  std::optional<Desplazamiento>* d,
                                                  std::string* motivo) {
    if (sospechosa.ancho() == original.ancho() && sospechosa.alto() == original.alto())
        return copia(sospechosa);
    const auto donde = registra(sospechosa, original, motivo);
    if (!donde) return std::nullopt;
    if (d) *d = donde;
    return en_el_marco(sospechosa, original, *donde);
}

SuperficieMemoria imagen_de_mapa(const Mapa& m, int x, int y) {
    SuperficieMemoria s(m.ancho, m.alto);
    double menor = std::numeric_limits<double>::infinity(), mayor = -menor;
    for (double v : m.valores) {
        if (std::isnan(v)) continue;
        menor = std::min(menor, v);
        mayor = std::max(mayor, v);
    }
    for (int y0 = 0; y0 < m.alto; ++y0) {
        for (int x0 = 0; x0 < m.ancho; ++x0) {
            const double v = m.en(x0, y0);
            int32_t gris = 0;
            if (!std::isnan(v))
                gris = mayor > menor
                           ? static_cast<int32_t>(std::lround((v - menor) / (mayor - menor) * 255))
                           : 255;
            s.pon_pixel(x0, y0, gris * 0x010101);
        }
    }
    s.pon_pixel(x, y, 0x0000FF);  // red: the offset taken
    return s;
}

SuperficieMemoria imagen_de_mapas(const Sincronizacion& s) {
    constexpr int kHueco = 4;
    const int W = s.ciega.ancho, H = s.ciega.alto;
    SuperficieMemoria juntos(2 * W + kHueco, H);
    juntos.rellena(0, 0, juntos.ancho(), H, 0x808080);
    std::vector<int32_t> columna(static_cast<size_t>(H));
    const SuperficieMemoria mapas[] = {imagen_de_mapa(s.ciega, s.x, s.y),
                                       imagen_de_mapa(s.acuerdo, s.x, s.y)};
    for (int i = 0; i < 2; ++i) {
        for (int x = 0; x < W; ++x) {
            mapas[i].lee_columna(x, 0, H, columna.data());
            juntos.pon_columna(x + i * (W + kHueco), 0, H, columna.data());
        }
    }
    return juntos;
}

}  // namespace zek
