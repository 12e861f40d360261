#include "capturas.h"

#include "colores.h"

namespace zek {

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
            const Yiq v = yiq_de_color(rojo(c), verde(c), azul(c));
            vbles.MatrizY.escribe(x, y, v.Y);
            vbles.MatrizI.escribe(x, y, v.I);
            vbles.MatrizQ.escribe(x, y, v.Q);
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
