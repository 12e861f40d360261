// SPDX-License-Identifier: MIT
// The four picture boxes of the main window.
#pragma once

#include "base/superficie.h"

namespace zek {

struct Pictures {
    SuperficieImagen& Picture1;  // host
    SuperficieImagen& Picture2;  // watermark
    SuperficieImagen& Picture3;  // watermarked host
    SuperficieImagen& Picture4;  // extracted watermark
};

}  // namespace zek
