// SPDX-License-Identifier: MIT
#include "graficos/hoja_de_clase.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "base/version.h"
#include "graficos/graficos.h"
#include "images/calidad.h"
#include "qt/imagen_qt.h"

namespace zek {
namespace {

// The PDF's units are those the charts are recorded in, so that their text
// keeps its size against their lines (96 per inch under Qt's usual screens).
int puntos_por_pulgada() {
    return QPicture().logicalDpiX();
}

ArchivoDeLaHoja archivo(const std::string& ruta, const SuperficieImagen& imagen) {
    ArchivoDeLaHoja a{
        QFileInfo(QString::fromStdString(ruta)).fileName(), imagen.ancho(), imagen.alto(), {}};
    QFile f(QString::fromStdString(ruta));
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (f.open(QIODevice::ReadOnly) && h.addData(&f))
        a.sha256 = QString::fromLatin1(h.result().toHex());
    return a;
}

// The page's width inside its margins, and a chart's height on it, in the
// PDF's units.
constexpr double kAnchoUtilMm = 210 - 2 * 15;
constexpr double kAltoGraficoMm = 85;
QSize en_la_hoja(double alto_mm) {
    const auto unidades = [](double mm) {
        return static_cast<int>(std::lround(mm / 25.4 * puntos_por_pulgada()));
    };
    return {unidades(kAnchoUtilMm), unidades(alto_mm)};
}

// Laid out at the size it takes on the page, so that its text keeps the
// size it is set in (not shrunk from a screen's layout).
DibujoDeLaHoja dibujo(QChart* grafico, QSize tamano) {
    DibujoDeLaHoja d;
    if (!grafico) return d;
    QChartView vista(grafico);  // owns the chart
    vista.setRenderHint(QPainter::Antialiasing);
    vista.resize(tamano);
    vista.grab();  // lays the chart out at that size
    d.tamano = vista.size();
    QPainter p(&d.dibujo);
    vista.render(&p);
    return d;
}

// Numbers as a Spanish reader writes them, whatever the machine's locale.
QString numero(double v, int decimales) {
    return QLocale(QLocale::Spanish, QLocale::Spain).toString(v, 'f', decimales);
}
QString numero(const std::optional<double>& v, int decimales, const QString& unidad = {}) {
    return v ? numero(*v, decimales) + unidad : QString::fromUtf8("—");
}
QString ber(const std::optional<Aciertos>& a) {
    return a && a->total ? numero(a->ber(), 4) : QString::fromUtf8("—");
}
QString nc(const std::optional<Aciertos>& a) {
    return a && a->total ? numero(a->nc(), 4) : QString::fromUtf8("—");
}

// Lays the handout out from top to bottom, a new page when the next piece
// does not fit.
class Maqueta {
  public:
    explicit Maqueta(QPdfWriter& w) : w_(w), p_(&w), ppp_(w.resolution()) {
        p_.setRenderHint(QPainter::LosslessImageRendering);
        ancho_ = w.width();
        alto_ = w.height();
    }
    QPainter& pintor() { return p_; }
    int ancho() const { return ancho_; }

    void pagina_nueva() {
        w_.newPage();
        y_ = 0;
    }
    void asegura(int alto) {
        if (y_ > 0 && y_ + alto > alto_) pagina_nueva();
    }
    void espacio(double mm) { y_ += unidades(mm); }
    int unidades(double mm) const { return static_cast<int>(std::lround(mm / 25.4 * ppp_)); }

    void texto(const QString& t, double puntos, bool negrita = false, int sangria = 0) {
        p_.setFont(fuente(puntos, negrita));
        const QRect caja(sangria, 0, ancho_ - sangria, alto_);
        const QRect usado = p_.boundingRect(caja, Qt::TextWordWrap, t);
        asegura(usado.height());
        p_.drawText(QRect(sangria, y_, ancho_ - sangria, usado.height()), Qt::TextWordWrap, t);
        y_ += usado.height();
    }
    void seccion(const QString& t) {
        espacio(4);
        asegura(unidades(30));  // never a title alone at the foot of a page
        texto(t, 14, true);
        espacio(1.5);
    }

