// SPDX-License-Identifier: MIT
#include "ui/frm_laboratorio.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/numeros.h"
#include "graficos/graficos.h"
#include "qt/escritura.h"
#include "ui/dialogos.h"
#include "ui/frm_comparacion.h"
#include "ui/frm_deteccion.h"
#include "workflow/textos_trabajos.h"
#include "workflow/textos_ventana.h"

namespace zek {
namespace {

// The attacks as the one table names them, after "Sin ataque"; their
// ranges are the table's, the crop's limited by the picture analysed.
// nullptr: no attack.
const RangoAtaque* tipo_de_ataque(int indice) {
    return indice >= 1 && indice <= static_cast<int>(std::size(kRangosAtaque))
               ? &kRangosAtaque[indice - 1]
               : nullptr;
}

QPixmap vista(const SuperficieImagen& s, int aumento = 1) {
    const QImage imagen = a_qimage(s);
    if (aumento == 1) return QPixmap::fromImage(imagen);
    return QPixmap::fromImage(imagen.scaled(imagen.size() * aumento));
}

QLabel* caja_de_imagen(QWidget* padre, const char* nombre) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setMinimumSize(200, 150);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);  // what shows when there is no picture
    return l;
}

// In the laboratory's narrower charts the legend goes to the right, one
// entry a line, where every name has room.
void cambia_grafico(QChartView* vista, QChart* nuevo) {
    if (nuevo) nuevo->legend()->setAlignment(Qt::AlignRight);
    pon_grafico(vista, nuevo);
}

}  // namespace

FrmLaboratorio::FrmLaboratorio(QWidget* principal, const Sesion& sesion, Dialogos& dialogos)
    : QWidget(principal, Qt::Window), sesion_(sesion), dialogos_(dialogos) {
    setObjectName("FrmLaboratorio");
    setWindowTitle(QString::fromUtf8("Laboratorio de ZEK"));
    crea_controles();  // the sources come with actualiza_fuentes, once, when it opens
}

FrmLaboratorio::~FrmLaboratorio() {
    // The workers post to this window: stop them before it goes.
    analisis_.cancela();
    barrido_.reset();
}

