// SPDX-License-Identifier: MIT
#include "ui/frm_deteccion.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "graficos/graficos.h"
#include "workflow/textos_trabajos.h"

namespace zek {
namespace {

constexpr QSize kMinimo{300, 220};  // each chart, three of them on a projector

}  // namespace

FrmDeteccion::FrmDeteccion(QWidget* padre, const Sesion& sesion)
    : QWidget(padre, Qt::Window), sesion_(sesion) {
    setObjectName("FrmDeteccion");
    setWindowTitle(QString::fromUtf8("Detector: espectro ensanchado"));
    crea_controles();
    resize(980, 700);
}

void FrmDeteccion::crea_controles() {
    auto* raiz = new QVBoxLayout(this);
    auto* fila = new QHBoxLayout();
    const auto numero = [this](const char* nombre, const char* accesible, double desde,
                               double hasta, double valor, int decimales) {
        auto* s = new QDoubleSpinBox(this);
        s->setObjectName(nombre);
        s->setAccessibleName(QString::fromUtf8(accesible));
        s->setRange(desde, hasta);
        s->setDecimals(decimales);
        s->setSingleStep(decimales ? 0.01 : 1);
        s->setValue(valor);
        return s;
    };
    const Fuerza& alfa = metodo_espectro().fuerza();
    alfa_ = numero("alfa", "Fuerza alfa", alfa.desde, alfa.hasta, alfa.inicial, 2);
    umbral_ = numero("umbral", "Umbral del detector", 0, 50, kUmbralEspectro, 1);
    longitud_ = new QSpinBox(this);
    longitud_->setObjectName("longitud");
    longitud_->setAccessibleName(QString::fromUtf8("Coeficientes marcados"));
    longitud_->setRange(1, 100000);
    longitud_->setValue(kLongitudEspectro);
    calcula_ = new QPushButton(QString::fromUtf8("Detectar"), this);
    calcula_->setObjectName("detecta");
    cancela_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancela_->setObjectName("cancela_deteccion");
    cancela_->setEnabled(false);
    progreso_ = new QProgressBar(this);
    progreso_->setObjectName("progreso_deteccion");
    progreso_->setAccessibleName(QString::fromUtf8("Progreso de la curva ROC"));
    fila->addWidget(new QLabel(QString::fromUtf8("Alfa:"), this));
    fila->addWidget(alfa_);
    fila->addWidget(new QLabel(QString::fromUtf8("Coeficientes:"), this));
    fila->addWidget(longitud_);
    fila->addWidget(new QLabel(QString::fromUtf8("Umbral:"), this));
    fila->addWidget(umbral_);
    fila->addWidget(calcula_);
    fila->addWidget(cancela_);
    fila->addWidget(progreso_, 1);
    raiz->addLayout(fila);
    aviso_ = new QLabel(this);
    aviso_->setObjectName("aviso_deteccion");
    aviso_->setAccessibleName(QString::fromUtf8("Decisión del detector"));
    aviso_->setWordWrap(true);
    raiz->addWidget(aviso_);
    auto* graficos = new QGridLayout();
    respuesta_ =
        vista_de_grafico(this, "respuesta", "Respuesta del detector a cada clave", kMinimo);
    falsas_ = vista_de_grafico(this, "falsas", "sim con las claves equivocadas", kMinimo);
    curva_ = vista_de_grafico(this, "roc", "Curva ROC", kMinimo);
    graficos->addWidget(respuesta_, 0, 0, 1, 2);
    graficos->addWidget(falsas_, 1, 0);
    graficos->addWidget(curva_, 1, 1);
    raiz->addLayout(graficos, 1);
    roc_ = new QLabel(this);
    roc_->setObjectName("cifras_roc");
    roc_->setAccessibleName(
        QString::fromUtf8("Área de la curva ROC y umbral de una falsa alarma "
                          "en un millón"));
    roc_->setWordWrap(true);
    raiz->addWidget(roc_);

    fila_ = std::make_unique<FilaDeTrabajo>(this, calcula_, cancela_, progreso_);
    connect(calcula_, &QPushButton::clicked, this, [this] { detecta(); });
    connect(cancela_, &QPushButton::clicked, this, [this] {
        fila_->pide_parar();
        aviso_->setText(QString::fromUtf8(kCancelando));
    });
}

void FrmDeteccion::pon_ataque(const Ataque& ataque) {
    ataque_ = ataque;
    if (isVisible()) detecta();
}

void FrmDeteccion::detecta() {
    auto entrada = sesion_.entrada_del_barrido();
    if (!entrada) {
        aviso_->setText(QString::fromUtf8(kFaltaAnfitrion));
        return;
    }
    auto anfitrion = std::make_shared<const SuperficieMemoria>(std::move(entrada->anfitrion));
    const double clave = entrada->clave, alfa = alfa_->value();
    const int n = longitud_->value();
    aviso_->setText(QString::fromStdString(texto_detectando(ataque_.texto)));
    fila_->lanza([this, anfitrion, clave, alfa, n, ataque = ataque_](
                     std::stop_token, const FilaDeTrabajo::Progreso& progreso) {
        auto a = std::make_shared<AnalisisDeteccion>(
            analiza_deteccion(*anfitrion, clave, alfa, n, ataque, &jpeg_, 32, progreso));
        return [this, a](bool completo) { termina(a, completo); };
    });
}

void FrmDeteccion::termina(std::shared_ptr<AnalisisDeteccion> a, bool completo) {
    if (!completo) {
        aviso_->setText(QString::fromStdString(
            texto_de_cancelado(TrabajoLargo::Deteccion, progreso_->value())));
        return;
    }
    analisis_ = std::move(*a);
    muestra(*analisis_);
}

void FrmDeteccion::muestra(const AnalisisDeteccion& a) {
    if (!a.motivo.empty()) {
        aviso_->setText(QString::fromStdString(a.motivo));
        for (QChartView* v : {respuesta_, falsas_, curva_}) pon_grafico(v, nullptr);
        roc_->clear();
        return;
    }
    const char separador = separador_local();
    const double clave = sesion_.vbles().Clave, umbral = umbral_->value();
    aviso_->setText(
        QString::fromStdString(texto_del_detector(a, clave, umbral, ataque_.texto, separador)));
    pon_grafico(respuesta_,
                dibuja_grafico(describe_respuesta(a.respuesta, clave, umbral, separador)));
    pon_grafico(falsas_, dibuja_grafico(describe_falsas(a.respuesta.falsas, separador)));
    pon_grafico(curva_, dibuja_grafico(describe_roc(a.roc, separador)));
    roc_->setText(QString::fromStdString(texto_de_la_roc(a, separador)));
}

double FrmDeteccion::umbral() const {
    return umbral_->value();
}

void FrmDeteccion::espera() {
    fila_->espera();
}

}  // namespace zek
