// SPDX-License-Identifier: MIT
#include "ui/frm_principal.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>
#include <utility>

#include "base/version.h"
#include "graficos/hoja_de_clase.h"
#include "qt/escritura.h"
#include "qt/guardado.h"
#include "qt/imagen_qt.h"
#include "qt/numero_local.h"
#include "ui/estilo.h"
#include "ui/frm_comparacion.h"
#include "ui/frm_deteccion.h"
#include "ui/frm_laboratorio.h"
#include "ui/frm_parametro.h"
#include "ui/iconos.h"
#include "workflow/informe.h"
#include "workflow/textos_ventana.h"

namespace zek {
QString carpeta_de_muestras() {
    const QString instaladas =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zek/samples");
    if (QFileInfo(instaladas).isDir()) return QFileInfo(instaladas).canonicalFilePath();
    return QStringLiteral(ZEK_CARPETA_MUESTRAS);
}

namespace {

const QColor kAmarilloClaro(255, 255, 128);
const QColor kVerde(0, 255, 0);
const QColor kAmarillo(255, 255, 0);

}  // namespace

FrmPrincipal::FrmPrincipal(Dialogos& dialogos, std::function<void()> salir)
    : dialogos_(dialogos), salir_(std::move(salir)) {
    if (!salir_) salir_ = [] { QCoreApplication::exit(0); };
    setObjectName("FrmPrincipal");
    setWindowTitle(kTituloAplicacion);
    carpeta_ = carpeta_de_muestras();
    sesion_ = std::make_unique<Sesion>(*this, lector_);
    crea_controles();
    crea_acciones();
    // The findings stay until the next one: a permanent label of the status
    // bar, which the empty status tips of highlighted menu items never erase.
    Estado = new QLabel(statusBar());
    Estado->setObjectName("Estado");
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(Estado, 1);
    pon_orden_de_tabulacion();
    pon_nombres_accesibles();
    // The menus from the keyboard: F10 opens the first, the arrows go on
    // (the design gives Parámetros and Reset no access key).
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    // Qt's menu bar opens the menu of the item reached from another menu with
    // the arrows, but an item without one, such as Reset, is only
    // highlighted: remember it, and let Return fire it.
    connect(menuBar(), &QMenuBar::hovered, this, [this](QAction* a) {
        sin_menu_por_teclado_ = flecha_en_menu_ && a && !a->menu() ? a : nullptr;
    });
    qApp->installEventFilter(this);
    Command1->setFocus();
}

FrmPrincipal::~FrmPrincipal() = default;

bool FrmPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return QMainWindow::eventFilter(objeto, evento);
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    const bool flecha = tecla == Qt::Key_Left || tecla == Qt::Key_Right;
    flecha_en_menu_ = flecha && QApplication::activePopupWidget() != nullptr;
    QAction* accion = std::exchange(sin_menu_por_teclado_, nullptr);
    if (!accion || menuBar()->activeAction() != accion) return false;
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Space) {
        menuBar()->setActiveAction(nullptr);
        if (accion->isEnabled()) accion->trigger();
        return true;
    }
    if (tecla == Qt::Key_Escape) {
        menuBar()->setActiveAction(nullptr);
        return true;
    }
    if (flecha) {  // on along the menu bar, as from any other item
        const QList<QAction*> items = menuBar()->actions();
        const qsizetype n = items.size();
        const qsizetype i = (items.indexOf(accion) + (tecla == Qt::Key_Right ? 1 : n - 1)) % n;
        flecha_en_menu_ = true;
        menuBar()->setActiveAction(items[i]);
        return true;
    }
    return false;
}

QLabel* FrmPrincipal::etiqueta(QWidget* padre, const char* nombre, const QString& texto,
                               const QRect& r, const QFont& fuente, const QColor& color) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setGeometry(r);
    l->setFont(fuente);
    pon_color_texto(l, color);
    return l;
}

