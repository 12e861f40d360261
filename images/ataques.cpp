#include "images/ataques.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

#include "base/colores.h"
#include "base/numeros.h"

namespace zek {
namespace {

constexpr int kLadoMaximo = 15;
constexpr uint32_t kSemillaRuido = 20031;

bool entero_entre(double v, double desde, double hasta) {
    return v == std::floor(v) && v >= desde && v <= hasta;
}

int32_t color(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// The picture as colours, row by row, for the filters; -1 outside.
struct Rejilla {
    int ancho, alto;
    std::vector<int32_t> c;
    explicit Rejilla(const SuperficieImagen& s)
        : ancho(s.ancho()), alto(s.alto()), c(static_cast<size_t>(ancho) * alto) {
        for (int y = 0; y < alto; ++y) {
            for (int x = 0; x < ancho; ++x)
                c[static_cast<size_t>(y) * ancho + x] = s.lee_pixel(x, y);
        }
    }
    // Replicates the border for positions outside.
    int32_t en(int x, int y) const {
        x = std::clamp(x, 0, ancho - 1);
        y = std::clamp(y, 0, alto - 1);
        return c[static_cast<size_t>(y) * ancho + x];
    }
};

template <class PorCanal>
SuperficieMemoria canal_a_canal(const SuperficieImagen& imagen, PorCanal f) {
    SuperficieMemoria salida(imagen.ancho(), imagen.alto());
    for (int y = 0; y < imagen.alto(); ++y) {
        for (int x = 0; x < imagen.ancho(); ++x) {
            const int32_t c = imagen.lee_pixel(x, y);
            if (!es_color(c)) continue;
            salida.pon_pixel(x, y, color(f(rojo(c)), f(verde(c)), f(azul(c))));
        }
    }
    return salida;
}

SuperficieMemoria brillo(const SuperficieImagen& imagen, int d) {
    return canal_a_canal(imagen, [d](int v) { return std::clamp(v + d, 0, 255); });
}

SuperficieMemoria ruido(const SuperficieImagen& imagen, double desviacion) {
    std::mt19937 azar(kSemillaRuido);
    std::normal_distribution<double> normal;  // standard, scaled below (0 is allowed)
    return canal_a_canal(imagen, [&](int v) {
        const double n = desviacion * normal(azar);
        return static_cast<int>(std::clamp(std::nearbyint(v + n), 0.0, 255.0));
    });
}

// The N x N window around (x, y): from -(N/2) to (N-1)/2 on each axis.
struct Ventana {
    int desde, hasta;
    explicit Ventana(int N) : desde(-(N / 2)), hasta((N - 1) / 2) {}
};

SuperficieMemoria media(const SuperficieImagen& imagen, int N) {
    const Rejilla r(imagen);
    const Ventana v(N);
    SuperficieMemoria salida(r.ancho, r.alto);
    for (int y = 0; y < r.alto; ++y) {
        for (int x = 0; x < r.ancho; ++x) {
            std::array<int, 3> suma{};
            for (int dy = v.desde; dy <= v.hasta; ++dy) {
                for (int dx = v.desde; dx <= v.hasta; ++dx) {
                    const int32_t c = r.en(x + dx, y + dy);
                    suma[0] += rojo(c);
                    suma[1] += verde(c);
                    suma[2] += azul(c);
                }
            }
            const int n = N * N;  // rounded to the nearest whole, halves up
            salida.pon_pixel(x, y,
                             color((2 * suma[0] + n) / (2 * n), (2 * suma[1] + n) / (2 * n),
                                   (2 * suma[2] + n) / (2 * n)));
        }
    }
    return salida;
}

// Median of each channel through a histogram that slides along the row: a
// column enters and one leaves at each step, and the median moves from where
// it was, knowing how many values lie below it. An even count takes the
// upper of the two middle values.
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

SuperficieMemoria mediana(const SuperficieImagen& imagen, int N) {
    const Rejilla r(imagen);
    const Ventana v(N);
    SuperficieMemoria salida(r.ancho, r.alto);
    for (int y = 0; y < r.alto; ++y) {
        std::array<MedianaDeslizante, 3> canales{MedianaDeslizante(N * N / 2),
                                                 MedianaDeslizante(N * N / 2),
                                                 MedianaDeslizante(N * N / 2)};
        const auto columna = [&](int x, int signo) {
            for (int dy = v.desde; dy <= v.hasta; ++dy) {
                const int32_t c = r.en(x, y + dy);
                canales[0].pon(rojo(c), signo);
                canales[1].pon(verde(c), signo);
                canales[2].pon(azul(c), signo);
            }
        };
        for (int dx = v.desde; dx <= v.hasta; ++dx) columna(dx, +1);
        for (int x = 0; x < r.ancho; ++x) {
            salida.pon_pixel(
                x, y, color(canales[0].mediana(), canales[1].mediana(), canales[2].mediana()));
            columna(x + v.desde, -1);
            columna(x + v.hasta + 1, +1);
        }
    }
    return salida;
}

}  // namespace

std::optional<Ataque> lee_ataque(const std::string& texto) {
    const auto dos_puntos = texto.find(':');
    if (dos_puntos == std::string::npos) return std::nullopt;
    const std::string nombre = texto.substr(0, dos_puntos);
    const auto v = lee_decimal(std::string_view(texto).substr(dos_puntos + 1));
    if (!v) return std::nullopt;
    if (nombre == "jpeg" && entero_entre(*v, 0, 100)) return Ataque{TipoAtaque::Jpeg, *v, texto};
    if (nombre == "ruido" && *v >= 0 && *v <= 255) return Ataque{TipoAtaque::Ruido, *v, texto};
    if (nombre == "media" && entero_entre(*v, 1, kLadoMaximo)) {
        return Ataque{TipoAtaque::Media, *v, texto};
    }
    if (nombre == "mediana" && entero_entre(*v, 1, kLadoMaximo)) {
        return Ataque{TipoAtaque::Mediana, *v, texto};
    }
    if (nombre == "brillo" && entero_entre(*v, -255, 255)) {
        return Ataque{TipoAtaque::Brillo, *v, texto};
    }
    return std::nullopt;
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
    }
    return std::nullopt;
}

}  // namespace zek
