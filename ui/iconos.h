// SPDX-License-Identifier: MIT
// The two button pictures, drawn by the program itself.
#pragma once

#include <QIcon>

namespace zek {

QIcon icono_flecha();     // an arrow pointing right
QIcon icono_caminante();  // a walking figure

}  // namespace zek
