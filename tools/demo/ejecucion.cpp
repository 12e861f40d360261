#include "tools/demo/ejecucion.h"

#include "workflow/manejadores.h"

namespace zek {

Ejecucion::Ejecucion(std::ostream* errores)
    : puerto_(errores), demo_(vbles_, pictures(), puerto_) {}

bool Ejecucion::carga(const Parametros& p) {
    const auto rechazo = [this](const std::string& ruta) {
        // A picture too large has had its message; an unreadable file only
        // has the status line.
        const std::string estado = puerto_.texto(Control::Estado);
        motivo_ = estado.empty() ? "La imagen «" + ruta + "» no se ha aceptado." : estado;
        return false;
    };
    puerto_.pon_archivo(p.host);
    if (!SubImagen_Click(vbles_, pictures(), puerto_, lector_)) return rechazo(p.host);
    puerto_.pon_archivo(p.marca);
    if (!SubMarcaAgua_Click(vbles_, pictures(), puerto_, lector_)) return rechazo(p.marca);
    return true;
}

bool Ejecucion::demuestra(const Parametros& p) {
    const size_t mensajes = puerto_.mensajes().size();
    puerto_.pon_texto(Control::Txt_Grado, p.grado);
    Aplica_Parametro(vbles_, puerto_, Parametro::Grado);
    puerto_.pon_texto(Control::Txt_Clave, p.clave);
    Aplica_Parametro(vbles_, puerto_, Parametro::Clave);
    if (puerto_.mensajes().size() != mensajes) return false;  // not numeric: refused
    for (int i = 0; i < 4; ++i) demo_.Pulsa_Paso();
    return true;
}

std::vector<ResultadoAtaque> Ejecucion::ataca(const std::vector<Ataque>& ataques,
                                              const CodecJpeg& jpeg) const {
    std::vector<ResultadoAtaque> resultados;
    for (const Ataque& a : ataques) {
        ResultadoAtaque r{a.texto, std::nullopt, {}, false};
        if (demo_.informe().insertada) {
            if (const auto atacada = Aplica_Ataque(a, demo_.marcada(), &jpeg)) {
                r.psnr = Psnr(demo_.marcada(), *atacada, demo_.zona_dibujada());
                if (const auto leida = demo_.lee_a_ciegas(*atacada)) {
                    r.aciertos = Compara_Con_Marca(*leida, vbles_.MatrizMarca);
                    r.leido = true;
                }
            }
        }
        resultados.push_back(r);
    }
    return resultados;
}

}  // namespace zek
