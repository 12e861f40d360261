// SPDX-License-Identifier: MIT
// Fonts and colours of the windows. The design names Times New Roman and MS
// Sans Serif; Liberation Serif and Liberation Sans stand for them (metric
// compatible). Sizes are in pixels at 96 dpi, so the layout fits anywhere.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace zek {

// Background of the main window and its frames: a desktop blue.
inline const QColor kColorEscritorio(0, 78, 152);

inline QFont fuente_serif(int pixeles, bool negrita) {
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(pixeles);
    f.setBold(negrita);
    return f;
}

inline QFont fuente_sans(int pixeles, bool negrita) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixeles);
    f.setBold(negrita);
    return f;
}

inline void pon_color_texto(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

inline void pon_color_fondo(QWidget* w, QPalette::ColorRole papel, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(papel, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A button drawn flat in its design colour (no gradient of the style), with
// a thin frame, a sunken one while pressed, and a thick black one when it
// has the keyboard focus, so that the focus shows on a projector.
inline void pon_boton_plano(QWidget* boton, const QString& fondo) {
    boton->setStyleSheet(QStringLiteral("* { background-color: %1; color: black; border: 1px solid "
                                        "rgb(64, 64, 64); }"
                                        "*:pressed { border-style: inset; border-width: 2px; }"
                                        "*:focus { border: 3px solid black; }")
                             .arg(fondo));
}

}  // namespace zek
