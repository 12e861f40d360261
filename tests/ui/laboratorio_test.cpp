// SPDX-License-Identifier: MIT
// Saving and reopening from the window, and the laboratory window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QTableWidget>
#include <numbers>

#include "graficos/graficos.h"
#include "tests/comun/disco_lleno.h"
#include "tests/comun/por_nombre.h"
#include "tests/ui/ventana.h"
#include "ui/frm_comparacion.h"
#include "ui/frm_deteccion.h"
#include "ui/frm_laboratorio.h"
#include "workflow/hoja.h"
#include "workflow/textos_ventana.h"

namespace zek {
namespace {

using prueba::Ventana;

// The samples opened, Grado 16, Clave 3, and the step button pressed n times.
void demostracion(Ventana& v, int n) {
    const QString carpeta = QStringLiteral(ZEK_CARPETA_MUESTRAS);
    v.abre("SubImagen", carpeta + "/imagen.bmp");
    v.abre("SubMarcaAgua", carpeta + "/marca.bmp");
    v.aplica("Txt_Grado", "Cmd_Grado", "16");
    v.aplica("Txt_Clave", "Cmd_Clave", "3");
    for (int i = 0; i < n; ++i) v.paso();
}

void guarda(Ventana& v, const char* menu, const QString& ruta) {
    v.dialogos.archivo_guardar = ruta;
    v.hijo<QAction>(menu)->trigger();
}

TEST(Guardar, TheWatermarkedPictureGoesToPngOrJpegAndReadsBack) {
    Ventana v;
    demostracion(v, 1);
    EXPECT_FALSE(v.hijo<QAction>("SubGuardarMarcada")->isEnabled());  // nothing drawn yet
    v.paso();
    EXPECT_FALSE(v.hijo<QAction>("SubGuardarExtraida")->isEnabled());  // nothing read yet
    v.paso();
    v.paso();
    const QString png = v.carpeta.filePath("marcada.png");
    guarda(v, "SubGuardarMarcada", png);
    EXPECT_EQ(v.dialogos.sugerido, "marcada.png");
    EXPECT_TRUE(v.dialogos.mensajes.empty());
    EXPECT_EQ(v.estado(), QString::fromUtf8("Guardada «marcada.png»."));
    EXPECT_EQ(QImage(png).size(), QSize(320, 240));
    EXPECT_EQ(v.dialogos.calidad_pedida, -1);  // no quality for a PNG

    // Read with the layout in force: side 5 on 320 x 240 for 32 x 32 pixels
    // (side 6 gives 53 block columns, odd; 8 gives 40 x 30, too few pairs).
    v.abre("SubAbrirMarcada", png);
    EXPECT_EQ(v.estado(), QString::fromUtf8("Extracción ciega de «marcada.png» con bloques de lado "
                                            "5: 961 de 961 píxeles correctos (100.0 %). La marca "
                                            "leída está en el laboratorio."));
    ASSERT_NE(v.w->laboratorio(), nullptr);
    EXPECT_TRUE(v.w->laboratorio()->isVisible());
    EXPECT_EQ(v.w->laboratorio()->findChild<QComboBox*>("fuente")->currentText(), "marcada.png");
    EXPECT_EQ(v.w->vbles().Paso, 4);

    v.dialogos.calidad = 95;
    guarda(v, "SubGuardarMarcada", v.carpeta.filePath("marcada.jpg"));
    EXPECT_EQ(v.dialogos.calidad_pedida, 90);
    EXPECT_FALSE(QImage(v.carpeta.filePath("marcada.jpg")).isNull());
    v.dialogos.calidad = std::nullopt;  // cancelled: nothing written
    guarda(v, "SubGuardarMarcada", v.carpeta.filePath("otra.jpg"));
    EXPECT_FALSE(QFile::exists(v.carpeta.filePath("otra.jpg")));

    guarda(v, "SubGuardarExtraida", v.carpeta.filePath("extraida"));  // no extension: PNG
    EXPECT_EQ(QImage(v.carpeta.filePath("extraida.png")).size(), QSize(32, 32));
}

// The handout from the menu: refused before there is a watermarked
// picture; then written on a worker into the folder of the last save, with
// the status line saying where. Its contents are checked on zek-demo's.
TEST(Guardar, TheHandoutIsWrittenWhereTheUserSays) {
    Ventana v;
    demostracion(v, 1);
    guarda(v, "SubHoja", v.carpeta.filePath("antes.pdf"));
    EXPECT_TRUE(v.estado().startsWith(QString::fromUtf8("Para exportar la hoja de clase")));
    EXPECT_FALSE(QFile::exists(v.carpeta.filePath("antes.pdf")));
    for (int i = 0; i < 3; ++i) v.paso();
    const QString pdf = v.carpeta.filePath("hoja");  // no extension: PDF
    guarda(v, "SubHoja", pdf);
    EXPECT_EQ(v.dialogos.sugerido, "hoja-de-clase.pdf");
    v.w->espera_hoja();
    QCoreApplication::processEvents();
    EXPECT_EQ(v.estado(), QString::fromUtf8("Hoja de clase escrita en «%1.pdf».").arg(pdf));
    QFile f(pdf + ".pdf");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    EXPECT_TRUE(v.dialogos.mensajes.empty());
}

TEST(Guardar, NeverOverTheOpenHostAndAFailedWriteKeepsTheOldFile) {
    Ventana v;
    const QString anfitrion = v.imagen(64, 48);
    v.abre("SubImagen", anfitrion);
    v.abre("SubMarcaAgua", v.imagen(4, 2));
    v.aplica("Txt_Grado", "Cmd_Grado", "16");
    v.aplica("Txt_Clave", "Cmd_Clave", "3");
    v.paso();
    v.paso();
    const QImage original(anfitrion);
    guarda(v, "SubGuardarMarcada", anfitrion);
    ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
    EXPECT_EQ(v.dialogos.mensajes[0].texto,
              QString::fromUtf8("No se puede guardar sobre «64x48.bmp»: es la imagen principal "
                                "abierta. Elige otro nombre."));
    EXPECT_EQ(QImage(anfitrion), original);
    v.dialogos.mensajes.clear();
    guarda(v, "SubGuardarMarcada", v.carpeta.filePath("4x2.bmp"));  // nor over the watermark
    ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
    EXPECT_EQ(v.dialogos.mensajes[0].texto,
              QString::fromUtf8("No se puede guardar sobre «4x2.bmp»: es la marca de agua "
                                "abierta. Elige otro nombre."));
    // The save dialog starts where the last save went.
    guarda(v, "SubGuardarMarcada", v.carpeta.filePath("otra.png"));
    EXPECT_EQ(v.dialogos.sugerido, v.carpeta.filePath("marcada.png"));

    v.dialogos.mensajes.clear();
    guarda(v, "SubGuardarMarcada", v.carpeta.filePath("no/existe/marcada.png"));
    ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
    EXPECT_TRUE(v.dialogos.mensajes[0].texto.startsWith(
        QString::fromUtf8("No se ha podido guardar «marcada.png»: ")));
}

// A save that does not fit on the disk keeps the file that was there, byte
// for byte, says why, and never says "Guardada".
struct CasoDiscoLleno {
    const char* nombre;
    const char* archivo;
    int libres;  // bytes left on the disk; 0: half of what the picture needs
};

class GuardarEnDiscoLleno : public testing::TestWithParam<CasoDiscoLleno> {};

TEST_P(GuardarEnDiscoLleno, KeepsTheOldFileAndSaysWhy) {
    const CasoDiscoLleno& caso = GetParam();
    Ventana v;
    demostracion(v, 2);
    const QString prueba = v.carpeta.filePath(QString::fromUtf8(caso.archivo));
    guarda(v, "SubGuardarMarcada", prueba);  // how large the new file is
    const qint64 necesarios = QFileInfo(prueba).size();
    ASSERT_GT(necesarios, 0);

    prueba::DiscoLleno disco(1 << 20);
    ASSERT_TRUE(disco.montado()) << disco.error();
    const QString ruta = QString::fromStdString((disco.carpeta() / caso.archivo).string());
    const QByteArray viejo(20000, 'v');
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(viejo), viejo.size());
    }
    disco.deja_libres(caso.libres ? static_cast<size_t>(caso.libres)
                                  : static_cast<size_t>(necesarios / 2));
    v.dialogos.mensajes.clear();
    guarda(v, "SubGuardarMarcada", ruta);

    ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
    EXPECT_EQ(v.dialogos.mensajes[0].texto,
              QString::fromUtf8("No se ha podido guardar «%1»: no queda espacio en el disco.")
                  .arg(QString::fromUtf8(caso.archivo)));
    EXPECT_FALSE(v.estado().startsWith(QString::fromUtf8("Guardada")));
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), viejo);
    // No temporary file left behind either.
    EXPECT_EQ(QDir(QString::fromStdString(disco.carpeta().string()))
                  .entryList(QDir::Files | QDir::Hidden)
                  .size(),
              2);
}

