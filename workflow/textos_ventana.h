// SPDX-License-Identifier: MIT
// The windows' own texts, for every front end that draws them (the Qt
// windows and the web page): frame titles, the labels of the boxes, and the
// names and descriptions a screen reader gives each control.
#pragma once

#include <string>

#include "base/puerto_ventana.h"
#include "base/version.h"
#include "workflow/secuenciador.h"

namespace zek {

inline constexpr const char* kTituloDatos = "Datos Actuales de Parámetros";
inline constexpr const char* kTituloActualizar = "Actualizar Parámetros";
inline constexpr const char* kTextoGrado = "Grado de Resistencia a ataques de Altas frecuencias";
inline constexpr const char* kTextoClave = "Clave de Codificación de la Marca de Agua";
inline constexpr const char* kTextoSalir = "Salir";
// Where the laboratory shows the reading, when the spread spectrum is chosen.
inline constexpr const char* kSinLecturaEspectro =
    "El espectro ensanchado no lleva la imagen de la marca: su detector responde debajo.";
// The web page's first line for a newcomer, and what it says once the
// samples are open with the README's degree and key.
inline constexpr const char* kGuia =
    "Para empezar: abra una imagen y una marca de agua (o pulse «Abrir las muestras»), escriba el "
    "grado y la clave y aplíquelos con su botón I o con Intro, y pulse ➜ cuatro veces.";
inline constexpr const char* kGradoDeLasMuestras = "10";
inline constexpr const char* kClaveDeLasMuestras = "3";
inline constexpr const char* kGuiaDeLasMuestras =
    "Muestras abiertas con Grado 10 y Clave 3: pulse ➜ cuatro veces.";

// Saving a picture: the formats offered, and the JPEG quality asked for.
inline constexpr const char* kFormatosDeImagen[] = {"PNG", "BMP", "JPEG"};
inline constexpr int kCalidadPorDefecto = 90;
inline constexpr const char* kPideCalidad = "Calidad (0 a 100):";

// The handout asked for before a watermarked picture exists.
inline constexpr const char* kHojaSinMarcada =
    "Para exportar la hoja de clase, abre una imagen y una marca de agua y pulsa el botón de "
    "paso hasta que la imagen quede marcada.";

// The page kept for working offline has a newer version on its server.
inline constexpr const char* kVersionNueva =
    "Hay una versión nueva de ZEK: se usará al recargar la página.";

// A number typed with a point where the user's numbers take a comma: the
// page says so rather than let the window's own refusal puzzle a student.
inline constexpr const char* kDecimalesConComa =
    "En esta página los decimales se escriben con coma, por ejemplo 2,5.";

// "Acerca de ZEK": the version, what the program teaches and its licence.
inline constexpr const char* kTituloAcercaDe = "Acerca de ZEK";
inline std::string texto_acerca_de() {
    return std::string("ZEK ") + kVersion +
           "\r\rZEK enseña, paso a paso, cómo se esconde una pequeña marca de agua en la "
           "luminancia de una imagen en color: la imagen se divide en bloques, cada píxel de "
           "la marca viaja en un par de bloques vecinos y la inserción mueve la diferencia de "
           "sus luminancias medias hasta uno de dos restos elegidos por la clave. El "
           "laboratorio muestra qué ataques resiste la marca y por qué.\r\rSoftware libre "
           "con licencia MIT.";
}

// The laboratory's choice to search a cut for its grid, and what the two
// maps it then shows in the difference's place mean.
inline constexpr const char* kBuscarLaRejilla = "Buscar la rejilla";
inline constexpr const char* kLeyendaDeLosMapas =
    "Un punto por desplazamiento posible (x hacia la derecha, y hacia abajo). Izquierda, S: lo "
    "que ve un lector ciego. Derecha, A: el acuerdo con la marca. Claro donde el valor es alto; "
    "en rojo, el desplazamiento tomado.";

// The laboratory's two views of the difference with the host.
inline constexpr const char* kVistasDeLaDiferencia[] = {
    "Lo que cambió la marca: |marcada − principal|",
    "Lo que cambiaron la marca y el ataque: |atacada − principal|"};

// What the laboratory says when there is no picture to attack.
inline constexpr const char* kFaltaImagenMarcada =
    "Hace falta una imagen marcada: pulse el botón de paso hasta el «Paso 2», o abra una imagen "
    "marcada.";

// The captions as the window opens, before any command has set them.
inline void pon_textos_de_diseno(PuertoVentana& p) {
    p.pon_texto(Control::LpASO, kTextoPaso[0]);
    p.pon_texto(Control::LGrado, kTextoGrado);
    p.pon_texto(Control::LClave, kTextoClave);
    p.pon_texto(Control::Txt_Grado, "0");
    p.pon_texto(Control::Txt_Clave, "0");
}

struct NombreAccesible {
    const char* control;  // the control's name in the window
    const char *nombre, *descripcion;
};
inline constexpr NombreAccesible kNombresAccesibles[] = {
    {"LpASO", "Paso de la demostración", "Qué ha hecho el último paso"},
    {"Command1", "Siguiente paso", "Da el siguiente paso de la demostración"},
    {"LBloque", "Longitud de bloque", "Lado de los bloques en píxeles"},
    {"LNumBloques", "Número de bloques", "Bloques enteros de la imagen principal"},
    {"LGrado", "Grado en uso", "Grado de resistencia a ataques de altas frecuencias en uso"},
    {"LClave", "Clave en uso", "Clave de codificación de la marca de agua en uso"},
    {"Txt_Grado", "Nuevo grado", "Grado de resistencia que se aplica con el botón I"},
    {"Txt_Clave", "Nueva clave", "Clave de codificación que se aplica con el botón I"},
    {"Cmd_Grado", "Aplicar el grado", "Guarda el grado escrito"},
    {"Cmd_Clave", "Aplicar la clave", "Guarda la clave escrita"},
    {"CmdSalir", "Salir", "Cierra ZEK"},
    {"Estado", "Línea de estado",
     "Lo que han encontrado los pasos y por qué no se abre un archivo"},
};

// What picture box n (1 to 4) shows at stage `paso`, for a screen reader.
inline NombreAccesible nombre_de_picture(int n, int paso) {
    switch (n) {
        case 1:
            return {"Picture1",
                    paso >= 1 ? "Imagen principal con la rejilla de bloques" : "Imagen principal",
                    "La imagen en la que se esconde la marca de agua"};
        case 2:
            return {"Picture2", "Marca de agua", "La imagen que se esconde"};
        case 3:
            return {"Picture3",
                    paso >= 3   ? "Imagen marcada con la rejilla de bloques"
                    : paso == 2 ? "Imagen marcada"
                                : "Imagen marcada, vacía hasta insertar la marca",
                    "La imagen principal con la marca de agua escondida"};
        default:
            break;
    }
    return {
        "Picture4",
        paso >= 4 ? "Marca de agua extraída" : "Marca de agua extraída, vacía hasta el último paso",
        "La marca de agua que se saca de la imagen marcada"};
}

}  // namespace zek