    struct Figura {
        QImage imagen;
        QString pie;
    };
    // Pictures side by side, each at the largest whole scale (or whole
    // fraction) that fits its share of the row and `alto`, without smoothing.
    void figuras(const std::vector<Figura>& figuras, int alto) {
        const int n = static_cast<int>(figuras.size());
        if (n == 0) return;
        const int hueco = unidades(3), caja = (ancho_ - hueco * (n - 1)) / n;
        p_.setFont(fuente(8, false));
        const int pie = p_.fontMetrics().height() * 2 + unidades(1);
        asegura(alto + pie);
        for (int i = 0; i < n; ++i) {
            const QImage& im = figuras[static_cast<size_t>(i)].imagen;
            const int x = i * (caja + hueco);
            if (!im.isNull()) {
                const QSize t = a_escala(im.size(), QSize(caja, alto));
                p_.drawImage(QRect(x + (caja - t.width()) / 2, y_ + alto - t.height(), t.width(),
                                   t.height()),
                             im);
            }
            p_.drawText(QRect(x, y_ + alto + unidades(1), caja, pie),
                        Qt::AlignHCenter | Qt::TextWordWrap, figuras[static_cast<size_t>(i)].pie);
        }
        y_ += alto + pie;
    }

    // Rows of cells; the first row is the header. A picture in the last
    // column when `miniaturas` is given.
    void tabla(const std::vector<QStringList>& filas, const std::vector<double>& anchos,
               const std::vector<QImage>& miniaturas = {}) {
        p_.setFont(fuente(9, false));
        const int linea = p_.fontMetrics().height() + unidades(1);
        const int alto_mini = miniaturas.empty() ? 0 : unidades(9);
        for (size_t f = 0; f < filas.size(); ++f) {
            const bool cabecera = f == 0;
            const int alto = cabecera ? linea : std::max(linea, alto_mini + unidades(1));
            asegura(alto);
            p_.setFont(fuente(9, cabecera));
            int x = 0;
            for (int c = 0; c < filas[f].size(); ++c) {
                const auto i = static_cast<size_t>(c);
                const int w = i < anchos.size() ? static_cast<int>(anchos[i] * ancho_) : ancho_ - x;
                p_.drawText(QRect(x, y_, w, alto), Qt::AlignVCenter | Qt::AlignLeft, filas[f][c]);
                x += w;
            }
            if (!cabecera && f - 1 < miniaturas.size() && !miniaturas[f - 1].isNull()) {
                const QImage& m = miniaturas[f - 1];
                const QSize t = a_escala(m.size(), QSize(ancho_ - x, alto_mini));
                p_.drawImage(QRect(x, y_ + unidades(0.5), t.width(), t.height()), m);
            }
            y_ += alto;
            p_.setPen(QPen(QColor(160, 160, 160), 2));
            p_.drawLine(0, y_, ancho_, y_);
            p_.setPen(Qt::black);
        }
    }

    // A chart as vectors, scaled to the width, of `alto` at most.
    void grafico(const DibujoDeLaHoja& d, int alto) {
        const double escala = std::min(static_cast<double>(ancho_) / d.tamano.width(),
                                       static_cast<double>(alto) / d.tamano.height());
        const int h = static_cast<int>(d.tamano.height() * escala);
        asegura(h);
        p_.save();
        p_.translate((ancho_ - d.tamano.width() * escala) / 2, y_);
        p_.scale(escala, escala);
        p_.drawPicture(0, 0, d.dibujo);
        p_.restore();
        y_ += h;
    }

  private:
    static QFont fuente(double puntos, bool negrita) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(puntos);
        f.setBold(negrita);
        // No ligatures: "ff" in a hash or "fi" in "gráfico" stay two letters
        // for a reader that copies them.
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    }
    // The largest whole scale, or whole fraction, of `t` that fits `caja`.
    static QSize a_escala(QSize t, QSize caja) {
        if (t.isEmpty()) return {};
        const int veces = std::min(caja.width() / t.width(), caja.height() / t.height());
        if (veces >= 1) return t * veces;
        const int partes = std::max((t.width() + caja.width() - 1) / caja.width(),
                                    (t.height() + caja.height() - 1) / caja.height());
        return QSize(t.width() / partes, t.height() / partes);
    }

