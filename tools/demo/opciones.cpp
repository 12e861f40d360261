// SPDX-License-Identifier: MIT
#include "tools/demo/opciones.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "base/numeros.h"
#include "engine/espectro.h"
#include "workflow/barrido.h"

namespace zek {

namespace {

// A number as the help writes it: "0,1".
std::string coma(double v) {
    std::string t = texto_exacto(v);
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}
std::string desde(const Metodo& m) {
    return coma(m.fuerza().desde);
}
std::string rango(const Metodo& m) {
    return desde(m) + " a " + coma(m.fuerza().hasta);
}

}  // namespace

// The help, with each method's names, ranges and defaults from the methods
// themselves.
std::string uso() {
    // Appended piece by piece: GCC 12 takes "literal" + std::string&& for an
    // overlapping copy when it optimises.
    std::string lectores, todos;
    for (const Metodo* m : metodos()) {
        if (!m->lee_la_marca() || m->de_la_demostracion()) continue;
        if (!lectores.empty()) lectores += '|';
        lectores += m->nombre();
    }
    const auto& lista = metodos();
    for (size_t i = 0; i < lista.size(); ++i) {
        if (i > 0) todos += i + 1 == lista.size() ? " y " : ", ";
        todos += lista[i]->nombre();
    }
    return std::string(
        "Uso: zek-demo IMAGEN MARCA --grado G --clave K [--salida CARPETA]\n"
        "                [--ataque A]... [--grados G1,G2,... | --barrido]\n"
        "                [--compara [--psnr-objetivo D]] [--hoja FICHERO.pdf]\n"
        "     zek-demo IMAGEN MARCA --metodo " +
        lectores +
        " [--fuerza X] --clave K\n"
        "                [--ataque A]... [--salida CARPETA]\n"
        "     zek-demo IMAGEN MARCA --metodo espectro [--fuerza A] [--longitud N]\n"
        "                --clave K [--ataque A]... [--umbral T] [--salida CARPETA]\n"
        "     zek-demo --detecta SOSPECHOSA ORIGINAL --clave K [--fuerza A]\n"
        "                [--longitud N] [--umbral T] [--salida CARPETA]\n"
        "     zek-demo --extrae IMAGEN MARCA --grado G --clave K [--lado L]\n"
        "                [--sincroniza ANCHOxALTO]\n"
        "     zek-demo --extrae IMAGEN MARCA --metodo " +
        lectores +
        " [--fuerza X] --clave K\n"
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
        "                (fuerza: el plano de bits, " +
        rango(metodo_lsb()) + ") o dct (fuerza: alfa, " + desde(metodo_dct()) +
        " a\n"
        "                " +
        coma(metodo_dct().fuerza().hasta) +
        "); con --extrae, lee con él.\n"
        "                Con espectro (espectro ensanchado, Cox y otros, 1997) no\n"
        "                inserta una imagen sino la clave: una secuencia gaussiana en\n"
        "                los N mayores coeficientes de la DCT de toda la imagen, que el\n"
        "                detector busca con la imagen original; informe.json da su\n"
        "                similitud (sim) sin ataque y con cada ataque.\n"
        "  --fuerza X    la fuerza de lsb, dct o espectro (" +
        coma(metodo_lsb().fuerza().inicial) + ", " + coma(metodo_dct().fuerza().inicial) + " y " +
        coma(metodo_espectro().fuerza().inicial) +
        " si no se da).\n"
        "  --longitud N  con espectro, los coeficientes marcados (" +
        std::to_string(kLongitudEspectro) +
        " si no se da).\n"
        "  --umbral T    con espectro, el umbral del detector (" +
        coma(kUmbralEspectro) +
        " si no se da): la marca\n"
        "                está si sim > T, y una imagen sin ella lo supera con\n"
        "                probabilidad erfc(T/raíz de 2)/2.\n"
        "  --detecta     dice si SOSPECHOSA lleva la marca de espectro de la clave K,\n"
        "                comparándola con ORIGINAL (el detector no es ciego), y escribe\n"
        "                deteccion.json con sim, el umbral, la probabilidad de falsa\n"
        "                alarma, la decisión, y la media y la desviación de sim con\n"
        "                " +
        std::to_string(kClavesFalsas) +
        " claves equivocadas. Sale con 0 esté o no esté.\n"
        "  --compara     compara los cuatro métodos (" +
        todos +
        ") al\n"
        "                mismo PSNR: el de --psnr-objetivo D, o el de los pares de\n"
        "                bloques con el grado dado, o 40 dB si la marca no cabe en pares\n"
        "                de bloques; escribe comparacion.json, comparacion.csv,\n"
        "                comparacion.png (la tasa de error según la calidad JPEG),\n"
        "                comparacion-espectro.png (sim según la calidad JPEG, con el\n"
        "                umbral " +
        coma(kUmbralEspectro) +
        ") y marcada-METODO.png.\n"
        "  --hoja F      escribe además la hoja de clase en el PDF F: las imágenes de\n"
        "                los pasos, las cifras, los ataques (los de --ataque, o los\n"
        "                siete de --compara), el histograma, el barrido y la\n"
        "                comparación si se piden, y preguntas; lleva informe.json\n"
        "                adjunto. No admite --metodo.\n"
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
        "  --sincroniza ANCHOxALTO\n"
        "                con --extrae (bloques o dct), IMAGEN es un recorte de una\n"
        "                imagen marcada de ANCHO × ALTO: busca dónde estaba su rejilla,\n"
        "                lee con ella y escribe además sincronizacion-ciega.png y\n"
        "                sincronizacion.png (los dos mapas de la búsqueda). Con\n"
        "                --detecta no hace falta: una imagen sospechosa menor que la\n"
        "                original se coloca sobre ella antes de detectar.\n"
        "  --version     muestra la versión.\n"
        "  --ayuda       muestra este texto.\n"
        "\n"
        "Sale con 0 si se aceptaron las dos imágenes y se dieron los cuatro pasos (con\n"
        "--metodo " +
        lectores +
        " o --compara, si ese método o la comparación se hicieron,\n"
        "aunque los pasos de la demostración se detuvieran: se dice en qué paso), 2 si\n"
        "una imagen se rechazó o no se pudo leer, 1 si las opciones no son correctas,\n"
        "3 si no se pudieron escribir los resultados (no queda ninguno a medias: los\n"
        "que había siguen como estaban) y 4 si la demostración se detuvo antes del\n"
        "último paso (se dice qué mensaje la detuvo; los resultados de los pasos dados\n"
        "sí se escriben).\n");
}

namespace {

struct Opcion {
    const char* nombre;
    bool con_valor;
};
constexpr Opcion kOpciones[] = {
    {"ayuda", false},     {"h", false},       {"help", false},    {"version", false},
    {"extrae", false},    {"barrido", false}, {"compara", false}, {"grado", true},
    {"clave", true},      {"lado", true},     {"salida", true},   {"ataque", true},
    {"grados", true},     {"metodo", true},   {"fuerza", true},   {"hoja", true},
    {"longitud", true},   {"umbral", true},   {"detecta", false}, {"psnr-objetivo", true},
    {"sincroniza", true},
};

// Arguments go through Qt as Latin-1, which maps every byte to one
// character and back: a file name that is not UTF-8 keeps its bytes.
QString qt_de(const std::string& a) {
    return QString::fromLatin1(a.data(), static_cast<qsizetype>(a.size()));
}
std::string de_qt(const QString& a) {
    return a.toLatin1().toStdString();
}

// "--grado=16" and "-grado" name the option "grado".
QString nombre_de(const QString& argumento) {
    QString n = argumento.section(QLatin1Char('='), 0, 0);
    while (n.startsWith(QLatin1Char('-'))) n.remove(0, 1);
    return n;
}

const Opcion* opcion(const QString& nombre) {
    for (const Opcion& o : kOpciones) {
        if (nombre == QLatin1String(o.nombre)) return &o;
    }
    return nullptr;
}

// Qt's parser, with our own Spanish texts for what it refuses.
void analiza(QCommandLineParser& p, const QStringList& argumentos) {
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Opcion& o : kOpciones) {
        const QString nombre = QLatin1String(o.nombre);
        p.addOption(o.con_valor ? QCommandLineOption(nombre, {}, QStringLiteral("valor"))
                                : QCommandLineOption(nombre));
    }
    if (p.parse(argumentos)) return;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (!a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) continue;
        const QString nombre = a.section(QLatin1Char('='), 0, 0);
        const Opcion* o = opcion(nombre_de(a));
        if (!o) throw ErrorDeUso{"opción desconocida: " + de_qt(nombre)};
        const bool con_igual = a.contains(QLatin1Char('='));
        if (!o->con_valor && con_igual) throw ErrorDeUso{de_qt(nombre) + " no admite un valor"};
        if (o->con_valor && !con_igual) ++i;  // its value, whatever it looks like
    }
    // Qt takes the argument after an option as its value, whatever it is:
    // only the last one can lack it.
    throw ErrorDeUso{de_qt(argumentos.last()) + " necesita un valor"};
}

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

