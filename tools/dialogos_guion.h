// Dialogs for the headless tools that drive the real window: the file
// dialog answers with the next file of a list, messages go to standard error.
#pragma once

#include <QStringList>
#include <cstdio>

#include "dialogos.h"

namespace zek {

class DialogosGuion final : public Dialogos {
  public:
    explicit DialogosGuion(QStringList archivos) : archivos_(std::move(archivos)) {}
    void mensaje(QWidget*, const QString& texto, Icono, const QString&) override {
        std::fprintf(stderr, "mensaje: %s\n", qPrintable(texto));
    }
    QString elige_archivo(QWidget*, const QString&, const QString&) override {
        return archivos_.isEmpty() ? QString() : archivos_.takeFirst();
    }

  private:
    QStringList archivos_;
};

}  // namespace zek