void FrmPrincipal::crea_controles() {
    auto* cliente = new QWidget(this);
    cliente->setObjectName("cliente");
    cliente->setMinimumSize(1009, 658);
    pon_color_fondo(cliente, QPalette::Window, kColorEscritorio);
    setCentralWidget(cliente);

    LpASO = etiqueta(cliente, "LpASO", QString::fromUtf8(kTextoPaso[0]), {8, 8, 1001, 25},
                     fuente_serif(16, true), kAmarilloClaro);
    Picture1 = new PictureBox(cliente, {8, 48}, sesion_->Picture1());
    Picture2 = new PictureBox(cliente, {416, 48}, sesion_->Picture2());
    Picture3 = new PictureBox(cliente, {624, 48}, sesion_->Picture3());
    Picture4 = new PictureBox(cliente, {416, 328}, sesion_->Picture4());
    Picture1->setObjectName("Picture1");
    Picture2->setObjectName("Picture2");
    Picture3->setObjectName("Picture3");
    Picture4->setObjectName("Picture4");
    // A picture file dropped on the host's or the watermark's box opens there.
    Picture1->pon_al_soltar([this](const QString& f) { abre_archivo(f, Rol::Imagen); });
    Picture2->pon_al_soltar([this](const QString& f) { abre_archivo(f, Rol::Marca); });
    // After stage 1, the pointer resting on a block tells what happened to its pair.
    for (PictureBox* p : {Picture1, Picture3}) {
        p->pon_consejo([this](int x, int y) {
            return QString::fromStdString(sesion_->demostracion().descripcion_de_par(x, y));
        });
    }

    Command1 = new QPushButton(cliente);
    Command1->setObjectName("Command1");
    Command1->setGeometry(440, 288, 51, 33);
    Command1->setIcon(icono_flecha());
    Command1->setIconSize({32, 32});
    pon_boton_plano(Command1, QStringLiteral("rgb(255, 255, 192)"));

    LBloque = etiqueta(cliente, "LBloque", {}, {16, 544, 193, 17}, fuente_sans(13, true), kVerde);
    LNumBloques =
        etiqueta(cliente, "LNumBloques", {}, {216, 544, 177, 17}, fuente_sans(13, true), kVerde);

    auto* Frame1 = new QGroupBox(QString::fromUtf8(kTituloDatos), cliente);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(16, 568, 401, 81);
    Frame1->setFont(fuente_sans(13, true));
    pon_color_fondo(Frame1, QPalette::Window, kColorEscritorio);
    pon_color_texto(Frame1, kAmarillo);
    const QString grado = QString::fromUtf8(kTextoGrado);
    const QString clave = QString::fromUtf8(kTextoClave);
    LGrado = etiqueta(Frame1, "LGrado", grado, {8, 24, 385, 17}, fuente_sans(11, true), Qt::white);
    LClave = etiqueta(Frame1, "LClave", clave, {8, 48, 385, 17}, fuente_sans(11, true), Qt::white);

    auto* Frame2 = new QGroupBox(QString::fromUtf8(kTituloActualizar), cliente);
    Frame2->setObjectName("Frame2");
    Frame2->setGeometry(424, 568, 433, 81);
    Frame2->setFont(fuente_sans(13, true));
    pon_color_fondo(Frame2, QPalette::Window, kColorEscritorio);
    pon_color_texto(Frame2, kAmarillo);
    etiqueta(Frame2, "Label2", grado, {8, 24, 313, 17}, fuente_sans(11, true), Qt::white);
    etiqueta(Frame2, "Label1", clave, {8, 48, 313, 17}, fuente_sans(11, true), Qt::white);
    for (auto [caja, nombre, y] :
         {std::tuple{&Txt_Grado, "Txt_Grado", 24}, std::tuple{&Txt_Clave, "Txt_Clave", 48}}) {
        *caja = new QLineEdit(QStringLiteral("0"), Frame2);
        (*caja)->setObjectName(nombre);
        (*caja)->setGeometry(320, y, 81, 19);
        (*caja)->setFont(fuente_sans(11, false));
    }
    for (auto [boton, nombre, y] :
         {std::tuple{&Cmd_Grado, "Cmd_Grado", 24}, std::tuple{&Cmd_Clave, "Cmd_Clave", 48}}) {
        *boton = new QPushButton(QStringLiteral("I"), Frame2);
        (*boton)->setObjectName(nombre);
        (*boton)->setGeometry(408, y, 17, 17);
        (*boton)->setFont(fuente_serif(11, false));
        pon_boton_plano(*boton, QStringLiteral("palette(button)"));
    }

    CmdSalir = new QToolButton(cliente);
    CmdSalir->setObjectName("CmdSalir");
    CmdSalir->setGeometry(872, 576, 49, 73);
    CmdSalir->setText(QString::fromUtf8(kTextoSalir));
    CmdSalir->setIcon(icono_caminante());
    CmdSalir->setIconSize({32, 32});
    CmdSalir->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    CmdSalir->setFont(fuente_sans(11, false));
    CmdSalir->setFocusPolicy(Qt::StrongFocus);
    pon_boton_plano(CmdSalir, QStringLiteral("rgb(255, 0, 0)"));

    connect(Command1, &QPushButton::clicked, this, &FrmPrincipal::Command1_Click);
    connect(Cmd_Grado, &QPushButton::clicked, this, &FrmPrincipal::Cmd_Grado_Click);
    connect(Cmd_Clave, &QPushButton::clicked, this, &FrmPrincipal::Cmd_Clave_Click);
    connect(CmdSalir, &QToolButton::clicked, this, &FrmPrincipal::CmdSalir_Click);
}

