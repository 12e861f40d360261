// SPDX-License-Identifier: MIT
#include "base/colores.h"

#include <charconv>

namespace zek {
namespace {

// The digit string of the colour: its hexadecimal text without "&H" and "&".
std::string digitos_hexadecimales(const std::string& Color, const std::string& Formato) {
    std::string s = Color;
    int32_t n = 0;
    const char* fin = Color.data() + Color.size();
    if (Formato == "D" && !Color.empty() && std::from_chars(Color.data(), fin, n).ptr == fin) {
        s = Convierte_Hexadecimal(n);
    }
    return s.size() < 3 ? std::string{} : s.substr(2, s.size() - 3);
}

int32_t valor_de_par(const std::string& t) {
    if (t.empty()) return 0;
    const int32_t bajo = Evalua_Digito(t.substr(t.size() - 1));
    const int32_t alto = t.size() >= 2 ? Evalua_Digito(t.substr(t.size() - 2, 1)) : 0;
    return bajo + 16 * alto;
}

void quita_dos_digitos(std::string& t) {
    t.erase(t.size() < 2 ? 0 : t.size() - 2);
}

}  // namespace

std::string Convierte_Digito(int32_t v) {
    if (v >= 0 && v <= 9) return std::string(1, static_cast<char>('0' + v));
    if (v >= 10 && v <= 15) return std::string(1, static_cast<char>('A' + v - 10));
    return {};
}

int32_t Evalua_Digito(const std::string& d) {
    if (d.size() != 1) return 0;
    const char c = d[0];
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

std::string Convierte_Hexadecimal(int32_t n) {
    if (n < 0) return {};
    if (n == 0) return "&H0&";
    std::string digitos;
    while (n != 0) {
        digitos += Convierte_Digito(n % 16);  // least significant first
        n /= 16;
    }
    std::string texto("&H");
    texto.append(digitos.rbegin(), digitos.rend());
    texto += '&';
    return texto;
}

int32_t Obtiene_Rojo(const std::string& Color, const std::string& Formato) {
    return valor_de_par(digitos_hexadecimales(Color, Formato));
}

int32_t Obtiene_Verde(const std::string& Color, const std::string& Formato) {
    std::string s = digitos_hexadecimales(Color, Formato);
    if (s == "0") return 0;
    quita_dos_digitos(s);
    return valor_de_par(s);
}

int32_t Obtiene_Azul(const std::string& Color, const std::string& Formato) {
    std::string s = digitos_hexadecimales(Color, Formato);
    if (s == "0") return 0;
    quita_dos_digitos(s);
    if (!s.empty()) quita_dos_digitos(s);
    return valor_de_par(s);
}

}  // namespace zek
