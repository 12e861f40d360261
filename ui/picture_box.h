// A picture box of the main window: shows one of the session's pictures,
// one image pixel per screen pixel, and takes its size.
#pragma once

#include <QImage>
#include <QWidget>

#include "base/superficie.h"

namespace zek {

class PictureBox final : public QWidget {
  public:
    PictureBox(QWidget* padre, QPoint posicion, const SuperficieImagen& superficie);

    // Shows the picture as it is now; the window calls it after every command.
    void refresca();

    // What the box shows.
    const QImage& imagen() const { return imagen_; }
    int32_t lee_pixel(int x, int y) const { return superficie_.lee_pixel(x, y); }

  protected:
    void paintEvent(QPaintEvent* evento) override;

  private:
    const SuperficieImagen& superficie_;
    QImage imagen_;
};

}  // namespace zek
