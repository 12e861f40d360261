// SPDX-License-Identifier: MIT
// Numbers as the user types them, in the user's locale.
#pragma once

#include <QLocale>
#include <optional>
#include <string>

namespace zek {

// The number a text denotes in the locale (blanks around it allowed, no
// group separators), or nothing when it is not a finite number.
std::optional<double> lee_numero_local(const std::string& texto, const QLocale& local);

}  // namespace zek
