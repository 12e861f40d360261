// SPDX-License-Identifier: MIT
// zek-demo end to end: the real program on the samples, as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/numeros.h"
#include "tests/comun/disco_lleno.h"

namespace {

namespace fs = std::filesystem;

struct Salida {
    int codigo;
    std::string errores, salida;
};

std::string lee(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// ImageMagick's own crop, as a user would make it: -crop WxH+X+Y +repage
// (Debian's convert by its path, whatever else PATH holds), with the JPEG
// quality given when the file is a .jpg.
int corta_con_imagemagick(const fs::path& de, const fs::path& a, const std::string& recorte,
                          int calidad = 0) {
    const std::string orden = "/usr/bin/convert '" + de.string() + "' -crop " + recorte +
                              " +repage" +
                              (calidad ? " -quality " + std::to_string(calidad) : std::string()) +
                              " '" + a.string() + "'";
    return std::system(orden.c_str());
}

class ZekDemo : public testing::Test {
  protected:
    void SetUp() override {
        carpeta_ =
            fs::temp_directory_path() / ("zek-demo-" + std::to_string(std::random_device{}()));
        fs::create_directories(carpeta_);
    }
    void TearDown() override { fs::remove_all(carpeta_); }

    Salida ejecuta(const std::string& argumentos, const std::string& entorno = "") {
        const fs::path err = carpeta_ / "stderr.txt", out = carpeta_ / "stdout.txt";
        const std::string orden = entorno + " '" + ZEK_DEMO + "' " + argumentos + " >'" +
                                  out.string() + "' 2>'" + err.string() + "'";
        const int estado = std::system(orden.c_str());
        return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, lee(err), lee(out)};
    }
    std::string muestra(const char* nombre) const {
        return "'" + (fs::path(ZEK_CARPETA_MUESTRAS) / nombre).string() + "'";
    }
    fs::path salida() const { return carpeta_ / "resultados"; }
    std::string con_salida() const { return " --salida '" + salida().string() + "'"; }

    fs::path carpeta_;
};

// Files meant for programs read the same whatever the user's locale: the
// Spanish one writes a decimal comma in everything printf formats.
class ZekDemoEnLocale : public ZekDemo, public testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        ZekDemo::SetUp();
        // Never skipped: the dependency script generates the locale.
        ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr) << GetParam() << " is missing";
        std::setlocale(LC_ALL, "C");
    }
    Salida ejecuta_en_locale(const std::string& argumentos) {
        return ejecuta(argumentos, std::string("LC_ALL=") + GetParam());
    }
    QJsonObject informe() const {
        QJsonParseError error{};
        const QByteArray texto = QByteArray::fromStdString(lee(salida() / "informe.json"));
        const QJsonDocument doc = QJsonDocument::fromJson(texto, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << texto.toStdString();
        return doc.object();
    }
};