void FrmLaboratorio::crea_controles() {
    auto* raiz = new QVBoxLayout(this);

    auto* eleccion = new QHBoxLayout();
    fuente_ = new QComboBox(this);
    fuente_->setObjectName("fuente");
    tipo_ = new QComboBox(this);
    tipo_->setObjectName("ataque");
    tipo_->addItem(QString::fromUtf8(kSinAtaque));
    for (const RangoAtaque& r : kRangosAtaque) tipo_->addItem(QString::fromUtf8(r.titulo));
    valor_ = new QDoubleSpinBox(this);
    valor_->setObjectName("valor");
    nombre_valor_ = new QLabel(this);
    eleccion->addWidget(new QLabel(QStringLiteral("Imagen:"), this));
    eleccion->addWidget(fuente_, 1);
    eleccion->addWidget(new QLabel(QStringLiteral("Ataque:"), this));
    eleccion->addWidget(tipo_);
    eleccion->addWidget(nombre_valor_);
    eleccion->addWidget(valor_);
    busca_rejilla_ = new QCheckBox(QString::fromUtf8(kBuscarLaRejilla), this);
    busca_rejilla_->setObjectName("busca_rejilla");
    busca_rejilla_->setEnabled(false);  // until a crop or a smaller picture asks for it
    eleccion->addWidget(busca_rejilla_);
    compara_ = new QPushButton(QString::fromUtf8("Comparar métodos…"), this);
    compara_->setObjectName("comparar_metodos");
    eleccion->addWidget(compara_);
    raiz->addLayout(eleccion);

    // The embedding method the analysis reads with; the block pairs are the
    // demonstration's own, at the degree in force.
    auto* con_metodo = new QHBoxLayout();
    metodo_ = new QComboBox(this);
    metodo_->setObjectName("metodo");
    for (const Metodo* m : metodos()) {
        metodo_->addItem(QString::fromUtf8("%1 (%2)").arg(QString::fromUtf8(m->titulo()),
                                                          QString::fromUtf8(m->fuerza().nombre)),
                         QString::fromUtf8(m->nombre()));
    }
    fuerza_ = new QDoubleSpinBox(this);
    fuerza_->setObjectName("fuerza");
    con_metodo->addWidget(new QLabel(QString::fromUtf8("Método:"), this));
    con_metodo->addWidget(metodo_);
    con_metodo->addWidget(new QLabel(QStringLiteral("Fuerza:"), this));
    con_metodo->addWidget(fuerza_);
    con_metodo->addStretch(1);
    detector_ = new QPushButton(QString::fromUtf8("Detector (espectro ensanchado)…"), this);
    detector_->setObjectName("detector_espectro");
    con_metodo->addWidget(detector_);
    raiz->addLayout(con_metodo);
    // The parameter's name changes with the attack: room for the longest, so
    // that nothing beside it moves.
    int ancho = 0;
    for (const RangoAtaque& r : kRangosAtaque)
        ancho = std::max(
            ancho, nombre_valor_->fontMetrics().horizontalAdvance(QString::fromUtf8(r.parametro)));
    nombre_valor_->setFixedWidth(ancho + 8);
    valor_->setRange(-255, kMayorRecorte);  // the widest value any attack takes
    valor_->setDecimals(1);
    valor_->setFixedWidth(valor_->sizeHint().width());
    nombre_valor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* imagenes = new QGridLayout();
    atacada_ = caja_de_imagen(this, "atacada");
    leida_ = caja_de_imagen(this, "leida");
    diferencia_ = caja_de_imagen(this, "diferencia");
    escala_ = new QLabel(this);
    escala_->setObjectName("escala");
    imagenes->addWidget(new QLabel(QStringLiteral("Imagen atacada"), this), 0, 0);
    imagenes->addWidget(new QLabel(QString::fromUtf8("Marca leída a ciegas"), this), 0, 1);
    vista_diferencia_ = new QComboBox(this);
    vista_diferencia_->setObjectName("vista_diferencia");
    for (const char* vista : kVistasDeLaDiferencia)
        vista_diferencia_->addItem(QString::fromUtf8(vista));
    imagenes->addWidget(vista_diferencia_, 0, 2);
    imagenes->addWidget(atacada_, 1, 0);
    imagenes->addWidget(leida_, 1, 1);
    imagenes->addWidget(diferencia_, 1, 2);
    imagenes->addWidget(escala_, 2, 2);
    cifras_ = new QLabel(this);
    cifras_->setObjectName("cifras");
    cifras_->setWordWrap(true);  // a long reading wraps instead of widening the window
    escala_->setWordWrap(true);
    imagenes->addWidget(cifras_, 2, 0, 1, 2);
    raiz->addLayout(imagenes);

    auto* graficos = new QHBoxLayout();
    histograma_ = new QChartView(new QChart(), this);
    histograma_->setObjectName("histograma");
    histograma_->setMinimumSize(440, 280);
    histograma_->setRenderHint(QPainter::Antialiasing);
    auto* caja_barrido = new QGroupBox(QString::fromUtf8("Barrido de grados"), this);
    auto* barrido = new QVBoxLayout(caja_barrido);
    grafico_barrido_ = new QChartView(new QChart(), caja_barrido);
    grafico_barrido_->setObjectName("grafico_barrido");
    grafico_barrido_->setMinimumSize(440, 220);
    grafico_barrido_->setRenderHint(QPainter::Antialiasing);
    auto* botones = new QHBoxLayout();
    lanza_barrido_ = new QPushButton(QString::fromUtf8("Calcular"), caja_barrido);
    lanza_barrido_->setObjectName("lanza_barrido");
    cancela_barrido_ = new QPushButton(QStringLiteral("Cancelar"), caja_barrido);
    cancela_barrido_->setObjectName("cancela_barrido");
    cancela_barrido_->setEnabled(false);
    progreso_ = new QProgressBar(caja_barrido);
    progreso_->setObjectName("progreso");
    exporta_png_ = new QPushButton(QString::fromUtf8("Exportar PNG…"), caja_barrido);
    exporta_png_->setObjectName("exporta_png");
    exporta_csv_ = new QPushButton(QString::fromUtf8("Exportar CSV…"), caja_barrido);
    exporta_csv_->setObjectName("exporta_csv");
    exporta_png_->setEnabled(false);
    exporta_csv_->setEnabled(false);
    // Two short rows, so that the box fits beside the histogram on a 1024
    // pixel projector.
    for (QWidget* w : std::initializer_list<QWidget*>{lanza_barrido_, cancela_barrido_, progreso_})
        botones->addWidget(w);
    auto* exportar = new QHBoxLayout();
    exportar->addWidget(exporta_png_);
    exportar->addWidget(exporta_csv_);
    exportar->addStretch(1);
    barrido->addLayout(botones);
    barrido->addLayout(exportar);
    aviso_barrido_ = new QLabel(caja_barrido);
    aviso_barrido_->setObjectName("aviso_barrido");
    aviso_barrido_->setWordWrap(true);
    barrido->addWidget(aviso_barrido_);
    barrido->addWidget(grafico_barrido_, 1);
    graficos->addWidget(histograma_, 1);
    graficos->addWidget(caja_barrido, 1);
    raiz->addLayout(graficos, 1);

    connect(fuente_, &QComboBox::currentIndexChanged, this, [this] {
        {
            const QSignalBlocker sin_senales(valor_);
            limita_valor();
        }
        muestra_fuente();
        analiza_de_nuevo();
    });
    connect(tipo_, &QComboBox::currentIndexChanged, this, [this] {
        cambia_tipo_de_ataque();
        analiza_de_nuevo();
        avisa_al_detector();
    });
    connect(valor_, &QDoubleSpinBox::valueChanged, this, [this] {
        analiza_de_nuevo();
        avisa_al_detector();
    });
    connect(vista_diferencia_, &QComboBox::currentIndexChanged, this,
            [this] { muestra_diferencia(); });
    barrido_ = std::make_unique<FilaDeTrabajo>(this, lanza_barrido_, cancela_barrido_, progreso_);
    connect(busca_rejilla_, &QCheckBox::toggled, this, [this] { analiza_de_nuevo(); });
    connect(lanza_barrido_, &QPushButton::clicked, this, [this] { lanza_barrido(); });
    connect(compara_, &QPushButton::clicked, this, [this] { abre_comparacion(); });
    connect(detector_, &QPushButton::clicked, this, [this] { abre_deteccion(); });
    connect(metodo_, &QComboBox::currentIndexChanged, this, [this] {
        cambia_metodo();
        analiza_de_nuevo();
    });
    connect(fuerza_, &QDoubleSpinBox::valueChanged, this, [this] { analiza_de_nuevo(); });
    connect(cancela_barrido_, &QPushButton::clicked, this, [this] { cancela_barrido(); });
    connect(exporta_png_, &QPushButton::clicked, this, [this] { exporta_png(); });
    connect(exporta_csv_, &QPushButton::clicked, this, [this] { exporta_csv(); });
    cambia_tipo_de_ataque();
    cambia_metodo();
    pon_nombres_accesibles();
}

