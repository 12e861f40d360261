// SPDX-License-Identifier: MIT
#include "workflow/hoja.h"

#include <filesystem>

#include "base/numeros.h"
#include "base/version.h"
#include "images/calidad.h"
#include "workflow/graficas.h"

namespace zek {
namespace {

constexpr double kAltoGraficoMm = 85;

// Numbers as a Spanish reader writes them, whatever the machine's locale.
std::string numero(double v, int decimales) {
    return con_decimales(v, decimales, ',');
}
std::string numero(const std::optional<double>& v, int decimales, const std::string& unidad = {}) {
    return v ? numero(*v, decimales) + unidad : "—";
}
// A reading's BER and NC; a dash where nothing was read.
std::string ber(const Aciertos* a) {
    return a && a->total ? numero(a->ber(), 4) : "—";
}
std::string nc(const Aciertos* a) {
    return a && a->total ? numero(a->nc(), 4) : "—";
}

// The document, block by block.
class Redactor {
  public:
    explicit Redactor(Documento& d) : d_(d) {}
    void texto(TipoBloque tipo, std::string t) { nuevo(tipo).texto = std::move(t); }
    void espacio(double mm) { nuevo(TipoBloque::Espacio).mm = mm; }
    void figuras(std::vector<FiguraDelDocumento> f, double mm) {
        Bloque& b = nuevo(TipoBloque::Figuras);
        b.mm = mm;
        b.figuras = std::move(f);
    }
    void grafico(std::optional<Grafico> g) {
        Bloque& b = nuevo(TipoBloque::Grafico);
        b.mm = kAltoGraficoMm;
        b.grafico = std::move(g);
    }
    void tabla(std::vector<std::vector<std::string>> filas, std::vector<double> anchos,
               std::vector<SuperficieMemoria> miniaturas) {
        Bloque& b = nuevo(TipoBloque::Tabla);
        b.filas = std::move(filas);
        b.anchos = std::move(anchos);
        b.miniaturas = std::move(miniaturas);
    }

  private:
    Bloque& nuevo(TipoBloque tipo) {
        d_.bloques.emplace_back();
        d_.bloques.back().tipo = tipo;
        return d_.bloques.back();
    }

