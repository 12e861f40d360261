// SPDX-License-Identifier: MIT
// The bad-input corpus: files students may bring, each opened as the host
// and as the watermark through the real reader and the workflow. Each one
// either loads, and then the whole demonstration runs, or is refused as the
// loading rules say: a picture too large gets the size message and an empty
// box at its design size; an unreadable file changes nothing and the status
// line says why.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "base/numeros.h"
#include "base/puerto_memoria.h"
#include "images/bmp.h"
#include "qt/imagen_qt.h"
#include "qt/lector_qt.h"
#include "tests/comun/sesion_prueba.h"
#include "workflow/laboratorio.h"
#include "workflow/sesion.h"

namespace zek {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(ZEK_CARPETA_PRUEBAS) / "corpus";
const fs::path kMuestras = ZEK_CARPETA_MUESTRAS;

enum class Resultado { Carga, PorTamano, Ilegible };

struct Caso {
    const char* archivo;  // in the corpus, or made by Archivos below
    Resultado resultado;
    const char* estado = "";  // status line of an unreadable file
};

// The files whose bytes are written here: hand-made headers, an empty file,
// text named .bmp, names with blanks and accents, a folder.
class Archivos {
  public:
    Archivos() {
        escribe("vacia.bmp", {});
        escribe("texto.bmp", "esto no es una imagen\n");
        escribe("bmp-0x0.bmp", bmp(0, 0, false));
        escribe("bmp-ancho-negativo.bmp", bmp(-8, 6, false));
        escribe("bmp-alto-negativo.bmp", bmp(8, -6, true));  // rows top down: valid
        escribe("marca-pequena.bmp", bmp(4, 2, true));
        escribe("bmp-100000x100000.bmp", bmp(100000, 100000, false));
        escribe("gif-65535x65535.gif", gif(65535, 65535));
        fs::copy_file(kMuestras / "marca.bmp", carpeta() / "mi marca ñandú é.bmp");
        fs::create_directory(carpeta() / "carpeta.bmp");
    }
    fs::path carpeta() const { return dir_.path().toStdString(); }
    fs::path ruta(const char* nombre) const {
        return fs::exists(kCorpus / nombre) ? kCorpus / nombre : carpeta() / nombre;
    }

