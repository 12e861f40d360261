// SPDX-License-Identifier: MIT
// Splitting a colour 0x00BBGGRR into red, green and blue.
#pragma once

#include <cstdint>
#include <string>

namespace zek {

// The three low bytes of a colour; what the text procedures below compute,
// without text, for the per-pixel loops.
inline int32_t rojo(int32_t c) {
    return c & 0xFF;
}
inline int32_t verde(int32_t c) {
    return (c >> 8) & 0xFF;
}
inline int32_t azul(int32_t c) {
    return (c >> 16) & 0xFF;
}

// Text forms: Color is the colour as decimal digits and Formato "D"; the
// components are read off the colour's hexadecimal text ("&HAC8&"), one
// pair of digits counted from the right per component.
int32_t Obtiene_Rojo(const std::string& Color, const std::string& Formato);
int32_t Obtiene_Verde(const std::string& Color, const std::string& Formato);
int32_t Obtiene_Azul(const std::string& Color, const std::string& Formato);

// "&H" + upper-case hexadecimal digits + "&"; "&H0&" for 0; empty when n < 0.
std::string Convierte_Hexadecimal(int32_t n);
// One hexadecimal digit for 0 to 15; empty text for any other value.
std::string Convierte_Digito(int32_t v);
// Value of one digit "0".."9" or "A".."F"; 0 for any other text.
int32_t Evalua_Digito(const std::string& d);

}  // namespace zek