INSTANTIATE_TEST_SUITE_P(Casos, GuardarEnDiscoLleno,
                         testing::Values(CasoDiscoLleno{"png_a_medias", "prueba.png", 0},
                                         CasoDiscoLleno{"jpeg_a_medias", "prueba.jpg", 0},
                                         CasoDiscoLleno{"bmp_a_medias", "prueba.bmp", 0},
                                         CasoDiscoLleno{"png_sin_sitio", "prueba.png", 4096},
                                         CasoDiscoLleno{"bmp_sin_sitio", "prueba.bmp", 4096}),
                         prueba::PorNombre());

// Two differences with the host: the mark's alone, which no attack changes,
// and the mark's and the attack's together. A reset takes the host and the
// watermark, and every figure made from them goes.
TEST(Laboratorio, ShowsBothDifferencesAndForgetsWhatAResetTakes) {
    Ventana v;
    demostracion(v, 4);
    const QString png = v.carpeta.filePath("marcada.png");
    guarda(v, "SubGuardarMarcada", png);
    v.abre("SubAbrirMarcada", png);
    FrmLaboratorio* lab = v.w->laboratorio();
    lab->espera();
    auto* vista = lab->findChild<QComboBox*>("vista_diferencia");
    auto* diferencia = lab->findChild<QLabel*>("diferencia");
    const QImage de_la_marca = diferencia->pixmap().toImage();
    ASSERT_FALSE(de_la_marca.isNull());
    vista->setCurrentIndex(1);
    EXPECT_EQ(diferencia->pixmap().toImage(), de_la_marca);    // no attack yet
    lab->findChild<QComboBox*>("ataque")->setCurrentIndex(1);  // JPEG
    lab->findChild<QDoubleSpinBox*>("valor")->setValue(0);
    lab->espera();
    EXPECT_NE(diferencia->pixmap().toImage(), de_la_marca);
    vista->setCurrentIndex(0);
    EXPECT_EQ(diferencia->pixmap().toImage(), de_la_marca);

    v.hijo<QAction>("MnuReset")->trigger();
    lab->espera();
    EXPECT_EQ(lab->findChild<QComboBox*>("fuente")->currentText(), "marcada.png");
    EXPECT_TRUE(lab->findChild<QLabel*>("leida")->pixmap().isNull());
    EXPECT_TRUE(diferencia->pixmap().isNull());
    EXPECT_TRUE(lab->findChild<QLabel*>("cifras")->text().startsWith(
        QString::fromUtf8("No se puede leer ninguna marca de esta imagen.")));
}

