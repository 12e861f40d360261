// SPDX-License-Identifier: MIT
// The size a file's header declares, read from bytes written by hand, so
// that a 400 x 300 picture is judged as 400 wide and 300 tall.
#include "images/cabecera_imagen.h"

#include <gtest/gtest.h>

#include <vector>

namespace zek {
namespace {

using Bytes = std::vector<unsigned char>;

struct CasoCabecera {
    const char* nombre;
    Bytes bytes;
    std::optional<TamanoImagen> tamano;
};

class Cabecera : public testing::TestWithParam<CasoCabecera> {};

TEST_P(Cabecera, DeclaresTheWidthAndTheHeightInTheirPlaces) {
    const auto t = tamano_de_cabecera(GetParam().bytes);
    ASSERT_EQ(t.has_value(), GetParam().tamano.has_value());
    if (!t) return;
    EXPECT_EQ(t->ancho, GetParam().tamano->ancho);
    EXPECT_EQ(t->alto, GetParam().tamano->alto);
}

// JPEG: SOI, an APP0 of 16 bytes skipped, then SOF0 (length 17, precision
// 8, height 0x012C = 300, width 0x0190 = 400). A DHT (C4) carries no size.
Bytes jpeg(unsigned char marca) {
    Bytes b{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
    b.resize(b.size() + 14, 0);
    const Bytes sof{0xFF, marca, 0x00, 0x11, 0x08, 0x01, 0x2C, 0x01, 0x90, 0x03};
    b.insert(b.end(), sof.begin(), sof.end());
    b.resize(b.size() + 20, 0);
    return b;
}

// BMP: width at byte 18, height at 22 (negative: rows top down).
Bytes bmp(int32_t ancho, int32_t alto) {
    Bytes b(54, 0);
    b[0] = 'B', b[1] = 'M', b[14] = 40;
    for (int i = 0; i < 4; ++i) {
        b[18 + i] = static_cast<unsigned char>(static_cast<uint32_t>(ancho) >> (8 * i));
        b[22 + i] = static_cast<unsigned char>(static_cast<uint32_t>(alto) >> (8 * i));
    }
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Cabecera,
    testing::Values(
        CasoCabecera{"jpeg_sof0", jpeg(0xC0), TamanoImagen{400, 300}},
        CasoCabecera{"jpeg_progresiva", jpeg(0xC2), TamanoImagen{400, 300}},
        CasoCabecera{"jpeg_solo_dht", jpeg(0xC4), std::nullopt},
        CasoCabecera{"bmp", bmp(400, 300), TamanoImagen{400, 300}},
        CasoCabecera{"bmp_de_arriba_abajo", bmp(400, -300), TamanoImagen{400, 300}},
        CasoCabecera{
            "gif", {'G', 'I', 'F', '8', '9', 'a', 0x90, 0x01, 0x2C, 0x01}, TamanoImagen{400, 300}},
        CasoCabecera{"texto", {'h', 'o', 'l', 'a', ' ', 'm', 'u', 'n', 'd', 'o'}, std::nullopt}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

// PNG: the signature, then the IHDR chunk's length and name, the width
// 0x0190 = 400 and the height 0x012C = 300, big-endian; Qt's reader (which
// the desktop uses) says the same of a PNG it wrote.
TEST(CabeceraPng, DeclaresItsSizeInIhdr) {
    Bytes png{0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0,    0, 0, 13, 'I', 'H', 'D',
              'R',  0,   0,   0x01, 0x90, 0,    0,    0x01, 0x2C, 8, 2, 0,  0,   0};
    const auto t = tamano_png(png);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->ancho, 400);
    EXPECT_EQ(t->alto, 300);
    EXPECT_FALSE(tamano_png(Bytes(png.begin(), png.begin() + 23)));  // cut short
    png[19] = 0;
    png[18] = 0;
    EXPECT_FALSE(tamano_png(png));  // no width
    png[0] = 'B';
    EXPECT_FALSE(tamano_png(png));
    EXPECT_FALSE(tamano_png(bmp(400, 300)));
}

}  // namespace
}  // namespace zek
