// SPDX-License-Identifier: MIT
// ZEK on the desktop: files given or dropped, the folder remembered, the
// version, and what a screen reader and the keyboard reach.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "base/version.h"
#include "qt/traducciones.h"
#include "tests/ui/ventana.h"
#include "ui/dialogos.h"
#include "ui/frm_laboratorio.h"

namespace zek {
namespace {

using prueba::Ventana;

// The file dialog shows names, sizes and types whole, and opens next time
// at the size the user left it.
TEST(Escritorio, TheFileDialogIsLargeEnoughAndKeepsTheSizeTheUserGivesIt) {
    DialogosQt dialogos;
    std::vector<QSize> vistos;
    const auto responde = [&](QSize nuevo) {
        QTimer::singleShot(0, [&vistos, nuevo] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            vistos.push_back(d->size());
            d->resize(nuevo);
            d->reject();
        });
    };
    responde({760, 540});
    EXPECT_EQ(dialogos.elige_archivo(nullptr, "Imagenes (*.bmp)", QDir::tempPath()), QString());
    responde({700, 450});
    EXPECT_EQ(dialogos.elige_archivo_para_guardar(nullptr, "PNG (*.png)", "marcada.png"),
              QString());
    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_GE(vistos[0].width(),
              std::min(800, QApplication::primaryScreen()->availableSize().width()));
    EXPECT_GE(vistos[0].height(), 500);
    EXPECT_EQ(vistos[1], QSize(760, 540));
}

TEST(Escritorio, FilesGivenOrDroppedOpenInTheirRoleAndTheFolderIsRemembered) {
    Ventana v;
    v.w->abre_archivo(v.imagen(60, 40), Rol::Imagen);
    EXPECT_EQ(v.picture(1)->size(), QSize(60, 40));
    EXPECT_EQ(v.w->carpeta_de_dialogo(), v.carpeta.path());
    v.w->abre_archivo(v.imagen(400, 40), Rol::Imagen);  // refused with its usual message
    ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
    EXPECT_EQ(v.dialogos.mensajes[0].titulo, "Asignatura de ZEK 2003/04");

    QMimeData datos;
    datos.setUrls({QUrl::fromLocalFile(v.imagen(8, 4))});
    QDropEvent soltar(QPointF(5, 5), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
    // Straight to the box: outside a real drag, Qt's dispatch drops it.
    static_cast<QObject*>(v.picture(2))->event(&soltar);
    EXPECT_TRUE(soltar.isAccepted());
    EXPECT_EQ(v.picture(2)->size(), QSize(8, 4));
    EXPECT_TRUE(v.w->vbles().MatrizMarca.cubre(1, 8, 1, 4));
    v.abre("SubImagen", {});
    EXPECT_EQ(v.dialogos.carpeta, v.carpeta.path());
}

// `zek malo.bmp marca.bmp`: the first file's refusal is not wiped out by the
// second file's success.
TEST(Escritorio, ARefusalOnTheCommandLineStaysInTheStatusLine) {
    Ventana v;
    const QString malo = v.carpeta.filePath("malo.bmp");
    QFile(malo).open(QIODevice::WriteOnly);
    v.w->abre_archivos(malo, v.imagen(4, 2));
    EXPECT_TRUE(v.estado().contains("malo.bmp")) << v.estado().toStdString();
    EXPECT_EQ(v.picture(2)->size(), QSize(4, 2));
}

// Ctrl+R: Reset, then the same two files through the same loading rules.
TEST(Escritorio, RepeatingResetsAndOpensTheSameTwoFilesAgain) {
    Ventana v;
    EXPECT_FALSE(v.hijo<QAction>("SubRepetir")->isEnabled());
    v.w->abre_archivos(v.imagen(64, 48), v.imagen(4, 2));
    v.aplica("Txt_Grado", "Cmd_Grado", "16");
    v.aplica("Txt_Clave", "Cmd_Clave", "3");
    for (int i = 0; i < 4; ++i) v.paso();
    v.hijo<QAction>("SubRepetir")->trigger();
    EXPECT_EQ(v.w->vbles().Paso, 0);
    EXPECT_EQ(v.picture(1)->size(), QSize(64, 48));
    EXPECT_EQ(v.picture(2)->size(), QSize(4, 2));
    EXPECT_TRUE(v.w->vbles().MatrizMarca.cubre(1, 4, 1, 2));  // captured again
    v.aplica("Txt_Grado", "Cmd_Grado", "24");                 // the parameters may change again
    EXPECT_EQ(v.w->vbles().Grado, 24);
    v.paso();
    EXPECT_EQ(v.w->vbles().Paso, 1);
}

TEST(Escritorio, TheAboutBoxGivesTheVersionAndTheLicenceAndF10OpensTheMenus) {
    Ventana v;
    v.hijo<QAction>("SubAcercaDe")->trigger();
    ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
    EXPECT_EQ(v.dialogos.mensajes[0].titulo, "Acerca de ZEK");
    EXPECT_TRUE(v.dialogos.mensajes[0].texto.startsWith(QStringLiteral("ZEK ") + kVersion));
    EXPECT_TRUE(v.dialogos.mensajes[0].texto.contains("licencia MIT"));

    auto* f10 = v.w->findChild<QShortcut*>();
    ASSERT_NE(f10, nullptr);
    EXPECT_EQ(f10->key(), QKeySequence(Qt::Key_F10));
    v.w->show();
    Q_EMIT f10->activated();
    EXPECT_EQ(v.w->menuBar()->activeAction(), v.w->menuBar()->actions().constFirst());
}

// F10, the arrows to Reset (a menu bar item with no menu of its own) and
// Return reset the demonstration, and nothing else.
TEST(Escritorio, ResetIsReachedAndFiredFromTheKeyboard) {
    Ventana v;
    v.w->show();
    QApplication::setActiveWindow(v.w.get());
    v.w->abre_archivo(v.imagen(64, 48), Rol::Imagen);
    v.w->abre_archivo(v.imagen(4, 2), Rol::Marca);
    v.aplica("Txt_Grado", "Cmd_Grado", "16");
    v.aplica("Txt_Clave", "Cmd_Clave", "3");
    v.paso();
    ASSERT_EQ(v.w->vbles().Paso, 1);
    QTest::keyClick(v.w.get(), Qt::Key_F10);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_Right);                               // Parámetros
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);  // Reset
    EXPECT_EQ(v.w->menuBar()->activeAction()->objectName(), "MnuReset");
    QWidget* destino = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                         : QApplication::focusWidget();
    ASSERT_NE(destino, nullptr);
    QTest::keyClick(destino, Qt::Key_Right);  // on to Laboratorio, and back
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
    EXPECT_EQ(v.w->menuBar()->activeAction()->objectName(), "MnuReset");
    destino = QApplication::focusWidget();
    QTest::keyClick(destino, Qt::Key_Return);
    EXPECT_EQ(v.w->vbles().Paso, 0);
    EXPECT_EQ(v.picture(3)->size(), QSize(64, 48));
}