TEST_P(ZekDemoEnLocale, RunsTheSamplesAndWritesEveryFile) {
    const Salida s =
        ejecuta_en_locale(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                          " --grado 16 --clave 3 --ataque jpeg:75 --ataque ruido:5" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    EXPECT_EQ(s.errores, "");
    for (const char* f : {"picture1.png", "picture2.png", "picture3.png", "picture4.png"}) {
        const QImage imagen(QString::fromStdString((salida() / f).string()));
        EXPECT_FALSE(imagen.isNull()) << f;
    }
    EXPECT_EQ(QImage(QString::fromStdString((salida() / "picture1.png").string())).size(),
              QSize(320, 240));
    const QImage extraida(QString::fromStdString((salida() / "extraida.png").string()));
    EXPECT_EQ(extraida.size(), QSize(32, 32));
    // Watermark pixel (xm, ym) is image pixel (xm, ym), as in Picture4:
    // column 0 and row 0 have no table element and stay grey.
    EXPECT_EQ(extraida.pixel(0, 5), qRgb(128, 128, 128));
    EXPECT_EQ(extraida.pixel(5, 0), qRgb(128, 128, 128));
    EXPECT_NE(extraida.pixel(31, 31), qRgb(128, 128, 128));

    // The same figures as the captions "Longitud de bloque 5" and
    // "Número de bloque 3072"; 31 x 31 pixels embedded, all read back.
    const QJsonObject j = informe();
    EXPECT_EQ(j["longBloque"].toInt(-1), 5);
    EXPECT_EQ(j["numBloques"].toDouble(), 3072);
    EXPECT_EQ(j["paso"].toInt(-1), 4);
    EXPECT_EQ(j["mensajes"].toArray().size(), 0);
    EXPECT_EQ(j["pares"].toInt(-1), 961);
    EXPECT_GT(j["psnr"].toDouble(), 40);
    EXPECT_LT(j["psnr"].toDouble(), 50);
    EXPECT_EQ(j["extraccion"],
              QJsonObject({{"correctos", 961}, {"total", 961}, {"ber", 0}, {"nc", 1}}));
    EXPECT_GT(j["ssim"].toDouble(), 0.9);
    EXPECT_LT(j["ssim"].toDouble(), 1);
    const QJsonArray ataques = j["ataques"].toArray();
    ASSERT_EQ(ataques.size(), 2);
    EXPECT_EQ(ataques[0].toObject()["ataque"].toString(), "jpeg:75");
    EXPECT_EQ(ataques[1].toObject()["ataque"].toString(), "ruido:5");
    for (const auto& a : ataques) {
        EXPECT_TRUE(a.toObject()["psnr"].isDouble());
        EXPECT_TRUE(a.toObject()["ber"].isDouble());
        EXPECT_DOUBLE_EQ(a.toObject()["nc"].toDouble(), 1 - 2 * a.toObject()["ber"].toDouble());
        EXPECT_LT(a.toObject()["ssim"].toDouble(), 1);
    }
}

TEST_P(ZekDemoEnLocale, TheSweepWritesItsTableAndChart) {
    const Salida s = ejecuta_en_locale(
        muestra("imagen.jpg") + " " + muestra("marca.gif") +
        " --grado 16 --clave 3 --ataque brillo:20 --grados 2.5,4,16" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    std::stringstream csv(lee(salida() / "barrido.csv"));
    std::string linea;
    std::getline(csv, linea);
    EXPECT_EQ(linea, "grado,ataque,psnr,ber");
    std::vector<std::vector<std::string>> filas;
    while (std::getline(csv, linea)) {
        std::vector<std::string> campos;
        std::stringstream l(linea);
        for (std::string c; std::getline(l, c, ',');) campos.push_back(c);
        ASSERT_EQ(campos.size(), 4u) << linea;
        filas.push_back(campos);
    }
    ASSERT_EQ(filas.size(), 6u);
    // Every degree really ran: a PSNR and a bit error rate in each row.
    const char* grados[] = {"2.5", "2.5", "4", "4", "16", "16"};
    const char* ataques[] = {"ninguno", "brillo:20"};
    for (size_t i = 0; i < filas.size(); ++i) {
        EXPECT_EQ(filas[i][0], grados[i]);
        EXPECT_EQ(filas[i][1], ataques[i % 2]);
        bool ok = false;
        EXPECT_GT(QString::fromStdString(filas[i][2]).toDouble(&ok), 20);
        EXPECT_TRUE(ok) << filas[i][2];
        const double ber = QString::fromStdString(filas[i][3]).toDouble(&ok);
        EXPECT_TRUE(ok && ber >= 0 && ber <= 1) << filas[i][3];
    }
    EXPECT_FALSE(QImage(QString::fromStdString((salida() / "barrido.png").string())).isNull());
}

// The four methods at the block pairs' PSNR: the DCT and spread spectrum
// strengths within 0.05 dB of it (the latter detected, lost at JPEG 10),
// the bit plane nearest, and the DCT method's reading under
// 2 % errors at every JPEG quality from the one JPEG's table predicts.
Salida salida_de(const std::string& orden);

TEST_P(ZekDemoEnLocale, ComparesTheMethodsAtOnePsnr) {
    const fs::path pdf = carpeta_ / "hoja.pdf";
    const Salida s = ejecuta_en_locale(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                                       " --grado 16 --clave 3 --compara --hoja '" + pdf.string() +
                                       "'" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    QJsonParseError error{};
    const QJsonObject c = QJsonDocument::fromJson(
                              QByteArray::fromStdString(lee(salida() / "comparacion.json")), &error)
                              .object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    const double objetivo = c["psnrObjetivo"].toDouble();
    const QJsonArray metodos = c["metodos"].toArray();
    ASSERT_EQ(metodos.size(), 4);
    QStringList nombres;
    for (const auto& v : metodos) {
        const QJsonObject m = v.toObject();
        const QString nombre = m["metodo"].toString();
        nombres << nombre;
        EXPECT_TRUE(fs::exists(salida() / ("marcada-" + nombre.toStdString() + ".png")));
        EXPECT_EQ(m["ataques"].toArray().size(), 7);
        EXPECT_EQ(m["jpeg"].toArray().size(), 19);
        EXPECT_GT(m["ssim"].toDouble(), 0.9);
        if (nombre == "bloques") {
            EXPECT_DOUBLE_EQ(m["psnr"].toDouble(), objetivo);
        } else if (nombre == "lsb") {
            EXPECT_NEAR(m["psnr"].toDouble(), objetivo, 3.1);  // whole planes
        }
        if (nombre == "espectro") {
            // Detected, not read: sim and the decision against the threshold 6.
            EXPECT_NEAR(m["psnr"].toDouble(), objetivo, 0.05);
            for (const auto& a : m["ataques"].toArray()) {
                const QJsonObject o = a.toObject();
                EXPECT_EQ(o["presente"].toBool(), o["sim"].toDouble() > 6);
                EXPECT_FALSE(o.contains("ber"));
            }
            const QJsonArray q = m["jpeg"].toArray();
            EXPECT_GT(q[18].toObject()["sim"].toDouble(), 20);  // quality 100
            EXPECT_LT(q[0].toObject()["sim"].toDouble(), 6);    // quality 10: lost
            continue;
        }
        if (nombre != "dct") continue;
        EXPECT_NEAR(m["psnr"].toDouble(), objetivo, 0.05);
        EXPECT_GE(m["fuerza"].toDouble(), 2);
        const int predicha = m["calidadPredicha"].toInt();
        EXPECT_GT(predicha, 0);
        for (const auto& q : m["jpeg"].toArray()) {
            if (q.toObject()["calidad"].toInt() < predicha) continue;
            EXPECT_LT(q.toObject()["ber"].toDouble(), 0.02) << q.toObject()["calidad"].toInt();
        }
    }
    EXPECT_EQ(nombres, QStringList({"bloques", "lsb", "dct", "espectro"}));
    EXPECT_EQ(c["umbral"].toDouble(), 6);
    std::stringstream csv(lee(salida() / "comparacion.csv"));
    int filas = 0;
    for (std::string linea; std::getline(csv, linea); ++filas)
        EXPECT_EQ(std::count(linea.begin(), linea.end(), ','), 9) << linea;
    EXPECT_EQ(filas, 1 + 4 * 7);
    EXPECT_EQ(c["objetivo"].toString(), "bloques");
    // The spread spectrum reads nothing: its four reading fields are empty,
    // not 0, and its sim is the JSON's.
    const std::string texto = lee(salida() / "comparacion.csv");
    const size_t fila = texto.find("\nespectro,");
    ASSERT_NE(fila, std::string::npos);
    const std::string espectro = texto.substr(fila + 1, texto.find('\n', fila + 1) - fila - 1);
    const QJsonObject jpeg75 = metodos[3].toObject()["ataques"].toArray()[0].toObject();
    EXPECT_TRUE(espectro.ends_with(",jpeg:75,,,,," + zek::texto_exacto(jpeg75["sim"].toDouble())))
        << espectro;
    EXPECT_FALSE(
        QImage(QString::fromStdString((salida() / "comparacion-espectro.png").string())).isNull());
    // The handout lists the detector's decisions and asks about the contrast.
    const std::string hoja = salida_de("pdftotext '" + pdf.string() + "' -").salida;
    for (const char* t : {"espectro: fuerza 0,0", "contraste:150 sim 5,99 ausente",
                          "7. Un contraste de 1,5 multiplica"})
        EXPECT_NE(hoja.find(t), std::string::npos) << t;
}

// What a program prints, and whether it ended well.
Salida salida_de(const std::string& orden) {
    const fs::path out =
        fs::temp_directory_path() / ("zek-pdf-" + std::to_string(std::random_device{}()));
    const int estado = std::system((orden + " >'" + out.string() + "' 2>&1").c_str());
    Salida s{WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, {}, lee(out)};
    fs::remove(out);
    return s;
}

// The handout checked with Debian's own PDF tools, not by its bytes (its
// date changes): pages, fonts, pictures, the attached report and its
// numbers in the text a student copies.
TEST_P(ZekDemoEnLocale, WritesAHandoutThatThePdfToolsRead) {
    const fs::path pdf = carpeta_ / "hoja de clase.pdf";
    const Salida s =
        ejecuta_en_locale(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                          " --grado 16 --clave 3 --hoja '" + pdf.string() + "'" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const QJsonObject j = informe();
    const auto coma = [](double v, int decimales) {
        std::string t = QString::number(v, 'f', decimales).toStdString();
        std::replace(t.begin(), t.end(), '.', ',');
        return t;
    };
    std::vector<std::string> en_el_texto = {"1. La lección", "2. Lo que sobrevive",
                                            "3. Para pensar", "El barrido no se ha calculado",
                                            "PSNR " + coma(j["psnr"].toDouble(), 2) + " dB"};
    const QJsonArray ataques = j["ataques"].toArray();
    EXPECT_EQ(ataques.size(), 7);
    for (const auto& a : ataques) {
        const QJsonObject o = a.toObject();
        const std::string nombre = o["ataque"].toString().toStdString();
        en_el_texto.push_back(nombre.substr(0, nombre.find(':')));
        en_el_texto.push_back(coma(o["psnr"].toDouble(), 2) + " dB");
        en_el_texto.push_back(coma(o["ber"].toDouble(), 4));
        en_el_texto.push_back(coma(o["nc"].toDouble(), 4));
    }
    const std::string p = " '" + pdf.string() + "'";
    struct Comprobacion {
        std::string orden;
        std::vector<std::string> contiene, no_contiene;
    };
    const Comprobacion comprobaciones[] = {
        {"pdfinfo" + p, {"(A4)", "Title:           ZEK — Hoja de clase"}, {}},
        {"LC_ALL=" + std::string(GetParam()) + " pdftotext" + p + " -", en_el_texto, {"ﬀ", "ﬁ"}},
        {"pdffonts" + p, {"DejaVuSans "}, {}},
        {"pdfimages -list" + p, {" 320   240 ", "  32    32 "}, {" jpeg ", " jpx "}},
        {"pdfdetach -list" + p, {"1: informe.json"}, {}},
        {"qpdf --check" + p, {"No syntax or stream encoding errors"}, {}},
    };
    for (const Comprobacion& c : comprobaciones) {
        const Salida r = salida_de(c.orden);
        EXPECT_EQ(r.codigo, 0) << c.orden << '\n' << r.salida;
        for (const std::string& t : c.contiene)
            EXPECT_NE(r.salida.find(t), std::string::npos) << c.orden << ": «" << t << "»\n"
                                                           << r.salida;
        for (const std::string& t : c.no_contiene)
            EXPECT_EQ(r.salida.find(t), std::string::npos) << c.orden << ": «" << t << "»\n"
                                                           << r.salida;
    }
    const std::string info = salida_de("pdfinfo" + p).salida;
    const int paginas = std::stoi(info.substr(info.find("Pages:") + 6));
    EXPECT_TRUE(paginas == 2 || paginas == 3) << info;
    // Every font embedded: the "emb" column says yes on every line.
    std::stringstream fuentes(salida_de("pdffonts" + p).salida);
    std::string cabecera, linea;
    std::getline(fuentes, cabecera);
    std::getline(fuentes, linea);  // the dashes
    const size_t emb = cabecera.find(" emb ") + 1;
    for (int n = 0; std::getline(fuentes, linea); ++n)
        EXPECT_EQ(linea.substr(emb, 3), "yes") << linea;
    // Every word readable on paper: at least 6 pt, whose DejaVu boxes are
    // 1.12 times as high (the charts' smallest text used to be 2.7 pt).
    const fs::path cajas = carpeta_ / "cajas.html";
    ASSERT_EQ(salida_de("pdftotext -bbox" + p + " '" + cajas.string() + "'").codigo, 0);
    const std::string html = lee(cajas);
    int palabras = 0;
    for (size_t i = html.find("<word "); i != std::string::npos; i = html.find("<word ", i + 1)) {
        const auto atributo = [&](const char* nombre) {
            const char* desde = html.data() + html.find(nombre, i) + std::strlen(nombre);
            double v = 0;
            std::from_chars(desde, html.data() + html.size(), v);
            return v;
        };
        const double alto = atributo("yMax=\"") - atributo("yMin=\"");
        EXPECT_GE(alto, 6 * 1.12) << html.substr(i, html.find("</word>", i) - i);
        ++palabras;
    }
    EXPECT_GT(palabras, 500);
    // Page 1 drawn: not blank.
    ASSERT_EQ(
        salida_de("pdftoppm -r 20 -f 1 -l 1 -png" + p + " '" + (carpeta_ / "p").string() + "'")
            .codigo,
        0);
    const QImage pagina(QString::fromStdString((carpeta_ / "p-1.png").string()));
    ASSERT_FALSE(pagina.isNull());
    int oscuros = 0;
    for (int y = 0; y < pagina.height(); ++y)
        for (int x = 0; x < pagina.width(); ++x) oscuros += qGray(pagina.pixel(x, y)) < 128;
    EXPECT_GT(oscuros, pagina.width() * pagina.height() / 50);
}

// The attacks a teacher demonstrated are the handout's, and its command
// line makes the same handout again.
TEST_F(ZekDemo, TheHandoutListsTheAttacksGiven) {
    const fs::path pdf = carpeta_ / "hoja.pdf";
    const Salida s = ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                             " --grado 16 --clave 3 --ataque jpeg:30 --ataque escala:50 --hoja '" +
                             pdf.string() + "'" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const QJsonArray ataques =
        QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / "informe.json")))
            .object()["ataques"]
            .toArray();
    ASSERT_EQ(ataques.size(), 2);
    EXPECT_EQ(ataques[1].toObject()["ataque"].toString(), "escala:50");
    // Without blanks or line ends: the command line wraps where its paths
    // say, and even after a hyphen (kept as it is by -layout).
    std::string texto;
    for (const char c : salida_de("pdftotext -layout '" + pdf.string() + "' -").salida) {
        if (c != ' ' && c != '\n') texto += c;
    }
    for (const char* t : {"--ataquejpeg:30--ataqueescala:50--hoja", "escala50", "jpeg30"})
        EXPECT_NE(texto.find(t), std::string::npos) << t << "\n" << texto;
    EXPECT_EQ(texto.find("mediana"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Locales, ZekDemoEnLocale, testing::Values("C.UTF-8", "es_ES.UTF-8"),
                         [](const auto& caso) {
                             return std::string(caso.param).substr(0, 5) == "es_ES" ? "Espanol"
                                                                                    : "C";
                         });

// Embedding, saving and reading back from the file alone gives exactly the
// in-memory reading, through the PNG zek-demo writes and through a BMP
// another writer makes of it.
TEST_F(ZekDemo, TheSavedPictureReadsBackAsTheDemonstrationDid) {
    const Salida s =
        ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                " --grado 16 --clave 3 --ataque recorte:4 --ataque escala:20" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const auto informe = [this] {
        return QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / "informe.json")))
            .object();
    };
    const QJsonObject demo = informe();
    const QImage marcada(QString::fromStdString((salida() / "marcada.png").string()));
    ASSERT_EQ(marcada.size(), QSize(320, 240));
    const QImage anfitrion(QString::fromStdString(ZEK_CARPETA_MUESTRAS "/imagen.bmp"));
    EXPECT_EQ(marcada.pixel(0, 0), anfitrion.pixel(0, 0));  // no grey border
    const QJsonObject histograma = demo["histograma"].toObject();
    EXPECT_EQ(histograma["grado"].toInt(), 16);
    EXPECT_EQ(histograma["antes"].toObject()["claros"].toArray().size(), 16);
    EXPECT_EQ(histograma["despues"].toObject()["oscuros"].toArray().size(), 16);
    ASSERT_TRUE(marcada.save(QString::fromStdString((carpeta_ / "copia.bmp").string()), "BMP"));
    for (const fs::path& archivo : {salida() / "marcada.png", carpeta_ / "copia.bmp"}) {
        const Salida x = ejecuta("--extrae '" + archivo.string() + "' " + muestra("marca.bmp") +
                                 " --grado 16 --clave 3" + con_salida());
        ASSERT_EQ(x.codigo, 0) << x.errores;
        const QJsonObject leido = informe();
        EXPECT_EQ(leido["extraccion"], demo["extraccion"]) << archivo;
        EXPECT_EQ(leido["longBloque"].toInt(), 5);
        EXPECT_EQ(leido["histograma"].toObject()["despues"],
                  demo["histograma"].toObject()["despues"]);
        EXPECT_EQ(QImage(QString::fromStdString((salida() / "extraida.png").string())).size(),
                  QSize(32, 32));
    }

    // A 315 x 235 crop lays out its own blocks (side 5 would give 63 block
    // columns, odd; side 4 gives 78 x 58), unless --lado gives the side in
    // force, as the window reads it.
    const fs::path recorte = carpeta_ / "recorte.png";
    ASSERT_TRUE(marcada.copy(5, 5, 315, 235).save(QString::fromStdString(recorte.string())));
    for (const auto& [lado, esperado] : {std::pair{"", 4}, std::pair{" --lado 5", 5}}) {
        const Salida x = ejecuta("--extrae '" + recorte.string() + "' " + muestra("marca.bmp") +
                                 " --grado 16 --clave 3" + lado + con_salida());
        ASSERT_EQ(x.codigo, 0) << x.errores;
        EXPECT_EQ(informe()["longBloque"].toInt(), esperado) << lado;
        EXPECT_EQ(informe()["extraccion"].toObject()["total"].toInt(), 961) << lado;
    }
}

