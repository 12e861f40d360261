// SPDX-License-Identifier: MIT
#include "ui/frm_comparacion.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "graficos/graficos.h"

namespace zek {
namespace {

// From green (nothing wrong) to red (chance or worse).
QColor color_de_ber(double ber) {
    const double t = std::clamp(ber / 0.5, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(0.55 + 0.45 * t), static_cast<float>(0.9 - 0.5 * t),
                            static_cast<float>(0.55 - 0.15 * t));
}

// The detector's decision: green present, red absent.
QColor color_de_presencia(bool presente) {
    return presente ? color_de_ber(0) : color_de_ber(0.5);
}

// The reading as a small picture: white light, black dark, grey not carried.
QPixmap miniatura(const Bits& bits, int Wm, int Hm) {
    const QImage imagen = a_qimage(imagen_de_lectura(lectura_de_bits(bits, Wm, Hm), Wm, Hm));
    return QPixmap::fromImage(imagen.scaled(32, 32, Qt::KeepAspectRatio));
}

}  // namespace

FrmComparacion::FrmComparacion(QWidget* padre, const Sesion& sesion)
    : QWidget(padre, Qt::Window), sesion_(sesion) {
    setObjectName("FrmComparacion");
    setWindowTitle(QString::fromUtf8("Comparar métodos"));
    crea_controles();
    // The table's eleven columns whole on a 1024 x 768 projector.
    resize(std::min(kAnchoInicial, ancho_de_pantalla()), sizeHint().height());
}

int FrmComparacion::ancho_de_pantalla() const {
    return screen() ? screen()->availableGeometry().width() : kAnchoInicial;
}

void FrmComparacion::ajusta_ancho() {
    int necesita = tabla_->verticalHeader()->width() + 2 * tabla_->frameWidth() +
                   tabla_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < tabla_->columnCount(); ++c) necesita += tabla_->columnWidth(c);
    const QMargins m = layout()->contentsMargins();
    necesita += m.left() + m.right();
    const int ancho = std::min(necesita, ancho_de_pantalla());
    if (width() < ancho) resize(ancho, height());
}

void FrmComparacion::crea_controles() {
    auto* raiz = new QVBoxLayout(this);
    auto* fila = new QHBoxLayout();
    objetivo_ = new QDoubleSpinBox(this);
    objetivo_->setObjectName("psnr_objetivo");
    objetivo_->setRange(0, 80);
    objetivo_->setDecimals(1);
    objetivo_->setSuffix(QStringLiteral(" dB"));
    objetivo_->setSpecialValueText(QString::fromUtf8("el de los pares de bloques"));
    objetivo_->setAccessibleName(QString::fromUtf8("PSNR objetivo"));
    calcula_ = new QPushButton(QString::fromUtf8("Comparar"), this);
    calcula_->setObjectName("compara");
    cancela_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancela_->setObjectName("cancela_comparacion");
    cancela_->setEnabled(false);
    progreso_ = new QProgressBar(this);
    progreso_->setObjectName("progreso_comparacion");
    progreso_->setAccessibleName(QString::fromUtf8("Progreso de la comparación"));
    fila->addWidget(new QLabel(QString::fromUtf8("PSNR objetivo:"), this));
    fila->addWidget(objetivo_);
    fila->addWidget(calcula_);
    fila->addWidget(cancela_);
    fila->addWidget(progreso_, 1);
    raiz->addLayout(fila);
    aviso_ = new QLabel(this);
    aviso_->setObjectName("aviso_comparacion");
    aviso_->setAccessibleName(QString::fromUtf8("Estado de la comparación"));
    aviso_->setWordWrap(true);
    raiz->addWidget(aviso_);

    tabla_ = new QTableWidget(this);
    tabla_->setObjectName("tabla_comparacion");
    tabla_->setAccessibleName(
        QString::fromUtf8("Tasa de error y NC de cada método con cada ataque"));
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setIconSize({32, 32});
    tabla_->verticalHeader()->setDefaultSectionSize(38);
    tabla_->setMinimumHeight(160);
    raiz->addWidget(tabla_);

    grafico_ = vista_de_grafico(this, "grafico_comparacion", "Tasa de error según la calidad JPEG",
                                {300, 280});
    grafico_sim_ = vista_de_grafico(
        this, "grafico_sim", "sim del espectro ensanchado según la calidad JPEG", {300, 280});
    auto* graficos = new QHBoxLayout();
    graficos->addWidget(grafico_, 3);
    graficos->addWidget(grafico_sim_, 2);
    raiz->addLayout(graficos, 1);
    prediccion_ = new QLabel(this);
    prediccion_->setObjectName("prediccion");
    prediccion_->setAccessibleName(QString::fromUtf8("Calidad JPEG que predice el método DCT"));
    prediccion_->setWordWrap(true);
    raiz->addWidget(prediccion_);

    fila_ = std::make_unique<FilaDeTrabajo>(this, calcula_, cancela_, progreso_);
    connect(calcula_, &QPushButton::clicked, this, [this] { compara(); });
    connect(cancela_, &QPushButton::clicked, this, [this] {
        fila_->pide_parar();
        aviso_->setText(QString::fromUtf8("Cancelando…"));
    });
}