    Documento& d_;
};

void leccion(Redactor& r, const LeccionDeLaHoja& h) {
    r.texto(TipoBloque::Titulo, "ZEK — Hoja de clase: una marca de agua en la luminancia");
    r.texto(TipoBloque::Parrafo, fecha_larga(h.fecha) + " · ZEK " + kVersion);
    r.texto(TipoBloque::Seccion, "1. La lección");
    for (const auto& [que, a] :
         {std::pair{"Imagen principal", &h.anfitrion}, std::pair{"Marca de agua", &h.marca}}) {
        r.texto(TipoBloque::Parrafo, std::string(que) + ": «" + a->nombre + "», " +
                                         std::to_string(a->ancho) + " × " +
                                         std::to_string(a->alto) + " píxeles");
        r.texto(TipoBloque::Detalle,
                "SHA-256: " + (a->sha256.empty() ? "no se ha podido leer el archivo" : a->sha256));
    }
    r.texto(TipoBloque::Parrafo, "Grado " + numero(h.grado, 0) + " · Clave " + numero(h.clave, 0) +
                                     " · LongBloque " + std::to_string(h.lado) + " · NumBloques " +
                                     numero(h.bloques, 0));
    r.espacio(3);
    r.figuras({{h.pasos[0], "Imagen principal con la rejilla"},
               {h.pasos[1], "Marca de agua"},
               {h.pasos[2], "Imagen marcada con la rejilla"},
               {h.pasos[3], "Marca extraída"}},
              45);
    r.espacio(3);
    r.figuras({{h.marcada, "Imagen marcada"},
               {h.diferencia, "Diferencia |marcada − principal| × " + numero(h.ganancia, 1)},
               {h.leida, "Lectura a ciegas"}},
              60);
    r.espacio(3);
    r.texto(TipoBloque::Apartado, "PSNR " + numero(h.psnr, 2, " dB") + " · SSIM " +
                                      numero(h.ssim, 4) + " · BER " +
                                      ber(h.aciertos ? &*h.aciertos : nullptr) + " · NC " +
                                      nc(h.aciertos ? &*h.aciertos : nullptr));
    if (h.aciertos) {
        r.texto(TipoBloque::Parrafo,
                "La lectura a ciegas acierta " + std::to_string(h.aciertos->correctos) + " de " +
                    std::to_string(h.aciertos->total) + " píxeles de la marca.");
    }
}

void comparacion(Redactor& r, const Comparacion& c) {
    r.texto(TipoBloque::Parrafo, "Al mismo PSNR, " + numero(c.psnr_objetivo, 2) + " dB (" +
                                     origen_del_objetivo(c.origen) + "):");
    for (const MetodoComparado& mc : c.metodos) {
        r.texto(TipoBloque::Destacado, std::string(mc.metodo->nombre()) + ": fuerza " +
                                           texto_de_fuerza(*mc.metodo, mc.fuerza, ',') + ", PSNR " +
                                           numero(mc.insercion.psnr, 2, " dB") + ", SSIM " +
                                           numero(mc.insercion.ssim, 4));
        std::string lista;
        for (const LecturaAtacada& l : mc.ataques) {
            std::string una;
            if (mc.metodo->lee_la_marca())
                una = l.ataque + " " + numero(l.aciertos.ber(), 3);
            else if (l.sim)
                una = l.ataque + " sim " + numero(*l.sim, 2) + " " + presencia(*l.sim, c.umbral);
            if (una.empty()) continue;
            lista += (lista.empty() ? "" : " · ") + una;
        }
        r.texto(TipoBloque::Detalle, mc.insercion.no_cabe.empty() ? lista : mc.insercion.no_cabe);
    }
    r.grafico(describe_comparacion(c, ','));
    if (auto sim = describe_sim_jpeg(c, ',')) r.grafico(std::move(sim));
}

void lo_que_sobrevive(Redactor& r, const LeccionDeLaHoja& h) {
    r.texto(TipoBloque::Seccion, "2. Lo que sobrevive");
    r.texto(TipoBloque::Parrafo,
            "Cada ataque sobre la imagen marcada y lo que la lectura a ciegas recupera de él "
            "(PSNR frente a la imagen marcada).");
    std::vector<std::vector<std::string>> filas{
        {"Ataque", "Parámetro", "PSNR", "BER", "NC", "Lectura"}};
    std::vector<SuperficieMemoria> miniaturas;
    for (const ResultadoAtaque& a : h.ataques) {
        const size_t dos_puntos = a.ataque.find(':');
        const Aciertos* ac = a.leido ? &a.aciertos : nullptr;
        filas.push_back({a.ataque.substr(0, dos_puntos),
                         dos_puntos == std::string::npos ? "" : a.ataque.substr(dos_puntos + 1),
                         numero(a.psnr, 2, " dB"), ber(ac), nc(ac)});
        miniaturas.push_back(a.leida);
    }
    r.tabla(std::move(filas), {0.2, 0.14, 0.18, 0.14, 0.14}, std::move(miniaturas));
    r.espacio(3);
    r.texto(TipoBloque::Apartado, "Histograma de residuos");
    if (h.antes || h.despues)
        r.grafico(describe_histograma({{"Antes", h.antes}, {"Después", h.despues}}, false, ','));
    else
        r.texto(TipoBloque::Parrafo,
                "Sin histograma: la marca no se ha insertado en pares de bloques.");
    r.texto(TipoBloque::Apartado, "Barrido de grados");
    if (!h.barrido.empty())
        r.grafico(describe_barrido(h.barrido, "grado", ','));
    else
        r.texto(TipoBloque::Parrafo,
                "El barrido no se ha calculado: pulsa «Calcular» en el laboratorio, o añade "
                "--barrido a zek-demo.");
    r.texto(TipoBloque::Apartado, "Comparación de métodos");
    if (h.comparacion)
        comparacion(r, *h.comparacion);
    else
        r.texto(TipoBloque::Parrafo,
                "La comparación no se ha calculado: pulsa «Comparar métodos…» en el laboratorio, "
                "o añade --compara a zek-demo.");
}

void esta_la_marca(Redactor& r, const DeteccionDeLaHoja& d) {
    const RespuestaDetector& x = d.respuesta;
    r.texto(TipoBloque::Apartado, "¿Está la marca? Espectro ensanchado");
    r.texto(TipoBloque::Parrafo, "La imagen principal con la clave, atacada con " + d.ataque +
                                     ": " + texto_de_decision(d.clave, x.sim, d.umbral, ',') +
                                     " Con " + std::to_string(x.falsas.size()) +
                                     " claves equivocadas: media " + numero(x.media, 2) +
                                     ", desviación " + numero(x.desviacion, 2) + ".");
    r.grafico(describe_respuesta(x, d.clave, d.umbral, ','));
}

void para_pensar(Redactor& r, const LeccionDeLaHoja& h, bool detectada, bool con_sim) {
    r.texto(TipoBloque::Seccion, "3. Para pensar");
    const char* parrafos[] = {
        "El histograma de residuos. Cada par de bloques lleva un píxel de la marca: la diferencia "
        "de sus luminancias medias, tomada módulo el grado, cae en Clave (píxel oscuro) o en "
        "Clave + Grado/2 (píxel claro). Antes de insertar, los residuos se reparten por todo el "
        "intervalo; después, se juntan en esos dos valores. La lectura a ciegas solo mira en qué "
        "mitad cae cada residuo, así que un ataque borra la marca cuando mueve los residuos más de "
        "un cuarto del grado.",
        "El barrido de grados. Un grado mayor separa más los dos valores y la marca resiste más, "
        "pero cambia más la imagen: el PSNR baja. El gráfico muestra ese compromiso, ataque por "
        "ataque: la tasa de error baja al subir el grado mientras el PSNR cae.",
        "La comparación de métodos. Al mismo PSNR, el bit menos significativo (LSB) es invisible "
        "pero se pierde con la primera compresión; los coeficientes DCT resisten el JPEG hasta la "
        "calidad que predice su tabla de cuantificación, salvo donde la imagen se satura en blanco "
        "o en colores puros; los pares de bloques no dependen del brillo, porque un cambio de "
        "brillo mueve igual los dos bloques del par. El espectro ensanchado no lleva la imagen de "
        "la marca, solo la clave: su detector, con la imagen original, dice si está y con qué "
        "probabilidad de equivocarse.",
        "El recorte. Quitar tres columnas no borra la marca: cada par sigue en la imagen, pero el "
        "lector ya no sabe dónde empieza la rejilla, suma bloques que mezclan dos pares y lee al "
        "azar. Buscar la rejilla es probar cada desplazamiento posible del recorte: en el "
        "correcto, los residuos vuelven a sus dos valores (S, lo que ve un lector ciego) y la "
        "lectura coincide con la marca (A, el acuerdo). La búsqueda no deshace un giro ni un "
        "cambio de escala, que deforman la rejilla en vez de moverla, ni un recorte que deja "
        "menos pares de los que hacen falta para reconocer la marca.",
    };
    for (const char* t : parrafos) {
        r.texto(TipoBloque::Parrafo, t);
        r.espacio(2);
    }
    r.texto(TipoBloque::Apartado, "Preguntas");
    const char* preguntas[] = {
        "1. ¿Por qué un cambio de brillo apenas daña la marca de los pares de bloques, y en cambio "
        "invierte la del método LSB?",
        "2. Mirando el gráfico de la comparación, ¿qué tasa de error esperas para cada método con "
        "un JPEG de calidad 60? ¿Y con calidad 30?",
        "3. En el histograma después de insertar, ¿qué ocurriría con la lectura si un ataque "
        "desplazara todos los residuos un cuarto del grado?",
        "4. ¿Qué grado elegirías para que la marca sobreviva a un JPEG de calidad 50 sin que la "
        "diferencia se note? Justifícalo con el barrido.",
        "5. ¿Dónde se concentra la diferencia entre la imagen marcada y la principal? ¿Por qué "
        "ahí?",
        "6. Tras un recorte de tres columnas, ¿por qué la lectura sin buscar falla en cerca de la "
        "mitad de los píxeles? ¿Por qué S no distingue dos desplazamientos que se diferencian en "
        "un par entero, y A sí?",
    };
    for (const char* t : preguntas) r.texto(TipoBloque::Pregunta, t);
    int n = 7;
    if (detectada) {
        r.texto(TipoBloque::Pregunta,
                std::to_string(n++) +
                    ". El detector del espectro ensanchado necesita la imagen original: ¿por qué? "
                    "¿Qué quiere decir que una imagen sin la marca supere el umbral 6 con una "
                    "probabilidad de 10⁻⁹?");
    }
    if (con_sim) {
        r.texto(TipoBloque::Pregunta,
                std::to_string(n) +
                    ". Un contraste de 1,5 multiplica por 1,5 todos los coeficientes de la imagen "
                    "marcada, y la marca sigue en ellos: ¿por qué el detector del espectro "
                    "ensanchado puede dejar de encontrarla? Mira la fórmula de x*.");
    }
    r.espacio(3);
    r.texto(TipoBloque::Destacado, "Para rehacer esta hoja:");
    r.texto(TipoBloque::Orden, h.orden);
}

}  // namespace

std::vector<Ataque> ataques_de_la_hoja() {
    return ataques_de_la_comparacion();
}

std::string fecha_larga(std::chrono::year_month_day fecha) {
    static const char* const kDias[] = {"domingo", "lunes",   "martes", "miércoles",
                                        "jueves",  "viernes", "sábado"};
    static const char* const kMeses[] = {"enero",      "febrero", "marzo",     "abril",
                                         "mayo",       "junio",   "julio",     "agosto",
                                         "septiembre", "octubre", "noviembre", "diciembre"};
    if (!fecha.ok()) return {};
    const unsigned dia = std::chrono::weekday(std::chrono::sys_days(fecha)).c_encoding();
    return std::string(kDias[dia]) + ", " + std::to_string(static_cast<unsigned>(fecha.day())) +
           " de " + kMeses[static_cast<unsigned>(fecha.month()) - 1] + " de " +
           std::to_string(static_cast<int>(fecha.year()));
}

std::optional<LeccionDeLaHoja> leccion_de_la_sesion(const Sesion& s, FuenteLaboratorio* fuente) {
    const std::optional<FuenteLaboratorio> f = s.fuente_marcada();
    if (!f) return std::nullopt;
    const Vbles& v = s.vbles();
    const Informe& inf = s.demostracion().informe();
    LeccionDeLaHoja h;
    h.fecha = std::chrono::year_month_day(
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
    const auto archivo = [](const std::string& ruta, const SuperficieImagen& imagen) {
        return ArchivoDeLaHoja{
            std::filesystem::path(ruta).filename().string(), imagen.ancho(), imagen.alto(), {}};
    };
    h.anfitrion = archivo(s.ruta_anfitrion(), f->imagen);
    h.marca = archivo(s.ruta_marca(), s.Picture2());
    h.grado = v.Grado;
    h.clave = v.Clave;
    h.lado = v.LongBloque;
    h.bloques = v.NumBloques;
    const SuperficieMemoria* pasos[] = {&s.Picture1(), &s.Picture2(), &s.Picture3(), &s.Picture4()};
    for (int i = 0; i < 4; ++i) h.pasos[i] = *pasos[i];
    h.marcada = f->imagen;
    h.diferencia = f->diferencia.imagen;
    h.ganancia = f->diferencia.ganancia;
    if (auto leida = s.marca_extraida()) h.leida = std::move(*leida);
    h.psnr = inf.psnr;
    h.ssim = ssim_entre(f->Y, f->Y_original, f->imagen.ancho(), f->imagen.alto());
    h.aciertos = inf.extraccion;
    h.antes = f->antes;
    h.despues = f->despues;
    if (fuente) *fuente = *f;
    return h;
}

std::string orden_de_la_hoja(const Sesion& s, bool con_barrido, bool con_comparacion,
                             const std::string& pdf, const std::vector<std::string>& ataques,
                             bool solo_nombres) {
    const auto archivo = [&](const std::string& ruta) {
        return solo_nombres ? std::filesystem::path(ruta).filename().string() : ruta;
    };
    // Quoted for a POSIX shell: a quote inside closes, is escaped and reopens.
    const auto entre_comillas = [](const std::string& t) {
        std::string q = "'";
        for (const char c : t) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    };
    std::string orden = "zek-demo " + entre_comillas(archivo(s.ruta_anfitrion())) + " " +
                        entre_comillas(archivo(s.ruta_marca())) + " --grado " +
                        texto_exacto(s.vbles().Grado) + " --clave " + texto_exacto(s.vbles().Clave);
    for (const std::string& a : ataques) orden += " --ataque " + a;
    if (con_barrido) orden += " --barrido";
    if (con_comparacion) orden += " --compara";
    return orden + " --hoja " + entre_comillas(pdf);
}

Documento documento_de_la_hoja(const LeccionDeLaHoja& h) {
    Documento d{"ZEK — Hoja de clase", {}};
    Redactor r(d);
    leccion(r, h);
    lo_que_sobrevive(r, h);
    const bool detectada = h.deteccion && !h.deteccion->respuesta.falsas.empty();
    if (detectada) esta_la_marca(r, *h.deteccion);
    const bool con_sim = h.comparacion && describe_sim_jpeg(*h.comparacion, ',');
    para_pensar(r, h, detectada, con_sim);
    return d;
}

}  // namespace zek
