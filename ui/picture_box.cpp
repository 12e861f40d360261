// SPDX-License-Identifier: MIT
#include "ui/picture_box.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QToolTip>
#include <QUrl>

#include "qt/imagen_qt.h"

namespace zek {

PictureBox::PictureBox(QWidget* padre, QPoint posicion, const SuperficieImagen& superficie)
    : QWidget(padre), superficie_(superficie) {
    move(posicion);
    refresca();
}

void PictureBox::refresca() {
    imagen_ = a_qimage(superficie_);
    resize(imagen_.size());
    update();
}

bool PictureBox::event(QEvent* evento) {
    if (evento->type() != QEvent::ToolTip || !consejo_) return QWidget::event(evento);
    const auto* ayuda = static_cast<QHelpEvent*>(evento);
    const QString texto = consejo_(ayuda->pos().x(), ayuda->pos().y());
    if (texto.isEmpty()) {
        QToolTip::hideText();
        evento->ignore();
    } else {
        QToolTip::showText(ayuda->globalPos(), texto, this);
    }
    return true;
}

void PictureBox::pon_al_soltar(std::function<void(const QString&)> al_soltar) {
    al_soltar_ = std::move(al_soltar);
    setAcceptDrops(true);
}

namespace {

// The first local file among the dropped data; empty when there is none.
QString archivo_soltado(const QMimeData* datos) {
    if (!datos || !datos->hasUrls()) return {};
    for (const QUrl& url : datos->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

void PictureBox::dragEnterEvent(QDragEnterEvent* evento) {
    if (al_soltar_ && !archivo_soltado(evento->mimeData()).isEmpty())
        evento->acceptProposedAction();
}

void PictureBox::dropEvent(QDropEvent* evento) {
    const QString archivo = archivo_soltado(evento->mimeData());
    if (!al_soltar_ || archivo.isEmpty()) return;
    evento->acceptProposedAction();
    al_soltar_(archivo);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, imagen_);
}

}  // namespace zek
