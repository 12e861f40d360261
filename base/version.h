// SPDX-License-Identifier: MIT
// The version of ZEK, set once in the top CMakeLists.txt.
#pragma once

namespace zek {

inline constexpr const char* kVersion = ZEK_VERSION;

}  // namespace zek