void FrmComparacion::compara() {
    auto entrada = sesion_.entrada_del_barrido();
    if (!entrada || fila_->en_marcha()) {
        if (!entrada)
            aviso_->setText(
                QString::fromUtf8("Hacen falta una imagen principal y una marca de "
                                  "agua abiertas."));
        return;
    }
    const Vbles& v = sesion_.vbles();
    const int Wm = entrada->marca.ancho(), Hm = entrada->marca.alto();
    auto datos = std::make_shared<const EntradaBarrido>(std::move(*entrada));
    auto bits = std::make_shared<const Bits>(bits_de_marca(v.MatrizMarca, Wm, Hm));
    const std::optional<double> objetivo =
        objetivo_->value() > 0 ? std::optional<double>(objetivo_->value()) : std::nullopt;
    aviso_->setText(QString::fromUtf8("Calibrando y atacando los cuatro métodos…"));
    fila_->lanza([this, datos, bits, Wm, Hm, grado = v.Grado, objetivo](
                     std::stop_token, const FilaDeTrabajo::Progreso& progreso) {
        auto c = std::make_shared<Comparacion>(compara_metodos(
            datos->anfitrion, *bits, Wm, Hm, grado, datos->clave, objetivo, &jpeg_, progreso));
        return [this, c](bool completa) { termina(c, completa); };
    });
}

void FrmComparacion::termina(std::shared_ptr<Comparacion> c, bool completa) {
    if (!completa) {
        aviso_->setText(
            QString::fromUtf8("Comparación cancelada al %1 %.").arg(progreso_->value()));
        return;
    }
    comparacion_ = std::move(*c);
    muestra(*comparacion_);
}

void FrmComparacion::muestra(const Comparacion& c) {
    const QLocale local;
    const std::vector<Ataque> ataques = ataques_de_la_comparacion();
    tabla_->clear();
    tabla_->setRowCount(static_cast<int>(c.metodos.size()));
    tabla_->setColumnCount(4 + static_cast<int>(ataques.size()));
    QStringList cabecera = {QString::fromUtf8("Método"), QStringLiteral("Fuerza"),
                            QStringLiteral("PSNR"), QStringLiteral("SSIM")};
    for (const Ataque& a : ataques) cabecera << QString::fromStdString(a.texto);
    tabla_->setHorizontalHeaderLabels(cabecera);
    const int Wm = sesion_.Picture2().ancho(), Hm = sesion_.Picture2().alto();
    for (int fila = 0; fila < static_cast<int>(c.metodos.size()); ++fila) {
        const MetodoComparado& m = c.metodos[static_cast<size_t>(fila)];
        const auto celda = [&](int columna, const QString& texto) {
            tabla_->setItem(fila, columna, new QTableWidgetItem(texto));
        };
        celda(0, QString::fromUtf8(m.metodo->titulo()));
        if (!m.insercion.marcada) {
            celda(1, QString::fromStdString(m.insercion.no_cabe));
            tabla_->setSpan(fila, 1, 1, tabla_->columnCount() - 1);
            continue;
        }
        celda(1, local.toString(m.fuerza, 'f', m.metodo->fuerza().decimales));
        celda(2, m.insercion.psnr ? local.toString(*m.insercion.psnr, 'f', 2) : QString());
        celda(3, m.insercion.ssim ? local.toString(*m.insercion.ssim, 'f', 3) : QString());
        for (size_t j = 0; j < m.ataques.size(); ++j) {
            const LecturaAtacada& l = m.ataques[j];
            if (l.sim) {
                auto* item = new QTableWidgetItem(
                    QString::fromUtf8("sim %1\n%2")
                        .arg(local.toString(*l.sim, 'f', 2), presencia(*l.sim, c.umbral)));
                item->setBackground(color_de_presencia(*l.sim > c.umbral));
                tabla_->setItem(fila, 4 + static_cast<int>(j), item);
            }
            if (l.aciertos.total == 0) continue;
            auto* item = new QTableWidgetItem(miniatura(l.leidos, Wm, Hm),
                                              QString::fromUtf8("%1\nNC %2")
                                                  .arg(local.toString(l.aciertos.ber(), 'f', 3),
                                                       local.toString(l.aciertos.nc(), 'f', 2)));
            item->setBackground(color_de_ber(l.aciertos.ber()));
            tabla_->setItem(fila, 4 + static_cast<int>(j), item);
        }
    }
    tabla_->resizeColumnsToContents();
    ajusta_ancho();
    pon_grafico(grafico_, dibuja_grafico(describe_comparacion(c, separador_local())));
    pon_grafico(grafico_sim_, dibuja_grafico(describe_sim_jpeg(c, separador_local())));
    aviso_->setText(
        QString::fromUtf8("Los cuatro métodos a %1 dB (%2). Tasa de error de bits y NC de cada "
                          "lectura; por encima de 0,5 la lectura sale invertida más que al "
                          "azar. El espectro ensanchado no lleva la imagen de la marca: su "
                          "detector, con la imagen original, da sim y la declara presente por "
                          "encima de %3.")
            .arg(local.toString(c.psnr_objetivo, 'f', 2),
                 QString::fromUtf8(origen_del_objetivo(c.origen)), local.toString(c.umbral)));
    prediccion_->clear();
    for (const MetodoComparado& m : c.metodos) {
        if (!m.calidad_predicha) continue;
        prediccion_->setText(
            QString::fromUtf8("El método DCT predice, con la tabla de JPEG, que la marca está a "
                              "salvo desde la calidad %1: vale donde ningún píxel se satura; las "
                              "zonas blancas o de colores saturados son donde falla.")
                .arg(*m.calidad_predicha));
    }
}

void FrmComparacion::espera() {
    fila_->espera();
}

}  // namespace zek
