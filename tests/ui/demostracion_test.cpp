// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStatusTipEvent>

#include "tests/comun/por_nombre.h"
#include "tests/ui/ventana.h"
#include "ui/frm_parametro.h"

namespace zek {
namespace {

using prueba::MensajeQt;
using prueba::Ventana;

const MensajeQt kBloqueo{"Estamos en desarrollo.No puedes cambiar el valor.", Icono::Informacion,
                         "ZEK"};

void carga_muestras(Ventana& v) {
    const QString carpeta = QStringLiteral(ZEK_CARPETA_MUESTRAS);
    v.abre("SubImagen", carpeta + "/imagen.bmp");
    v.abre("SubMarcaAgua", carpeta + "/marca.bmp");
}

TEST(Demostracion, FourPressesOnTheSamplesThenReset) {
    Ventana v;
    carga_muestras(v);
    const QImage anfitrion = v.picture(1)->imagen();
    v.aplica("Txt_Grado", "Cmd_Grado", "10");
    v.aplica("Txt_Clave", "Cmd_Clave", " 3 ");
    EXPECT_EQ(v.texto("LGrado"), "Grado de Resistencia a ataques de Altas frecuencias 10");
    EXPECT_EQ(v.texto("LClave"), QString::fromUtf8("Clave de Codificación de la Marca de Agua 3"));
    EXPECT_EQ(v.hijo<QLineEdit>("Txt_Clave")->text(), "3");

    v.paso();
    EXPECT_EQ(v.texto("LpASO"), "Paso 1:Se muestra la imagen dividida en bloques.");
    EXPECT_EQ(v.texto("LBloque"), "Longitud de bloque 5");
    EXPECT_EQ(v.texto("LNumBloques"), QString::fromUtf8("Número de bloque 3072"));
    EXPECT_EQ(v.picture(1)->lee_pixel(5, 100), kColorRejilla);

    v.paso();
    EXPECT_EQ(v.texto("LpASO"), "Paso 2:Insertamos la marca de agua en la imagen principal.");
    // The watermarked picture looks like the host: no channel far off.
    int lejanos = 0;
    for (int x = 1; x < 319; ++x) {
        for (int y = 1; y < 239; ++y) {
            const QRgb a = anfitrion.pixel(x, y), b = v.picture(3)->imagen().pixel(x, y);
            lejanos += std::abs(qRed(a) - qRed(b)) > 12 || std::abs(qGreen(a) - qGreen(b)) > 12 ||
                       std::abs(qBlue(a) - qBlue(b)) > 12;
        }
    }
    EXPECT_EQ(lejanos, 0);

    EXPECT_TRUE(v.estado().startsWith(
        QString::fromUtf8("Imagen marcada: PSNR frente a la imagen principal ")));

    v.paso();
    EXPECT_EQ(v.texto("LpASO"), "Paso 3:Dibujamos Rejilla sobre imagen con la marca de agua.");
    EXPECT_EQ(v.picture(3)->lee_pixel(10, 50), kColorRejilla);

    v.paso();
    EXPECT_EQ(v.texto("LpASO"), "Paso 4:Extraemos la marca de agua de la imagen.");
    for (int x = 1; x < 32; ++x) {
        for (int y = 1; y < 32; ++y)
            ASSERT_EQ(v.picture(4)->lee_pixel(x, y), v.picture(2)->lee_pixel(x, y));
    }
    EXPECT_TRUE(v.dialogos.mensajes.empty());
    const QString extraccion = QLocale().decimalPoint() == "," ? "100,0" : "100.0";
    EXPECT_EQ(v.estado(),
              QString::fromUtf8("Extracción ciega de la imagen marcada: 961 de 961 píxeles "
                                "correctos (") +
                  extraccion + " %)");
    // Browsing the menus sends empty status tips; the finding stays.
    const QString hallazgo = v.estado();
    v.hijo<QAction>("SubImagen")->hover();
    QStatusTipEvent consejo_vacio{QString()};
    QApplication::sendEvent(v.w.get(), &consejo_vacio);
    EXPECT_EQ(v.estado(), hallazgo);

    v.hijo<QAction>("MnuReset")->trigger();
    EXPECT_EQ(v.estado(), "");
    EXPECT_EQ(v.texto("LpASO"), "Paso 0: Se muestra la imagen y la gota de Agua.");
    EXPECT_EQ(v.texto("LBloque"), "");
    EXPECT_EQ(v.texto("LGrado"), "Grado de Resistencia a ataques de Altas frecuencias 10");
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(v.picture(n)->lee_pixel(10, 10), kColorFondo);
    v.aplica("Txt_Grado", "Cmd_Grado", "12");  // unlocked again
    EXPECT_EQ(v.w->vbles().Grado, 12);
}

TEST(Parametros, LockedFromTheFirstStageOnAndTheTextBoxRestored) {
    Ventana v;
    carga_muestras(v);
    v.aplica("Txt_Grado", "Cmd_Grado", "10");
    v.aplica("Txt_Clave", "Cmd_Clave", "3");
    v.paso();
    for (const char* valor : {"99", "10"}) {
        v.dialogos.mensajes.clear();
        v.aplica("Txt_Grado", "Cmd_Grado", valor);
        EXPECT_EQ(v.dialogos.mensajes, std::vector<MensajeQt>{kBloqueo});
        EXPECT_EQ(v.hijo<QLineEdit>("Txt_Grado")->text(), "10");
        EXPECT_EQ(v.w->vbles().Grado, 10);
    }
    v.hijo<QAction>("MnuClave")->trigger();
    v.w->FrmClave()->texto()->setText("5");
    v.hijo<QLineEdit>("Txt_Clave")->setText("8");
    v.dialogos.mensajes.clear();
    EXPECT_TRUE(v.w->FrmClave()->close());
    EXPECT_EQ(v.dialogos.mensajes, std::vector<MensajeQt>{kBloqueo});
    EXPECT_EQ(v.hijo<QLineEdit>("Txt_Clave")->text(), "3");
    EXPECT_EQ(v.w->vbles().Clave, 3);
}

TEST(Parametros, ADialogWithATextThatIsNotANumberCannotBeClosed) {
    Ventana v;
    v.hijo<QAction>("MnuResistencia")->trigger();
    FrmParametro* dialogo = v.w->FrmGrado();
    EXPECT_EQ(dialogo->windowTitle(),
              "Intoducir Grado de Resistencia a ataques de altas frecuencias");
    EXPECT_EQ(dialogo->texto()->text(), "0");
    for (const char* texto : {"", "abc", "1,5"}) {
        dialogo->texto()->setText(texto);
        v.dialogos.mensajes.clear();
        EXPECT_FALSE(dialogo->close());
        EXPECT_TRUE(dialogo->isVisible());
        EXPECT_EQ(v.dialogos.mensajes,
                  (std::vector<MensajeQt>{{"Debes de indicar un grado de resistencia correcto.",
                                           Icono::Ninguno, "ZEK"}}));
    }
    dialogo->texto()->setText("2.5");
    EXPECT_TRUE(dialogo->close());
    EXPECT_EQ(v.w->vbles().Grado, 2.5);
    EXPECT_EQ(v.hijo<QLineEdit>("Txt_Grado")->text(), "2.5");
    // Reused, and opened again with the value in force.
    v.hijo<QAction>("MnuResistencia")->trigger();
    EXPECT_EQ(v.w->FrmGrado(), dialogo);
    EXPECT_EQ(dialogo->texto()->text(), "2.5");
}

TEST(Parametros, ClosingTheKeyDialogAppliesItsOlderText) {
    Ventana v;
    v.hijo<QAction>("MnuClave")->trigger();
    EXPECT_EQ(v.w->FrmClave()->windowTitle(), "Introducir Numero de bloques");
    v.w->FrmClave()->texto()->setText("4");
    v.aplica("Txt_Clave", "Cmd_Clave", "9");
    EXPECT_EQ(v.w->vbles().Clave, 9);
    EXPECT_TRUE(v.w->FrmClave()->close());
    EXPECT_EQ(v.w->vbles().Clave, 4);
    EXPECT_EQ(v.texto("LClave"), QString::fromUtf8("Clave de Codificación de la Marca de Agua 4"));
}

struct CasoLocal {
    const char* nombre;
    QLocale::Language idioma;
    QLocale::Territory pais;
    const char* texto;
    bool numerico;
    double valor;
    const char* mostrado;
};

class Locale : public testing::TestWithParam<CasoLocal> {};

TEST_P(Locale, NumbersAreReadAndWrittenTheUsersWay) {
    const CasoLocal& c = GetParam();
    QLocale::setDefault(QLocale(c.idioma, c.pais));
    Ventana v;
    v.aplica("Txt_Clave", "Cmd_Clave", c.texto);
    if (c.numerico) {
        EXPECT_TRUE(v.dialogos.mensajes.empty());
        EXPECT_EQ(v.w->vbles().Clave, c.valor);
        EXPECT_EQ(v.hijo<QLineEdit>("Txt_Clave")->text(), c.mostrado);
    } else {
        ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
        EXPECT_EQ(
            v.dialogos.mensajes[0].texto,
            QString::fromUtf8("Debes de indicar la clave de codificación de la marca de agua."));
        EXPECT_EQ(v.w->vbles().Clave, 0);
        EXPECT_EQ(v.hijo<QLineEdit>("Txt_Clave")->text(), c.texto);
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Locale,
    testing::Values(
        CasoLocal{"coma", QLocale::Spanish, QLocale::Spain, "2,5", true, 2.5, "2,5"},
        CasoLocal{"punto_en_espanol", QLocale::Spanish, QLocale::Spain, "2.5", false, 0, ""},
        CasoLocal{"punto", QLocale::English, QLocale::UnitedStates, "2.5", true, 2.5, "2.5"},
        CasoLocal{"grupo_no", QLocale::English, QLocale::UnitedStates, "1,5", false, 0, ""},
        CasoLocal{"blancos", QLocale::English, QLocale::UnitedStates, " 12 ", true, 12, "12"},
        CasoLocal{"ceros", QLocale::English, QLocale::UnitedStates, "007", true, 7, "7"},
        CasoLocal{"negativo", QLocale::English, QLocale::UnitedStates, "-3", true, -3, "-3"},
        CasoLocal{"exponente", QLocale::English, QLocale::UnitedStates, "1e300", true, 1e300,
                  "1E+300"},
        CasoLocal{"vacio", QLocale::English, QLocale::UnitedStates, "", false, 0, ""},
        CasoLocal{"nan", QLocale::English, QLocale::UnitedStates, "nan", false, 0, ""},
        CasoLocal{"infinito", QLocale::English, QLocale::UnitedStates, "inf", false, 0, ""},
        CasoLocal{"desborda", QLocale::English, QLocale::UnitedStates, "1e400", false, 0, ""}),
    prueba::PorNombre{});

}  // namespace
}  // namespace zek