// Cuts made by ImageMagick at several offsets, as PNG and as JPEG of
// quality 75: the reader finds each offset exactly, and every pixel whose
// pair the cut kept reads as the whole picture reads it.
TEST_F(ZekDemo, TheGridOfACutIsFoundWhereImageMagickCutIt) {
    const Salida s = ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                             " --grado 16 --clave 3" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const fs::path marcada = carpeta_ / "marcada.png";
    fs::copy_file(salida() / "marcada.png", marcada);
    const QImage entera(QString::fromStdString((salida() / "extraida.png").string()));
    const auto informe = [this] {
        return QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / "informe.json")))
            .object();
    };
    const struct {
        int W, H, x, y, calidad;
    } casos[] = {{300, 220, 7, 5, 0},
                 {250, 200, 13, 2, 0},
                 {311, 236, 0, 4, 0},
                 // A row's last pair would reach the cut's last column.
                 {200, 100, 40, 30, 0},
                 // A smooth corner of the watermark agrees as well two rows
                 // up, where the blocks are off their levels: S tells.
                 {60, 40, 10, 10, 0},
                 {300, 220, 7, 5, 75},
                 {260, 190, 31, 40, 75}};
    for (const auto& c : casos) {
        const std::string recorte = std::to_string(c.W) + "x" + std::to_string(c.H) + "+" +
                                    std::to_string(c.x) + "+" + std::to_string(c.y);
        const fs::path archivo = carpeta_ / (c.calidad ? "recorte.jpg" : "recorte.png");
        ASSERT_EQ(corta_con_imagemagick(marcada, archivo, recorte, c.calidad), 0);
        const Salida x =
            ejecuta("--extrae '" + archivo.string() + "' " + muestra("marca.bmp") +
                    " --grado 16 --clave 3 --lado 5 --sincroniza 320x240" + con_salida());
        ASSERT_EQ(x.codigo, 0) << recorte << x.errores;
        EXPECT_EQ(x.salida.rfind("Rejilla encontrada en (" + std::to_string(c.x) + ", " +
                                     std::to_string(c.y) + ").",
                                 0),
                  0u)
            << x.salida;
        const QJsonObject j = informe();
        const QJsonObject sinc = j["sincronizacion"].toObject();
        EXPECT_EQ(sinc["x"].toInt(), c.x) << recorte;
        EXPECT_EQ(sinc["y"].toInt(), c.y) << recorte;
        EXPECT_GT(sinc["acuerdo"].toDouble(), 0.95) << recorte;
        EXPECT_GT(sinc["acuerdo"].toDouble(), sinc["acuerdoSinBuscar"].toDouble() + 0.1);
        EXPECT_EQ(sinc["portadores"].toInt(), 961);
        EXPECT_EQ(sinc["pares"].toInt(), j["extraccion"].toObject()["total"].toInt());
        const QImage mapa(QString::fromStdString((salida() / "sincronizacion.png").string()));
        ASSERT_EQ(mapa.size(), QSize(320 - c.W + 1, 240 - c.H + 1));
        EXPECT_EQ(mapa.pixel(c.x, c.y), qRgb(255, 0, 0));
        EXPECT_EQ(
            QImage(QString::fromStdString((salida() / "sincronizacion-ciega.png").string())).size(),
            mapa.size());
        if (c.calidad) continue;
        const QImage leida(QString::fromStdString((salida() / "extraida.png").string()));
        int grises = 0;
        for (int ym = 0; ym < 32; ++ym) {
            for (int xm = 0; xm < 32; ++xm) {
                if (leida.pixel(xm, ym) == qRgb(128, 128, 128)) {
                    ++grises;
                    continue;
                }
                ASSERT_EQ(leida.pixel(xm, ym), entera.pixel(xm, ym)) << xm << ", " << ym;
            }
        }
        EXPECT_GT(grises, 0) << recorte;
    }
}

