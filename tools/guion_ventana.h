// SPDX-License-Identifier: MIT
// For the headless tools that drive the real window: dialogs whose file
// dialog answers with the next file of a list (messages go to standard
// error), and the first moves of a demonstration.
#pragma once

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <cstdio>

#include "ui/dialogos.h"
#include "ui/frm_principal.h"

namespace zek {

class DialogosGuion final : public Dialogos {
  public:
    explicit DialogosGuion(QStringList archivos, QString guardar = {})
        : archivos_(std::move(archivos)), guardar_(std::move(guardar)) {}
    void mensaje(QWidget*, const QString& texto, Icono, const QString&) override {
        std::fprintf(stderr, "mensaje: %s\n", qPrintable(texto));
    }
    QString elige_archivo(QWidget*, const QString&, const QString&) override {
        return archivos_.isEmpty() ? QString() : archivos_.takeFirst();
    }
    QString elige_archivo_para_guardar(QWidget*, const QString&, const QString&) override {
        return guardar_;
    }
    std::optional<int> pide_calidad(QWidget*, int) override { return std::nullopt; }

  private:
    QStringList archivos_;
    QString guardar_;
};

// Opens the host and the watermark (the next two files of the dialogs) and
// applies the degree and the key with their buttons, as a user would.
inline void prepara_demostracion(FrmPrincipal& ventana, const QString& grado,
                                 const QString& clave) {
    ventana.findChild<QAction*>("SubImagen")->trigger();
    ventana.findChild<QAction*>("SubMarcaAgua")->trigger();
    for (auto [caja, boton, valor] : {std::tuple{"Txt_Grado", "Cmd_Grado", grado},
                                      std::tuple{"Txt_Clave", "Cmd_Clave", clave}}) {
        ventana.findChild<QLineEdit*>(caja)->setText(valor);
        ventana.findChild<QPushButton*>(boton)->click();
    }
}

}  // namespace zek
