// Choosing an image file, checking that it fits the role of its box and
// showing it there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pictures.h"
#include "puerto_ventana.h"

namespace zek {

struct TamanoImagen {
    int ancho = 0, alto = 0;
};

struct ImagenDecodificada {
    TamanoImagen tamano;
    std::vector<int32_t> colores;  // 0x00BBGGRR, row by row
};

// Reads image files. The size comes from the file's header alone, so that a
// file declaring an enormous picture is refused without being decoded.
class LectorImagen {
  public:
    virtual ~LectorImagen() = default;
    virtual std::optional<TamanoImagen> tamano(const std::string& ruta) = 0;
    virtual std::optional<ImagenDecodificada> lee(const std::string& ruta) = 0;
};

inline constexpr const char* kFiltroImagenes = "Imagenes(bmp,jpg,gif)|*.bmp;*.jpg;*.gif";
inline constexpr TamanoImagen kLimiteHost{378, 483};
inline constexpr TamanoImagen kLimiteMarca{181, 227};

// The message shown when a picture is too large for its role.
std::string texto_de_rechazo(TamanoImagen medida, TamanoImagen limite);

// Lets the user choose a file and shows it in Pict when it fits the role
// ("I" host, anything else watermark); then Picture3 and Picture4 take the
// sizes of Picture1 and Picture2. An unreadable file changes nothing; a
// picture too large is refused with a message and leaves Pict empty at the
// design size of its role.
bool Asigna_Imagen(SuperficieImagen& Pict, const std::string& Tipo, Pictures pictures,
                   PuertoVentana& puerto, LectorImagen& lector);

}  // namespace zek
