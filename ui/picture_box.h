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

    // What the box shows.
    const QImage& imagen() const { return imagen_; }
    int32_t lee_pixel(int x, int y) const { return superficie_.lee_pixel(x, y); }

  protected:
    void paintEvent(QPaintEvent* evento) override;
    bool event(QEvent* evento) override;

  private:
    const SuperficieImagen& superficie_;
    QImage imagen_;
    std::function<QString(int, int)> consejo_;
};

}  // namespace zek