// What cannot be searched says why and exits with 2, reading nothing: a
// size that does not parse, a picture larger than the layout, a cut with
// no pair inside, and the least significant bit, which has no grid.
TEST_F(ZekDemo, WhatCannotBeSearchedIsRefusedWithTwo) {
    const fs::path pequena = carpeta_ / "pequena.png";
    ASSERT_EQ(
        corta_con_imagemagick(fs::path(ZEK_CARPETA_MUESTRAS) / "imagen.bmp", pequena, "8x4+0+0"),
        0);
    const std::string marca = muestra("marca.bmp");
    const struct {
        std::string imagen, opciones, error;
    } casos[] = {
        {muestra("imagen.bmp"), "--grado 16 --clave 3 --sincroniza 320x",
         "--sincroniza no es un tamaño ANCHOxALTO (por ejemplo 378x483): «320x».\n"},
        {muestra("imagen.bmp"), "--grado 16 --clave 3 --sincroniza 999999999x2",
         "--sincroniza pide una imagen de 999999999 × 2, mayor que la mayor imagen principal que "
         "se acepta (378 × 483).\n"},
        {muestra("imagen.bmp"), "--grado 16 --clave 3 --sincroniza 300x240",
         "La imagen mide 320 × 240, más que la de 300 × 240: no puede ser un recorte de ella.\n"},
        {"'" + pequena.string() + "'", "--grado 16 --clave 3 --lado 5 --sincroniza 320x240",
         "Ningún par de bloques de lado 5 cabe entero en la imagen de 8 × 4: no hay rejilla que "
         "buscar.\n"},
        {muestra("imagen.bmp"), "--metodo lsb --clave 3 --sincroniza 320×240",
         "El método LSB no tiene rejilla que buscar: cada píxel lleva un bit de la marca, y nada "
         "en la imagen dice dónde empieza.\n"},
    };
    for (const auto& c : casos) {
        const Salida x =
            ejecuta("--extrae " + c.imagen + " " + marca + " " + c.opciones + con_salida());
        EXPECT_EQ(x.codigo, 2) << c.opciones;
        EXPECT_TRUE(x.errores.ends_with(c.error)) << x.errores;
        EXPECT_FALSE(fs::exists(salida() / "informe.json")) << c.opciones;
    }
}