// The values as given; an option given twice keeps its last value.
struct Leidas {
    const QCommandLineParser& p;
    bool hay(const char* n) const { return p.isSet(QLatin1String(n)); }
    std::string valor(const char* n) const { return de_qt(p.value(QLatin1String(n))); }
    std::vector<std::string> valores(const char* n) const {
        std::vector<std::string> v;
        for (const QString& s : p.values(QLatin1String(n))) v.push_back(de_qt(s));
        return v;
    }
};

void lee_valores(const Leidas& l, Opciones& o) {
    for (const auto& [nombre, destino] :
         {std::pair{"grado", &o.p.grado}, std::pair{"clave", &o.p.clave}}) {
        if (!l.hay(nombre)) continue;
        *destino = l.valor(nombre);
        if (!lee_numero_con_separador(*destino, '.'))
            throw ErrorDeUso{std::string("--") + nombre + " no es un número: «" + *destino + "»"};
    }
    if (l.hay("lado")) {
        const std::string v = l.valor("lado");
        const auto lado = lee_numero_con_separador(v, '.');
        if (!lado || *lado < 1 || *lado > kLimiteAnfitrion.alto || *lado != std::floor(*lado))
            throw ErrorDeUso{"--lado no es un lado de bloque válido: «" + v + "»"};
        o.lado = static_cast<int32_t>(*lado);
    }
    if (l.hay("sincroniza")) o.sincroniza = l.valor("sincroniza");
    if (l.hay("salida")) o.salida = l.valor("salida");
    for (const std::string& v : l.valores("ataque")) {
        const auto ataque = lee_ataque(v);
        if (!ataque) throw ErrorDeUso{"ataque no válido: «" + v + "»"};
        o.p.ataques.push_back(*ataque);
    }
    if (l.hay("grados")) o.grados = lista_de_grados(l.valor("grados"));
    if (l.hay("metodo")) {
        const std::string v = l.valor("metodo");
        o.metodo = metodo(v);
        if (!o.metodo)
            throw ErrorDeUso{"método desconocido: «" + v + "» (" + nombres_de_metodos() + ")"};
    }
    if (l.hay("fuerza")) {
        const std::string v = l.valor("fuerza");
        o.fuerza = lee_numero_con_separador(v, '.');
        if (!o.fuerza) throw ErrorDeUso{"--fuerza no es un número: «" + v + "»"};
    }
    if (l.hay("hoja")) o.hoja = std::filesystem::path(l.valor("hoja"));
    if (l.hay("longitud")) {
        const std::string v = l.valor("longitud");
        const auto n = lee_numero_con_separador(v, '.');
        if (!n || *n < 1 || *n > 1e6 || *n != std::floor(*n))
            throw ErrorDeUso{"--longitud no es un número de coeficientes válido: «" + v + "»"};
        o.longitud = static_cast<int>(*n);
    }
    if (l.hay("umbral")) {
        const std::string v = l.valor("umbral");
        const auto t = lee_numero_con_separador(v, '.');
        if (!t) throw ErrorDeUso{"--umbral no es un número: «" + v + "»"};
        o.umbral = *t;
    }
    if (l.hay("psnr-objetivo")) {
        const std::string v = l.valor("psnr-objetivo");
        o.psnr_objetivo = lee_numero_con_separador(v, '.');
        if (!o.psnr_objetivo || !(*o.psnr_objetivo > 0))
            throw ErrorDeUso{"--psnr-objetivo no es un PSNR válido: «" + v + "»"};
    }
}