// Names a screen reader gives the controls; the labels of the pictures and
// figures already say what they show.
void FrmLaboratorio::pon_nombres_accesibles() {
    struct Nombre {
        QWidget* control;
        const char *nombre, *descripcion;
    };
    const Nombre nombres[] = {
        {fuente_, "Imagen que se ataca",
         "La imagen marcada del paso 2 o una abierta de un archivo"},
        {tipo_, "Ataque", "Lo que se le hace a la imagen antes de leer la marca"},
        {nombre_valor_, "Nombre del parámetro del ataque", ""},
        {valor_, "Parámetro del ataque",
         "Calidad, desviación, lado, desplazamiento, píxeles o "
         "porcentaje, según el ataque"},
        {atacada_, "Imagen atacada", "La imagen después del ataque"},
        {leida_, "Marca leída a ciegas de la imagen atacada",
         "Blanco, píxel leído claro; negro, oscuro; gris, sin par de bloques"},
        {diferencia_, "Diferencia de luminancia con la imagen principal, amplificada",
         "Dónde y cuánto ha cambiado la inserción la luminancia"},
        {escala_, "Escala de la diferencia", ""},
        {vista_diferencia_, "Qué diferencia se muestra",
         "Lo que cambió la marca, o lo que cambiaron la marca y el ataque juntos"},
        {cifras_, "Píxeles correctos, tasa de error y PSNR", ""},
        {histograma_, "Histograma de los restos de los pares de bloques",
         "Antes y después de insertar y tras el ataque, píxeles claros y oscuros por separado"},
        {grafico_barrido_, "Tasa de error y PSNR según el grado",
         "Para cada ataque, cuántos píxeles se leen mal con cada grado"},
        {lanza_barrido_, "Calcular el barrido de grados", "Repite la demostración con 16 grados"},
        {cancela_barrido_, "Cancelar el barrido", ""},
        {progreso_, "Progreso del barrido", ""},
        {aviso_barrido_, "Estado del barrido", "Si se ha cancelado y dónde se ha exportado"},
        {metodo_, "Método de inserción",
         "Con qué método se inserta y se lee la marca en el laboratorio"},
        {fuerza_, "Fuerza del método", "El plano de bits o alfa; el grado para los pares"},
        {compara_, "Comparar métodos",
         "Los pares de bloques, el bit menos significativo y la DCT al mismo PSNR"},
        {detector_, "Detector de espectro ensanchado",
         "Si la marca de la clave está, con sus falsas alarmas"},
        {exporta_png_, "Exportar el barrido como PNG", ""},
        {exporta_csv_, "Exportar el barrido como CSV", ""},
    };
    for (const Nombre& n : nombres) {
        n.control->setAccessibleName(QString::fromUtf8(n.nombre));
        n.control->setAccessibleDescription(QString::fromUtf8(n.descripcion));
    }
    for (QLabel* l : findChildren<QLabel*>()) {
        if (l->accessibleName().isEmpty()) l->setAccessibleName(l->text());
    }
}