// The DCT method's grid, found again after a cut off its 8 x 8 grid.
TEST_F(ZekDemo, TheDctGridOfACutIsFoundToo) {
    const std::string marca = muestra("marca.bmp");
    Salida s = ejecuta(muestra("imagen.bmp") + " " + marca + " --grado 16 --clave 3 --metodo dct" +
                       con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const fs::path recorte = carpeta_ / "recorte.png";
    ASSERT_EQ(corta_con_imagemagick(salida() / "marcada.png", recorte, "290x200+5+3"), 0);
    s = ejecuta("--extrae '" + recorte.string() + "' " + marca +
                " --metodo dct --clave 3 --sincroniza 320x240" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const QJsonObject j =
        QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / "informe.json"))).object();
    const QJsonObject sinc = j["sincronizacion"].toObject();
    EXPECT_EQ(sinc["x"].toInt(), 5);
    EXPECT_EQ(sinc["y"].toInt(), 3);
    EXPECT_DOUBLE_EQ(sinc["acuerdo"].toDouble(), 1);
    EXPECT_EQ(j["metodo"].toString(), "dct");
}

// Another method embeds marcada.png and reads the attacks; reading its file
// back with the same method gives every pixel. The least significant bit is
// at chance after a JPEG of quality 90; a host too small for the DCT method
// says so with the numbers.
TEST_F(ZekDemo, AnotherMethodEmbedsReadsBackAndSaysWhenTheWatermarkDoesNotFit) {
    const std::string marca = muestra("marca.bmp");
    Salida s = ejecuta(muestra("imagen.bmp") + " " + marca +
                       " --grado 16 --clave 3 --metodo dct --fuerza 2" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const auto informe = [this] {
        return QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / "informe.json")))
            .object();
    };
    EXPECT_EQ(informe()["metodo"].toString(), "dct");
    EXPECT_GT(informe()["psnr"].toDouble(), 40);
    const fs::path marcada = carpeta_ / "marcada-dct.png";
    fs::copy_file(salida() / "marcada.png", marcada);
    s = ejecuta("--extrae '" + marcada.string() + "' " + marca +
                " --metodo dct --fuerza 2 --clave 3" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    EXPECT_EQ(informe()["extraccion"],
              QJsonObject({{"correctos", 961}, {"total", 961}, {"ber", 0}, {"nc", 1}}));

    s = ejecuta(muestra("imagen.bmp") + " " + marca +
                " --grado 16 --clave 3 --metodo lsb --fuerza 0 --ataque jpeg:90" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    EXPECT_EQ(informe()["extraccion"].toObject()["ber"].toDouble(), 0);
    const double ber = informe()["ataques"].toArray()[0].toObject()["ber"].toDouble();
    EXPECT_GT(ber, 0.4);
    EXPECT_LT(ber, 0.6);

    QImage pequena(40, 40, QImage::Format_RGB32);
    pequena.fill(qRgb(120, 130, 140));
    const fs::path host = carpeta_ / "pequena.bmp";
    ASSERT_TRUE(pequena.save(QString::fromStdString(host.string()), "BMP"));
    s = ejecuta("'" + host.string() + "' " + marca + " --grado 16 --clave 3 --metodo dct" +
                con_salida());
    EXPECT_EQ(s.codigo, 2);
    // 5 x 5 blocks of 8, 15 coefficients each.
    EXPECT_NE(s.errores.find("La marca de 32 × 32 píxeles no cabe con el método DCT en una imagen "
                             "de 40 × 40: caben 375 píxeles.\n"),
              std::string::npos)
        << s.errores;
}

// Spread spectrum on the samples (key 3, alfa 0.1, 1000 coefficients):
// the figures an independent implementation of the same equations gives
// (PSNR 36.9 dB, sim 31.4; after JPEG 30 still there, after JPEG 10 lost),
// and the detector on the saved picture against a thousand wrong keys.
TEST_F(ZekDemo, TheSpreadSpectrumMarkIsFoundAndItsFalseAlarmsStayLow) {
    Salida s =
        ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                " --metodo espectro --clave 3 --ataque jpeg:30 --ataque jpeg:10" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const auto json = [this](const char* nombre) {
        return QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / nombre))).object();
    };
    QJsonObject j = json("informe.json");
    EXPECT_NEAR(j["psnr"].toDouble(), 36.9, 0.05);
    EXPECT_NEAR(j["deteccion"].toObject()["sim"].toDouble(), 31.4, 0.1);
    const QJsonArray ataques = j["ataques"].toArray();
    ASSERT_EQ(ataques.size(), 2);
    EXPECT_TRUE(ataques[0].toObject()["presente"].toBool());
    EXPECT_FALSE(ataques[1].toObject()["presente"].toBool());

    const fs::path marcada = carpeta_ / "marcada.png";
    fs::copy_file(salida() / "marcada.png", marcada);
    s = ejecuta("--detecta '" + marcada.string() + "' " + muestra("imagen.bmp") + " --clave 3" +
                con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    EXPECT_EQ(s.salida,
              "La marca de la clave 3 está presente: sim 31,37 > 6 (probabilidad de falsa alarma "
              "9,9e-10).\n");
    j = json("deteccion.json");
    EXPECT_TRUE(j["presente"].toBool());
    const QJsonObject falsas = j["clavesEquivocadas"].toObject();
    EXPECT_EQ(falsas["cuantas"].toInt(), 1000);
    EXPECT_LT(falsas["mayor"].toDouble(), 6);
    EXPECT_NEAR(falsas["media"].toDouble(), 0, 0.15);
    EXPECT_NEAR(falsas["desviacion"].toDouble(), 1, 0.15);

    // Another key finds nothing, and is still no failure; a picture larger
    // than the original is refused.
    s = ejecuta("--detecta '" + marcada.string() + "' " + muestra("imagen.bmp") + " --clave 4" +
                con_salida());
    EXPECT_EQ(s.codigo, 0) << s.errores;
    EXPECT_EQ(s.salida.rfind("La marca de la clave 4 no está: sim ", 0), 0u) << s.salida;
    s = ejecuta("--detecta " + muestra("imagen.bmp") + " " + muestra("marca.bmp") + " --clave 3" +
                " --longitud 100" + con_salida());
    EXPECT_EQ(s.codigo, 2);
    EXPECT_EQ(s.errores,
              "La imagen sospechosa no se compara con la original: La imagen mide 320 × 240, más "
              "que la de 32 × 32: no puede ser un recorte de ella.\n");

    // A cut made by ImageMagick is put back where it was, and detected.
    const fs::path recorte = carpeta_ / "recorte.png";
    ASSERT_EQ(corta_con_imagemagick(marcada, recorte, "250x190+11+6"), 0);
    s = ejecuta("--detecta '" + recorte.string() + "' " + muestra("imagen.bmp") + " --clave 3" +
                con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    EXPECT_EQ(
        s.salida.rfind("La imagen sospechosa, de 250 × 190, estaba en (11, 6) de la original: "
                       "se ha colocado allí antes de detectar.\nLa marca de la clave 3 está "
                       "presente: sim ",
                       0),
        0u)
        << s.salida;
    j = json("deteccion.json");
    EXPECT_EQ(j["desplazamiento"].toObject(), (QJsonObject{{"x", 11}, {"y", 6}}));
    EXPECT_GT(j["sim"].toDouble(), 6);
}

TEST_F(ZekDemo, AMessageBoxIsOneLineAndADegreeOfZeroStopsTheSteps) {
    const Salida s = ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                             " --grado 0 --clave 3" + con_salida());
    // Stopped before the last stage: its own exit status, and which message stopped it.
    EXPECT_EQ(s.codigo, 4);
    EXPECT_EQ(s.errores,
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n"
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n"
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n"
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n"
              "zek-demo: la demostración se ha detenido antes del «Paso 1» de 4 con el mensaje "
              "«ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.».\n");
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / "informe.json")))
                  .object()["paso"]
                  .toInt(-1),
              0);
}

