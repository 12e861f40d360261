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
#include "qt/informe.h"

namespace zek {
QByteArray png_de(const SuperficieImagen& imagen) {
    return codifica_imagen(a_qimage(imagen), "PNG").value_or(QByteArray());
}

std::string informe_extraccion_json(const Ejecucion& e, const Ejecucion::Extraccion& x) {
    QJsonObject j = informe_comun(e.vbles(), e.puerto().mensajes);
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

namespace {

QJsonValue parada_json(const std::optional<Parada>& p) {
    if (!p) return QJsonValue(QJsonValue::Null);
    return QJsonObject{{QStringLiteral("antesDelPaso"), p->paso},
                       {QStringLiteral("mensaje"), p->mensaje ? QJsonValue(texto_qt(*p->mensaje))
                                                              : QJsonValue(QJsonValue::Null)}};
}

}  // namespace

std::string informe_metodo_json(const std::string& metodo, double fuerza,
                                std::optional<double> psnr, std::optional<double> ssim,
                                const Aciertos& extraccion,
                                const std::vector<LecturaAtacada>& ataques,
                                const std::optional<Parada>& parada) {
    QJsonArray lista;
    for (const LecturaAtacada& l : ataques)
        lista.append(ataque_json(l.ataque, l.psnr, l.ssim, l.aciertos));
    QJsonObject x;
    pon_aciertos(x, extraccion);
    return texto_json(QJsonObject{{QStringLiteral("metodo"), texto_qt(metodo)},
                                  {QStringLiteral("fuerza"), fuerza},
                                  {QStringLiteral("psnr"), opcional_json(psnr)},
                                  {QStringLiteral("ssim"), opcional_json(ssim)},
                                  {QStringLiteral("extraccion"), x},
                                  {QStringLiteral("ataques"), lista},
                                  {QStringLiteral("parada"), parada_json(parada)}});
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
    return texto_json(
        QJsonObject{{QStringLiteral("psnrObjetivo"), c.psnr_objetivo},
                    {QStringLiteral("objetivo"), QString::fromLatin1(clave_del_objetivo(c.origen))},
                    {QStringLiteral("metodos"), metodos}});
}

QByteArray png_de_comparacion(const Comparacion& c) {
    return codifica_imagen(imagen_de_grafico(grafico_de_comparacion(c)), "PNG")
        .value_or(QByteArray());
}

}  // namespace zek
