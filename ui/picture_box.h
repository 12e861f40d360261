// SPDX-License-Identifier: MIT
// A picture box of the main window: shows one of the session's pictures,
// one image pixel per screen pixel, and takes its size.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "base/superficie.h"

namespace zek {

class PictureBox final : public QWidget {
  public:
    PictureBox(QWidget* padre, QPoint posicion, const SuperficieImagen& superficie);

    // Shows the picture as it is now; the window calls it after every command.
    void refresca();

    // What a tooltip shows for the pixel under the pointer; empty: nothing.
    void pon_consejo(std::function<QString(int x, int y)> consejo) {
        consejo_ = std::move(consejo);
    }

    // Called with the local file dropped on the box; the box then takes drops.
    void pon_al_soltar(std::function<void(const QString&)> al_soltar);

    // What the box shows.
    const QImage& imagen() const { return imagen_; }
    int32_t lee_pixel(int x, int y) const { return superficie_.lee_pixel(x, y); }

  protected:
    void paintEvent(QPaintEvent* evento) override;
    bool event(QEvent* evento) override;
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;

  private:
    const SuperficieImagen& superficie_;
    QImage imagen_;
    std::function<QString(int, int)> consejo_;
    std::function<void(const QString&)> al_soltar_;
};

}  // namespace zek