// A classroom projector of 1024 x 768, less the title bar and a panel; the
// controls stay where they are whatever the attack's parameter is called.
TEST(Laboratorio, FitsAProjectorAndItsControlsStayPut) {
    Ventana v;
    demostracion(v, 2);
    v.hijo<QAction>("SubLaboratorio")->trigger();
    FrmLaboratorio* lab = v.w->laboratorio();
    lab->espera();
    EXPECT_LE(lab->minimumSizeHint().width(), 1024);
    EXPECT_LE(lab->minimumSizeHint().height(), 740);
    lab->resize(1024, 740);
    auto* tipo = lab->findChild<QComboBox*>("ataque");
    auto* valor = lab->findChild<QDoubleSpinBox*>("valor");
    QApplication::processEvents();
    const int x = valor->mapTo(lab, QPoint()).x();
    for (int i = 0; i < tipo->count(); ++i) {
        tipo->setCurrentIndex(i);
        lab->espera();
        QApplication::processEvents();
        EXPECT_EQ(valor->mapTo(lab, QPoint()).x(), x) << tipo->currentText().toStdString();
        auto* cifras = lab->findChild<QLabel*>("cifras");
        EXPECT_LE(cifras->heightForWidth(cifras->width()), cifras->height())
            << cifras->text().toStdString();
    }
}