void FrmPrincipal::crea_acciones() {
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    archivo->setObjectName("MnuArchivo");
    QMenu* abrir = archivo->addMenu(QStringLiteral("&Abrir"));
    abrir->setObjectName("SubAbrir");
    QAction* imagen =
        abrir->addAction(QStringLiteral("&Imagen"), this, &FrmPrincipal::SubImagen_Click);
    imagen->setObjectName("SubImagen");
    QAction* marca =
        abrir->addAction(QStringLiteral("&Marca de Agua"), this, &FrmPrincipal::SubMarcaAgua_Click);
    marca->setObjectName("SubMarcaAgua");
    abrir
        ->addAction(QString::fromUtf8("Imagen ma&rcada…"), this, &FrmPrincipal::abre_imagen_marcada)
        ->setObjectName("SubAbrirMarcada");
    QMenu* guardar = archivo->addMenu(QStringLiteral("&Guardar"));
    guardar->setObjectName("SubGuardar");
    SubGuardarMarcada = guardar->addAction(QString::fromUtf8("&Imagen marcada…"), this,
                                           &FrmPrincipal::guarda_imagen_marcada);
    SubGuardarMarcada->setObjectName("SubGuardarMarcada");
    SubGuardarExtraida = guardar->addAction(QString::fromUtf8("&Marca extraída…"), this,
                                            &FrmPrincipal::guarda_marca_extraida);
    SubGuardarExtraida->setObjectName("SubGuardarExtraida");
    archivo
        ->addAction(QString::fromUtf8("E&xportar hoja de clase…"), this,
                    &FrmPrincipal::exporta_hoja)
        ->setObjectName("SubHoja");
    SubRepetir = archivo->addAction(QString::fromUtf8("&Repetir con las mismas imágenes"), this,
                                    &FrmPrincipal::repite);
    SubRepetir->setObjectName("SubRepetir");
    SubRepetir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    SubRepetir->setEnabled(false);  // until a picture has been opened

    archivo->addAction(QString::fromUtf8("A&cerca de ZEK…"), this, &FrmPrincipal::acerca_de)
        ->setObjectName("SubAcercaDe");
    SubGuardarMarcada->setEnabled(false);   // until stage 1 has drawn
    SubGuardarExtraida->setEnabled(false);  // until a watermark has been read

    QMenu* parametros = menuBar()->addMenu(QString::fromUtf8("Parámetros"));
    parametros->setObjectName("MnuParametros");
    QAction* resistencia =
        parametros->addAction(QStringLiteral("Grado Resistencia a ataqes de altas frecuencias"),
                              this, &FrmPrincipal::MnuResistencia_Click);
    resistencia->setObjectName("MnuResistencia");
    QAction* clave =
        parametros->addAction(QString::fromUtf8("Clave de codificación de la marca de Agua"), this,
                              &FrmPrincipal::MnuClave_Click);
    clave->setObjectName("MnuClave");

    QAction* reset =
        menuBar()->addAction(QStringLiteral("Reset"), this, &FrmPrincipal::MnuReset_Click);
    reset->setObjectName("MnuReset");

    QMenu* laboratorio = menuBar()->addMenu(QStringLiteral("&Laboratorio"));
    laboratorio->setObjectName("MnuLaboratorio");
    laboratorio
        ->addAction(QString::fromUtf8("&Ataques, histograma y barrido…"), this,
                    &FrmPrincipal::abre_laboratorio)
        ->setObjectName("SubLaboratorio");
}

void FrmPrincipal::pon_orden_de_tabulacion() {
    // Only these take the focus; the pictures, labels and frames between
    // them in the design order do not.
    QWidget::setTabOrder(Command1, Txt_Grado);
    QWidget::setTabOrder(Txt_Grado, Txt_Clave);
    QWidget::setTabOrder(Txt_Clave, Cmd_Grado);
    QWidget::setTabOrder(Cmd_Grado, Cmd_Clave);
    QWidget::setTabOrder(Cmd_Clave, CmdSalir);
}

