#include "tools/demo/ejecucion.h"

namespace zek {

Ejecucion::Ejecucion(std::ostream* errores) : puerto_(errores), sesion_(puerto_, lector_) {}

bool Ejecucion::carga(const Parametros& p) {
    const auto rechazo = [this](const std::string& ruta) {
        // A picture too large has had its message; an unreadable file only
        // has the status line.
        const std::string estado = puerto_.texto(Control::Estado);
        motivo_ = estado.empty() ? "La imagen «" + ruta + "» no se ha aceptado." : estado;
        return false;
    };
    puerto_.archivo = p.host;
    if (!sesion_.SubImagen_Click()) return rechazo(p.host);
    puerto_.archivo = p.marca;
    if (!sesion_.SubMarcaAgua_Click()) return rechazo(p.marca);
    return true;
}

bool Ejecucion::demuestra(const Parametros& p) {
    const size_t mensajes = puerto_.mensajes.size();
    puerto_.pon_texto(Control::Txt_Grado, p.grado);
    sesion_.Cmd_Grado_Click();
    puerto_.pon_texto(Control::Txt_Clave, p.clave);
    sesion_.Cmd_Clave_Click();
    if (puerto_.mensajes.size() != mensajes) return false;  // not numeric: refused
    for (int i = 0; i < 4; ++i) sesion_.Command1_Click();
    return true;
}

std::vector<ResultadoAtaque> Ejecucion::ataca(const std::vector<Ataque>& ataques,
                                              const CodecJpeg& jpeg) const {
    std::vector<ResultadoAtaque> resultados;
    for (const Ataque& a : ataques) {
        ResultadoAtaque r{a.texto, std::nullopt, {}, false};
        if (demostracion().informe().insertada) {
            if (const auto atacada = aplica_ataque(a, demostracion().marcada(), &jpeg)) {
                r.psnr =
                    psnr_entre(demostracion().marcada(), *atacada, demostracion().zona_dibujada());
                if (const auto leida = demostracion().lee_a_ciegas(*atacada)) {
                    r.aciertos = compara_con_marca(*leida, vbles().MatrizMarca);
                    r.leido = true;
                }
            }
        }
        resultados.push_back(r);
    }
    return resultados;
}

}  // namespace zek