// recorte:7 loses the grid; "Buscar la rejilla" finds it at (7, 7), says so
// against the crop made, shows both maps where the difference was (the
// offset taken in red) and the histogram of what it read back on the
// embedding's two levels, Clave 3 and Clave + Grado/2 = 11.
TEST(Laboratorio, SearchesACropForItsGridAndShowsBothMaps) {
    Ventana v;
    demostracion(v, 4);
    v.hijo<QAction>("SubLaboratorio")->trigger();
    FrmLaboratorio* lab = v.w->laboratorio();
    lab->espera();
    auto* busca = lab->findChild<QCheckBox*>("busca_rejilla");
    EXPECT_FALSE(busca->isEnabled());  // nothing cut yet
    auto* tipo = lab->findChild<QComboBox*>("ataque");
    tipo->setCurrentIndex(tipo->findText(QStringLiteral("Recorte")));
    lab->findChild<QDoubleSpinBox*>("valor")->setValue(7);
    lab->espera();
    ASSERT_TRUE(busca->isEnabled());
    const auto en_niveles = [lab] {
        QChart* grafico = lab->findChild<QChartView*>("histograma")->chart();
        double total = 0, en = 0;
        for (QAbstractSeries* serie : grafico->series()) {
            for (QBarSet* c : static_cast<QBarSeries*>(serie)->barSets()) {
                if (!c->label().startsWith(QStringLiteral("Atacada"))) continue;
                for (int i = 0; i < c->count(); ++i) total += c->at(i);
                en += c->at(3) + c->at(11);
            }
        }
        return total > 0 ? en / total : 0.0;
    };
    EXPECT_LT(en_niveles(), 0.5);
    busca->setChecked(true);
    lab->espera();
    const QString cifras = lab->findChild<QLabel*>("cifras")->text();
    EXPECT_TRUE(cifras.contains(
        QString::fromUtf8("Rejilla encontrada en (7, 7); el recorte se hizo en (7, 7).")))
        << cifras.toStdString();
    EXPECT_FALSE(lab->findChild<QComboBox*>("vista_diferencia")->isEnabled());
    EXPECT_EQ(lab->findChild<QLabel*>("escala")->text(), QString::fromUtf8(kLeyendaDeLosMapas));
    // Two maps of 8 x 8 offsets with 4 pixels between, 20 x 8, drawn 13
    // times over to fill the box's 260 pixels.
    const QImage mapas = lab->findChild<QLabel*>("diferencia")->pixmap().toImage();
    ASSERT_EQ(mapas.size(), QSize(260, 104));
    EXPECT_EQ(mapas.pixel(7 * 13 + 6, 7 * 13 + 6), qRgb(255, 0, 0));
    EXPECT_EQ(mapas.pixel((7 + 8 + 4) * 13 + 6, 7 * 13 + 6), qRgb(255, 0, 0));
    EXPECT_GT(en_niveles(), 0.9);
}

