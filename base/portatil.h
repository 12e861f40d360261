// SPDX-License-Identifier: MIT
// The few C++20 pieces that the browser build's library (Emscripten's
// libc++) lacks, each given once for every build: the bits of a double, a
// second thread beside this one (in the browser, the same work one after
// the other: the module has no threads), and the exact conversions between
// doubles and text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
#define ZEK_CON_HILOS 1
#include <thread>
#endif

namespace zek {

inline uint64_t bits_de(double v) {
    return __builtin_bit_cast(uint64_t, v);
}

// Whether a second thread can run beside this one.
inline bool hay_dos_nucleos() {
#ifdef ZEK_CON_HILOS
    return std::thread::hardware_concurrency() >= 2;
#else
    return false;
#endif
}

// Runs otro on a second thread while aqui runs on this one, and returns
// when both have finished.
template <class Aqui, class Otro>
void a_la_vez(const Aqui& aqui, const Otro& otro) {
#ifdef ZEK_CON_HILOS
    std::jthread segundo(otro);
    aqui();
#else
    aqui();
    otro();
#endif
}

// Text as printf writes it in the C locale, whatever the process's locale.
enum class FormatoNumero {
    Fijo,        // "%.*f"
    Cientifico,  // "%.*e"
    General,     // "%.*g"
    Exacto,      // the shortest that reads back to the same double (precision unused)
};
std::string texto_de_numero(double v, FormatoNumero f, int precision = 0);

// The double a text denotes in the C locale's decimal form ("-1.5e3"; no
// blanks, no plus sign, no hexadecimal), correctly rounded; nothing for
// anything else or a value out of the double's range.
std::optional<double> numero_de_texto(std::string_view texto);

// The same two through the C library's snprintf and strtod alone, which
// the browser build uses; the native build checks them against its own.
namespace por_printf {
std::string texto_de_numero(double v, FormatoNumero f, int precision = 0);
std::optional<double> numero_de_texto(std::string_view texto);
}  // namespace por_printf

}  // namespace zek
