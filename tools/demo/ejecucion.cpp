// SPDX-License-Identifier: MIT
#include "tools/demo/ejecucion.h"

#include "images/capturas.h"

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
    const auto fuente = sesion_.fuente_marcada();
    for (const Ataque& a : ataques) {
        ResultadoAtaque r{a.texto, std::nullopt, {}, false};
        if (fuente) {
            const ResultadoLaboratorio l = analiza(*fuente, a, &jpeg);
            r.psnr = l.psnr;
            if (l.aciertos) {
                r.aciertos = *l.aciertos;
                r.leido = true;
            }
        }
        resultados.push_back(r);
    }
    return resultados;
}

Ejecucion::Extraccion Ejecucion::extrae(const Parametros& p) {
    const SuperficieMemoria imagen = sesion_.Picture1();  // before the grid covers it
    Extraccion e;
    puerto_.pon_texto(Control::Txt_Grado, p.grado);
    sesion_.Cmd_Grado_Click();
    puerto_.pon_texto(Control::Txt_Clave, p.clave);
    sesion_.Cmd_Clave_Click();
    sesion_.Command1_Click();
    const Vbles& v = sesion_.vbles();
    const int Wm = sesion_.Picture2().ancho(), Hm = sesion_.Picture2().alto();
    Tabla Y;
    captura_luminancia(imagen, Y);
    e.leida =
        extraccion_ciega(Y, imagen.ancho(), imagen.alto(), v.Grado, v.Clave, v.LongBloque, Wm, Hm);
    if (e.leida) e.aciertos = compara_con_marca(*e.leida, v.MatrizMarca);
    e.histograma = histograma_de_residuos(Y, imagen.ancho(), imagen.alto(), v.Grado, v.LongBloque,
                                          Wm, Hm, v.MatrizMarca);
    return e;
}

}  // namespace zek