// "Comparar métodos…": the four methods at the block pairs' PSNR, each
// attack's reading coloured by its error rate, the detector's decision,
// the JPEG charts with the DCT method's predicted quality and the
// detector's threshold, in a window a projector shows whole.
TEST(Laboratorio, ComparesTheMethodsInAWindowOfItsOwn) {
    Ventana v;
    demostracion(v, 2);
    v.hijo<QAction>("SubLaboratorio")->trigger();
    FrmLaboratorio* lab = v.w->laboratorio();
    lab->espera();
    lab->findChild<QPushButton*>("comparar_metodos")->click();
    FrmComparacion* c = lab->comparacion();
    ASSERT_NE(c, nullptr);
    c->espera();
    ASSERT_TRUE(c->comparacion());
    auto* tabla = c->findChild<QTableWidget*>("tabla_comparacion");
    ASSERT_EQ(tabla->rowCount(), 4);
    EXPECT_EQ(tabla->item(0, 0)->text(), "Pares de bloques");
    EXPECT_EQ(tabla->item(2, 0)->text(), "Coeficientes DCT");
    EXPECT_EQ(tabla->item(3, 0)->text(), "Espectro ensanchado");
    const double objetivo = c->comparacion()->psnr_objetivo;
    EXPECT_NEAR(*c->comparacion()->metodos[2].insercion.psnr, objetivo, 0.05);
    EXPECT_NEAR(*c->comparacion()->metodos[3].insercion.psnr, objetivo, 0.05);
    EXPECT_EQ(tabla->columnCount(), 4 + 7);
    // jpeg:75: sim with two decimals above "presente", on green.
    const LecturaAtacada& jpeg75 = c->comparacion()->metodos[3].ataques[0];
    ASSERT_TRUE(jpeg75.sim);
    EXPECT_EQ(tabla->item(3, 4)->text(),
              QString("sim %1\npresente").arg(QLocale().toString(*jpeg75.sim, 'f', 2)));
    EXPECT_GT(*jpeg75.sim, 6);
    EXPECT_EQ(tabla->item(3, 4)->background().color(), QColor(140, 230, 140));  // green
    const QList<QAbstractSeries*> sim = c->findChild<QChartView*>("grafico_sim")->chart()->series();
    ASSERT_EQ(sim.size(), 2);  // sim and the threshold
    EXPECT_EQ(static_cast<QLineSeries*>(sim[0])->count(), 19);
    EXPECT_EQ(static_cast<QLineSeries*>(sim[1])->at(0).y(), 6);
    EXPECT_EQ(tabla->item(0, 4)->background().color(), QColor(140, 230, 140));  // green
    EXPECT_TRUE(c->findChild<QLabel*>("prediccion")->text().contains("desde la calidad"));
    EXPECT_EQ(c->findChild<QChartView*>("grafico_comparacion")->chart()->series().size(),
              5);  // with chance at 0.5
    EXPECT_LE(c->minimumSizeHint().width(), 1024);
    EXPECT_LE(c->minimumSizeHint().height(), 740);
    // Every attack's column in sight on a projector, as far as this screen
    // allows (it opened 622 pixels wide, four columns behind a scroll bar).
    int columnas = tabla->verticalHeader()->width();
    for (int i = 0; i < tabla->columnCount(); ++i) columnas += tabla->columnWidth(i);
    EXPECT_LE(columnas, 980);
    const int pantalla = c->screen()->availableGeometry().width();
    EXPECT_GE(c->width(), std::min(columnas + 40, pantalla)) << pantalla;
}

