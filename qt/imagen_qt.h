// SPDX-License-Identifier: MIT
// Pictures between the core's surfaces and Qt's images, and the JPEG codec
// the attacks use.
#pragma once

#include <QImage>

#include "base/superficie.h"
#include "base/superficie_memoria.h"
#include "images/ataques.h"

namespace zek {

// A colour 0x00BBGGRR as Qt writes it, and back.
QRgb a_qrgb(int32_t color);
int32_t de_qrgb(QRgb rgb);

// One image pixel per surface pixel, opaque RGB.
QImage a_qimage(const SuperficieImagen& superficie);
SuperficieMemoria de_qimage(const QImage& imagen);

// Qt's JPEG writer and reader, in memory.
class CodecJpegQt final : public CodecJpeg {
  public:
    std::optional<SuperficieMemoria> comprime(const SuperficieImagen& imagen,
                                              int calidad) const override;
};

}  // namespace zek
