// SPDX-License-Identifier: MIT
#include "workflow/asigna_imagen.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "images/cabecera_imagen.h"

namespace zek {
bool cabe(TamanoImagen medida, TamanoImagen limite) {
    return medida.alto <= limite.alto && medida.ancho <= limite.ancho;
}

namespace {

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

// Whether the file starts as a BMP, GIF or JPEG does.
bool firma_conocida(const std::filesystem::path& camino) {
    std::ifstream f(camino, std::ios::binary);
    std::vector<unsigned char> inicio(3);
    f.read(reinterpret_cast<char*>(inicio.data()), 3);
    inicio.resize(static_cast<size_t>(f.gcount()));
    return firma_de_imagen(inicio);
}

// Why a file could not be read, for the status line; the header was read
// when the picture's size came out of it.
std::string motivo_ilegible(const std::string& ruta, bool cabecera_leida) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path camino(ruta);
    std::string motivo;
    if (!fs::exists(camino, error)) {
        motivo = "el archivo no existe.";
    } else if (fs::is_directory(camino, error)) {
        motivo = "es una carpeta, no un archivo.";
    } else if (!std::ifstream(camino, std::ios::binary)) {
        motivo = "no hay permiso para leerlo.";
    } else if (fs::file_size(camino, error) == 0 && !error) {
        motivo = "el archivo está vacío.";
    } else if (!cabecera_leida && firma_conocida(camino)) {
        motivo = "la cabecera de la imagen no es válida.";
    } else if (!cabecera_leida) {
        motivo = "no es una imagen BMP, JPEG o GIF.";
    } else {
        motivo = "la imagen está incompleta o dañada.";
    }
    return "No se ha podido abrir «" + camino.filename().string() + "»: " + motivo;
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
                   PuertoVentana& puerto, LectorImagen& lector, std::string* ruta_elegida) {
    const std::string ruta = puerto.elige_archivo(kFiltroImagenes);
    if (ruta_elegida) *ruta_elegida = ruta;
    return carga_imagen(Pict, Tipo, ruta, pictures, puerto, lector);
}

bool carga_imagen(SuperficieImagen& Pict, const std::string& Tipo, const std::string& ruta,
                  Pictures pictures, PuertoVentana& puerto, LectorImagen& lector) {
    if (ruta.empty()) return false;
    const TamanoImagen limite = Tipo == "I" ? kLimiteAnfitrion : kLimiteMarca;

    const auto cabecera = lector.tamano(ruta);
    if (!cabecera) {  // not a picture we can read: nothing changes
        puerto.pon_texto(Control::Estado, motivo_ilegible(ruta, false));
        return false;
    }
    if (!cabe(*cabecera, limite)) {
        rechaza(Pict, *cabecera, limite, puerto);
        return false;
    }
    const auto imagen = lector.lee(ruta);
    if (!imagen) {  // truncated or corrupt: nothing changes
        puerto.pon_texto(Control::Estado, motivo_ilegible(ruta, true));
        return false;
    }
    if (!cabe(imagen->tamano, limite)) {
        rechaza(Pict, imagen->tamano, limite, puerto);
        return false;
    }

    muestra(Pict, *imagen);
    puerto.pon_texto(Control::Estado, "");
    pictures.Picture3.fija_tamano(pictures.Picture1.ancho(), pictures.Picture1.alto());
    pictures.Picture4.fija_tamano(pictures.Picture2.ancho(), pictures.Picture2.alto());
    return true;
}

}  // namespace zek
