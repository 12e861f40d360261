// Pictures between the core's surfaces and Qt's images, and the JPEG codec
// the attacks use.
#pragma once

#include <QImage>

#include "ataques.h"
#include "superficie.h"
#include "superficie_memoria.h"

namespace zek {

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