void FrmPrincipal::refresca() {
    for (PictureBox* p : {Picture1, Picture2, Picture3, Picture4}) p->refresca();
    nombra_pictures();
    SubGuardarMarcada->setEnabled(sesion_->demostracion().informe().insertada);
    SubGuardarExtraida->setEnabled(sesion_->marca_extraida().has_value());
    SubRepetir->setEnabled(!sesion_->ruta_anfitrion().empty() || !sesion_->ruta_marca().empty());
    if (laboratorio_ && laboratorio_->isVisible()) laboratorio_->actualiza_fuentes();
}

void FrmPrincipal::Command1_Click() {
    sesion_->Command1_Click();
    refresca();
}

void FrmPrincipal::MnuReset_Click() {
    sesion_->MnuReset_Click();
    refresca();
}

void FrmPrincipal::SubImagen_Click() {
    sesion_->SubImagen_Click();
    refresca();
}

void FrmPrincipal::SubMarcaAgua_Click() {
    sesion_->SubMarcaAgua_Click();
    refresca();
}

void FrmPrincipal::Cmd_Grado_Click() {
    sesion_->Cmd_Grado_Click();
}
void FrmPrincipal::Cmd_Clave_Click() {
    sesion_->Cmd_Clave_Click();
}

// The parameter dialog of p: made on first use and reused, opened with the
// value in force; closing it goes through the shared handler.
void FrmPrincipal::abre_dialogo(std::unique_ptr<FrmParametro>& dialogo,
                                const DisenoParametro& diseno, Parametro p) {
    if (!dialogo) {
        dialogo = std::make_unique<FrmParametro>(this, diseno, [this, p](const std::string& t) {
            return sesion_->cierra_dialogo(p, t);
        });
    }
    dialogo->abre(QString::fromStdString(sesion_->texto_parametro(p)));
}

void FrmPrincipal::MnuResistencia_Click() {
    abre_dialogo(frm_grado_, kDisenoGrado, Parametro::Grado);
}

void FrmPrincipal::MnuClave_Click() {
    abre_dialogo(frm_clave_, kDisenoClave, Parametro::Clave);
}

// The reading of the reopened picture is shown where it can be seen: the
// laboratory comes up on it. Picture4 keeps its stage's meaning.
void FrmPrincipal::abre_imagen_marcada() {
    if (!sesion_->abre_imagen_marcada() || !sesion_->aciertos_abierta()) return refresca();
    refresca();
    abre_laboratorio();
    laboratorio_->muestra_abierta();
    pon_texto(Control::Estado, texto(Control::Estado) + ". La marca leída está en el laboratorio.");
}

void FrmPrincipal::guarda_imagen_marcada() {
    guarda(sesion_->demostracion().marcada_completa(), QStringLiteral("marcada.png"));
}

void FrmPrincipal::guarda_marca_extraida() {
    if (const auto marca = sesion_->marca_extraida())
        guarda(*marca, QStringLiteral("extraida.png"));
}

// The save dialog asks before overwriting; the user's host file is never
// overwritten, and a failed write leaves any file there intact.
void FrmPrincipal::guarda(const SuperficieMemoria& imagen, const QString& sugerido) {
    // The folder of the last save in this run, if there was one.
    const QString elegido = dialogos_.elige_archivo_para_guardar(
        this, QStringLiteral("PNG (*.png);;BMP (*.bmp);;JPEG (*.jpg *.jpeg)"),
        carpeta_guardar_.isEmpty() ? sugerido : QDir(carpeta_guardar_).filePath(sugerido));
    if (elegido.isEmpty() || imagen.ancho() < 1) return;
    const std::string ruta = con_extension(elegido.toStdString());
    const QString nombre = QFileInfo(QString::fromStdString(ruta)).fileName();
    carpeta_guardar_ = QFileInfo(QString::fromStdString(ruta)).absolutePath();
    for (const auto& [abierta, que] : {std::pair{sesion_->ruta_anfitrion(), "la imagen principal"},
                                       std::pair{sesion_->ruta_marca(), "la marca de agua"}}) {
        if (!mismo_archivo(ruta, abierta)) continue;
        mensaje("No se puede guardar sobre «" + nombre.toStdString() + "»: es " + que +
                    " abierta. Elige otro nombre.",
                Icono::Informacion, kTituloAplicacion);
        return;
    }
    int calidad = kCalidadPorDefecto;
    const QString extension = QFileInfo(nombre).suffix().toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg")) {
        const auto pedida = dialogos_.pide_calidad(this, calidad);
        if (!pedida) return;
        calidad = *pedida;
    }
    const std::string error = guarda_imagen(imagen, ruta, calidad);
    if (!error.empty()) {
        const std::string fallo =
            "No se ha podido guardar «" + nombre.toStdString() + "»: " + error;
        pon_texto(Control::Estado, fallo);
        mensaje(fallo, Icono::Informacion, kTituloAplicacion);
        return;
    }
    pon_texto(Control::Estado, "Guardada «" + nombre.toStdString() + "».");
}

