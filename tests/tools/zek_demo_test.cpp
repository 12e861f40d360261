// zek-demo end to end: the real program on the samples, as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

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

class ZekDemo : public testing::Test {
  protected:
    void SetUp() override {
        carpeta_ =
            fs::temp_directory_path() / ("zek-demo-" + std::to_string(std::random_device{}()));
        fs::create_directories(carpeta_);
    }
    void TearDown() override { fs::remove_all(carpeta_); }

    Salida ejecuta(const std::string& argumentos) {
        const fs::path err = carpeta_ / "stderr.txt", out = carpeta_ / "stdout.txt";
        const std::string orden = std::string("'") + ZEK_DEMO + "' " + argumentos + " >'" +
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

TEST_F(ZekDemo, RunsTheSamplesAndWritesEveryFile) {
    const Salida s =
        ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
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

    const std::string json = lee(salida() / "informe.json");
    // The same figures as the captions "Longitud de bloque 5" and
    // "Número de bloque 3072"; 31 x 31 pixels embedded, all read back.
    for (const char* campo :
         {"\"longBloque\": 5,", "\"numBloques\": 3072,", "\"paso\": 4,", "\"mensajes\": [],",
          "\"pares\": 961,", "\"extraccion\": {\"correctos\": 961, \"total\": 961, \"ber\": 0}",
          "{\"ataque\": \"jpeg:75\", \"psnr\": ", "{\"ataque\": \"ruido:5\", \"psnr\": "}) {
        EXPECT_NE(json.find(campo), std::string::npos) << campo << "\n" << json;
    }
    EXPECT_EQ(json.find("\"psnr\": null"), std::string::npos);
}

TEST_F(ZekDemo, TheSweepWritesItsTableAndChart) {
    const Salida s =
        ejecuta(muestra("imagen.jpg") + " " + muestra("marca.gif") +
                " --grado 16 --clave 3 --ataque brillo:20 --grados 4,16" + con_salida());
    ASSERT_EQ(s.codigo, 0) << s.errores;
    const std::string csv = lee(salida() / "barrido.csv");
    EXPECT_EQ(csv.rfind("grado,ataque,psnr,ber\n4,ninguno,", 0), 0u) << csv;
    EXPECT_NE(csv.find("\n16,brillo:20,"), std::string::npos) << csv;
    EXPECT_FALSE(QImage(QString::fromStdString((salida() / "barrido.png").string())).isNull());
}

TEST_F(ZekDemo, AMessageBoxIsOneLineAndADegreeOfZeroStopsTheSteps) {
    const Salida s = ejecuta(muestra("imagen.bmp") + " " + muestra("marca.bmp") +
                             " --grado 0 --clave 3" + con_salida());
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.errores,
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n"
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n"
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n"
              "ZEK: El grado de resistencia a ataques de altas frecuencias no puede ser 0.\n");
    EXPECT_NE(lee(salida() / "informe.json").find("\"paso\": 0,"), std::string::npos);
}

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

class OpcionesIncorrectas : public ZekDemo, public testing::WithParamInterface<const char*> {};

TEST_P(OpcionesIncorrectas, ExitWithOneAndTheUsage) {
    const Salida s = ejecuta(GetParam());
    EXPECT_EQ(s.codigo, 1) << GetParam();
    EXPECT_NE(s.errores.find("Uso: zek-demo IMAGEN MARCA"), std::string::npos) << s.errores;
}

INSTANTIATE_TEST_SUITE_P(Casos, OpcionesIncorrectas,
                         testing::Values("", "a.bmp b.bmp --grado 16", "a.bmp b.bmp --clave 3",
                                         "a.bmp --grado 16 --clave 3",
                                         "a.bmp b.bmp c.bmp --grado 16 --clave 3",
                                         "a.bmp b.bmp --grado 16,5 --clave 3",
                                         "a.bmp b.bmp --grado abc --clave 3",
                                         "a.bmp b.bmp --grado 16 --clave 3 --ataque jpeg:101",
                                         "a.bmp b.bmp --grado 16 --clave 3 --ataque gamma:2",
                                         "a.bmp b.bmp --grado 16 --clave 3 --grados 4,x",
                                         "a.bmp b.bmp --grado 16 --clave 3 --velocidad 2",
                                         "a.bmp b.bmp --grado 16 --clave"));

TEST_F(ZekDemo, AskingForHelpPrintsTheUsage) {
    const Salida s = ejecuta("--ayuda");
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.salida.rfind("Uso: zek-demo IMAGEN MARCA --grado G --clave K", 0), 0u);
}

}  // namespace
