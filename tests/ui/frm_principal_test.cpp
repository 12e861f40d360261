// SPDX-License-Identifier: MIT
#include "ui/frm_principal.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QToolButton>

#include "tests/ui/ventana.h"

namespace zek {
namespace {

using prueba::Ventana;

// The client area is large enough to show every control.
TEST(Ventana, EveryControlFitsTheClientArea) {
    Ventana v;
    const QRect cliente({0, 0}, v.w->centralWidget()->minimumSize());
    const auto controles =
        v.w->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_GE(controles.size(), 10);
    for (QWidget* c : controles) {
        EXPECT_TRUE(cliente.contains(c->geometry())) << c->objectName().toStdString();
    }
}

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

// What is drawn, not the palette: the step button and Salir flat in their
// design colours, and a keyboard focus frame that shows.
TEST(Ventana, ButtonsAreDrawnFlatInTheirColoursAndShowTheFocus) {
    Ventana v;
    v.w->show();
    QApplication::setActiveWindow(v.w.get());
    auto* paso = v.hijo<QPushButton>("Command1");
    auto* salir = v.hijo<QToolButton>("CmdSalir");
    auto* grado = v.hijo<QPushButton>("Cmd_Grado");
    salir->setFocus();
    for (auto [boton, color] : {std::pair<QWidget*, QRgb>{paso, qRgb(255, 255, 192)},
                                std::pair<QWidget*, QRgb>{salir, qRgb(255, 0, 0)}}) {
        const QImage imagen = boton->grab().toImage();
        const int an = imagen.width(), al = imagen.height();
        // Inside the frame, clear of the icon and the text: corners and sides.
        for (const QPoint p : {QPoint(4, 4), QPoint(an - 5, 4), QPoint(4, al - 5),
                               QPoint(an - 5, al - 5), QPoint(4, al / 2)}) {
            EXPECT_EQ(imagen.pixel(p), color)
                << boton->objectName().toStdString() << " at " << p.x() << "," << p.y();
        }
    }
    // Focus: a black frame three pixels wide; without it, the face colour.
    grado->setFocus();
    ASSERT_TRUE(grado->hasFocus());
    const QImage con_foco = grado->grab().toImage();
    paso->setFocus();
    const QImage sin_foco = grado->grab().toImage();
    EXPECT_EQ(con_foco.pixel(2, 8), qRgb(0, 0, 0));
    EXPECT_NE(sin_foco.pixel(2, 8), qRgb(0, 0, 0));
    EXPECT_EQ(paso->grab().toImage().pixel(2, 16), qRgb(0, 0, 0));
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

// The design's menus, in its order, with the laboratory's additions after
// each: reopening and saving under Archivo, and a Laboratorio menu last.
TEST(Ventana, MenuBarHoldsArchivoParametrosAndResetItself) {
    Ventana v;
    QStringList barra;
    for (QAction* a : v.w->menuBar()->actions()) barra << a->text();
    EXPECT_EQ(barra,
              QStringList({"&Archivo", QString::fromUtf8("Parámetros"), "Reset", "&Laboratorio"}));
    EXPECT_EQ(v.w->menuBar()->actions()[2]->menu(), nullptr);  // runs at once

    QMenu* archivo = v.w->menuBar()->actions()[0]->menu();
    ASSERT_EQ(archivo->actions().size(), 5);
    EXPECT_EQ(archivo->actions()[0]->text(), "&Abrir");
    EXPECT_EQ(archivo->actions()[1]->text(), "&Guardar");
    EXPECT_EQ(archivo->actions()[2]->text(), QString::fromUtf8("E&xportar hoja de clase…"));
    EXPECT_EQ(archivo->actions()[3]->text(), QString::fromUtf8("&Repetir con las mismas imágenes"));
    EXPECT_EQ(archivo->actions()[3]->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    EXPECT_EQ(archivo->actions()[4]->text(), QString::fromUtf8("A&cerca de ZEK…"));
    QStringList abrir;
    for (QAction* a : archivo->actions()[0]->menu()->actions()) abrir << a->text();
    EXPECT_EQ(abrir,
              QStringList({"&Imagen", "&Marca de Agua", QString::fromUtf8("Imagen ma&rcada…")}));
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
