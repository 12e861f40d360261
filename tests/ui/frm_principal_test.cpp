#include "ui/frm_principal.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenuBar>
#include <QToolButton>

#include "tests/comun/por_nombre.h"
#include "tests/ui/ventana.h"

namespace zek {
namespace {

using prueba::Ventana;

struct CasoControl {
    const char* nombre;
    QRect geometria;
};

class Diseno : public testing::TestWithParam<CasoControl> {};

TEST_P(Diseno, EveryControlSitsWhereTheDesignPutsIt) {
    Ventana v;
    QWidget* control = v.hijo<QWidget>(GetParam().nombre);
    ASSERT_NE(control, nullptr) << GetParam().nombre;
    EXPECT_EQ(control->geometry(), GetParam().geometria) << GetParam().nombre;
}

INSTANTIATE_TEST_SUITE_P(
    Controles, Diseno,
    testing::Values(
        CasoControl{"LpASO", {8, 8, 1001, 25}}, CasoControl{"Picture1", {8, 48, 378, 483}},
        CasoControl{"Picture2", {416, 48, 181, 227}}, CasoControl{"Command1", {440, 288, 51, 33}},
        CasoControl{"Picture4", {416, 328, 181, 227}}, CasoControl{"Picture3", {624, 48, 378, 483}},
        CasoControl{"LBloque", {16, 544, 193, 17}}, CasoControl{"LNumBloques", {216, 544, 177, 17}},
        CasoControl{"Frame1", {16, 568, 401, 81}}, CasoControl{"LGrado", {8, 24, 385, 17}},
        CasoControl{"LClave", {8, 48, 385, 17}}, CasoControl{"Frame2", {424, 568, 433, 81}},
        CasoControl{"Label2", {8, 24, 313, 17}}, CasoControl{"Txt_Grado", {320, 24, 81, 19}},
        CasoControl{"Cmd_Grado", {408, 24, 17, 17}}, CasoControl{"Label1", {8, 48, 313, 17}},
        CasoControl{"Txt_Clave", {320, 48, 81, 19}}, CasoControl{"Cmd_Clave", {408, 48, 17, 17}},
        CasoControl{"CmdSalir", {872, 576, 49, 73}}),
    prueba::PorNombre{});

TEST(Ventana, OpensInTheDesignState) {
    Ventana v;
    EXPECT_EQ(v.w->windowTitle(), "ZEK");
    EXPECT_GE(v.w->centralWidget()->minimumWidth(), 1009);
    EXPECT_GE(v.w->centralWidget()->minimumHeight(), 658);
    EXPECT_EQ(v.texto("LpASO"), "Paso 0: Se muestra la imagen y la gota de Agua.");
    EXPECT_EQ(v.texto("LBloque"), "");
    EXPECT_EQ(v.texto("LNumBloques"), "");
    EXPECT_EQ(v.texto("LGrado"), "Grado de Resistencia a ataques de Altas frecuencias");
    EXPECT_EQ(v.texto("LClave"), QString::fromUtf8("Clave de Codificación de la Marca de Agua"));
    EXPECT_EQ(v.hijo<QLineEdit>("Txt_Grado")->text(), "0");
    EXPECT_EQ(v.hijo<QLineEdit>("Txt_Clave")->text(), "0");
    EXPECT_EQ(v.hijo<QGroupBox>("Frame1")->title(),
              QString::fromUtf8("Datos Actuales de Parámetros"));
    EXPECT_EQ(v.hijo<QGroupBox>("Frame2")->title(), QString::fromUtf8("Actualizar Parámetros"));
    EXPECT_EQ(v.hijo<QPushButton>("Cmd_Grado")->text(), "I");
    EXPECT_EQ(v.hijo<QToolButton>("CmdSalir")->text(), "Salir");
    EXPECT_TRUE(v.hijo<QPushButton>("Command1")->text().isEmpty());
    EXPECT_FALSE(v.hijo<QPushButton>("Command1")->icon().isNull());
    EXPECT_FALSE(v.hijo<QToolButton>("CmdSalir")->icon().isNull());
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(v.picture(n)->lee_pixel(0, 0), kColorFondo);
    }
    EXPECT_EQ(v.w->focusWidget(), v.hijo<QWidget>("Command1"));
}

TEST(Ventana, FontsAndColoursFollowTheDesign) {
    Ventana v;
    const auto fuente = [&v](const char* n) { return v.hijo<QWidget>(n)->font(); };
    const auto color = [&v](const char* n) {
        return v.hijo<QWidget>(n)->palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(fuente("LpASO").family(), "Liberation Serif");
    EXPECT_TRUE(fuente("LpASO").bold());
    EXPECT_EQ(fuente("LpASO").pixelSize(), 16);  // 12 pt
    EXPECT_EQ(color("LpASO"), QColor(255, 255, 128));
    EXPECT_EQ(fuente("LBloque").family(), "Liberation Sans");
    EXPECT_EQ(fuente("LBloque").pixelSize(), 13);  // 9.75 pt
    EXPECT_EQ(color("LBloque"), QColor(0, 255, 0));
    EXPECT_EQ(color("Frame1"), QColor(255, 255, 0));
    EXPECT_EQ(fuente("LGrado").pixelSize(), 11);  // 8.25 pt
    EXPECT_EQ(color("LClave"), QColor(Qt::white));
    EXPECT_EQ(fuente("Cmd_Clave").family(), "Liberation Serif");
    EXPECT_EQ(v.hijo<QWidget>("Command1")->palette().color(QPalette::Button),
              QColor(255, 255, 192));
    EXPECT_EQ(v.hijo<QWidget>("CmdSalir")->palette().color(QPalette::Button), QColor(255, 0, 0));
}

TEST(Ventana, TabOrderStartsAtTheStepButton) {
    Ventana v;
    QStringList orden;
    QWidget* w = v.hijo<QWidget>("Command1");
    do {
        if (w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty()) orden << w->objectName();
        w = w->nextInFocusChain();
    } while (w != v.hijo<QWidget>("Command1"));
    EXPECT_EQ(orden, QStringList({"Command1", "Txt_Grado", "Txt_Clave", "Cmd_Grado", "Cmd_Clave",
                                  "CmdSalir"}));
}

TEST(Ventana, MenuBarHoldsArchivoParametrosAndResetItself) {
    Ventana v;
    QStringList barra;
    for (QAction* a : v.w->menuBar()->actions()) barra << a->text();
    EXPECT_EQ(barra, QStringList({"&Archivo", QString::fromUtf8("Parámetros"), "Reset"}));
    EXPECT_EQ(v.w->menuBar()->actions()[2]->menu(), nullptr);  // runs at once

    QMenu* archivo = v.w->menuBar()->actions()[0]->menu();
    ASSERT_EQ(archivo->actions().size(), 1);
    EXPECT_EQ(archivo->actions()[0]->text(), "&Abrir");
    QStringList abrir;
    for (QAction* a : archivo->actions()[0]->menu()->actions()) abrir << a->text();
    EXPECT_EQ(abrir, QStringList({"&Imagen", "&Marca de Agua"}));
    QStringList parametros;
    for (QAction* a : v.w->menuBar()->actions()[1]->menu()->actions()) parametros << a->text();
    EXPECT_EQ(parametros,
              QStringList({"Grado Resistencia a ataqes de altas frecuencias",
                           QString::fromUtf8("Clave de codificación de la marca de Agua")}));
}

TEST(Ventana, TheFileDialogOffersTheThreeFormatsFromTheSamplesFolder) {
    Ventana v;
    v.abre("SubImagen", {});
    EXPECT_EQ(v.dialogos.filtro, "Imagenes(bmp,jpg,gif) (*.bmp *.jpg *.gif)");
    EXPECT_TRUE(v.dialogos.carpeta.endsWith("/samples"));
    EXPECT_TRUE(v.dialogos.mensajes.empty());  // cancelling does nothing
    EXPECT_EQ(v.picture(1)->size(), QSize(378, 483));
}

TEST(Ventana, ExitEndsAtOnceWithoutApplyingAnOpenDialog) {
    Ventana v;
    v.hijo<QAction>("MnuClave")->trigger();
    v.w->FrmClave()->texto()->setText("no es un numero");
    v.hijo<QToolButton>("CmdSalir")->click();
    EXPECT_TRUE(v.salido);
    EXPECT_TRUE(v.dialogos.mensajes.empty());
    EXPECT_EQ(v.w->vbles().Clave, 0);
}

}  // namespace
}  // namespace zek
