// SPDX-License-Identifier: MIT
// The modal windows the main window opens: message boxes and the file-open
// dialog. Tests put a recorder in their place so that nothing blocks.
#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "base/puerto_ventana.h"

class QFileDialog;
class QWidget;

namespace zek {

class Dialogos {
  public:
    virtual ~Dialogos() = default;
    virtual void mensaje(QWidget* padre, const QString& texto, Icono icono,
                         const QString& titulo) = 0;
    // filtro in Qt's form, "Description (*.a *.b)"; empty when cancelled.
    virtual QString elige_archivo(QWidget* padre, const QString& filtro,
                                  const QString& carpeta) = 0;
    // The file to save to, starting at sugerido; empty when cancelled. The
    // dialog asks before a file is overwritten.
    virtual QString elige_archivo_para_guardar(QWidget* padre, const QString& filtro,
                                               const QString& sugerido) = 0;
    // The JPEG quality, 0 to 100, starting at defecto; nothing when cancelled.
    virtual std::optional<int> pide_calidad(QWidget* padre, int defecto) = 0;
};

class DialogosQt final : public Dialogos {
  public:
    void mensaje(QWidget* padre, const QString& texto, Icono icono, const QString& titulo) override;
    QString elige_archivo(QWidget* padre, const QString& filtro, const QString& carpeta) override;
    QString elige_archivo_para_guardar(QWidget* padre, const QString& filtro,
                                       const QString& sugerido) override;
    std::optional<int> pide_calidad(QWidget* padre, int defecto) override;

  private:
    QString elige(QFileDialog& d);
    QSize tamano_{800, 500};
};

// "Description|*.a;*.b" as Qt writes it: "Description (*.a *.b)".
QString filtro_qt(const std::string& filtro);

}  // namespace zek
