// SPDX-License-Identifier: MIT
#include "graficos/hoja_de_clase.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCryptographicHash>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "base/version.h"
#include "graficos/graficos.h"
#include "qt/imagen_qt.h"

namespace zek {
namespace {

// The PDF's units are those the charts are recorded in, so that their text
// keeps its size against their lines (96 per inch under Qt's usual screens).
int puntos_por_pulgada() {
    return QPicture().logicalDpiX();
}

QString huella(const std::string& ruta) {
    QFile f(QString::fromStdString(ruta));
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !h.addData(&f)) return {};
    return QString::fromLatin1(h.result().toHex());
}

// The page's width inside its margins, and a chart's height on it, in the
// PDF's units.
constexpr double kAnchoUtilMm = 210 - 2 * 15;
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

QString q(const std::string& t) {
    return QString::fromStdString(t);
}

void figuras(Maqueta& m, const Bloque& b) {
    std::vector<Maqueta::Figura> f;
    for (const FiguraDelDocumento& x : b.figuras) f.push_back({a_qimage(x.imagen), q(x.pie)});
    m.figuras(f, m.unidades(b.mm));
}

void tabla(Maqueta& m, const Bloque& b) {
    std::vector<QStringList> filas;
    for (const auto& fila : b.filas) {
        QStringList celdas;
        for (const std::string& c : fila) celdas << q(c);
        filas.push_back(celdas);
    }
    std::vector<QImage> miniaturas;
    for (const SuperficieMemoria& s : b.miniaturas) miniaturas.push_back(a_qimage(s));
    m.tabla(filas, b.anchos, miniaturas);
}

}  // namespace

void pon_huellas(LeccionDeLaHoja& h, const std::string& ruta_anfitrion,
                 const std::string& ruta_marca) {
    h.anfitrion.sha256 = huella(ruta_anfitrion).toStdString();
    h.marca.sha256 = huella(ruta_marca).toStdString();
}

std::vector<DibujoDeLaHoja> dibuja_graficos(const Documento& d) {
    std::vector<DibujoDeLaHoja> dibujos;
    for (const Bloque& b : d.bloques) {
        if (b.tipo == TipoBloque::Grafico)
            dibujos.push_back(dibujo(dibuja_grafico(b.grafico), en_la_hoja(b.mm)));
    }
    return dibujos;
}

QByteArray hoja_pdf(const Documento& d, const std::vector<DibujoDeLaHoja>& graficos,
                    const QByteArray& informe) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter w(&buffer);
        w.setResolution(puntos_por_pulgada());
        w.setPageSize(QPageSize(QPageSize::A4));
        w.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        w.setTitle(q(d.titulo));
        w.setCreator(QStringLiteral("ZEK ") + QString::fromLatin1(kVersion));
        if (!informe.isEmpty())
            w.addFileAttachment(QStringLiteral("informe.json"), informe,
                                QStringLiteral("application/json"));
        Maqueta m(w);
        size_t grafico = 0;
        for (const Bloque& b : d.bloques) {
            switch (b.tipo) {
                case TipoBloque::Titulo:
                    m.texto(q(b.texto), 18, true);
                    break;
                case TipoBloque::Seccion:
                    m.seccion(q(b.texto));
                    break;
                case TipoBloque::Apartado:
                    m.texto(q(b.texto), 11, true);
                    break;
                case TipoBloque::Parrafo:
                    m.texto(q(b.texto), 10);
                    break;
                case TipoBloque::Destacado:
                    m.texto(q(b.texto), 9, true);
                    break;
                case TipoBloque::Detalle:
                    m.texto(q(b.texto), 8, false, m.unidades(5));
                    break;
                case TipoBloque::Pregunta:
                    m.texto(q(b.texto), 10, false, m.unidades(3));
                    break;
                case TipoBloque::Orden:
                    m.texto(q(b.texto), 9, false, m.unidades(3));
                    break;
                case TipoBloque::Espacio:
                    m.espacio(b.mm);
                    break;
                case TipoBloque::Figuras:
                    figuras(m, b);
                    break;
                case TipoBloque::Tabla:
                    tabla(m, b);
                    break;
                case TipoBloque::Grafico:
                    if (grafico < graficos.size() && graficos[grafico].hay())
                        m.grafico(graficos[grafico], m.unidades(b.mm));
                    ++grafico;
                    break;
            }
        }
    }
    return bytes;
}

}  // namespace zek