    QPdfWriter& w_;
    QPainter p_;
    int ppp_;
    int ancho_ = 0, alto_ = 0, y_ = 0;
};

void leccion(Maqueta& m, const HojaDeClase& h) {
    m.texto(QString::fromUtf8("ZEK — Hoja de clase: una marca de agua en la luminancia"), 18, true);
    m.texto(
        QString::fromUtf8("%1 · ZEK %2")
            .arg(QLocale(QLocale::Spanish, QLocale::Spain).toString(h.fecha, QLocale::LongFormat),
                 QString::fromLatin1(kVersion)),
        10);
    m.seccion(QString::fromUtf8("1. La lección"));
    for (const auto& [que, a] :
         {std::pair{"Imagen principal", &h.anfitrion}, std::pair{"Marca de agua", &h.marca}}) {
        m.texto(QString::fromUtf8("%1: «%2», %3 × %4 píxeles")
                    .arg(QString::fromUtf8(que), a->nombre)
                    .arg(a->ancho)
                    .arg(a->alto),
                10);
        m.texto(QStringLiteral("SHA-256: ") +
                    (a->sha256.isEmpty() ? QString::fromUtf8("no se ha podido leer el archivo")
                                         : a->sha256),
                8, false, m.unidades(5));
    }
    m.texto(QString::fromUtf8("Grado %1 · Clave %2 · LongBloque %3 · NumBloques %4")
                .arg(numero(h.grado, 0), numero(h.clave, 0))
                .arg(h.lado)
                .arg(numero(h.bloques, 0)),
            10);
    m.espacio(3);
    m.figuras({{h.pasos[0], QStringLiteral("Imagen principal con la rejilla")},
               {h.pasos[1], QStringLiteral("Marca de agua")},
               {h.pasos[2], QStringLiteral("Imagen marcada con la rejilla")},
               {h.pasos[3], QString::fromUtf8("Marca extraída")}},
              m.unidades(45));
    m.espacio(3);
    m.figuras(
        {{h.marcada, QStringLiteral("Imagen marcada")},
         {h.diferencia,
          QString::fromUtf8("Diferencia |marcada − principal| × %1").arg(numero(h.ganancia, 1))},
         {h.leida, QString::fromUtf8("Lectura a ciegas")}},
        m.unidades(60));
    m.espacio(3);
    m.texto(QString::fromUtf8("PSNR %1 · SSIM %2 · BER %3 · NC %4")
                .arg(numero(h.psnr, 2, QStringLiteral(" dB")), numero(h.ssim, 4), ber(h.aciertos),
                     nc(h.aciertos)),
            11, true);
    if (h.aciertos) {
        m.texto(QString::fromUtf8("La lectura a ciegas acierta %1 de %2 píxeles de la marca.")
                    .arg(h.aciertos->correctos)
                    .arg(h.aciertos->total),
                10);
    }
}

void lo_que_sobrevive(Maqueta& m, const HojaDeClase& h) {
    m.seccion(QString::fromUtf8("2. Lo que sobrevive"));
    m.texto(QString::fromUtf8("Cada ataque sobre la imagen marcada y lo que la lectura a ciegas "
                              "recupera de él (PSNR frente a la imagen marcada)."),
            10);
    std::vector<QStringList> filas{{QStringLiteral("Ataque"), QStringLiteral("Parámetro"),
                                    QStringLiteral("PSNR"), QStringLiteral("BER"),
                                    QStringLiteral("NC"), QStringLiteral("Lectura")}};
    std::vector<QImage> miniaturas;
    for (const ResultadoAtaque& a : h.ataques) {
        const QString t = QString::fromStdString(a.ataque);
        const qsizetype dos_puntos = t.indexOf(QLatin1Char(':'));
        const std::optional<Aciertos> ac = a.leido ? std::optional(a.aciertos) : std::nullopt;
        filas.push_back({t.left(dos_puntos), dos_puntos < 0 ? QString() : t.mid(dos_puntos + 1),
                         numero(a.psnr, 2, QStringLiteral(" dB")), ber(ac), nc(ac)});
        miniaturas.push_back(a_qimage(a.leida));
    }
    m.tabla(filas, {0.2, 0.14, 0.18, 0.14, 0.14}, miniaturas);
    m.espacio(3);
    m.texto(QStringLiteral("Histograma de residuos"), 11, true);
    if (h.histograma.hay())
        m.grafico(h.histograma, m.unidades(kAltoGraficoMm));
    else
        m.texto(
            QString::fromUtf8("Sin histograma: la marca no se ha insertado en pares de bloques."),
            10);
    m.texto(QStringLiteral("Barrido de grados"), 11, true);
    if (h.barrido.hay())
        m.grafico(h.barrido, m.unidades(kAltoGraficoMm));
    else
        m.texto(QString::fromUtf8("El barrido no se ha calculado: pulsa «Calcular» en el "
                                  "laboratorio, o añade --barrido a zek-demo."),
                10);
    m.texto(QString::fromUtf8("Comparación de métodos"), 11, true);
    if (!h.comparacion) {
        m.texto(QString::fromUtf8("La comparación no se ha calculado: pulsa «Comparar métodos…» "
                                  "en el laboratorio, o añade --compara a zek-demo."),
                10);
        return;
    }
    m.texto(QString::fromUtf8("Al mismo PSNR, %1 dB (%2):")
                .arg(numero(h.comparacion->psnr_objetivo, 2),
                     QString::fromUtf8(origen_del_objetivo(h.comparacion->origen))),
            10);
    for (const MetodoComparado& mc : h.comparacion->metodos) {
        m.texto(QString::fromUtf8("%1: fuerza %2, PSNR %3, SSIM %4")
                    .arg(QString::fromUtf8(mc.metodo->nombre()),
                         numero(mc.fuerza, mc.metodo->fuerza().decimales),
                         numero(mc.insercion.psnr, 2, QStringLiteral(" dB")),
                         numero(mc.insercion.ssim, 4)),
                9, true);
        QStringList bers;
        for (const LecturaAtacada& l : mc.ataques) {
            const QString ataque = QString::fromStdString(l.ataque) + QLatin1Char(' ');
            if (mc.metodo->lee_la_marca())
                bers << ataque + numero(l.aciertos.ber(), 3);
            else if (l.sim)
                bers << ataque + QStringLiteral("sim ") + numero(*l.sim, 2) + QLatin1Char(' ') +
                            QString::fromUtf8(presencia(*l.sim, h.comparacion->umbral));
        }
        m.texto(mc.insercion.no_cabe.empty() ? bers.join(QStringLiteral(" · "))
                                             : QString::fromStdString(mc.insercion.no_cabe),
                8, false, m.unidades(5));
    }
    if (h.grafico_comparacion.hay()) m.grafico(h.grafico_comparacion, m.unidades(kAltoGraficoMm));
    if (h.grafico_sim.hay()) m.grafico(h.grafico_sim, m.unidades(kAltoGraficoMm));
}

void esta_la_marca(Maqueta& m, const HojaDeClase& h) {
    if (!h.respuesta.hay()) return;
    m.texto(QString::fromUtf8("¿Está la marca? Espectro ensanchado"), 11, true);
    m.texto(h.deteccion, 10);
    m.grafico(h.respuesta, m.unidades(kAltoGraficoMm));
}

void para_pensar(Maqueta& m, const HojaDeClase& h) {
    m.seccion(QString::fromUtf8("3. Para pensar"));
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
    };
    for (const char* t : parrafos) {
        m.texto(QString::fromUtf8(t), 10);
        m.espacio(2);
    }
    m.texto(QStringLiteral("Preguntas"), 11, true);
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
    };
    for (const char* t : preguntas) m.texto(QString::fromUtf8(t), 10, false, m.unidades(3));
    int numero = 6;
    if (h.respuesta.hay()) {
        m.texto(QString::fromUtf8("%1. El detector del espectro ensanchado necesita la imagen "
                                  "original: ¿por qué? ¿Qué quiere decir que una imagen sin la "
                                  "marca supere el umbral 6 con una probabilidad de 10⁻⁹?")
                    .arg(numero++),
                10, false, m.unidades(3));
    }
    if (h.grafico_sim.hay()) {
        m.texto(QString::fromUtf8("%1. Un contraste de 1,5 multiplica por 1,5 todos los "
                                  "coeficientes de la imagen marcada, y la marca sigue en ellos: "
                                  "¿por qué el detector del espectro ensanchado puede dejar de "
                                  "encontrarla? Mira la fórmula de x*.")
                    .arg(numero),
                10, false, m.unidades(3));
    }
    m.espacio(3);
    m.texto(QStringLiteral("Para rehacer esta hoja:"), 10, true);
    m.texto(h.orden, 9, false, m.unidades(3));
}

}  // namespace

