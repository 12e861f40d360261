// SPDX-License-Identifier: MIT
// A main window driven as a user would, with its modal windows recorded.
#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "base/superficie_memoria.h"
#include "engine/funciones.h"
#include "ui/frm_parametro.h"
#include "ui/frm_principal.h"

namespace zek::prueba {

struct MensajeQt {
    QString texto;
    Icono icono;
    QString titulo;
    bool operator==(const MensajeQt&) const = default;
};

class DialogosGrabador final : public Dialogos {
  public:
    void mensaje(QWidget*, const QString& texto, Icono icono, const QString& titulo) override {
        mensajes.push_back({texto, icono, titulo});
    }
    QString elige_archivo(QWidget*, const QString& f, const QString& c) override {
        filtro = f;
        carpeta = c;
        return archivo;
    }
    QString elige_archivo_para_guardar(QWidget*, const QString& f, const QString& s) override {
        filtro = f;
        sugerido = s;
        return archivo_guardar;
    }
    std::optional<int> pide_calidad(QWidget*, int defecto) override {
        calidad_pedida = defecto;
        return calidad;
    }
    std::vector<MensajeQt> mensajes;
    QString archivo, filtro, carpeta, archivo_guardar, sugerido;
    std::optional<int> calidad = 90;
    int calidad_pedida = -1;
};

struct Ventana {
    DialogosGrabador dialogos;
    bool salido = false;
    std::unique_ptr<FrmPrincipal> w =
        std::make_unique<FrmPrincipal>(dialogos, [this] { salido = true; });
    QTemporaryDir carpeta;

    template <class T>
    T* hijo(const char* nombre) const {
        return w->findChild<T*>(nombre);
    }
    PictureBox* picture(int n) const {
        return hijo<PictureBox>(("Picture" + std::to_string(n)).c_str());
    }
    QString texto(const char* etiqueta) const { return hijo<QLabel>(etiqueta)->text(); }
    // The status line's finding.
    QString estado() const { return texto("Estado"); }

    // Chooses the file in the next file dialog and picks the menu item.
    void abre(const char* menu, const QString& archivo) {
        dialogos.archivo = archivo;
        hijo<QAction>(menu)->trigger();
    }
    void aplica(const char* caja, const char* boton, const QString& valor) {
        hijo<QLineEdit>(caja)->setText(valor);
        hijo<QPushButton>(boton)->click();
    }
    void paso() { hijo<QPushButton>("Command1")->click(); }

    // A picture file of that size in the test's folder.
    QString imagen(int ancho, int alto, const char* formato = "BMP") {
        QImage img(ancho, alto, QImage::Format_RGB32);
        img.fill(Qt::white);
        for (int i = 0; i < std::min(ancho, alto); ++i) img.setPixel(i, i, qRgb(0, 0, 0));
        const QString ruta = carpeta.filePath(QStringLiteral("%1x%2.%3")
                                                  .arg(ancho)
                                                  .arg(alto)
                                                  .arg(QString::fromLatin1(formato).toLower()));
        img.save(ruta, formato);
        return ruta;
    }
};

}  // namespace zek::prueba