// The detector follows the laboratory's attack: after a JPEG of quality 50
// the samples' mark is there far above the threshold, after quality 10 it
// is lost; the response, the wrong keys and the ROC drawn, in a window a
// projector shows whole.
TEST(Laboratorio, TheDetectorFollowsTheAttackAndSaysWhetherTheMarkIsThere) {
    Ventana v;
    demostracion(v, 2);
    v.hijo<QAction>("SubLaboratorio")->trigger();
    FrmLaboratorio* lab = v.w->laboratorio();
    lab->espera();
    lab->findChild<QComboBox*>("ataque")->setCurrentIndex(1);  // JPEG
    lab->findChild<QDoubleSpinBox*>("valor")->setValue(50);
    lab->findChild<QPushButton*>("detector_espectro")->click();
    FrmDeteccion* d = lab->deteccion();
    ASSERT_NE(d, nullptr);
    d->espera();
    ASSERT_TRUE(d->analisis());
    EXPECT_GT(d->analisis()->respuesta.sim, 3 * kUmbralEspectro);
    EXPECT_EQ(d->analisis()->verdaderas.size(), 32u);
    const QString aviso = d->findChild<QLabel*>("aviso_deteccion")->text();
    EXPECT_TRUE(
        aviso.contains(QString::fromUtf8("atacada con jpeg:50: La marca de la clave 3 está "
                                         "presente: sim ")))
        << aviso.toStdString();
    EXPECT_EQ(d->findChild<QChartView*>("respuesta")->chart()->series().size(), 3);
    EXPECT_TRUE(d->findChild<QLabel*>("cifras_roc")->text().contains(QString::fromUtf8("área")));
    EXPECT_LE(d->minimumSizeHint().width(), 1024);
    EXPECT_LE(d->minimumSizeHint().height(), 740);

    lab->findChild<QDoubleSpinBox*>("valor")->setValue(10);
    d->espera();
    EXPECT_LT(d->analisis()->respuesta.sim, kUmbralEspectro);
    EXPECT_TRUE(d->findChild<QLabel*>("aviso_deteccion")
                    ->text()
                    .contains(QString::fromUtf8("La marca de la clave 3 no está")));

    // The handout then gains the detector's section and one more question.
    const QString pdf = v.carpeta.filePath("hoja.pdf");
    guarda(v, "SubHoja", pdf);
    v.w->espera_hoja();
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(texto.waitForFinished(30000));
    const QString leido = QString::fromUtf8(texto.readAllStandardOutput()).simplified();
    for (const char* t : {"¿Está la marca? Espectro ensanchado", "atacada con jpeg:10",
                          "La marca de la clave 3 no está", "7. El detector del espectro"})
        EXPECT_TRUE(leido.contains(QString::fromUtf8(t))) << t << "\n" << leido.toStdString();
}

// The handout's date as Qt's Spanish locale writes it in full, on days
// that cross a month, a leap day and a century.
TEST(Hoja, TheDateIsWrittenAsQtsSpanishLocaleWritesIt) {
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    for (const QDate d : {QDate(2026, 12, 8), QDate(2000, 2, 29), QDate(1999, 12, 31),
                          QDate(2024, 9, 1), QDate(2031, 6, 15)}) {
        const std::chrono::year_month_day f{std::chrono::year(d.year()),
                                            std::chrono::month(static_cast<unsigned>(d.month())),
                                            std::chrono::day(static_cast<unsigned>(d.day()))};
        EXPECT_EQ(fecha_larga(f), es.toString(d, QLocale::LongFormat).toStdString());
    }
}

// Qt Charts shows what a description says: its title, each axis's title
// and tick words where the description puts them, each series' legend words
// and kind.
TEST(Graficos, QtChartsDrawTheDescriptionsWords) {
    Grafico g;
    g.titulo = "Título";
    g.x = eje_redondo("Eje x", 0, 1, 5, ',');
    g.y = eje_redondo("Eje y", -2, 2, 4, ',');
    g.y_derecho = eje_redondo("PSNR (dB)", 30, 50, 4, ',');
    SerieGrafico linea{"una línea", TipoSerie::Lineas, {0, 1},
                       {0, 1},      {1, 2, 3},         Trazo::Discontinuo};
    SerieGrafico puntos{"puntos", TipoSerie::Puntos, {0.5}, {1}, {4, 5, 6}, Trazo::Continuo};
    SerieGrafico psnr{"PSNR", TipoSerie::Lineas, {0, 1}, {40, 45}, {}};
    psnr.eje_derecho = true;
    SerieGrafico barras{"barras", TipoSerie::Barras, {0, 1}, {1, 2}, {}};
    g.series = {linea, puntos, psnr, barras};
    std::unique_ptr<QChart> c(dibuja_grafico(g));
    EXPECT_EQ(c->title(), "Título");
    auto* x = qobject_cast<QCategoryAxis*>(c->axes(Qt::Horizontal).value(0));
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->titleText(), "Eje x");
    EXPECT_EQ(x->categoriesLabels(), QStringList({"0,0", "0,2", "0,4", "0,6", "0,8", "1,0"}));
    EXPECT_DOUBLE_EQ(x->endValue("0,4"), 0.4);
    const QList<QAbstractAxis*> verticales = c->axes(Qt::Vertical);
    ASSERT_EQ(verticales.size(), 2);
    auto* y = qobject_cast<QCategoryAxis*>(verticales[0]);
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->categoriesLabels(), QStringList({"-2", "-1", "0", "1", "2"}));
    EXPECT_EQ(y->min(), -2);
    EXPECT_EQ(qobject_cast<QCategoryAxis*>(verticales[1])->titleText(), "PSNR (dB)");
    const QList<QAbstractSeries*> series = c->series();
    ASSERT_EQ(series.size(), 4);
    auto* l = qobject_cast<QLineSeries*>(series[0]);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->name(), QString::fromUtf8("una línea"));
    EXPECT_EQ(l->pen().style(), Qt::DashLine);
    EXPECT_EQ(l->pen().color(), QColor(1, 2, 3));
    EXPECT_NE(qobject_cast<QScatterSeries*>(series[1]), nullptr);
    EXPECT_TRUE(series[2]->attachedAxes().contains(verticales[1]));
    auto* b = qobject_cast<QBarSeries*>(series[3]);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->barSets().value(0)->label(), "barras");
    EXPECT_EQ(b->barSets().value(0)->at(1), 2);
    EXPECT_EQ(dibuja_grafico(std::optional<Grafico>()), nullptr);
}

