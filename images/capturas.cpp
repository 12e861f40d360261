#include "capturas.h"

#include <cmath>

#include "colores.h"

namespace zek {
namespace {

// What the text of v gives back, where v is the double computation of the
// decimal N / 1000 (Y, I and Q of a colour are whole thousandths). When v
// lies within 0.3 of a fifteenth-digit step from N / 1000, in the same
// decade, its 15-digit text is exactly that decimal and strtod gives the
// double nearest to it: N / 1000.0, one correctly rounded division.
// Otherwise (cancellation near zero, decade edges) the general rounding.
double valor_por_texto_de_milesimas(double v, int32_t N) {
    static constexpr double kUmbral[] = {3e-15, 3e-14, 3e-13, 3e-12, 3e-11, 3e-10};
    static constexpr double kInicioDecada[] = {0.001, 0.01, 0.1, 1, 10, 100};
    const int32_t a = N < 0 ? -N : N;
    const int d = (a >= 10) + (a >= 100) + (a >= 1000) + (a >= 10000) + (a >= 100000);
    const double error = v * 1000.0 - N;  // Sterbenz: exact subtraction
    if (a != 0 && a < 1000000 && std::fabs(error) < kUmbral[d] &&
        std::fabs(v) >= kInicioDecada[d]) {
        return N / 1000.0;
    }
    return valor_por_texto(v);
}

}  // namespace

void Captura_Imagen(const SuperficieImagen& Picture1, Vbles& vbles) {
    const int W = Picture1.ancho();
    const int H = Picture1.alto();
    vbles.MatrizY.dimensiona(1, W, 1, H);
    vbles.MatrizI.dimensiona(1, W, 1, H);
    vbles.MatrizQ.dimensiona(1, W, 1, H);
    for (int x = 1; x <= W; ++x) {
        for (int y = 1; y <= H; ++y) {
            const int32_t c = Picture1.lee_pixel(x, y);
            if (!es_color(c)) continue;  // the tables already hold 0 there
            const int32_t R = rojo(c), G = verde(c), B = azul(c);
            const Yiq v = yiq_de_color(R, G, B);
            vbles.MatrizY.escribe_redondeado(
                x, y, valor_por_texto_de_milesimas(v.Y, 587 * G + 299 * R + 114 * B));
            vbles.MatrizI.escribe_redondeado(
                x, y, valor_por_texto_de_milesimas(v.I, 596 * R - 275 * G - 321 * B));
            vbles.MatrizQ.escribe_redondeado(
                x, y, valor_por_texto_de_milesimas(v.Q, 212 * R - 523 * G + 311 * B));
        }
    }
}

void Captura_Marca(const SuperficieImagen& Picture2, Vbles& vbles) {
    const int Wm = Picture2.ancho();
    const int Hm = Picture2.alto();
    vbles.MatrizMarca.dimensiona(1, Wm, 1, Hm);
    for (int x = 1; x <= Wm; ++x) {
        for (int y = 1; y <= Hm; ++y) vbles.MatrizMarca.escribe(x, y, Picture2.lee_pixel(x, y));
    }
}

}  // namespace zek
