// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "tests/comun/por_nombre.h"
#include "tests/ui/ventana.h"

namespace zek {
namespace {

using prueba::MensajeQt;
using prueba::Ventana;

struct CasoTamano {
    const char* nombre;
    const char* menu;
    int ancho, alto;
    bool aceptada;
};

class Limites : public testing::TestWithParam<CasoTamano> {};

TEST_P(Limites, AcceptsUpToTheSizeOfTheBoxOfItsRole) {
    const CasoTamano& c = GetParam();
    Ventana v;
    const bool anfitrion = std::string(c.menu) == "SubImagen";
    v.abre(c.menu, v.imagen(c.ancho, c.alto));
    PictureBox* caja = v.picture(anfitrion ? 1 : 2);
    const Tabla& tabla = anfitrion ? v.w->vbles().MatrizY : v.w->vbles().MatrizMarca;
    if (c.aceptada) {
        EXPECT_TRUE(v.dialogos.mensajes.empty());
        EXPECT_EQ(caja->size(), QSize(c.ancho, c.alto));
        EXPECT_EQ(v.picture(anfitrion ? 3 : 4)->size(), QSize(c.ancho, c.alto));
        EXPECT_TRUE(tabla.cubre(1, c.ancho, 1, c.alto));
        EXPECT_EQ(caja->lee_pixel(0, 0), 0);  // the diagonal is black
    } else {
        const TamanoImagen limite = anfitrion ? kLimiteAnfitrion : kLimiteMarca;
        ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
        EXPECT_EQ(v.dialogos.mensajes[0],
                  (MensajeQt{QString::fromStdString(texto_de_rechazo({c.ancho, c.alto}, limite)),
                             Icono::Informacion, "Asignatura de ZEK 2003/04"}));
        EXPECT_EQ(caja->size(), QSize(limite.ancho, limite.alto));
        EXPECT_EQ(caja->lee_pixel(0, 0), kColorFondo);
        EXPECT_FALSE(tabla.dimensionada());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Limites,
    testing::Values(CasoTamano{"host_al_limite", "SubImagen", 378, 483, true},
                    CasoTamano{"host_ancho", "SubImagen", 379, 483, false},
                    CasoTamano{"host_alto", "SubImagen", 378, 484, false},
                    CasoTamano{"marca_al_limite", "SubMarcaAgua", 181, 227, true},
                    CasoTamano{"marca_ancha", "SubMarcaAgua", 182, 227, false},
                    CasoTamano{"marca_alta", "SubMarcaAgua", 181, 228, false},
                    CasoTamano{"host_como_marca", "SubMarcaAgua", 300, 200, false}),
    prueba::PorNombre{});

TEST(Carga, TheRejectionTextEndsEveryLineWithACarriageReturn) {
    Ventana v;
    v.abre("SubImagen", v.imagen(500, 600));
    ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
    EXPECT_EQ(v.dialogos.mensajes[0].texto,
              "La imagen seleccionada no es correcta.\rLa imagen Seleccionada requiere :\r"
              "   Pixel Y: 600\r   Pixel X: 500\rRango permitido.\r   Pixel Y: 483\r"
              "   Pixel X: 378\r");
}

// No message box, nothing changed; only the status line names the file
// (every kind of unreadable file is in the corpus).
TEST(Carga, AnUnreadableFileChangesNothingAndSaysWhyOnTheStatusLine) {
    Ventana v;
    const QString buena = v.imagen(40, 30);
    v.abre("SubImagen", buena);
    const QImage antes = v.picture(1)->imagen();
    const Tabla tabla = v.w->vbles().MatrizY;
    v.abre("SubImagen", v.carpeta.filePath("mala.bmp"));
    EXPECT_TRUE(v.dialogos.mensajes.empty());
    EXPECT_EQ(v.picture(1)->imagen(), antes);
    EXPECT_EQ(v.w->vbles().MatrizY, tabla);
    EXPECT_EQ(v.estado(),
              QString::fromUtf8("No se ha podido abrir «mala.bmp»: el archivo no existe."));
    v.abre("SubImagen", buena);
    EXPECT_EQ(v.estado(), "");
}

}  // namespace
}  // namespace zek