// A watermark of 25 x 15 pixels cannot be laid out in block pairs: the
// demonstration stops before "Paso 1", but LSB and the comparison do their
// work and say so with exit status 0; only a run that did nothing else
// exits 4. Without the block pairs' PSNR the comparison aims at 40 dB.
TEST_F(ZekDemo, AStopOfTheBlockPairsIsNotAFailureOfAnotherMethod) {
    QImage impar(25, 15, QImage::Format_RGB32);
    impar.fill(Qt::white);
    for (int x = 0; x < 25; x += 2) impar.setPixel(x, x % 15, qRgb(0, 0, 0));
    const fs::path marca = carpeta_ / "impar.bmp";
    ASSERT_TRUE(impar.save(QString::fromStdString(marca.string()), "BMP"));
    const std::string base =
        muestra("imagen.bmp") + " '" + marca.string() + "' --grado 10 --clave 3";
    const std::string parada =
        "antes del «Paso 1» de 4 con el mensaje «ZEK: Marca de Agua no Válida»";
    const auto json = [this](const char* nombre) {
        return QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / nombre))).object();
    };

    Salida s = ejecuta(base + " --metodo lsb" + con_salida());
    EXPECT_EQ(s.codigo, 0) << s.errores;
    EXPECT_TRUE(s.errores.ends_with("zek-demo: las imágenes de la demostración se quedan " +
                                    parada +
                                    "; el método lsb sí ha insertado la marca y la ha "
                                    "leído.\n"))
        << s.errores;
    EXPECT_EQ(json("informe.json")["parada"],
              QJsonObject({{"antesDelPaso", 1}, {"mensaje", "ZEK: Marca de Agua no Válida"}}));
    EXPECT_EQ(json("informe.json")["extraccion"].toObject()["ber"].toDouble(-1), 0);

    s = ejecuta(base + " --compara" + con_salida());
    EXPECT_EQ(s.codigo, 0) << s.errores;
    const QJsonObject c = json("comparacion.json");
    EXPECT_EQ(c["psnrObjetivo"].toDouble(), 40);
    EXPECT_EQ(c["objetivo"].toString(), "porDefecto");
    const QJsonArray metodos = c["metodos"].toArray();
    ASSERT_EQ(metodos.size(), 4);
    EXPECT_EQ(metodos[0].toObject()["noCabe"].toString(),
              "La marca de 25 × 15 píxeles no se puede repartir en pares de bloques: 375 es un "
              "número impar de píxeles.");
    EXPECT_NEAR(metodos[1].toObject()["psnr"].toDouble(), 40, 4);

    s = ejecuta(base + con_salida());
    EXPECT_EQ(s.codigo, 4);
    EXPECT_TRUE(s.errores.ends_with("zek-demo: la demostración se ha detenido " + parada + ".\n"))
        << s.errores;

    // A host of 20 x 12 holds the watermark with no method (LSB needs 25
    // columns, the DCT 375 coefficients of its 30, the spread spectrum 1000
    // of its 239): the comparison did nothing, and says so with 4.
    QImage pequena(20, 12, QImage::Format_RGB32);
    pequena.fill(qRgb(120, 90, 60));
    const fs::path anfitrion = carpeta_ / "pequena.bmp";
    ASSERT_TRUE(pequena.save(QString::fromStdString(anfitrion.string()), "BMP"));
    s = ejecuta("'" + anfitrion.string() + "' '" + marca.string() +
                "' --grado 10 --clave 3 --compara" + con_salida());
    EXPECT_EQ(s.codigo, 4) << s.errores;
    for (const auto& m : json("comparacion.json")["metodos"].toArray())
        EXPECT_FALSE(m.toObject()["noCabe"].toString().isEmpty());
}

