// SPDX-License-Identifier: MIT
// ZEK on the desktop: files given or dropped, the folder remembered, the
// version, and what a screen reader and the keyboard reach.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QShortcut>
#include <QSpinBox>
#include <QUrl>

#include "base/version.h"
#include "tests/ui/ventana.h"
#include "ui/frm_laboratorio.h"

namespace zek {
namespace {

using prueba::Ventana;

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
