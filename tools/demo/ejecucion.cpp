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

Ejecucion::Extraccion Ejecucion::extrae(const Parametros& p, int32_t lado) {
    const SuperficieMemoria imagen = sesion_.Picture1();  // before the grid covers it
    Extraccion e;
    puerto_.pon_texto(Control::Txt_Grado, p.grado);
    sesion_.Cmd_Grado_Click();
    puerto_.pon_texto(Control::Txt_Clave, p.clave);
    sesion_.Cmd_Clave_Click();
    sesion_.Command1_Click();  // the layout, and its messages, as the window's first step
    const Vbles& v = sesion_.vbles();
    const int W = imagen.ancho(), H = imagen.alto();
    const int Wm = sesion_.Picture2().ancho(), Hm = sesion_.Picture2().alto();
    LecturaCiega l = lee_a_ciegas(imagen, v.Grado, v.Clave, lado >= 1 ? lado : v.LongBloque,
                                  v.MatrizMarca, Wm, Hm);
    const int32_t L = l.parametros.LongBloque;
    e.lado = L;
    e.bloques = L >= 1 ? static_cast<double>(int64_t{W / L} * (H / L)) : 0;
    e.leida = std::move(l.leida);
    e.aciertos = l.aciertos;
    e.histograma = histograma_de_residuos(l.Y, W, H, v.Grado, L, Wm, Hm, v.MatrizMarca);
    return e;
}

}  // namespace zek
