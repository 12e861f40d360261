// SPDX-License-Identifier: MIT
#include "qt/informe.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace zek {

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

// The report's common part: block geometry and the message boxes shown.
QJsonObject informe_comun(const Vbles& v, const std::vector<Mensaje>& mensajes_mostrados) {
    QJsonObject j;
    j[QStringLiteral("longBloque")] = v.LongBloque;
    j[QStringLiteral("numBloques")] = v.NumBloques;
    QJsonArray mensajes;
    for (const Mensaje& m : mensajes_mostrados) {
        mensajes.append(QJsonObject{{QStringLiteral("titulo"), texto_qt(m.titulo)},
                                    {QStringLiteral("texto"), texto_qt(m.texto)}});
    }
    j[QStringLiteral("mensajes")] = mensajes;
    return j;
}

QJsonObject ataque_json(const std::string& ataque, const std::optional<double>& psnr,
                        const std::optional<double>& ssim, const Aciertos& aciertos) {
    QJsonObject o{{QStringLiteral("ataque"), texto_qt(ataque)},
                  {QStringLiteral("psnr"), opcional_json(psnr)},
                  {QStringLiteral("ssim"), opcional_json(ssim)}};
    pon_aciertos(o, aciertos);
    return o;
}

QJsonValue aciertos_json(const std::optional<Aciertos>& a) {
    if (!a) return QJsonValue(QJsonValue::Null);
    QJsonObject o;
    pon_aciertos(o, *a);
    return o;
}

namespace {

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

}  // namespace

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

std::string informe_json(const Vbles& v, const Informe& inf,
                         const std::optional<FuenteLaboratorio>& fuente,
                         const std::vector<Mensaje>& mensajes,
                         const std::vector<ResultadoAtaque>& ataques) {
    QJsonObject j = informe_comun(v, mensajes);
    j[QStringLiteral("paso")] = v.Paso;
    j[QStringLiteral("pares")] = static_cast<qint64>(inf.pares);
    j[QStringLiteral("psnr")] = opcional_json(inf.psnr);
    // The watermarked picture's luminance against the host's.
    j[QStringLiteral("ssim")] =
        opcional_json(fuente ? ssim_entre(fuente->Y, fuente->Y_original, fuente->imagen.ancho(),
                                          fuente->imagen.alto())
                             : std::nullopt);
    j[QStringLiteral("extraccion")] = aciertos_json(inf.extraccion);
    QJsonArray lista;
    for (const ResultadoAtaque& a : ataques)
        lista.append(ataque_json(a.ataque, a.psnr, a.ssim, a.aciertos));
    j[QStringLiteral("ataques")] = lista;
    j[QStringLiteral("histograma")] =
        fuente ? histograma_json(fuente->antes, fuente->despues) : QJsonValue(QJsonValue::Null);
    return texto_json(j);
}

}  // namespace zek