  private:
    void escribe(const char* nombre, const std::string& bytes) {
        std::ofstream(carpeta() / nombre, std::ios::binary) << bytes;
    }
    static std::string le(uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    }
    // A 24-bit BMP header; the pixel rows only when asked for.
    static std::string bmp(int32_t ancho, int32_t alto, bool con_filas) {
        const uint32_t fila = (static_cast<uint32_t>(std::abs(ancho)) * 3 + 3) / 4 * 4;
        const std::string filas =
            con_filas ? std::string(fila * static_cast<uint32_t>(std::abs(alto)), '\x80') : "";
        return "BM" + le(54 + static_cast<uint32_t>(filas.size()), 4) + le(0, 4) + le(54, 4) +
               le(40, 4) + le(static_cast<uint32_t>(ancho), 4) +
               le(static_cast<uint32_t>(alto), 4) + le(1, 2) + le(24, 2) + le(0, 4) +
               le(static_cast<uint32_t>(filas.size()), 4) + le(2835, 4) + le(2835, 4) + le(0, 4) +
               le(0, 4) + filas;
    }
    static std::string gif(uint16_t ancho, uint16_t alto) {
        return "GIF89a" + le(ancho, 2) + le(alto, 2) + std::string("\x00\x00\x00", 3) + ";";
    }
    QTemporaryDir dir_;
};

// The workflow on in-memory boxes, with the other picture of the pair loaded
// first: the host sample, or a 4 x 2 watermark that even an 8 x 6 host has
// room for.
struct ConLectorQt {
    LectorQt qt;
};
struct SesionDeArchivos : ConLectorQt, prueba::SesionPrueba {
    SesionDeArchivos() : SesionPrueba(&qt) {}
    const Demostracion& demo = s.demostracion();
    bool abre(const fs::path& ruta, bool como_anfitrion) {
        return SesionPrueba::abre(ruta.string(), como_anfitrion);
    }
};

// "host_bmp_1bit_bmp": the role and the file, in the characters a test name takes.
std::string nombre_de_caso(const testing::TestParamInfo<std::tuple<Caso, bool>>& i) {
    std::string nombre =
        std::string(std::get<1>(i.param) ? "host_" : "marca_") + std::get<0>(i.param).archivo;
    for (char& c : nombre) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return nombre;
}

class Corpus : public testing::TestWithParam<std::tuple<Caso, bool>> {
  protected:
    static inline std::unique_ptr<Archivos> archivos;
    static void SetUpTestSuite() { archivos = std::make_unique<Archivos>(); }
    static void TearDownTestSuite() { archivos.reset(); }
};

TEST_P(Corpus, LoadsAndRunsOrIsRefusedAsTheRulesSay) {
    const auto [caso, como_anfitrion] = GetParam();
    SesionDeArchivos b;
    ASSERT_TRUE(
        b.abre(como_anfitrion ? archivos->ruta("marca-pequena.bmp") : kMuestras / "imagen.bmp",
               !como_anfitrion));
    const SuperficieMemoria& caja = como_anfitrion ? b.p1 : b.p2;
    const SuperficieMemoria antes = caja;
    const Vbles tablas = b.v;

    const bool aceptada = b.abre(archivos->ruta(caso.archivo), como_anfitrion);
    EXPECT_EQ(aceptada, caso.resultado == Resultado::Carga);
    switch (caso.resultado) {
        case Resultado::Carga: {
            EXPECT_TRUE(b.puerto.mensajes.empty());
            b.s.aplica(Parametro::Grado, "10");
            b.s.aplica(Parametro::Clave, "3");
            for (int i = 0; i < 4; ++i) b.s.Command1_Click();
            EXPECT_EQ(b.v.Paso, 4);
            ASSERT_TRUE(b.demo.informe().extraccion);
            EXPECT_GT(b.demo.informe().extraccion->total, 0);
            break;
        }
        case Resultado::PorTamano: {
            ASSERT_EQ(b.puerto.mensajes.size(), 1u);
            EXPECT_EQ(b.puerto.mensajes[0].titulo, "Asignatura de ZEK 2003/04");
            const SuperficieMemoria vacia =
                como_anfitrion ? SuperficieMemoria(378, 483) : SuperficieMemoria(181, 227);
            EXPECT_EQ(caja, vacia);
            EXPECT_EQ(b.v.MatrizY, tablas.MatrizY);
            EXPECT_EQ(b.v.MatrizMarca, tablas.MatrizMarca);
            break;
        }
        case Resultado::Ilegible:
            EXPECT_TRUE(b.puerto.mensajes.empty());
            EXPECT_EQ(caja, antes);
            EXPECT_EQ(b.v.MatrizY, tablas.MatrizY);
            EXPECT_EQ(b.v.MatrizMarca, tablas.MatrizMarca);
            EXPECT_EQ(b.puerto.texto(Control::Estado),
                      "No se ha podido abrir «" + archivos->ruta(caso.archivo).filename().string() +
                          "»: " + caso.estado);
            break;
    }
}

constexpr const char* kIncompleta = "la imagen está incompleta o dañada.";
constexpr const char* kCabecera = "la cabecera de la imagen no es válida.";

const Caso kCasos[] = {Caso{"bmp-1bit.bmp", Resultado::Carga},
                       Caso{"bmp-4bit.bmp", Resultado::Carga},
                       Caso{"bmp-8bit.bmp", Resultado::Carga},
                       Caso{"bmp-8bit-rle.bmp", Resultado::Carga},
                       Caso{"bmp-16bit.bmp", Resultado::Carga},
                       Caso{"bmp-24bit.bmp", Resultado::Carga},
                       Caso{"bmp-32bit.bmp", Resultado::Carga},
                       Caso{"jpeg-progresiva.jpg", Resultado::Carga},
                       Caso{"jpeg-cmyk.jpg", Resultado::Carga},
                       Caso{"gif-entrelazada.gif", Resultado::Carga},
                       Caso{"gif-animada.gif", Resultado::Carga},
                       Caso{"gif-transparente.gif", Resultado::Carga},
                       Caso{"bmp-alto-negativo.bmp", Resultado::Carga},
                       Caso{"mi marca ñandú é.bmp", Resultado::Carga},
                       Caso{"truncada-bmp-24bit.bmp", Resultado::Ilegible, kIncompleta},
                       Caso{"truncada-jpeg-progresiva.jpg", Resultado::Ilegible, kIncompleta},
                       Caso{"truncada-gif-entrelazada.gif", Resultado::Ilegible, kIncompleta},
                       Caso{"vacia.bmp", Resultado::Ilegible, "el archivo está vacío."},
                       Caso{"texto.bmp", Resultado::Ilegible, "no es una imagen BMP, JPEG o GIF."},
                       Caso{"bmp-0x0.bmp", Resultado::Ilegible, kCabecera},
                       Caso{"bmp-ancho-negativo.bmp", Resultado::Ilegible, kCabecera},
                       Caso{"carpeta.bmp", Resultado::Ilegible, "es una carpeta, no un archivo."},
                       Caso{"no-existe.bmp", Resultado::Ilegible, "el archivo no existe."},
                       Caso{"bmp-100000x100000.bmp", Resultado::PorTamano},
                       Caso{"gif-65535x65535.gif", Resultado::PorTamano}};

INSTANTIATE_TEST_SUITE_P(Archivos, Corpus,
                         testing::Combine(testing::ValuesIn(kCasos), testing::Bool()),
                         nombre_de_caso);

// The same files reopened as a watermarked picture, in the middle of a
// demonstration: the host's rules, and what an accepted picture gives the
// laboratory survives every attack at its extremes.
class CorpusMarcada : public Corpus {};

TEST_P(CorpusMarcada, FollowsTheHostsRulesAndFeedsTheLaboratory) {
    const Caso& caso = std::get<0>(GetParam());
    SesionDeArchivos b;
    ASSERT_TRUE(b.abre(kMuestras / "imagen.bmp", true));
    ASSERT_TRUE(b.abre(archivos->ruta("marca-pequena.bmp"), false));
    b.s.aplica(Parametro::Grado, "10");
    b.s.aplica(Parametro::Clave, "3");
    b.s.Command1_Click();
    b.s.Command1_Click();
    const Vbles tablas = b.v;
    b.puerto.archivo = archivos->ruta(caso.archivo).string();
    EXPECT_EQ(b.s.abre_imagen_marcada(), caso.resultado == Resultado::Carga);
    EXPECT_EQ(b.v.MatrizY, tablas.MatrizY);
    EXPECT_EQ(b.v.Paso, 2);
    if (caso.resultado != Resultado::Carga) {
        // The host's rules and their messages, as in the host's role above.
        EXPECT_EQ(b.puerto.mensajes.size(), caso.resultado == Resultado::PorTamano ? 1u : 0u);
        return;
    }
    const std::string estado = b.puerto.texto(Control::Estado);
    const std::string nombre = archivos->ruta(caso.archivo).filename().string();
    EXPECT_EQ(estado.rfind("Extracción ciega de «" + nombre + "»", 0), 0u) << estado;
    const auto fuente = b.s.fuente_abierta();
    ASSERT_TRUE(fuente);
    const CodecJpegQt jpeg;
    // Every attack of the table, at both ends of its range.
    for (const RangoAtaque& r : kRangosAtaque) {
        for (const double v : {r.desde, r.hasta}) {
            const std::string a = std::string(r.nombre) + ":" + texto_exacto(v);
            EXPECT_EQ(analiza(*fuente, *lee_ataque(a), &jpeg).leida.ancho(), b.p2.ancho()) << a;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Archivos, CorpusMarcada,
                         testing::Combine(testing::ValuesIn(kCasos), testing::Values(true)),
                         nombre_de_caso);

// Transparent pixels show the boxes' background; the first frame of an
// animation is the one shown.
TEST(CorpusDetalle, TransparencyShowsTheBackgroundAndAnAnimationItsFirstFrame) {
    SesionDeArchivos b;
    ASSERT_TRUE(b.abre(kCorpus / "gif-transparente.gif", false));
    EXPECT_EQ(b.p2.lee_pixel(0, 0), kColorFondo);  // white made transparent
    EXPECT_EQ(b.p2.lee_pixel(16, 16), b.p2.lee_pixel(16, 16) & 0xFFFFFF);
    ASSERT_TRUE(b.abre(kCorpus / "gif-animada.gif", true));
    ASSERT_TRUE(b.abre(kCorpus / "gif-entrelazada.gif", false));
    // The animation's first frame is the interlaced one's picture.
    for (int x = 0; x < 64; x += 7) {
        for (int y = 0; y < 48; y += 5) EXPECT_EQ(b.p1.lee_pixel(x, y), b.p2.lee_pixel(x, y));
    }
}

// Without read permission a file is refused and said so, unless the tests
// run as root, for whom the permission does not apply.
TEST(CorpusDetalle, AFileWithoutReadPermission) {
    const Archivos a;
    const fs::path ruta = a.carpeta() / "sin permiso.bmp";
    fs::copy_file(kMuestras / "marca.bmp", ruta);
    fs::permissions(ruta, fs::perms::none);
    SesionDeArchivos b;
    const bool legible = access(ruta.c_str(), R_OK) == 0;
    EXPECT_EQ(b.abre(ruta, false), legible);
    if (!legible) {
        EXPECT_EQ(b.puerto.texto(Control::Estado),
                  "No se ha podido abrir «sin permiso.bmp»: no hay permiso para leerlo.");
    }
    fs::permissions(ruta, fs::perms::owner_all);
}

// Headers declaring enormous pictures are refused from the header alone:
// opening them ten times raises the peak memory of the process by no more
// than the emptied boxes take (under AddressSanitizer, whose quarantine
// keeps freed memory, by a few tens of megabytes), never by anything like
// the declared pictures' 40 GB and 17 GB.
TEST(CorpusDetalle, HugeHeadersAllocateNothingLikeTheirSize) {
    const Archivos a;
    SesionDeArchivos b;
    rusage antes{};
    getrusage(RUSAGE_SELF, &antes);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(b.abre(a.ruta("bmp-100000x100000.bmp"), true));
        EXPECT_FALSE(b.abre(a.ruta("gif-65535x65535.gif"), false));
    }
    rusage despues{};
    getrusage(RUSAGE_SELF, &despues);
    EXPECT_LT(despues.ru_maxrss - antes.ru_maxrss, 64 * 1024);  // kilobytes
}

// The page's BMP read back by Qt's decoder, pixel for pixel, at widths
// whose rows need 0 to 3 bytes of padding; a picture without pixels gives
// no file.
TEST(CodificaBmp, QtReadsBackEveryPixel) {
    for (const int ancho : {1, 2, 3, 4, 5}) {
        SuperficieMemoria s(ancho, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < ancho; ++x)
                s.pon_pixel(x, y, (x * 50) | ((y * 80) << 8) | (77 << 16));
        }
        const std::vector<uint8_t> bytes = codifica_bmp(s);
        const QImage q = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
        ASSERT_EQ(q.width(), ancho);
        ASSERT_EQ(q.height(), 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < ancho; ++x)
                EXPECT_EQ(q.pixel(x, y), qRgb(x * 50, y * 80, 77)) << ancho << " " << x << "," << y;
        }
    }
    EXPECT_TRUE(codifica_bmp(SuperficieMemoria()).empty());
}

}  // namespace
}  // namespace zek
