// SPDX-License-Identifier: MIT
// FrmClave and FrmGrado: a modeless window with one text box, applied when
// the user closes it; the closing is vetoed while the text is not numeric.
#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;
class QGroupBox;
class QLabel;

namespace zek {

struct DisenoParametro {
    const char* nombre;  // FrmClave or FrmGrado
    const char* titulo;
    QSize cliente;
    QRect marco;
    const char* etiqueta;
    QRect rect_etiqueta, rect_texto;
    const char* nombre_texto;  // Txt_clave or Txt_Grado
};

extern const DisenoParametro kDisenoClave;
extern const DisenoParametro kDisenoGrado;

class FrmParametro final : public QWidget {
  public:
    // al_cerrar receives the typed text and says whether the window may close.
    FrmParametro(QWidget* principal, const DisenoParametro& diseno,
                 std::function<bool(const std::string&)> al_cerrar);

    // Shows the window with the value in force, or only brings it forward
    // when it is already open.
    void abre(const QString& valor);

    QLineEdit* texto() const { return texto_; }

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    QLineEdit* texto_;
    std::function<bool(const std::string&)> al_cerrar_;
};

}  // namespace zek