void FrmLaboratorio::cambia_tipo_de_ataque() {
    const RangoAtaque* r = tipo_de_ataque(tipo_->currentIndex());
    const QSignalBlocker sin_senales(valor_);
    valor_->setDecimals(r ? r->decimales : 0);
    limita_valor();
    valor_->setValue(r ? r->inicial : 0);
    valor_->setEnabled(r != nullptr);
    nombre_valor_->setText(r ? QString::fromUtf8(r->parametro) : QString());
}

// The attack's range on the picture analysed: no crop empties it.
void FrmLaboratorio::limita_valor() {
    const RangoAtaque* r = tipo_de_ataque(tipo_->currentIndex());
    const auto f = fuente();
    const double hasta = !r  ? 0
                         : f ? hasta_en_imagen(*r, f->imagen.ancho(), f->imagen.alto())
                             : r->hasta;
    valor_->setRange(r ? r->desde : 0, hasta);
}

std::string FrmLaboratorio::ataque_elegido() const {
    const RangoAtaque* r = tipo_de_ataque(tipo_->currentIndex());
    return r ? std::string(r->nombre) + ":" + texto_exacto(valor_->value()) : "brillo:0";
}

void FrmLaboratorio::actualiza_fuentes() {
    analisis_.pide_parar();  // its result, now stale, is dropped when it comes
    auto marcada = sesion_.fuente_marcada();
    auto abierta = sesion_.fuente_abierta();
    marcada_ = marcada ? std::make_shared<const FuenteLaboratorio>(std::move(*marcada)) : nullptr;
    abierta_ = abierta ? std::make_shared<const FuenteLaboratorio>(std::move(*abierta)) : nullptr;
    const QSignalBlocker sin_senales(fuente_);
    const int antes = fuente_->currentIndex();
    fuente_->clear();
    if (marcada_) fuente_->addItem(QString::fromStdString(marcada_->nombre), 0);
    if (abierta_) fuente_->addItem(QString::fromStdString(abierta_->nombre), 1);
    if (fuente_->count() == 0) {
        fuente_->addItem(QString::fromUtf8("Ninguna: da el paso 2 o abre una imagen marcada"), -1);
    }
    fuente_->setCurrentIndex(std::clamp(antes, 0, fuente_->count() - 1));
    {
        const QSignalBlocker sin_valor(valor_);
        limita_valor();
    }
    if (!sesion_.vbles().MatrizMarca.contiene(1, 1)) olvida_barrido();
    if (bloques_elegidos()) {
        const QSignalBlocker sin_fuerza(fuerza_);
        fuerza_->setValue(sesion_.vbles().Grado);  // the degree in force
    }
    lanza_barrido_->setEnabled(puede_barrer());
    compara_->setEnabled(sesion_.entrada_del_barrido().has_value());
    detector_->setEnabled(compara_->isEnabled());
    muestra_fuente();
    analiza_de_nuevo();
}

// A host and a watermark captured (a reset discards the watermark), and no
// sweep still winding down.
bool FrmLaboratorio::puede_barrer() const {
    return !barrido_->en_marcha() && se_puede_barrer(sesion_, metodo_elegido());
}