std::vector<Ataque> ataques_de_la_hoja() {
    return ataques_de_la_comparacion();
}

std::optional<HojaDeClase> hoja_de_la_sesion(const Sesion& s, FuenteLaboratorio* fuente) {
    const std::optional<FuenteLaboratorio> f = s.fuente_marcada();
    if (!f) return std::nullopt;
    const Vbles& v = s.vbles();
    const Informe& inf = s.demostracion().informe();
    HojaDeClase h;
    h.fecha = QDate::currentDate();
    h.anfitrion = archivo(s.ruta_anfitrion(), f->imagen);
    h.marca = archivo(s.ruta_marca(), s.Picture2());
    h.grado = v.Grado;
    h.clave = v.Clave;
    h.lado = v.LongBloque;
    h.bloques = v.NumBloques;
    const SuperficieMemoria* pasos[] = {&s.Picture1(), &s.Picture2(), &s.Picture3(), &s.Picture4()};
    for (int i = 0; i < 4; ++i) h.pasos[i] = a_qimage(*pasos[i]);
    h.marcada = a_qimage(f->imagen);
    h.diferencia = a_qimage(f->diferencia.imagen);
    h.ganancia = f->diferencia.ganancia;
    if (const auto leida = s.marca_extraida()) h.leida = a_qimage(*leida);
    h.psnr = inf.psnr;
    h.ssim = ssim_entre(f->Y, f->Y_original, f->imagen.ancho(), f->imagen.alto());
    h.aciertos = inf.extraccion;
    if (fuente) *fuente = *f;
    return h;
}

