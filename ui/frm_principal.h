// SPDX-License-Identifier: MIT
// The main window: four pictures, the step button, the stage text, the
// block geometry, the parameters and their entry, the exit button, and the
// menus. Each command is one slot over the shared workflow handlers.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "base/puerto_ventana.h"
#include "qt/lector_qt.h"
#include "ui/dialogos.h"
#include "ui/picture_box.h"
#include "workflow/sesion.h"
#include "workflow/trabajo.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace zek {

// The samples installed beside the program, or those of the source tree
// when it runs from its build folder.
QString carpeta_de_muestras();

class FrmLaboratorio;
class FrmParametro;
struct DisenoParametro;

class FrmPrincipal final : public QMainWindow, public PuertoVentana {
  public:
    // salir ends the program; by default it leaves the event loop at once.
    explicit FrmPrincipal(Dialogos& dialogos, std::function<void()> salir = {});
    ~FrmPrincipal() override;

    // The window port.
    void pon_texto(Control control, const std::string& texto) override;
    std::string texto(Control control) const override;
    void mensaje(const std::string& texto, Icono icono, const std::string& titulo) override;
    std::string elige_archivo(const std::string& filtro) override;
    void cursor_ocupado(bool ocupado) override;
    char separador_decimal() const override;
    std::optional<double> lee_numero(const std::string& texto) const override;

    const Sesion& sesion() const { return *sesion_; }
    const Vbles& vbles() const { return sesion_->vbles(); }
    FrmLaboratorio* laboratorio() const { return laboratorio_; }
    // Waits for the handout under way to be written (tests, tools).
    void espera_hoja() { hoja_.espera(); }

    // Opens a file in a role without the file dialog (the command line, a
    // picture dropped on its box), through the same loading rules.
    bool abre_archivo(const QString& ruta, Rol rol);
    // Both files of the command line, in order; a refusal of the first stays
    // in the status line even when the second is accepted.
    void abre_archivos(const QString& imagen, const QString& marca);
    // Where the file dialog starts: the folder last used in this run, or the
    // samples the first time.
    QString carpeta_de_dialogo() const { return carpeta_; }
    FrmParametro* FrmClave() const { return frm_clave_.get(); }
    FrmParametro* FrmGrado() const { return frm_grado_.get(); }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void crea_controles();
    void crea_acciones();
    void pon_orden_de_tabulacion();

    // One slot per command.
    void Command1_Click();
    void MnuReset_Click();
    void SubImagen_Click();
    void SubMarcaAgua_Click();
    void Cmd_Grado_Click();
    void Cmd_Clave_Click();
    void MnuResistencia_Click();
    void MnuClave_Click();
    void CmdSalir_Click();
    // Added to the design: reopening and saving, the laboratory.
    void abre_imagen_marcada();
    void guarda_imagen_marcada();
    void guarda_marca_extraida();
    void guarda(const SuperficieMemoria& imagen, const QString& sugerido);
    void exporta_hoja();
    void termina_hoja(const QString& ruta, const std::string& error);
    void abre_laboratorio();
    void acerca_de();
    void repite();
    void pon_nombres_accesibles();
    void nombra_pictures();

    void abre_dialogo(std::unique_ptr<FrmParametro>& dialogo, const DisenoParametro& diseno,
                      Parametro p);
    QWidget* control(Control c) const;
    void refresca();
    QLabel* etiqueta(QWidget* padre, const char* nombre, const QString& texto, const QRect& r,
                     const QFont& fuente, const QColor& color);

    Dialogos& dialogos_;
    std::function<void()> salir_;
    LectorQt lector_;
    std::unique_ptr<Sesion> sesion_;

    PictureBox *Picture1, *Picture2, *Picture3, *Picture4;
    QLabel *LpASO, *LBloque, *LNumBloques, *LGrado, *LClave, *Estado;
    QLineEdit *Txt_Grado, *Txt_Clave;
    QPushButton *Command1, *Cmd_Grado, *Cmd_Clave;
    QToolButton* CmdSalir;
    std::unique_ptr<FrmParametro> frm_clave_, frm_grado_;
    QAction *SubGuardarMarcada, *SubGuardarExtraida, *SubRepetir;
    FrmLaboratorio* laboratorio_ = nullptr;
    QString carpeta_, carpeta_guardar_;
    QAction* sin_menu_por_teclado_ = nullptr;  // a menu-less item reached with the arrows
    bool flecha_en_menu_ = false;              // an arrow key moving along the menus
    TrabajoEnSegundoPlano hoja_;  // the handout, made and written; last, so it ends first
};

}  // namespace zek
