#include "asigna_imagen.h"

namespace zek {
namespace {

bool cabe(TamanoImagen medida, TamanoImagen limite) {
    return medida.alto <= limite.alto && medida.ancho <= limite.ancho;
}

void rechaza(SuperficieImagen& Pict, TamanoImagen medida, TamanoImagen limite,
             PuertoVentana& puerto) {
    puerto.mensaje(texto_de_rechazo(medida, limite), Icono::Informacion,
                   "Asignatura de ZEK 2003/04");
    Pict.limpia();
    Pict.fija_tamano(limite.ancho, limite.alto);
}

void muestra(SuperficieImagen& Pict, const ImagenDecodificada& imagen) {
    const int ancho = imagen.tamano.ancho;
    Pict.fija_tamano(ancho, imagen.tamano.alto);
    for (int y = 0; y < imagen.tamano.alto; ++y) {
        for (int x = 0; x < ancho; ++x) {
            Pict.pon_pixel(x, y, imagen.colores[static_cast<size_t>(y) * ancho + x]);
        }
    }
}

}  // namespace

std::string texto_de_rechazo(TamanoImagen medida, TamanoImagen limite) {
    const std::string CR = "\r";
    return "La imagen seleccionada no es correcta." + CR +
           "La imagen Seleccionada requiere :" + CR + "   Pixel Y: " + std::to_string(medida.alto) +
           CR + "   Pixel X: " + std::to_string(medida.ancho) + CR + "Rango permitido." + CR +
           "   Pixel Y: " + std::to_string(limite.alto) + CR +
           "   Pixel X: " + std::to_string(limite.ancho) + CR;
}

bool Asigna_Imagen(SuperficieImagen& Pict, const std::string& Tipo, Pictures pictures,
                   PuertoVentana& puerto, LectorImagen& lector) {
    const std::string ruta = puerto.elige_archivo(kFiltroImagenes);
    if (ruta.empty()) return false;
    const TamanoImagen limite = Tipo == "I" ? kLimiteHost : kLimiteMarca;

    const auto cabecera = lector.tamano(ruta);
    if (!cabecera) return false;  // not a picture we can read: nothing changes
    if (!cabe(*cabecera, limite)) {
        rechaza(Pict, *cabecera, limite, puerto);
        return false;
    }
    const auto imagen = lector.lee(ruta);
    if (!imagen) return false;  // truncated or corrupt: nothing changes
    if (!cabe(imagen->tamano, limite)) {
        rechaza(Pict, imagen->tamano, limite, puerto);
        return false;
    }

    muestra(Pict, *imagen);
    pictures.Picture3.fija_tamano(pictures.Picture1.ancho(), pictures.Picture1.alto());
    pictures.Picture4.fija_tamano(pictures.Picture2.ancho(), pictures.Picture2.alto());
    return true;
}

}  // namespace zek