// The detector, when open, follows the attack chosen here.
void FrmLaboratorio::avisa_al_detector() {
    if (!deteccion_ || !deteccion_->isVisible()) return;
    if (const auto a = lee_ataque(ataque_elegido())) deteccion_->pon_ataque(*a);
}

void FrmLaboratorio::abre_deteccion() {
    if (!deteccion_) deteccion_ = new FrmDeteccion(this, sesion_);
    deteccion_->show();
    deteccion_->raise();
    if (const auto a = lee_ataque(ataque_elegido())) deteccion_->pon_ataque(*a);
}

void FrmLaboratorio::abre_comparacion() {
    if (!comparacion_) comparacion_ = new FrmComparacion(this, sesion_);
    comparacion_->show();
    comparacion_->raise();
    comparacion_->compara();
}

void FrmLaboratorio::muestra_abierta() {
    const int i = fuente_->findData(1);
    if (i >= 0) fuente_->setCurrentIndex(i);
}

std::shared_ptr<const FuenteLaboratorio> FrmLaboratorio::fuente() const {
    const int cual = fuente_->currentData().toInt();
    return cual == 0 ? marcada_ : cual == 1 ? abierta_ : nullptr;
}

// What does not depend on the attack.
void FrmLaboratorio::muestra_fuente() {
    ultimo_.reset();
    muestra_diferencia();
}

// The difference chosen, with its scale: the mark's alone (from the source)
// or the mark's and the attack's together (from the last analysis).
void FrmLaboratorio::muestra_diferencia() {
    const auto f = fuente_en_uso();
    // After a search its two maps take the difference's place: a cut has
    // no pixel-by-pixel difference to show.
    const bool mapas = ultimo_ && ultimo_->sincronizacion;
    vista_diferencia_->setEnabled(!mapas);
    if (mapas) {
        // One sharp cell per offset, however many offsets there are.
        const QImage juntos = a_qimage(imagen_de_mapas(*ultimo_->sincronizacion));
        diferencia_->setPixmap(QPixmap::fromImage(
            juntos.scaled(260, 200, Qt::KeepAspectRatio, Qt::FastTransformation)));
        escala_->setText(QString::fromUtf8(kLeyendaDeLosMapas));
        return;
    }
    const bool con_ataque = vista_diferencia_->currentIndex() == 1;
    const Diferencia* d = !f                               ? nullptr
                          : !con_ataque                    ? &f->diferencia
                          : ultimo_ && ultimo_->diferencia ? &*ultimo_->diferencia
                                                           : nullptr;
    const bool hay_anfitrion = f && f->Y_original.dimensionada();
    diferencia_->setPixmap(d && hay_anfitrion ? vista(d->imagen) : QPixmap());
    escala_->setText(
        QString::fromStdString(texto_de_escala(f.get(), d, ultimo_ != nullptr, separador_local())));
}

const Metodo& FrmLaboratorio::metodo_elegido() const {
    return *metodos()[static_cast<size_t>(std::max(metodo_->currentIndex(), 0))];
}

// Each method's strength: the block pairs take the degree in force.
void FrmLaboratorio::cambia_metodo() {
    const Fuerza& r = metodo_elegido().fuerza();
    const QSignalBlocker sin_senales(fuerza_);
    fuente_metodo_.reset();
    if (bloques_elegidos()) {
        fuerza_->setRange(0, 1e6);
        fuerza_->setValue(sesion_.vbles().Grado);
        fuerza_->setEnabled(false);
    } else {
        fuerza_->setDecimals(r.decimales);
        fuerza_->setRange(r.desde, r.hasta);
        fuerza_->setSingleStep(r.paso);
        fuerza_->setValue(r.inicial);
        fuerza_->setEnabled(true);
    }
    lanza_barrido_->setEnabled(puede_barrer());
}

// The source the analysis shows: the block pairs' own, or the one another
// method's analysis made.
std::shared_ptr<const FuenteLaboratorio> FrmLaboratorio::fuente_en_uso() const {
    return bloques_elegidos() ? fuente() : fuente_metodo_;
}