void dibuja_graficos(HojaDeClase& h, const FuenteLaboratorio& fuente,
                     const std::vector<FilaBarrido>& barrido,
                     const std::optional<Comparacion>& comparacion) {
    if (fuente.antes || fuente.despues) {
        h.histograma =
            dibujo(dibuja_grafico(describe_histograma(
                       {{"Antes", fuente.antes}, {"Después", fuente.despues}}, false, ',')),
                   en_la_hoja(kAltoGraficoMm));
    }
    if (!barrido.empty())
        h.barrido = dibujo(dibuja_grafico(describe_barrido(barrido, "grado", ',')),
                           en_la_hoja(kAltoGraficoMm));
    h.comparacion = comparacion;
    if (!comparacion) return;
    h.grafico_comparacion =
        dibujo(dibuja_grafico(describe_comparacion(*comparacion, ',')), en_la_hoja(kAltoGraficoMm));
    if (QChart* sim = dibuja_grafico(describe_sim_jpeg(*comparacion, ',')))
        h.grafico_sim = dibujo(sim, en_la_hoja(kAltoGraficoMm));
}

void dibuja_deteccion(HojaDeClase& h, const AnalisisDeteccion& a, double clave, double umbral,
                      const std::string& ataque) {
    if (!a.motivo.empty() || a.respuesta.falsas.empty()) return;
    h.respuesta = dibujo(dibuja_grafico(describe_respuesta(a.respuesta, clave, umbral, ',')),
                         en_la_hoja(kAltoGraficoMm));
    h.deteccion = QString::fromUtf8("La imagen principal con la clave, atacada con %1: ")
                      .arg(QString::fromStdString(ataque)) +
                  QString::fromStdString(texto_de_decision(clave, a.respuesta.sim, umbral, ',')) +
                  QString::fromUtf8(" Con %1 claves equivocadas: media %2, desviación %3.")
                      .arg(a.respuesta.falsas.size())
                      .arg(numero(a.respuesta.media, 2), numero(a.respuesta.desviacion, 2));
}

QString orden_de_la_hoja(const Sesion& s, bool con_barrido, bool con_comparacion,
                         const QString& pdf, const QStringList& ataques) {
    const auto entre_comillas = [](const std::string& t) {
        return QLatin1Char('\'') +
               QString::fromStdString(t).replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
               QLatin1Char('\'');
    };
    QString orden = QStringLiteral("zek-demo ") + entre_comillas(s.ruta_anfitrion()) +
                    QLatin1Char(' ') + entre_comillas(s.ruta_marca()) +
                    QStringLiteral(" --grado ") + QString::number(s.vbles().Grado, 'g', 15) +
                    QStringLiteral(" --clave ") + QString::number(s.vbles().Clave, 'g', 15);
    for (const QString& a : ataques) orden += QStringLiteral(" --ataque ") + a;
    if (con_barrido) orden += QStringLiteral(" --barrido");
    if (con_comparacion) orden += QStringLiteral(" --compara");
    return orden + QStringLiteral(" --hoja ") + entre_comillas(pdf.toStdString());
}

QByteArray hoja_pdf(const HojaDeClase& h) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter w(&buffer);
        w.setResolution(puntos_por_pulgada());
        w.setPageSize(QPageSize(QPageSize::A4));
        w.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        w.setTitle(QString::fromUtf8("ZEK — Hoja de clase"));
        w.setCreator(QStringLiteral("ZEK ") + QString::fromLatin1(kVersion));
        if (!h.informe.isEmpty())
            w.addFileAttachment(QStringLiteral("informe.json"), h.informe,
                                QStringLiteral("application/json"));
        Maqueta m(w);
        leccion(m, h);
        lo_que_sobrevive(m, h);
        esta_la_marca(m, h);
        para_pensar(m, h);
    }
    return bytes;
}

}  // namespace zek
