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
#include "workflow/textos_trabajos.h"

namespace zek {
namespace {

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
        aviso_->setText(QString::fromUtf8(kCancelando));
    });
}

void FrmComparacion::compara() {
    auto entrada = sesion_.entrada_del_barrido();
    if (!entrada || fila_->en_marcha()) {
        if (!entrada) aviso_->setText(QString::fromUtf8(kFaltanLasDos));
        return;
    }
    const Vbles& v = sesion_.vbles();
    const int Wm = entrada->marca.ancho(), Hm = entrada->marca.alto();
    auto datos = std::make_shared<const EntradaBarrido>(std::move(*entrada));
    auto bits = std::make_shared<const Bits>(bits_de_marca(v.MatrizMarca, Wm, Hm));
    const std::optional<double> objetivo =
        objetivo_->value() > 0 ? std::optional<double>(objetivo_->value()) : std::nullopt;
    aviso_->setText(QString::fromUtf8(kCalibrando));
    fila_->lanza([this, datos, bits, Wm, Hm, grado = v.Grado, objetivo](
                     std::stop_token, const FilaDeTrabajo::Progreso& progreso) {
        auto c = std::make_shared<Comparacion>(compara_metodos(
            datos->anfitrion, *bits, Wm, Hm, grado, datos->clave, objetivo, &jpeg_, progreso));
        return [this, c](bool completa) { termina(c, completa); };
    });
}

void FrmComparacion::termina(std::shared_ptr<Comparacion> c, bool completa) {
    if (!completa) {
        aviso_->setText(QString::fromStdString(
            texto_de_cancelado(TrabajoLargo::Comparacion, progreso_->value())));
        return;
    }
    comparacion_ = std::move(*c);
    muestra(*comparacion_);
}

void FrmComparacion::muestra(const Comparacion& c) {
    const char separador = separador_local();
    const TablaComparacion t = describe_tabla_comparacion(c, separador);
    tabla_->clear();
    tabla_->setRowCount(static_cast<int>(t.filas.size()));
    tabla_->setColumnCount(static_cast<int>(t.cabecera.size()));
    QStringList cabecera;
    for (const std::string& titulo : t.cabecera) cabecera << QString::fromStdString(titulo);
    tabla_->setHorizontalHeaderLabels(cabecera);
    const int Wm = sesion_.Picture2().ancho(), Hm = sesion_.Picture2().alto();
    for (int fila = 0; fila < static_cast<int>(t.filas.size()); ++fila) {
        const FilaComparacion& f = t.filas[static_cast<size_t>(fila)];
        tabla_->setItem(fila, 0, new QTableWidgetItem(QString::fromStdString(f.metodo)));
        if (!f.no_cabe.empty()) {
            tabla_->setItem(fila, 1, new QTableWidgetItem(QString::fromStdString(f.no_cabe)));
            tabla_->setSpan(fila, 1, 1, tabla_->columnCount() - 1);
            continue;
        }
        for (size_t j = 0; j < f.celdas.size(); ++j) {
            const CeldaComparacion& celda = f.celdas[j];
            if (celda.texto.empty()) continue;
            auto* item = new QTableWidgetItem(QString::fromStdString(celda.texto));
            if (celda.leidos) item->setIcon(miniatura(*celda.leidos, Wm, Hm));
            if (celda.fondo)
                item->setBackground(QColor(celda.fondo->r, celda.fondo->g, celda.fondo->b));
            tabla_->setItem(fila, 1 + static_cast<int>(j), item);
        }
    }
    tabla_->resizeColumnsToContents();
    ajusta_ancho();
    pon_grafico(grafico_, dibuja_grafico(describe_comparacion(c, separador)));
    pon_grafico(grafico_sim_, dibuja_grafico(describe_sim_jpeg(c, separador)));
    aviso_->setText(QString::fromStdString(texto_de_comparacion(c, separador)));
    prediccion_->setText(QString::fromStdString(texto_de_prediccion(c)));
}

void FrmComparacion::espera() {
    fila_->espera();
}

}  // namespace zek
