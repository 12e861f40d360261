// SPDX-License-Identifier: MIT
// zek-demo: the demonstration without a window, on the same workflow code.
// Loads the two pictures, applies Grado and Clave, presses the step button
// four times, attacks the watermarked picture if asked, reads the watermark
// back blindly and writes the pictures and a report.
#include <QApplication>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "base/numeros.h"
#include "base/version.h"
#include "graficos/hoja_de_clase.h"
#include "qt/escritura.h"
#include "qt/imagen_qt.h"
#include "qt/informe.h"
#include "tools/demo/ejecucion.h"
#include "tools/demo/linea_de_mensaje.h"
#include "tools/demo/salida.h"

namespace {

using namespace zek;
namespace fs = std::filesystem;

constexpr int kBien = 0, kUsoIncorrecto = 1, kImagenRechazada = 2, kSinEscribir = 3, kDetenida = 4;

constexpr const char* kUso =
    "Uso: zek-demo IMAGEN MARCA --grado G --clave K [--salida CARPETA]\n"
    "                [--ataque A]... [--grados G1,G2,... | --barrido]\n"
    "                [--compara [--psnr-objetivo D]] [--hoja FICHERO.pdf]\n"
    "     zek-demo --extrae IMAGEN MARCA --grado G --clave K [--lado L]\n"
    "     zek-demo --extrae IMAGEN MARCA --metodo lsb|dct [--fuerza X] --clave K\n"
    "                [--salida CARPETA]\n"
    "\n"
    "Inserta la marca de agua MARCA en la imagen IMAGEN como en la ventana de ZEK\n"
    "(abrir las dos imágenes, aplicar el grado y la clave y pulsar cuatro veces el\n"
    "botón de paso), la extrae a ciegas de la imagen marcada y escribe en CARPETA\n"
    "(zek-salida si no se indica) picture1.png a picture4.png, marcada.png (la\n"
    "imagen marcada sin rejilla), extraida.png e informe.json. Los números llevan\n"
    "punto decimal.\n"
    "\n"
    "  --ataque A    ataca la imagen marcada antes de extraer la marca; A es\n"
    "                jpeg:Q (calidad 0 a 100), ruido:S (desviación 0 a 255),\n"
    "                media:N o mediana:N (ventana N x N, 1 a 15), brillo:D\n"
    "                (-255 a 255), contraste:P (cada canal se aleja del gris medio\n"
    "                al P %, 10 a 300), recorte:N (quita las N primeras columnas y\n"
    "                filas, de 0 a una menos que el lado menor de la imagen) o\n"
    "                escala:P (reduce al P %, 1 a 100, y vuelve a ampliar). Se\n"
    "                puede repetir.\n"
    "  --grados L    repite la demostración con cada grado de la lista y escribe\n"
    "                barrido.csv y barrido.png.\n"
    "  --metodo M    inserta la marca de marcada.png y lee los ataques con el\n"
    "                método M: bloques (el de la demostración, por defecto), lsb\n"
    "                (fuerza: el plano de bits, 0 a 7) o dct (fuerza: alfa, 0,1 a\n"
    "                10); con --extrae, lee con él.\n"
    "  --fuerza X    la fuerza de lsb o dct (0 y 2 si no se da).\n"
    "  --compara     compara los tres métodos (bloques, lsb y dct) al mismo PSNR,\n"
    "                el de los pares de bloques con el grado dado o el de\n"
    "                --psnr-objetivo D: escribe comparacion.json, comparacion.csv,\n"
    "                comparacion.png (la tasa de error según la calidad JPEG) y\n"
    "                marcada-METODO.png.\n"
    "  --hoja F      escribe además la hoja de clase en el PDF F: las imágenes de\n"
    "                los pasos, las cifras, siete ataques (los de --compara), el\n"
    "                histograma, el barrido y la comparación si se piden, y\n"
    "                preguntas; lleva informe.json adjunto. No admite --ataque ni\n"
    "                --metodo.\n"
    "  --barrido     el barrido del laboratorio: sus 16 grados, de 2 a 64, y sus\n"
    "                seis ataques (jpeg:75, jpeg:50, ruido:5, media:3, mediana:3 y\n"
    "                brillo:20).\n"
    "  --extrae      no inserta nada: lee a ciegas la marca de agua de IMAGEN (una\n"
    "                imagen marcada, por ejemplo marcada.png) con la rejilla que\n"
    "                calcula el primer paso, la compara con MARCA y escribe\n"
    "                extraida.png e informe.json.\n"
    "  --lado L      con --extrae, lee con bloques de lado L (un número entero\n"
    "                desde 1), como la ventana lee con la rejilla en uso; sin él,\n"
    "                con la que calcula el primer paso sobre IMAGEN.\n"
    "  --version     muestra la versión.\n"
    "  --ayuda       muestra este texto.\n"
    "\n"
    "Sale con 0 si se aceptaron las dos imágenes y se dieron los cuatro pasos,\n"
    "2 si una imagen se rechazó o no se pudo leer, 1 si las opciones no son\n"
    "correctas, 3 si no se pudieron escribir los resultados (no queda ninguno a\n"
    "medias: los que había siguen como estaban) y 4 si la demostración se detuvo\n"
    "antes del último paso (se dice qué mensaje la detuvo; los resultados de los\n"
    "pasos dados sí se escriben).\n";

struct Opciones {
    Parametros p;
    fs::path salida = "zek-salida";
    std::vector<double> grados;
    bool ayuda = false;
    bool version = false;
    bool extrae = false;
    int32_t lado = 0;      // --lado: the block side to read with
    bool barrido = false;  // --barrido: the laboratory's degrees and attacks
    bool compara = false;  // --compara: the three methods side by side
    std::optional<double> psnr_objetivo;
    const Metodo* metodo = &metodo_bloques();  // --metodo
    std::optional<double> fuerza;              // --fuerza, for lsb and dct
    std::optional<fs::path> hoja;              // --hoja: the classroom handout
};

// The strength of a method other than the block pairs': as given, or the
// one the laboratory starts from.
double fuerza_de(const Opciones& o) {
    return o.fuerza.value_or(o.metodo == &metodo_lsb() ? 0 : 2);
}

struct ErrorDeUso {
    std::string texto;
};

// A degree or key the demonstration did not take: never run on with 0.
struct ParametroRechazado {
    std::string texto;
};

std::vector<double> lista_de_grados(const std::string& texto) {
    std::vector<double> grados;
    std::stringstream lista(texto);
    for (std::string g; std::getline(lista, g, ',');) {
        const auto v = lee_numero_con_separador(g, '.');
        if (!v) throw ErrorDeUso{"grado no válido en --grados: «" + g + "»"};
        grados.push_back(*v);
    }
    if (grados.empty()) throw ErrorDeUso{"--grados necesita al menos un grado"};
    return grados;
}

Opciones lee_opciones(int argc, char** argv) {
    Opciones o;
    std::vector<std::string> posicionales;
    bool hay_grado = false, hay_clave = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto valor = [&]() -> std::string {
            if (i + 1 >= argc) throw ErrorDeUso{a + " necesita un valor"};
            return argv[++i];
        };
        if (a == "--ayuda" || a == "-h" || a == "--help") {
            o.ayuda = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--extrae") {
            o.extrae = true;
        } else if (a == "--grado" || a == "--clave") {
            std::string v = valor();
            if (!lee_numero_con_separador(v, '.'))
                throw ErrorDeUso{a + " no es un número: «" + v + "»"};
            (a == "--grado" ? o.p.grado : o.p.clave) = v;
            (a == "--grado" ? hay_grado : hay_clave) = true;
        } else if (a == "--lado") {
            const std::string v = valor();
            const auto lado = lee_numero_con_separador(v, '.');
            if (!lado || *lado < 1 || *lado > kLimiteAnfitrion.alto || *lado != std::floor(*lado))
                throw ErrorDeUso{"--lado no es un lado de bloque válido: «" + v + "»"};
            o.lado = static_cast<int32_t>(*lado);
        } else if (a == "--salida") {
            o.salida = valor();
        } else if (a == "--ataque") {
            const std::string v = valor();
            const auto ataque = lee_ataque(v);
            if (!ataque) throw ErrorDeUso{"ataque no válido: «" + v + "»"};
            o.p.ataques.push_back(*ataque);
        } else if (a == "--grados") {
            o.grados = lista_de_grados(valor());
        } else if (a == "--barrido") {
            o.barrido = true;
        } else if (a == "--metodo") {
            const std::string v = valor();
            o.metodo = metodo(v);
            if (!o.metodo) throw ErrorDeUso{"método desconocido: «" + v + "» (bloques, lsb o dct)"};
        } else if (a == "--fuerza") {
            const std::string v = valor();
            o.fuerza = lee_numero_con_separador(v, '.');
            if (!o.fuerza) throw ErrorDeUso{"--fuerza no es un número: «" + v + "»"};
        } else if (a == "--compara") {
            o.compara = true;
        } else if (a == "--hoja") {
            o.hoja = fs::path(valor());
        } else if (a == "--psnr-objetivo") {
            const std::string v = valor();
            o.psnr_objetivo = lee_numero_con_separador(v, '.');
            if (!o.psnr_objetivo || !(*o.psnr_objetivo > 0))
                throw ErrorDeUso{"--psnr-objetivo no es un PSNR válido: «" + v + "»"};
        } else if (a.size() > 1 && a[0] == '-') {
            throw ErrorDeUso{"opción desconocida: " + a};
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda || o.version) return o;
    if (posicionales.size() != 2) throw ErrorDeUso{"hacen falta dos imágenes: IMAGEN y MARCA"};
    const bool bloques = o.metodo == &metodo_bloques();
    if (!hay_clave || (bloques && !hay_grado)) throw ErrorDeUso{"faltan --grado o --clave"};
    if (!hay_grado) o.p.grado = "0";  // only the block pairs read it
    if (o.fuerza) {
        const RangoFuerza r = o.metodo->fuerza();
        if (bloques) throw ErrorDeUso{"con el método de bloques la fuerza es --grado"};
        if (*o.fuerza < r.desde || *o.fuerza > r.hasta ||
            (r.entera && *o.fuerza != std::floor(*o.fuerza))) {
            throw ErrorDeUso{"--fuerza fuera del rango del método: «" + texto_exacto(*o.fuerza) +
                             "» (de " + texto_exacto(r.desde) + " a " + texto_exacto(r.hasta) +
                             ")"};
        }
    }
    if (!bloques && (o.compara || !o.grados.empty()))
        throw ErrorDeUso{"--metodo no admite --compara, --grados ni --barrido"};
    if (o.extrae && (!o.p.ataques.empty() || !o.grados.empty())) {
        throw ErrorDeUso{"--extrae no admite --ataque ni --grados"};
    }
    if (!o.extrae && o.lado != 0) throw ErrorDeUso{"--lado solo vale con --extrae"};
    if (o.extrae && o.compara) throw ErrorDeUso{"--extrae no admite --compara"};
    if (o.psnr_objetivo && !o.compara) throw ErrorDeUso{"--psnr-objetivo solo vale con --compara"};
    if (o.hoja && (o.extrae || !bloques || !o.p.ataques.empty()))
        throw ErrorDeUso{
            "--hoja no admite --extrae, --metodo ni --ataque: la hoja lleva sus "
            "propios ataques"};
    if (o.barrido) {
        if (o.extrae || !o.grados.empty() || !o.p.ataques.empty())
            throw ErrorDeUso{"--barrido no admite --extrae, --grados ni --ataque"};
        o.grados = grados_del_barrido();
        o.p.ataques = ataques_del_barrido();
    }
    o.p.anfitrion = posicionales[0];
    o.p.marca = posicionales[1];
    return o;
}

QByteArray bytes_de(const std::string& texto) {
    return QByteArray::fromStdString(texto);
}

void anade(std::vector<ArchivoNuevo>& archivos, const fs::path& carpeta, const char* nombre,
           QByteArray bytes) {
    archivos.push_back({(carpeta / nombre).string(), std::move(bytes)});
}

std::vector<ArchivoNuevo> resultados(Ejecucion& e, const std::vector<ResultadoAtaque>& ataques,
                                     const fs::path& carpeta) {
    std::vector<ArchivoNuevo> archivos;
    const Sesion& s = e.sesion();
    const char* nombres[] = {"picture1.png", "picture2.png", "picture3.png", "picture4.png"};
    int n = 0;
    for (const SuperficieImagen* p : {&s.Picture1(), &s.Picture2(), &s.Picture3(), &s.Picture4()}) {
        anade(archivos, carpeta, nombres[n++], png_de(*p));
    }
    const Informe& inf = e.demostracion().informe();
    anade(archivos, carpeta, "extraida.png",
          png_de(imagen_de_lectura(inf.leida, s.Picture2().ancho(), s.Picture2().alto())));
    if (inf.insertada) {
        anade(archivos, carpeta, "marcada.png", png_de(e.demostracion().marcada_completa()));
    }
    anade(archivos, carpeta, "informe.json",
          bytes_de(informe_json(e.vbles(), inf, s.fuente_marcada(), e.puerto().mensajes, ataques)));
    return archivos;
}

// Writes the whole set or nothing of it: the results already in the folder
// stay as they were when any file cannot be written.
bool escribe(const std::vector<ArchivoNuevo>& archivos, const fs::path& carpeta) {
    std::error_code error;
    const bool nueva = !fs::exists(carpeta, error);
    fs::create_directories(carpeta, error);
    if (error) {
        std::cerr << "No se ha podido crear la carpeta «" << carpeta.string()
                  << "»: " << motivo_del_sistema(error.value(), error.message()) << '\n';
        return false;
    }
    for (const ArchivoNuevo& a : archivos) {
        if (a.bytes.isEmpty()) {
            std::cerr << "No se ha podido codificar «" << fs::path(a.ruta).filename().string()
                      << "».\n";
            return false;
        }
    }
    const auto fallo = escribe_archivos(archivos);
    if (!fallo) return true;
    std::cerr << "No se ha podido escribir «" << fs::path(fallo->ruta).filename().string()
              << "» en «" << carpeta.string() << "»: " << fallo->motivo << '\n';
    if (nueva) fs::remove(carpeta, error);  // only if it is still empty
    return false;
}

// The step presses stopped before the last stage: which stage, and the
// message that stopped them.
int detenida(const Ejecucion& e, size_t mensajes_antes) {
    const auto& mensajes = e.puerto().mensajes;
    std::cerr << "zek-demo: la demostración se ha detenido antes del «Paso " << e.vbles().Paso + 1
              << "» de 4";
    if (mensajes.size() > mensajes_antes) {
        std::cerr << " con el mensaje «" << linea_de_mensaje(mensajes.back()) << "»";
    }
    std::cerr << ".\n";
    return kDetenida;
}

double clave_de(const Opciones& o) {
    return *lee_numero_con_separador(o.p.clave, '.');
}

// --extrae --metodo lsb|dct: the picture opened as the host, read with that
// method, and compared with the watermark opened.
int extrae_con_metodo(const Opciones& o, const Ejecucion& e) {
    const Sesion& s = e.sesion();
    const int Wm = s.Picture2().ancho(), Hm = s.Picture2().alto();
    const Bits marca = bits_de_marca(s.vbles().MatrizMarca, Wm, Hm);
    const Bits leidos = o.metodo->lee(s.Picture1(), Wm, Hm, fuerza_de(o), clave_de(o));
    const std::string motivo =
        no_cabe(*o.metodo, s.Picture1().ancho(), s.Picture1().alto(), Wm, Hm);
    if (!motivo.empty()) {
        std::cerr << motivo << '\n';
        return kImagenRechazada;
    }
    std::vector<ArchivoNuevo> archivos;
    anade(archivos, o.salida, "extraida.png",
          png_de(imagen_de_lectura(lectura_de_bits(leidos, Wm, Hm), Wm, Hm)));
    anade(archivos, o.salida, "informe.json",
          bytes_de(informe_metodo_json(o.metodo->nombre(), fuerza_de(o), std::nullopt, std::nullopt,
                                       compara_bits(leidos, marca), {})));
    return escribe(archivos, o.salida) ? kBien : kSinEscribir;
}

// --extrae: the watermark read back from a picture alone.
int extrae(const Opciones& o) {
    Ejecucion e(&std::cerr);
    if (!e.carga(o.p)) {
        std::cerr << e.motivo() << '\n';
        return kImagenRechazada;
    }
    if (o.metodo != &metodo_bloques()) return extrae_con_metodo(o, e);
    const Ejecucion::Extraccion x = e.extrae(o.p, o.lado);
    const int Wm = e.sesion().Picture2().ancho(), Hm = e.sesion().Picture2().alto();
    std::vector<ArchivoNuevo> archivos;
    anade(archivos, o.salida, "extraida.png", png_de(imagen_de_lectura(x.leida, Wm, Hm)));
    anade(archivos, o.salida, "informe.json", bytes_de(informe_extraccion_json(e, x)));
    return escribe(archivos, o.salida) ? kBien : kSinEscribir;
}

// An attack must leave the picture something to read: a crop keeps at
// least one column and one row.
void comprueba_ataques(const std::vector<Ataque>& ataques, const SuperficieImagen& anfitrion) {
    for (const Ataque& a : ataques) {
        const double hasta =
            hasta_en_imagen(rango_de_ataque(a.tipo), anfitrion.ancho(), anfitrion.alto());
        if (a.valor <= hasta) continue;
        throw ErrorDeUso{"el ataque «" + a.texto + "» no cabe en una imagen de " +
                         std::to_string(anfitrion.ancho()) + " × " +
                         std::to_string(anfitrion.alto()) + ": el valor llega como mucho a " +
                         texto_exacto(hasta)};
    }
}

// marcada.png embedded with the method asked for, the attacks read back
// with it, and its report; false, writing nothing, when the watermark does
// not fit (the reason on standard error).
bool anade_metodo(std::vector<ArchivoNuevo>& archivos, const Ejecucion& e,
                  const EntradaBarrido& entrada, const Opciones& o, const CodecJpeg& jpeg) {
    const int Wm = entrada.marca.ancho(), Hm = entrada.marca.alto();
    const Bits bits = bits_de_marca(e.vbles().MatrizMarca, Wm, Hm);
    const double fuerza = fuerza_de(o), clave = entrada.clave;
    const Insercion ins = inserta_con(*o.metodo, entrada.anfitrion, bits, Wm, Hm, fuerza, clave);
    if (!ins.marcada) {
        std::cerr << ins.no_cabe << '\n';
        return false;
    }
    const Aciertos sin_ataque =
        compara_bits(o.metodo->lee(*ins.marcada, Wm, Hm, fuerza, clave), bits);
    std::vector<LecturaAtacada> ataques;
    for (const Ataque& a : o.p.ataques) {
        ataques.push_back(
            lee_atacada(*o.metodo, *ins.marcada, bits, Wm, Hm, fuerza, clave, a, &jpeg, true));
    }
    std::erase_if(archivos, [](const ArchivoNuevo& a) {
        const std::string nombre = fs::path(a.ruta).filename().string();
        return nombre == "marcada.png" || nombre == "informe.json";
    });
    anade(archivos, o.salida, "marcada.png", png_de(*ins.marcada));
    anade(archivos, o.salida, "informe.json",
          bytes_de(informe_metodo_json(o.metodo->nombre(), fuerza, ins.psnr, ins.ssim, sin_ataque,
                                       ataques)));
    return true;
}

// The three methods at one PSNR on the pictures as opened: the table, the
// JPEG chart, and each method's watermarked picture.
Comparacion anade_comparacion(std::vector<ArchivoNuevo>& archivos, const Ejecucion& e,
                              const EntradaBarrido& entrada, const Opciones& o,
                              const CodecJpeg& jpeg) {
    const int Wm = entrada.marca.ancho(), Hm = entrada.marca.alto();
    const Bits bits = bits_de_marca(e.vbles().MatrizMarca, Wm, Hm);
    const Comparacion c = compara_metodos(entrada.anfitrion, bits, Wm, Hm, e.vbles().Grado,
                                          entrada.clave, o.psnr_objetivo, &jpeg);
    for (const MetodoComparado& m : c.metodos) {
        if (!m.insercion.no_cabe.empty()) std::cerr << m.insercion.no_cabe << '\n';
        if (!m.insercion.marcada) continue;
        archivos.push_back(
            {(o.salida / ("marcada-" + m.metodo + ".png")).string(), png_de(*m.insercion.marcada)});
    }
    anade(archivos, o.salida, "comparacion.json", bytes_de(comparacion_json(c)));
    anade(archivos, o.salida, "comparacion.csv", bytes_de(comparacion_csv(c)));
    anade(archivos, o.salida, "comparacion.png", png_de_comparacion(c));
    return c;
}

// The classroom handout of this run, with the report attached.
void anade_hoja(std::vector<ArchivoNuevo>& archivos, const Ejecucion& e, const Opciones& o,
                const std::vector<ResultadoAtaque>& ataques,
                const std::vector<FilaBarrido>& barrido, const std::optional<Comparacion>& c) {
    FuenteLaboratorio fuente;
    auto hoja = hoja_de_la_sesion(e.sesion(), &fuente);
    if (!hoja) return;
    hoja->ataques = ataques;
    for (const ArchivoNuevo& a : archivos) {
        if (a.ruta == (o.salida / "informe.json").string()) hoja->informe = a.bytes;
    }
    hoja->orden = orden_de_la_hoja(e.sesion(), o.barrido, o.compara,
                                   QString::fromStdString(o.hoja->string()));
    dibuja_graficos(*hoja, fuente, barrido, c);
    archivos.push_back({o.hoja->string(), hoja_pdf(*hoja)});
}

int ejecuta(const Opciones& o) {
    const CodecJpegQt jpeg;
    Ejecucion e(&std::cerr);
    if (!e.carga(o.p)) {
        std::cerr << e.motivo() << '\n';
        return kImagenRechazada;
    }
    comprueba_ataques(o.p.ataques, e.sesion().Picture1());
    const size_t mensajes_antes = e.puerto().mensajes.size();
    if (!e.demuestra(o.p)) throw ParametroRechazado{o.p.grado + " / " + o.p.clave};
    // A handout lists its own attacks; the sweep keeps its.
    const auto ataques = e.ataca(o.hoja ? ataques_de_la_hoja() : o.p.ataques, jpeg);

    std::vector<ArchivoNuevo> archivos = resultados(e, ataques, o.salida);
    if (o.metodo != &metodo_bloques()) {
        const auto entrada = e.sesion().entrada_del_barrido();
        if (!entrada || !anade_metodo(archivos, e, *entrada, o, jpeg)) return kImagenRechazada;
    }
    const auto entrada = e.sesion().entrada_del_barrido();
    std::vector<FilaBarrido> filas;
    if (!o.grados.empty() && entrada) {
        filas = barrido_de_grados(entrada->anfitrion, entrada->marca, o.grados, entrada->clave,
                                  o.p.ataques, &jpeg);
        anade(archivos, o.salida, "barrido.csv", bytes_de(barrido_csv(filas)));
        anade(archivos, o.salida, "barrido.png", png_de_grafico(filas));
    }
    std::optional<Comparacion> comparacion;
    if (o.compara && entrada) comparacion = anade_comparacion(archivos, e, *entrada, o, jpeg);
    if (o.hoja) anade_hoja(archivos, e, o, ataques, filas, comparacion);
    if (!escribe(archivos, o.salida)) return kSinEscribir;
    return e.vbles().Paso < 4 ? detenida(e, mensajes_antes) : kBien;
}

}  // namespace

int main(int argc, char** argv) {
    Opciones o;
    try {
        o = lee_opciones(argc, argv);
    } catch (const ErrorDeUso& e) {
        std::cerr << "zek-demo: " << e.texto << "\n\n" << kUso;
        return kUsoIncorrecto;
    }
    if (o.ayuda) {
        std::cout << kUso;
        return kBien;
    }
    if (o.version) {
        std::cout << "zek-demo " << kVersion << '\n';
        return kBien;
    }
    // No window is shown: the chart and the image codecs only need Qt. Qt's
    // own notices would mix with the message lines on standard error.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication aplicacion(argc, argv);
    try {
        return o.extrae ? extrae(o) : ejecuta(o);
    } catch (const ErrorDeUso& e) {
        std::cerr << "zek-demo: " << e.texto << '\n';
        return kUsoIncorrecto;
    } catch (const ParametroRechazado& e) {
        std::cerr << "zek-demo: el grado o la clave no se han aceptado: «" << e.texto << "»\n";
        return kUsoIncorrecto;
    }
}
