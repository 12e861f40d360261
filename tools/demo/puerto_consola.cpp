#include "tools/demo/puerto_consola.h"

#include <ostream>
#include <string_view>

#include "base/numeros.h"

namespace zek {

std::string linea_de_mensaje(const Mensaje& m) {
    std::string texto;
    for (size_t i = 0; i < m.texto.size(); ++i) {
        const char c = m.texto[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < m.texto.size() && m.texto[i + 1] == '\n') ++i;
            texto += " / ";
        } else {
            texto += c;
        }
    }
    return m.titulo + ": " + texto;
}

void PuertoConsola::pon_texto(Control control, const std::string& texto) {
    textos_[control] = texto;
}

std::string PuertoConsola::texto(Control control) const {
    const auto t = textos_.find(control);
    return t == textos_.end() ? std::string() : t->second;
}

void PuertoConsola::mensaje(const std::string& texto, Icono, const std::string& titulo) {
    mensajes_.push_back({titulo, texto});
    if (errores_) *errores_ << linea_de_mensaje(mensajes_.back()) << '\n';
}

std::string PuertoConsola::elige_archivo(const std::string&) {
    if (archivos_.empty()) return {};  // as if the user cancelled
    std::string ruta = archivos_.front();
    archivos_.pop_front();
    return ruta;
}

std::optional<double> PuertoConsola::lee_numero(const std::string& texto) const {
    return numero_con_punto(texto);
}

std::optional<double> numero_con_punto(const std::string& texto) {
    const auto inicio = texto.find_first_not_of(" \t");
    if (inicio == std::string::npos) return std::nullopt;
    const auto fin = texto.find_last_not_of(" \t") + 1;
    std::string_view numero(texto.data() + inicio, fin - inicio);
    if (numero.size() > 1 && numero[0] == '+' && numero[1] != '-') numero.remove_prefix(1);
    return lee_decimal(numero);
}

}  // namespace zek