// A PSNR asked for: every method aims at it, the block pairs too (their
// degree found by bisection), and the files say where the target came from.
// The spread spectrum's PSNR moves smoothly with alfa; the others' jump
// (rounded pixels, whole planes), so they come as near as a step allows.
TEST_F(ZekDemo, AComparisonAimsAtThePsnrAskedFor) {
    const Salida s = ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                             " --grado 16 --clave 3 --compara --psnr-objetivo 45" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const QJsonObject c =
        QJsonDocument::fromJson(QByteArray::fromStdString(lee(salida() / "comparacion.json")))
            .object();
    EXPECT_EQ(c["psnrObjetivo"].toDouble(), 45);
    EXPECT_EQ(c["objetivo"].toString(), "pedido");
    const QJsonArray metodos = c["metodos"].toArray();
    ASSERT_EQ(metodos.size(), 4);
    const double cerca[] = {0.6, 1.0, 0.6, 0.05};  // bloques, lsb, dct, espectro
    for (int i = 0; i < 4; ++i) {
        const QJsonObject m = metodos[i].toObject();
        EXPECT_NEAR(m["psnr"].toDouble(), 45, cerca[i]) << m["metodo"].toString().toStdString();
    }
}

// Results that do not fit on the disk: exit status 3 naming the file and
// the reason, the results already there untouched, no new file left, and no
// folder made for them.
class ZekDemoEnDiscoLleno : public ZekDemo, public testing::WithParamInterface<int> {
  protected:
    std::map<std::string, std::string> contenido(const fs::path& carpeta) const {
        std::map<std::string, std::string> archivos;
        for (const auto& a : fs::directory_iterator(carpeta))
            archivos[a.path().filename().string()] = lee(a.path());
        return archivos;
    }
};

TEST_P(ZekDemoEnDiscoLleno, LeavesTheOldResultsAsTheyWere) {
    zek::prueba::DiscoLleno disco(2 << 20);
    ASSERT_TRUE(disco.montado()) << disco.error();
    const fs::path out = disco.carpeta() / "out";
    const std::string muestras = muestra("imagen.bmp") + " " + muestra("marca.bmp");
    ASSERT_EQ(ejecuta(muestras + " --grado 16 --clave 3 --salida '" + out.string() + "'").codigo,
              0);
    const auto antes = contenido(out);
    ASSERT_EQ(antes.size(), 7u);

    disco.deja_libres(static_cast<size_t>(GetParam()));
    const Salida s = ejecuta(muestras + " --grado 24 --clave 3 --salida '" + out.string() + "'",
                             "LC_ALL=es_ES.UTF-8");
    EXPECT_EQ(s.codigo, 3);
    EXPECT_TRUE(s.errores.find("» en «" + out.string() + "»: no queda espacio en el disco.\n") !=
                std::string::npos)
        << s.errores;
    EXPECT_EQ(s.errores.rfind("No se ha podido escribir «", 0), 0u) << s.errores;
    EXPECT_TRUE(contenido(out) == antes);

    const fs::path nueva = disco.carpeta() / "nueva";
    EXPECT_EQ(ejecuta(muestras + " --grado 16 --clave 3 --salida '" + nueva.string() + "'").codigo,
              3);
    EXPECT_FALSE(fs::exists(nueva));
}