void comprueba_fuerza(const Opciones& o, bool bloques) {
    if (!o.fuerza) return;
    const Fuerza& r = o.metodo->fuerza();
    if (bloques) throw ErrorDeUso{"con el método de bloques la fuerza es --grado"};
    if (*o.fuerza < r.desde || *o.fuerza > r.hasta ||
        (r.entera && *o.fuerza != std::floor(*o.fuerza))) {
        throw ErrorDeUso{"--fuerza fuera del rango del método: «" + texto_exacto(*o.fuerza) +
                         "» (de " + texto_exacto(r.desde) + " a " + texto_exacto(r.hasta) + ")"};
    }
}

// The combinations that make no sense together.
void comprueba_combinaciones(Opciones& o, bool hay_grado, bool hay_clave) {
    // The detector is the method that decides rather than reads.
    if (o.detecta) o.metodo = &metodo_espectro();
    const bool bloques = o.metodo->de_la_demostracion();
    const bool decide = !o.metodo->lee_la_marca();
    if (!hay_clave || (bloques && !hay_grado)) throw ErrorDeUso{"faltan --grado o --clave"};
    if (!hay_grado) o.p.grado = "0";  // only the block pairs read it
    comprueba_fuerza(o, bloques);
    if (!bloques && (o.compara || !o.grados.empty()))
        throw ErrorDeUso{"--metodo no admite --compara, --grados ni --barrido"};
    if (o.extrae && (!o.p.ataques.empty() || !o.grados.empty()))
        throw ErrorDeUso{"--extrae no admite --ataque ni --grados"};
    if (!o.extrae && o.lado != 0) throw ErrorDeUso{"--lado solo vale con --extrae"};
    if (!o.extrae && o.sincroniza) throw ErrorDeUso{"--sincroniza solo vale con --extrae"};
    if (o.extrae && o.compara) throw ErrorDeUso{"--extrae no admite --compara"};
    if (o.psnr_objetivo && !o.compara) throw ErrorDeUso{"--psnr-objetivo solo vale con --compara"};
    if (o.hoja && (o.extrae || !bloques))
        throw ErrorDeUso{"--hoja no admite --extrae ni --metodo: la hoja es de la demostración"};
    if (decide && (o.compara || !o.grados.empty() || o.hoja || o.extrae || o.barrido))
        throw ErrorDeUso{
            "--metodo espectro no admite --compara, --grados, --barrido, --hoja ni --extrae"};
    if (!decide && (o.longitud != kLongitudEspectro || o.umbral != kUmbralEspectro))
        throw ErrorDeUso{"--longitud y --umbral solo valen con --metodo espectro o --detecta"};
    if (o.detecta && !o.p.ataques.empty()) throw ErrorDeUso{"--detecta no admite --ataque"};
    if (o.hoja) o.ataques_de_la_hoja = o.p.ataques;
    if (o.barrido) {
        // With --hoja the attacks given are the handout's; the sweep keeps its own.
        if (o.extrae || !o.grados.empty() || (!o.p.ataques.empty() && !o.hoja))
            throw ErrorDeUso{
                "--barrido no admite --extrae, --grados ni --ataque (salvo con --hoja)"};
        o.grados = grados_del_barrido();
        o.p.ataques = ataques_del_barrido();
    }
}

}  // namespace

