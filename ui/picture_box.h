// A picture box of the main window: a Qt image shown one image pixel per
// screen pixel, read and written through the core's picture interface.
#pragma once

#include <QImage>
#include <QWidget>

#include "base/superficie.h"

namespace zek {

class PictureBox final : public QWidget, public SuperficieImagen {
  public:
    PictureBox(QWidget* padre, const QRect& diseno);

    int ancho() const override { return imagen_.width(); }
    int alto() const override { return imagen_.height(); }
    void fija_tamano(int ancho, int alto) override;
    void limpia() override;
    int32_t lee_pixel(int x, int y) const override;
    void pon_pixel(int x, int y, int32_t color) override;

    const QImage& imagen() const { return imagen_; }

  protected:
    void paintEvent(QPaintEvent* evento) override;

  private:
    QImage imagen_;
};

}  // namespace zek
