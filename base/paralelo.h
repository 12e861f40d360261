// SPDX-License-Identifier: MIT
// Splitting a per-column loop over the machine's two cores.
#pragma once

#include <cstdint>

#include "base/portatil.h"

namespace zek {

// Below this many pixels a second thread costs more than it saves.
inline constexpr int64_t kPixelesParaDosHilos = 32 * 1024;

// Runs trabajo(desde, hasta) over the columns desde..hasta: in two halves,
// the second on another thread, when the picture has pixeles enough and the
// machine more than one core; otherwise in one go on this thread. trabajo
// must only read what both halves share and write what is its own.
template <class Trabajo>
void en_dos_mitades(int desde, int hasta, int64_t pixeles, const Trabajo& trabajo) {
    if (hasta <= desde || pixeles < kPixelesParaDosHilos || !hay_dos_nucleos()) {
        trabajo(desde, hasta);
        return;
    }
    const int mitad = desde + (hasta - desde) / 2;
    a_la_vez([&] { trabajo(desde, mitad); }, [&] { trabajo(mitad + 1, hasta); });
}

}  // namespace zek