void FrmLaboratorio::analiza_de_nuevo() {
    const unsigned generacion = ++generacion_;
    const auto ataque = lee_ataque(ataque_elegido());
    const int cual = fuente_->currentData().toInt();
    const bool bloques = bloques_elegidos();
    if (!ataque) return limpia_analisis();
    EleccionLaboratorio e = eleccion_del_laboratorio(sesion_, fuente(), cual == 1, metodo_elegido(),
                                                     fuerza_->value(), *ataque, true);
    busca_rejilla_->setEnabled(ofrece_busqueda(e));
    e.busca_rejilla = busca_rejilla_->isEnabled() && busca_rejilla_->isChecked();
    if (!se_puede_analizar(e)) return limpia_analisis();
    cifras_->setText(QString::fromUtf8("Calculando…"));
    auto datos = std::make_shared<const EleccionLaboratorio>(std::move(e));
    analisis_.lanza([this, datos, bloques, generacion](std::stop_token parar) {
        auto a = std::make_shared<const AnalisisLaboratorio>(analiza_eleccion(*datos, &jpeg_));
        if (parar.stop_requested()) return;
        QMetaObject::invokeMethod(
            this,
            [this, a, bloques, generacion] {
                if (generacion != generacion_) return;
                if (!bloques) fuente_metodo_ = a->fuente;
                if (!a->resultado) {
                    atacada_->setPixmap({});
                    leida_->setPixmap({});
                    cifras_->setText(QString::fromStdString(a->motivo));
                    muestra_diferencia();
                    return;
                }
                muestra(std::shared_ptr<const ResultadoLaboratorio>(a, &*a->resultado));
            },
            Qt::QueuedConnection);
    });
}

// Nothing to analyse: no attacked picture, no reading, no figures.
void FrmLaboratorio::limpia_analisis() {
    atacada_->setPixmap({});
    leida_->setPixmap({});
    cifras_->setText({});
    if (bloques_elegidos()) cambia_grafico(histograma_, new QChart());
}

void FrmLaboratorio::muestra(std::shared_ptr<const ResultadoLaboratorio> resultado) {
    const auto f = fuente_en_uso();
    if (!f) return;
    ultimo_ = std::move(resultado);
    const ResultadoLaboratorio& r = *ultimo_;
    muestra_diferencia();
    atacada_->setPixmap(vista(r.atacada));
    const bool leida = r.aciertos && r.aciertos->total > 0;
    leida_->setPixmap(leida ? vista(r.leida, 3) : QPixmap());  // no reading: nothing to show
    if (r.detectada) {
        leida_->setText(QString::fromUtf8(kSinLecturaEspectro));
    }
    const char separador = QLocale().decimalPoint()[0].toLatin1();
    std::string cifras = texto_de_cifras(r, *f, separador);
    if (const std::string busqueda = texto_de_busqueda(r, separador); !busqueda.empty())
        cifras += "\n" + busqueda;
    cifras_->setText(QString::fromStdString(cifras));
    cambia_grafico(histograma_, dibuja_grafico(describe_laboratorio(r, *f, metodo_elegido(),
                                                                    separador_local())));
}

void FrmLaboratorio::lanza_barrido() {
    auto entrada = sesion_.entrada_del_barrido();
    if (!entrada) return;
    auto e = std::make_shared<const EntradaBarrido>(std::move(*entrada));
    const std::vector<Ataque> ataques = ataques_del_barrido();
    // Another method sweeps its strength on its own embedding.
    const Metodo* m = &metodo_elegido();
    if (!m->lee_la_marca()) return;
    const int Wm = e->marca.ancho(), Hm = e->marca.alto();
    auto bits = std::make_shared<const Bits>(bits_de_marca(sesion_.vbles().MatrizMarca, Wm, Hm));
    magnitud_barrido_ = m->de_la_demostracion() ? "grado" : "fuerza";
    pon_exportables(false);
    aviso_barrido_->setText(QString::fromUtf8(kCalculandoBarrido));
    barrido_->lanza([this, e, ataques, m, bits, Wm, Hm](std::stop_token,
                                                        const FilaDeTrabajo::Progreso& progreso) {
        auto filas =
            m->de_la_demostracion()
                ? barrido_de_grados(e->anfitrion, e->marca, grados_del_barrido(), e->clave, ataques,
                                    &jpeg_, progreso)
                : barrido_de_fuerzas(*m, e->anfitrion, *bits, Wm, Hm, fuerzas_del_barrido(*m),
                                     e->clave, ataques, &jpeg_, progreso);
        return [this, f = std::make_shared<std::vector<FilaBarrido>>(std::move(filas))](
                   bool completo) { termina_barrido(std::move(*f), completo); };
    });
}