// The lesson as one PDF: the pictures and figures now, the laboratory's
// sweep and comparison when they have been computed; the attacks are read
// and the file written on a worker.
void FrmPrincipal::exporta_hoja() {
    FuenteLaboratorio fuente;
    std::optional<LeccionDeLaHoja> hoja = leccion_de_la_sesion(*sesion_, &fuente);
    if (!hoja) {
        pon_texto(Control::Estado, kHojaSinMarcada);
        return;
    }
    const QString sugerido = QStringLiteral("hoja-de-clase.pdf");
    QString ruta = dialogos_.elige_archivo_para_guardar(
        this, QStringLiteral("PDF (*.pdf)"),
        carpeta_guardar_.isEmpty() ? sugerido : QDir(carpeta_guardar_).filePath(sugerido));
    if (ruta.isEmpty()) return;
    if (QFileInfo(ruta).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        ruta += QStringLiteral(".pdf");
    carpeta_guardar_ = QFileInfo(ruta).absolutePath();
    std::vector<FilaBarrido> barrido;
    std::optional<Comparacion> comparacion;
    if (laboratorio_) {
        barrido = laboratorio_->barrido();
        if (laboratorio_->comparacion()) comparacion = laboratorio_->comparacion()->comparacion();
    }
    hoja->barrido = std::move(barrido);
    hoja->comparacion = std::move(comparacion);
    if (laboratorio_ && laboratorio_->deteccion() && laboratorio_->deteccion()->analisis()) {
        const FrmDeteccion& d = *laboratorio_->deteccion();
        if (d.analisis()->motivo.empty())
            hoja->deteccion = {d.analisis()->respuesta, sesion_->vbles().Clave, d.umbral(),
                               d.ataque().texto};
    }
    pon_huellas(*hoja, sesion_->ruta_anfitrion(), sesion_->ruta_marca());
    hoja->orden = orden_de_la_hoja(*sesion_, !hoja->barrido.empty(), hoja->comparacion.has_value(),
                                   ruta.toStdString());
    // The charts are recorded here, where Qt Charts draws; the attacks, which
    // change none of them, are read on the worker.
    auto graficos = std::make_shared<const std::vector<DibujoDeLaHoja>>(
        dibuja_graficos(documento_de_la_hoja(*hoja)));
    pon_texto(Control::Estado, "Preparando la hoja de clase…");
    hoja_.lanza([this, h = std::move(*hoja), graficos, fuente = std::move(fuente), ruta,
                 v = sesion_->vbles(),
                 inf = sesion_->demostracion().informe()](std::stop_token) mutable {
        const CodecJpegQt jpeg;
        h.ataques = ataca(&fuente, ataques_de_la_hoja(), jpeg);
        const QByteArray informe =
            QByteArray::fromStdString(informe_json(v, inf, fuente, {}, h.ataques));
        const std::string error = escribe_archivo(
            ruta.toStdString(), hoja_pdf(documento_de_la_hoja(h), *graficos, informe));
        QMetaObject::invokeMethod(
            this, [this, ruta, error] { termina_hoja(ruta, error); }, Qt::QueuedConnection);
    });
}

void FrmPrincipal::termina_hoja(const QString& ruta, const std::string& error) {
    if (error.empty()) {
        pon_texto(Control::Estado, "Hoja de clase escrita en «" + ruta.toStdString() + "».");
        return;
    }
    const std::string fallo =
        "No se ha podido guardar «" + QFileInfo(ruta).fileName().toStdString() + "»: " + error;
    pon_texto(Control::Estado, fallo);
    mensaje(fallo, Icono::Informacion, kTituloAplicacion);
}

void FrmPrincipal::abre_laboratorio() {
    if (!laboratorio_) laboratorio_ = new FrmLaboratorio(this, *sesion_, dialogos_);
    laboratorio_->actualiza_fuentes();
    laboratorio_->show();
    laboratorio_->raise();
    laboratorio_->activateWindow();
}

// Names and descriptions a screen reader gives the controls.
void FrmPrincipal::pon_nombres_accesibles() {
    for (const NombreAccesible& n : kNombresAccesibles) {
        auto* control = findChild<QWidget*>(QString::fromLatin1(n.control));
        control->setAccessibleName(QString::fromUtf8(n.nombre));
        control->setAccessibleDescription(QString::fromUtf8(n.descripcion));
    }
    for (QWidget* marco : {findChild<QWidget*>("Frame1"), findChild<QWidget*>("Frame2")}) {
        marco->setAccessibleName(marco->property("title").toString());
    }
    for (QLabel* etiqueta : {findChild<QLabel*>("Label1"), findChild<QLabel*>("Label2")}) {
        etiqueta->setAccessibleName(etiqueta->text());
    }
    nombra_pictures();
}

// A picture box says what it shows at the current stage.
void FrmPrincipal::nombra_pictures() {
    const int paso = sesion_->vbles().Paso;
    int n = 0;
    for (PictureBox* p : {Picture1, Picture2, Picture3, Picture4}) {
        const NombreAccesible nombre = nombre_de_picture(++n, paso);
        p->setAccessibleName(QString::fromUtf8(nombre.nombre));
        p->setAccessibleDescription(QString::fromUtf8(nombre.descripcion));
    }
}

void FrmPrincipal::acerca_de() {
    mensaje(texto_acerca_de(), Icono::Informacion, kTituloAcercaDe);
}

void FrmPrincipal::CmdSalir_Click() {
    salir_();
}

QWidget* FrmPrincipal::control(Control c) const {
    switch (c) {
        case Control::LpASO:
            return LpASO;
        case Control::LBloque:
            return LBloque;
        case Control::LNumBloques:
            return LNumBloques;
        case Control::LGrado:
            return LGrado;
        case Control::LClave:
            return LClave;
        case Control::Txt_Grado:
            return Txt_Grado;
        case Control::Txt_Clave:
            return Txt_Clave;
        case Control::Estado:
            return Estado;
    }
    return nullptr;
}

// Labels and text boxes alike have a "text" property.
void FrmPrincipal::pon_texto(Control c, const std::string& t) {
    control(c)->setProperty("text", QString::fromStdString(t));
}

std::string FrmPrincipal::texto(Control c) const {
    return control(c)->property("text").toString().toStdString();
}

void FrmPrincipal::mensaje(const std::string& t, Icono icono, const std::string& titulo) {
    dialogos_.mensaje(this, QString::fromStdString(t), icono, QString::fromStdString(titulo));
}

std::string FrmPrincipal::elige_archivo(const std::string& filtro) {
    const QString ruta = dialogos_.elige_archivo(this, filtro_qt(filtro), carpeta_);
    if (!ruta.isEmpty()) carpeta_ = QFileInfo(ruta).absolutePath();
    return ruta.toStdString();
}

bool FrmPrincipal::abre_archivo(const QString& ruta, Rol rol) {
    if (ruta.isEmpty()) return false;
    carpeta_ = QFileInfo(ruta).absolutePath();
    const bool aceptado = sesion_->abre(rol, ruta.toStdString());
    refresca();
    return aceptado;
}

void FrmPrincipal::abre_archivos(const QString& imagen, const QString& marca) {
    const bool imagen_aceptada = abre_archivo(imagen, Rol::Imagen);
    const QString rechazo = imagen.isEmpty() || imagen_aceptada ? QString() : Estado->text();
    abre_archivo(marca, Rol::Marca);
    // The user has not seen the refusal yet: it stays until they act.
    if (!rechazo.isEmpty() && !marca.isEmpty()) Estado->setText(rechazo);
}

// Reset exactly as the menu does, then both files again through the same
// loading rules, for another Grado or Clave on the same pictures.
void FrmPrincipal::repite() {
    sesion_->repite();
    refresca();
}

void FrmPrincipal::cursor_ocupado(bool ocupado) {
    if (ocupado) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

char FrmPrincipal::separador_decimal() const {
    const QString punto = QLocale().decimalPoint();
    return punto.size() == 1 && punto[0].unicode() < 128 ? punto[0].toLatin1() : '.';
}

std::optional<double> FrmPrincipal::lee_numero(const std::string& t) const {
    return lee_numero_local(t, QLocale());
}

}  // namespace zek
