// SPDX-License-Identifier: MIT
#include "tools/demo/salida.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "base/numeros.h"
#include "graficos/graficos.h"
#include "qt/escritura.h"
#include "qt/imagen_qt.h"

namespace zek {
namespace {

QJsonValue opcional_json(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QString texto_qt(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void pon_aciertos(QJsonObject& o, const Aciertos& a) {
    o[QStringLiteral("correctos")] = static_cast<qint64>(a.correctos);
    o[QStringLiteral("total")] = static_cast<qint64>(a.total);
    o[QStringLiteral("ber")] = a.total ? QJsonValue(a.ber()) : QJsonValue(QJsonValue::Null);
    o[QStringLiteral("nc")] = a.total ? QJsonValue(a.nc()) : QJsonValue(QJsonValue::Null);
}

}  // namespace

QByteArray png_de(const SuperficieImagen& imagen) {
    return codifica_imagen(a_qimage(imagen), "PNG").value_or(QByteArray());
}

namespace {

// The report's common part: block geometry and the message boxes shown.
QJsonObject comun_json(const Ejecucion& e) {
    const Vbles& v = e.vbles();
    QJsonObject j;
    j[QStringLiteral("longBloque")] = v.LongBloque;
    j[QStringLiteral("numBloques")] = v.NumBloques;
    QJsonArray mensajes;
    for (const Mensaje& m : e.puerto().mensajes) {
        mensajes.append(QJsonObject{{QStringLiteral("titulo"), texto_qt(m.titulo)},
                                    {QStringLiteral("texto"), texto_qt(m.texto)}});
    }
    j[QStringLiteral("mensajes")] = mensajes;
    return j;
}

QJsonValue aciertos_json(const std::optional<Aciertos>& a) {
    if (!a) return QJsonValue(QJsonValue::Null);
    QJsonObject o;
    pon_aciertos(o, *a);
    return o;
}

QJsonValue clases_json(const std::optional<Histograma>& h) {
    if (!h) return QJsonValue(QJsonValue::Null);
    const auto lista = [](const std::vector<int64_t>& cuentas) {
        QJsonArray a;
        for (const int64_t c : cuentas) a.append(static_cast<qint64>(c));
        return a;
    };
    return QJsonObject{{QStringLiteral("claros"), lista(h->claros)},
                       {QStringLiteral("oscuros"), lista(h->oscuros)}};
}

QJsonValue histograma_json(const std::optional<Histograma>& antes,
                           const std::optional<Histograma>& despues) {
    const auto& uno = despues ? despues : antes;
    if (!uno) return QJsonValue(QJsonValue::Null);
    return QJsonObject{{QStringLiteral("grado"), uno->grado},
                       {QStringLiteral("antes"), clases_json(antes)},
                       {QStringLiteral("despues"), clases_json(despues)}};
}

std::string texto_json(const QJsonObject& j) {
    return QJsonDocument(j).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace

std::string informe_json(const Ejecucion& e, const std::vector<ResultadoAtaque>& ataques) {
    const Informe& inf = e.demostracion().informe();
    QJsonObject j = comun_json(e);
    j[QStringLiteral("paso")] = e.vbles().Paso;
    j[QStringLiteral("pares")] = static_cast<qint64>(inf.pares);
    j[QStringLiteral("psnr")] = opcional_json(inf.psnr);
    const auto fuente = e.sesion().fuente_marcada();
    // The watermarked picture's luminance against the host's.
    j[QStringLiteral("ssim")] =
        opcional_json(fuente ? ssim_entre(fuente->Y, fuente->Y_original, fuente->imagen.ancho(),
                                          fuente->imagen.alto())
                             : std::nullopt);
    j[QStringLiteral("extraccion")] = aciertos_json(inf.extraccion);
    QJsonArray lista;
    for (const ResultadoAtaque& a : ataques) {
        QJsonObject o{{QStringLiteral("ataque"), texto_qt(a.ataque)},
                      {QStringLiteral("psnr"), opcional_json(a.psnr)},
                      {QStringLiteral("ssim"), opcional_json(a.ssim)}};
        pon_aciertos(o, a.aciertos);
        lista.append(o);
    }
    j[QStringLiteral("ataques")] = lista;
    j[QStringLiteral("histograma")] =
        fuente ? histograma_json(fuente->antes, fuente->despues) : QJsonValue(QJsonValue::Null);
    return texto_json(j);
}

std::string informe_extraccion_json(const Ejecucion& e, const Ejecucion::Extraccion& x) {
    QJsonObject j = comun_json(e);
    j[QStringLiteral("longBloque")] = x.lado;
    j[QStringLiteral("numBloques")] = x.bloques;
    j[QStringLiteral("extraccion")] = aciertos_json(x.aciertos);
    j[QStringLiteral("histograma")] = histograma_json(std::nullopt, x.histograma);
    return texto_json(j);
}

QByteArray png_de_grafico(const std::vector<FilaBarrido>& filas) {
    return codifica_imagen(imagen_de_grafico(grafico_de_barrido(filas)), "PNG")
        .value_or(QByteArray());
}

std::string informe_metodo_json(const std::string& metodo, double fuerza,
                                std::optional<double> psnr, std::optional<double> ssim,
                                const Aciertos& extraccion,
                                const std::vector<LecturaAtacada>& ataques) {
    QJsonArray lista;
    for (const LecturaAtacada& l : ataques) {
        QJsonObject o{{QStringLiteral("ataque"), texto_qt(l.ataque)},
                      {QStringLiteral("psnr"), opcional_json(l.psnr)},
                      {QStringLiteral("ssim"), opcional_json(l.ssim)}};
        pon_aciertos(o, l.aciertos);
        lista.append(o);
    }
    QJsonObject x;
    pon_aciertos(x, extraccion);
    return texto_json(QJsonObject{{QStringLiteral("metodo"), texto_qt(metodo)},
                                  {QStringLiteral("fuerza"), fuerza},
                                  {QStringLiteral("psnr"), opcional_json(psnr)},
                                  {QStringLiteral("ssim"), opcional_json(ssim)},
                                  {QStringLiteral("extraccion"), x},
                                  {QStringLiteral("ataques"), lista}});
}

std::string comparacion_json(const Comparacion& c) {
    QJsonArray metodos;
    const std::vector<int> calidades = calidades_de_la_comparacion();
    for (const MetodoComparado& m : c.metodos) {
        QJsonArray ataques;
        for (const LecturaAtacada& l : m.ataques) {
            QJsonObject o{{QStringLiteral("ataque"), texto_qt(l.ataque)}};
            pon_aciertos(o, l.aciertos);
            ataques.append(o);
        }
        QJsonArray jpeg;
        for (size_t i = 0; i < m.ber_jpeg.size() && i < calidades.size(); ++i) {
            jpeg.append(QJsonObject{{QStringLiteral("calidad"), calidades[i]},
                                    {QStringLiteral("ber"), opcional_json(m.ber_jpeg[i])}});
        }
        metodos.append(QJsonObject{
            {QStringLiteral("metodo"), texto_qt(m.metodo)},
            {QStringLiteral("fuerza"), m.fuerza},
            {QStringLiteral("noCabe"), m.insercion.no_cabe.empty()
                                           ? QJsonValue(QJsonValue::Null)
                                           : QJsonValue(texto_qt(m.insercion.no_cabe))},
            {QStringLiteral("psnr"), opcional_json(m.insercion.psnr)},
            {QStringLiteral("ssim"), opcional_json(m.insercion.ssim)},
            {QStringLiteral("calidadPredicha"),
             m.calidad_predicha ? QJsonValue(*m.calidad_predicha) : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("ataques"), ataques},
            {QStringLiteral("jpeg"), jpeg}});
    }
    return texto_json(QJsonObject{{QStringLiteral("psnrObjetivo"), c.psnr_objetivo},
                                  {QStringLiteral("metodos"), metodos}});
}

QByteArray png_de_comparacion(const Comparacion& c) {
    return codifica_imagen(imagen_de_grafico(grafico_de_comparacion(c)), "PNG")
        .value_or(QByteArray());
}

}  // namespace zek