// The analysis with another method: its own embedding of the host, read
// back whole without attack; the block pairs' degree shown, not edited; the
// sweep varies the method's strength, and the histogram shows where the
// method's reading falls in its step; the spread spectrum is detected.
TEST(Laboratorio, AnalysesWithTheMethodChosen) {
    Ventana v;
    demostracion(v, 2);
    v.hijo<QAction>("SubLaboratorio")->trigger();
    FrmLaboratorio* lab = v.w->laboratorio();
    lab->espera();
    auto* metodo = lab->findChild<QComboBox*>("metodo");
    auto* fuerza = lab->findChild<QDoubleSpinBox*>("fuerza");
    EXPECT_FALSE(fuerza->isEnabled());
    EXPECT_EQ(fuerza->value(), 16);
    for (const int i : {1, 2}) {
        metodo->setCurrentIndex(i);
        lab->espera();
        EXPECT_TRUE(fuerza->isEnabled());
        EXPECT_TRUE(lab->findChild<QLabel*>("cifras")->text().startsWith(
            QString::fromUtf8("961 de 961 píxeles correctos (100.0 %)")))
            << lab->findChild<QLabel*>("cifras")->text().toStdString();
        EXPECT_FALSE(lab->findChild<QLabel*>("diferencia")->pixmap().isNull());
    }
    // The DCT method sweeps its strength: 11 values, without attack and with six.
    lab->findChild<QPushButton*>("lanza_barrido")->click();
    lab->espera();
    EXPECT_EQ(lab->barrido().size(), 11u * 7u);
    EXPECT_EQ(lab->barrido()[7].grado, 1);
    EXPECT_EQ(lab->findChild<QChartView*>("histograma")->chart()->title(),
              QString::fromUtf8("Dónde cae lo que lee el método en su paso"));
    // The spread spectrum is detected: the decision instead of a reading,
    // the detector's response where the histogram was, and no sweep.
    metodo->setCurrentIndex(3);
    lab->espera();
    EXPECT_EQ(fuerza->value(), 0.1);
    EXPECT_TRUE(lab->findChild<QLabel*>("cifras")->text().startsWith(
        QString::fromUtf8("La marca de la clave 3 está presente: sim ")))
        << lab->findChild<QLabel*>("cifras")->text().toStdString();
    EXPECT_TRUE(lab->findChild<QLabel*>("leida")->pixmap().isNull());
    EXPECT_EQ(lab->findChild<QChartView*>("histograma")->chart()->title(),
              QString::fromUtf8("Respuesta del detector a 1001 claves"));
    EXPECT_FALSE(lab->findChild<QPushButton*>("lanza_barrido")->isEnabled());
    metodo->setCurrentIndex(0);
    lab->espera();
    EXPECT_TRUE(lab->findChild<QPushButton*>("lanza_barrido")->isEnabled());
}

