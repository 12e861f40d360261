// SPDX-License-Identifier: MIT
#include "images/cabecera_imagen.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace zek {
namespace {

using Bytes = std::span<const unsigned char>;

uint32_t le16(Bytes b, size_t i) {
    return b[i] | (b[i + 1] << 8);
}
uint32_t le32(Bytes b, size_t i) {
    return le16(b, i) | (le16(b, i + 2) << 16);
}
uint32_t be16(Bytes b, size_t i) {
    return (b[i] << 8) | b[i + 1];
}

bool firma_bmp(Bytes b) {
    return b.size() >= 2 && b[0] == 'B' && b[1] == 'M';
}
bool firma_gif(Bytes b) {
    return b.size() >= 3 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F';
}
bool firma_jpeg(Bytes b) {
    return b.size() >= 2 && b[0] == 0xFF && b[1] == 0xD8;
}

// The signature and at least the header bytes read below.
bool es_bmp(Bytes b) {
    return b.size() >= 30 && firma_bmp(b);
}
bool es_gif(Bytes b) {
    return b.size() >= 10 && firma_gif(b);
}
bool es_jpeg(Bytes b) {
    return b.size() >= 4 && firma_jpeg(b);
}

std::optional<TamanoImagen> tamano_bmp(Bytes b) {
    if (le32(b, 14) == 12) return TamanoImagen{int(le16(b, 18)), int(le16(b, 20))};  // OS/2
    const auto ancho = static_cast<int32_t>(le32(b, 18));
    const auto alto = static_cast<int32_t>(le32(b, 22));  // negative: rows top down
    if (ancho <= 0 || alto == 0 || alto == INT32_MIN) return std::nullopt;
    return TamanoImagen{ancho, std::abs(alto)};
}

// The frame header (SOF0 to SOF15, but not DHT, JPG or DAC) carries the size.
std::optional<TamanoImagen> tamano_jpeg(Bytes b) {
    size_t i = 2;
    while (i + 9 < b.size()) {
        if (b[i] != 0xFF) return std::nullopt;
        const unsigned marca = b[i + 1];
        if (marca >= 0xC0 && marca <= 0xCF && marca != 0xC4 && marca != 0xC8 && marca != 0xCC) {
            return TamanoImagen{int(be16(b, i + 7)), int(be16(b, i + 5))};
        }
        i += 2 + be16(b, i + 2);
    }
    return std::nullopt;
}

}  // namespace

bool firma_de_imagen(Bytes b) {
    return firma_bmp(b) || firma_gif(b) || firma_jpeg(b);
}

std::optional<TamanoImagen> tamano_de_cabecera(Bytes b) {
    if (es_bmp(b)) return tamano_bmp(b);
    if (es_gif(b)) return TamanoImagen{int(le16(b, 6)), int(le16(b, 8))};
    if (es_jpeg(b)) return tamano_jpeg(b);
    return std::nullopt;
}

std::optional<TamanoImagen> tamano_png(Bytes b) {
    static constexpr unsigned char kFirma[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < 24 || !std::equal(std::begin(kFirma), std::end(kFirma), b.begin())) return {};
    const auto be32 = [&](size_t i) {
        return (uint32_t{b[i]} << 24) | (uint32_t{b[i + 1]} << 16) | (uint32_t{b[i + 2]} << 8) |
               b[i + 3];
    };
    const uint32_t ancho = be32(16), alto = be32(20);
    if (ancho == 0 || alto == 0 || ancho > 0x7FFFFFFF || alto > 0x7FFFFFFF) return {};
    return TamanoImagen{static_cast<int>(ancho), static_cast<int>(alto)};
}

bool datos_completos(Bytes b) {
    if (es_bmp(b) && b.size() >= 34 && le32(b, 14) >= 40) {
        const uint32_t compresion = le32(b, 30);
        if (compresion != 0 && compresion != 3) return true;  // run-length data: no fixed size
        const auto tam = tamano_bmp(b);
        if (!tam) return false;
        const uint64_t fila = (uint64_t{le16(b, 28)} * tam->ancho + 31) / 32 * 4;
        return b.size() >= le32(b, 10) + fila * tam->alto;
    }
    if (es_gif(b)) return b.back() == 0x3B;
    if (es_jpeg(b)) return b[b.size() - 2] == 0xFF && b[b.size() - 1] == 0xD9;
    return true;
}

}  // namespace zek