INSTANTIATE_TEST_SUITE_P(Libres, ZekDemoEnDiscoLleno, testing::Values(6 << 10, 20 << 10, 28 << 10));

TEST_F(ZekDemo, ARefusedOrUnreadableImageExitsWithTwo) {
    // The host picture is too large for the watermark's role.
    Salida s = ejecuta(muestra("marca.bmp") + " " + muestra("imagen.bmp") +
                       " --grado 16 --clave 3" + con_salida());
    EXPECT_EQ(s.codigo, 2);
    EXPECT_EQ(s.errores.rfind("Asignatura de ZEK 2003/04: La imagen seleccionada no es correcta. / "
                              "La imagen Seleccionada requiere : /    Pixel Y: 240 /    Pixel X: "
                              "320 / Rango permitido. /    Pixel Y: 227 /    Pixel X: 181 / \n",
                              0),
              0u)
        << s.errores;
    EXPECT_FALSE(fs::exists(salida()));

    s = ejecuta("'" + (carpeta_ / "no esta.bmp").string() + "' " + muestra("marca.bmp") +
                " --grado 16 --clave 3" + con_salida());
    EXPECT_EQ(s.codigo, 2);
    EXPECT_EQ(s.errores, "No se ha podido abrir «no esta.bmp»: el archivo no existe.\n");

    std::ofstream(carpeta_ / "texto.bmp") << "esto no es una imagen";
    s = ejecuta(muestra("imagen.bmp") + " '" + (carpeta_ / "texto.bmp").string() +
                "' --grado 16 --clave 3" + con_salida());
    EXPECT_EQ(s.codigo, 2);
    EXPECT_EQ(s.errores, "No se ha podido abrir «texto.bmp»: no es una imagen BMP, JPEG o GIF.\n");
}

// A crop is limited by the picture: it leaves at least one column and row.
TEST_F(ZekDemo, ACropThatWouldEmptyThePictureIsABadOption) {
    const std::string muestras = muestra("imagen.bmp") + " " + muestra("marca.bmp");
    Salida s = ejecuta(muestras + " --grado 16 --clave 3 --ataque recorte:240" + con_salida());
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.errores,
              "zek-demo: el ataque «recorte:240» no cabe en una imagen de 320 × 240: el "
              "valor llega como mucho a 239\nPruebe «zek-demo --ayuda» para más información.\n");
    EXPECT_FALSE(fs::exists(salida()));
    s = ejecuta(muestras + " --grado 16 --clave 3 --ataque recorte:239" + con_salida());
    EXPECT_EQ(s.codigo, 0) << s.errores;
}

class OpcionesIncorrectas : public ZekDemo, public testing::WithParamInterface<const char*> {};

// The one line that says what is wrong, then where the help is: the whole
// usage would scroll that line away.
TEST_P(OpcionesIncorrectas, ExitWithOneSayingWhatIsWrongInOneLine) {
    const Salida s = ejecuta(GetParam());
    EXPECT_EQ(s.codigo, 1) << GetParam();
    EXPECT_EQ(s.errores.rfind("zek-demo: ", 0), 0u) << s.errores;
    EXPECT_EQ(std::count(s.errores.begin(), s.errores.end(), '\n'), 2) << s.errores;
    EXPECT_TRUE(s.errores.ends_with("\nPruebe «zek-demo --ayuda» para más información.\n"))
        << s.errores;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, OpcionesIncorrectas,
    testing::Values("", "a.bmp b.bmp --grado 16", "a.bmp b.bmp --clave 3",
                    "a.bmp --grado 16 --clave 3", "a.bmp b.bmp c.bmp --grado 16 --clave 3",
                    "a.bmp b.bmp --grado 16,5 --clave 3", "a.bmp b.bmp --grado abc --clave 3",
                    "a.bmp b.bmp --grado 16 --clave 3 --ataque jpeg:101",
                    "a.bmp b.bmp --grado 16 --clave 3 --ataque gamma:2",
                    "a.bmp b.bmp --grado 16 --clave 3 --grados 4,x",
                    "a.bmp b.bmp --grado 16 --clave 3 --grados 2.5,,x",
                    "a.bmp b.bmp --grado 16 --clave 3 --grados ,",
                    "a.bmp b.bmp --grado 16 --clave 3 --ataque jpeg:",
                    "a.bmp b.bmp --grado 16 --clave 3 --ataque recorte:484",
                    "a.bmp b.bmp --grado 16 --clave 3 --ataque escala:0",
                    "--extrae a.bmp b.bmp --grado 16 --clave 3 --grados 4",
                    "a.bmp b.bmp --grado 16 --clave 3 --velocidad 2",
                    "--extrae a.bmp b.bmp --grado 16 --clave 3 --lado 0",
                    "a.bmp b.bmp --grado 16 --clave 3 --sincroniza 320x240",
                    "a.bmp b.bmp --grado 16 --clave 3 --lado 5", "a.bmp b.bmp --grado 16 --clave",
                    "a.bmp b.bmp --grado 16 --clave 3 --metodo rgb",
                    "a.bmp b.bmp --clave 3 --metodo lsb --fuerza 8",
                    "a.bmp b.bmp --grado 16 --clave 3 --fuerza 2",
                    "--extrae a.bmp b.bmp --grado 16 --clave 3 --hoja h.pdf",
                    "a.bmp b.bmp --grado 16 --clave -3 --ayuda=no",
                    "a.bmp b.bmp --clave 3 --metodo espectro --fuerza 0.6",
                    "a.bmp b.bmp --grado 16 --clave 3 --longitud 10",
                    "--detecta a.bmp b.bmp --clave 3 --ataque jpeg:50",
                    "a.bmp b.bmp --clave 3 --metodo lsb --hoja h.pdf"));

TEST_F(ZekDemo, AskingForHelpPrintsTheUsageAndForTheVersionTheVersion) {
    Salida s = ejecuta("--ayuda");
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.salida.rfind("Uso: zek-demo IMAGEN MARCA --grado G --clave K", 0), 0u);
    s = ejecuta("--version");
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.salida, "zek-demo " ZEK_VERSION "\n");
}

}  // namespace
