// SPDX-License-Identifier: MIT
// Pictures between the module and the page: the core's colours as a
// canvas's RGBA bytes, and the browser's RGBA as the core's colours.
#pragma once

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <vector>

#include "base/superficie_memoria.h"

namespace zek {

// RGBA bytes for a canvas: a colour 0x00BBGGRR is, byte by byte in the
// module's little-endian memory, red, green, blue and a zero alpha.
inline emscripten::val rgba_de(const SuperficieMemoria& s) {
    std::vector<uint32_t> pixeles(s.filas().begin(), s.filas().end());
    for (uint32_t& p : pixeles) p |= 0xFF000000u;
    const size_t bytes = pixeles.size() * 4;
    emscripten::val datos = emscripten::val::global("Uint8ClampedArray").new_(bytes);
    datos.call<void>("set", emscripten::val(emscripten::typed_memory_view(
                                bytes, reinterpret_cast<const uint8_t*>(pixeles.data()))));
    emscripten::val imagen = emscripten::val::object();
    imagen.set("ancho", s.ancho());
    imagen.set("alto", s.alto());
    imagen.set("rgba", datos);
    return imagen;
}

// Bytes as the page takes them: a Uint8Array of their own.
template <typename Byte>
emscripten::val bytes_js(const std::vector<Byte>& bytes) {
    emscripten::val datos = emscripten::val::global("Uint8Array").new_(bytes.size());
    datos.call<void>("set", emscripten::val(emscripten::typed_memory_view(
                                bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()))));
    return datos;
}

// Colours from the browser's RGBA (not premultiplied), over the boxes'
// background where the picture is transparent, as the desktop shows it.
inline std::vector<int32_t> colores_de(const std::vector<uint8_t>& rgba) {
    std::vector<int32_t> colores(rgba.size() / 4);
    const int fondo[3] = {kColorFondo & 0xFF, (kColorFondo >> 8) & 0xFF,
                          (kColorFondo >> 16) & 0xFF};
    for (size_t i = 0; i < colores.size(); ++i) {
        const int a = rgba[i * 4 + 3];
        int32_t c = 0;
        for (int k = 0; k < 3; ++k) {
            const int v = (rgba[i * 4 + k] * a + fondo[k] * (255 - a) + 127) / 255;
            c |= v << (8 * k);
        }
        colores[i] = c;
    }
    return colores;
}

// A picture the page hands in ({ancho, alto, rgba}, or its parts).
inline SuperficieMemoria superficie_de(int ancho, int alto, const emscripten::val& rgba) {
    const auto colores = colores_de(emscripten::convertJSArrayToNumberVector<uint8_t>(rgba));
    SuperficieMemoria s(ancho, alto);
    for (int y = 0; y < alto; ++y) {
        for (int x = 0; x < ancho; ++x)
            s.pon_pixel(x, y,
                        colores[static_cast<size_t>(y) * static_cast<size_t>(ancho) +
                                static_cast<size_t>(x)]);
    }
    return s;
}
inline SuperficieMemoria superficie_de(const emscripten::val& imagen) {
    return superficie_de(imagen["ancho"].as<int>(), imagen["alto"].as<int>(), imagen["rgba"]);
}

}  // namespace zek