TEST(Laboratorio, ShowsTheAttackTheReadingAndTheSweep) {
    Ventana v;
    demostracion(v, 2);
    v.hijo<QAction>("SubLaboratorio")->trigger();
    FrmLaboratorio* lab = v.w->laboratorio();
    ASSERT_NE(lab, nullptr);
    lab->espera();
    auto* fuente = lab->findChild<QComboBox*>("fuente");
    EXPECT_EQ(fuente->currentText(), "Imagen marcada (paso 2)");
    EXPECT_EQ(lab->ataque_elegido(), "brillo:0");
    EXPECT_EQ(lab->findChild<QLabel*>("cifras")->text(),
              QString::fromUtf8("961 de 961 píxeles correctos (100.0 %). Tasa de error de bits: "
                                "0.000, NC: 1.000. PSNR frente a la imagen sin atacar: sin "
                                "diferencias, SSIM 1.0000."));

    lab->findChild<QComboBox*>("ataque")->setCurrentIndex(7);  // crop
    lab->findChild<QDoubleSpinBox*>("valor")->setValue(7);
    lab->espera();
    EXPECT_EQ(lab->ataque_elegido(), "recorte:7");
    EXPECT_EQ(lab->findChild<QLabel*>("atacada")->pixmap().size(), QSize(313, 233));
    EXPECT_EQ(lab->findChild<QDoubleSpinBox*>("valor")->maximum(), 239);  // one row is left
    EXPECT_TRUE(lab->findChild<QLabel*>("cifras")->text().endsWith(
        QString::fromUtf8("PSNR frente a la imagen sin atacar: no se compara, el ataque ha quitado "
                          "píxeles (queda una imagen de 313 × 233).")));
    EXPECT_FALSE(lab->findChild<QLabel*>("cifras")->text().startsWith("961 de 961"));

    lab->findChild<QPushButton*>("lanza_barrido")->click();
    lab->espera();
    EXPECT_EQ(lab->findChild<QProgressBar*>("progreso")->value(), 100);
    EXPECT_EQ(lab->barrido().size(), 16u * 7u);
    EXPECT_TRUE(lab->findChild<QPushButton*>("exporta_csv")->isEnabled());
    v.dialogos.archivo_guardar = v.carpeta.filePath("barrido.csv");
    lab->findChild<QPushButton*>("exporta_csv")->click();
    lab->espera();
    EXPECT_EQ(lab->findChild<QLabel*>("aviso_barrido")->text(),
              QString::fromUtf8("Exportado en «%1».").arg(v.dialogos.archivo_guardar));
    QFile csv(v.carpeta.filePath("barrido.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 1 + 16 * 7);

    // Nothing to export while a sweep runs; a cancelled one says so, keeps
    // its bar where it stopped, and the chart of the last one stays.
    lab->findChild<QPushButton*>("lanza_barrido")->click();
    EXPECT_FALSE(lab->findChild<QPushButton*>("exporta_csv")->isEnabled());
    lab->findChild<QPushButton*>("cancela_barrido")->click();
    lab->espera();
    const int al_parar = lab->findChild<QProgressBar*>("progreso")->value();
    EXPECT_EQ(lab->findChild<QLabel*>("aviso_barrido")->text(),
              QString::fromUtf8("Barrido cancelado al %1 %. El gráfico es el del barrido anterior.")
                  .arg(al_parar));
    EXPECT_EQ(lab->barrido().size(), 16u * 7u);
    EXPECT_TRUE(lab->findChild<QPushButton*>("exporta_csv")->isEnabled());

    // A reset leaves nothing to analyse; the sweep's pictures are gone too.
    v.hijo<QAction>("MnuReset")->trigger();
    lab->espera();
    EXPECT_EQ(fuente->currentData().toInt(), -1);
    EXPECT_FALSE(lab->findChild<QPushButton*>("lanza_barrido")->isEnabled());
    EXPECT_TRUE(lab->barrido().empty());
    EXPECT_FALSE(lab->findChild<QPushButton*>("exporta_csv")->isEnabled());
}

}  // namespace
}  // namespace zek
