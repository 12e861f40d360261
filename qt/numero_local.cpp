// SPDX-License-Identifier: MIT
#include "qt/numero_local.h"

#include <cmath>

namespace zek {

std::optional<double> lee_numero_local(const std::string& texto, const QLocale& local) {
    const QString limpio = QString::fromStdString(texto).trimmed();
    if (limpio.isEmpty()) return std::nullopt;
    QLocale sin_grupos = local;
    sin_grupos.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = sin_grupos.toDouble(limpio, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace zek