std::optional<std::pair<int, int>> lee_tamano(const std::string& texto) {
    size_t i = 0;
    const auto numero = [&]() -> std::optional<int> {
        const size_t desde = i;
        int64_t n = 0;
        while (i < texto.size() && texto[i] >= '0' && texto[i] <= '9' && i - desde < 9)
            n = n * 10 + (texto[i++] - '0');
        if (i == desde || n < 1) return std::nullopt;
        return static_cast<int>(n);
    };
    const auto ancho = numero();
    if (!ancho) return std::nullopt;
    if (texto.compare(i, 2, "×") == 0) {
        i += 2;
    } else if (i < texto.size() && (texto[i] == 'x' || texto[i] == 'X')) {
        ++i;
    } else {
        return std::nullopt;
    }
    const auto alto = numero();
    if (!alto || i != texto.size()) return std::nullopt;
    return std::pair{*ancho, *alto};
}

Opciones lee_opciones(int argc, char** argv) {
    QStringList argumentos{QStringLiteral("zek-demo")};
    for (int i = 1; i < argc; ++i) argumentos << qt_de(argv[i]);
    QCommandLineParser p;
    analiza(p, argumentos);
    const Leidas l{p};
    Opciones o;
    o.ayuda = l.hay("ayuda") || l.hay("h") || l.hay("help");
    o.version = l.hay("version");
    o.extrae = l.hay("extrae");
    o.barrido = l.hay("barrido");
    o.compara = l.hay("compara");
    o.detecta = l.hay("detecta");
    lee_valores(l, o);
    if (o.ayuda || o.version) return o;
    const QStringList posicionales = p.positionalArguments();
    if (posicionales.size() != 2) throw ErrorDeUso{"hacen falta dos imágenes: IMAGEN y MARCA"};
    comprueba_combinaciones(o, l.hay("grado"), l.hay("clave"));
    o.p.anfitrion = de_qt(posicionales[0]);
    o.p.marca = de_qt(posicionales[1]);
    return o;
}

}  // namespace zek