// Qt's own dialogs speak the user's language.
TEST(Escritorio, QtsOwnTextsAreInSpanish) {
    ASSERT_TRUE(carga_traducciones_de_qt(*QCoreApplication::instance(), QLocale("es_ES")));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Ver en:");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
}

// Every control a screen reader stops at has a name.
void sin_nombre(QWidget* raiz, QStringList& faltan) {
    for (QWidget* w : raiz->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QProgressBar*>(w) ||
                             qobject_cast<QGroupBox*>(w) || qobject_cast<QChartView*>(w) ||
                             dynamic_cast<PictureBox*>(w);
        // Qt's own parts: the line inside a spin box, the menu bar's overflow button.
        const bool de_qt = w->parent()->inherits("QAbstractSpinBox") ||
                           w->objectName().startsWith(QLatin1String("qt_"));
        if (!control || de_qt) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).isEmpty())
            faltan << raiz->objectName() + "/" + w->objectName() + " (" +
                          w->metaObject()->className() + ")";
    }
}

TEST(Escritorio, EveryControlHasAnAccessibleNameAndThePicturesSayWhatTheyShow) {
    Ventana v;
    const QString muestras = QStringLiteral(ZEK_CARPETA_MUESTRAS);
    v.abre("SubImagen", muestras + "/imagen.bmp");
    v.abre("SubMarcaAgua", muestras + "/marca.bmp");
    v.aplica("Txt_Grado", "Cmd_Grado", "10");
    v.aplica("Txt_Clave", "Cmd_Clave", "3");
    EXPECT_EQ(v.picture(1)->accessibleName(), "Imagen principal");
    v.paso();
    v.paso();
    EXPECT_EQ(v.picture(1)->accessibleName(), "Imagen principal con la rejilla de bloques");
    EXPECT_EQ(v.picture(3)->accessibleName(), "Imagen marcada");
    v.hijo<QAction>("MnuClave")->trigger();
    v.hijo<QAction>("MnuResistencia")->trigger();
    v.hijo<QAction>("SubLaboratorio")->trigger();
    v.w->laboratorio()->espera();
    QStringList faltan;
    for (QWidget* raiz : std::initializer_list<QWidget*>{v.w.get(), v.w->FrmClave(),
                                                         v.w->FrmGrado(), v.w->laboratorio()})
        sin_nombre(raiz, faltan);
    EXPECT_TRUE(faltan.isEmpty()) << faltan.join(", ").toStdString();
}

}  // namespace
}  // namespace zek