// The pictures the sweep was made from are gone (a reset): its chart goes
// with them, and a sweep under way is dropped when it reports.
void FrmLaboratorio::olvida_barrido() {
    barrido_->olvida();
    lanza_barrido_->setEnabled(puede_barrer());
    if (filas_barrido_.empty()) return;
    filas_barrido_.clear();
    cambia_grafico(grafico_barrido_, new QChart());
    pon_exportables(false);
    aviso_barrido_->clear();
}

// Only asks: the worker stops after the degree under way and reports back,
// so the window never waits for it.
void FrmLaboratorio::cancela_barrido() {
    barrido_->pide_parar();
    aviso_barrido_->setText(QString::fromUtf8(kCancelando));
}

void FrmLaboratorio::termina_barrido(std::vector<FilaBarrido> filas, bool completo) {
    lanza_barrido_->setEnabled(puede_barrer());
    if (!completo) {
        // The bar stays where it stopped; the chart is the last complete one.
        aviso_barrido_->setText(QString::fromStdString(texto_de_cancelado(
            TrabajoLargo::Barrido, progreso_->value(), !filas_barrido_.empty())));
        pon_exportables(!filas_barrido_.empty());
        return;
    }
    filas_barrido_ = std::move(filas);
    aviso_barrido_->clear();
    cambia_grafico(grafico_barrido_, dibuja_grafico(describe_barrido(
                                         filas_barrido_, magnitud_barrido_, separador_local())));
    pon_exportables(!filas_barrido_.empty());
}

void FrmLaboratorio::exporta_png() {
    // Drawn here, where widgets live; encoded and written on the worker.
    const QImage grafico = imagen_de_grafico(
        dibuja_grafico(describe_barrido(filas_barrido_, magnitud_barrido_, separador_local())));
    exporta(QStringLiteral("PNG (*.png)"), QStringLiteral("barrido.png"),
            [grafico] { return codifica_imagen(grafico, "PNG").value_or(QByteArray()); });
}

void FrmLaboratorio::exporta_csv() {
    exporta(QStringLiteral("CSV (*.csv)"), QStringLiteral("barrido.csv"),
            [csv = barrido_csv(filas_barrido_)] { return QByteArray::fromStdString(csv); });
}

// Asks where, then encodes and writes on a worker through the checked
// write; says where it wrote, or why it could not.
void FrmLaboratorio::exporta(const QString& filtro, const QString& sugerido,
                             std::function<QByteArray()> bytes) {
    const QString ruta = dialogos_.elige_archivo_para_guardar(this, filtro, sugerido);
    if (ruta.isEmpty()) return;
    aviso_barrido_->setText(QString::fromUtf8("Exportando…"));
    pon_exportables(false);
    exportacion_.lanza([this, ruta, bytes = std::move(bytes)](std::stop_token) {
        const QByteArray datos = bytes();
        const std::string error = datos.isEmpty() ? "no se ha podido codificar."
                                                  : escribe_archivo(ruta.toStdString(), datos);
        QMetaObject::invokeMethod(
            this, [this, ruta, error] { termina_exportacion(ruta, error); }, Qt::QueuedConnection);
    });
}

void FrmLaboratorio::termina_exportacion(const QString& ruta, const std::string& error) {
    pon_exportables(!filas_barrido_.empty() && !barrido_->en_marcha());
    const QString nombre = QFileInfo(ruta).fileName();
    if (error.empty()) {
        aviso_barrido_->setText(QString::fromUtf8("Exportado en «%1».").arg(ruta));
        return;
    }
    aviso_barrido_->setText(QString::fromUtf8("No se ha exportado «%1».").arg(nombre));
    dialogos_.mensaje(this,
                      QString::fromUtf8("No se ha podido guardar «%1»: %2")
                          .arg(nombre, QString::fromStdString(error)),
                      Icono::Informacion, kTituloAplicacion);
}

void FrmLaboratorio::pon_exportables(bool si) {
    exporta_png_->setEnabled(si);
    exporta_csv_->setEnabled(si);
}

void FrmLaboratorio::espera() {
    analisis_.espera();
    barrido_->espera();
    exportacion_.espera();
    QCoreApplication::sendPostedEvents(progreso_);
    QCoreApplication::sendPostedEvents(this);
}

}  // namespace zek
