// SPDX-License-Identifier: MIT
#include "tools/demo/ejecucion.h"

#include "base/numeros.h"
#include "images/capturas.h"
#include "tools/demo/linea_de_mensaje.h"

namespace zek {

Ejecucion::Ejecucion(std::ostream* errores) {
    if (errores) {
        s_.puerto.al_mostrar = [errores](const Mensaje& m) {
            *errores << linea_de_mensaje(m) << '\n';
        };
    }
}

bool Ejecucion::carga(const Parametros& p) {
    const auto rechazo = [this](const std::string& ruta) {
        // A picture too large has had its message; an unreadable file only
        // has the status line.
        const std::string estado = s_.estado();
        motivo_ = estado.empty() ? "La imagen «" + ruta + "» no se ha aceptado." : estado;
        return false;
    };
    if (!s_.sesion.abre(Rol::Imagen, p.anfitrion)) return rechazo(p.anfitrion);
    if (!s_.sesion.abre(Rol::Marca, p.marca)) return rechazo(p.marca);
    return true;
}

bool Ejecucion::demuestra(const Parametros& p) {
    const size_t mensajes = s_.puerto.mensajes.size();
    s_.demuestra(p.grado, p.clave, 0);
    if (s_.puerto.mensajes.size() != mensajes) return false;  // not numeric: refused
    for (int i = 0; i < 4; ++i) s_.sesion.Command1_Click();
    return true;
}

std::vector<ResultadoAtaque> Ejecucion::ataca(const std::vector<Ataque>& ataques,
                                              const CodecJpeg& jpeg) const {
    const auto fuente = s_.sesion.fuente_marcada();
    return zek::ataca(fuente ? &*fuente : nullptr, ataques, jpeg);
}

Ejecucion::Extraccion Ejecucion::extrae(const Parametros& p, int32_t lado) {
    const SuperficieMemoria imagen = s_.sesion.Picture1();  // before the grid covers it
    Extraccion e;
    s_.demuestra(p.grado, p.clave, 1);  // the layout, and its messages, as the window's first step
    const Vbles& v = s_.sesion.vbles();
    const int W = imagen.ancho(), H = imagen.alto();
    const int Wm = s_.sesion.Picture2().ancho(), Hm = s_.sesion.Picture2().alto();
    LecturaCiega l = lee_a_ciegas(imagen, v.Grado, v.Clave, lado >= 1 ? lado : v.LongBloque,
                                  v.MatrizMarca, Wm, Hm);
    const int32_t L = l.parametros.LongBloque;
    e.lado = L;
    e.bloques = L >= 1 ? static_cast<double>(int64_t{W / L} * (H / L)) : 0;
    e.leida = std::move(l.leida);
    e.aciertos = l.aciertos;
    e.histograma = histograma_de_residuos(l.Y, W, H, l.parametros, v.MatrizMarca);
    return e;
}

Ejecucion::Busqueda Ejecucion::busca_rejilla(const Parametros& p, int32_t lado, int W, int H,
                                             const Metodo& m, double fuerza) {
    const SuperficieMemoria imagen = s_.sesion.Picture1();  // before the grid covers it
    const int Wm = s_.sesion.Picture2().ancho(), Hm = s_.sesion.Picture2().alto();
    Busqueda b;
    ParametrosLectura l{0, lee_numero_con_separador(p.clave, '.').value_or(0), 0, Wm, Hm};
    if (m.de_la_demostracion()) {
        s_.demuestra(p.grado, p.clave, 1);  // Grado and Clave as the window takes them
        l.Grado = s_.sesion.vbles().Grado;
        l.Clave = s_.sesion.vbles().Clave;
        b.lado = l.LongBloque = lado_de_lectura(lado, W, H, Wm, Hm);
    }
    const Bits bits = bits_de_marca(s_.sesion.vbles().MatrizMarca, Wm, Hm);
    b.sincronizacion = m.busca_rejilla(imagen, W, H, l, fuerza, bits, &b.motivo);
    return b;
}

}  // namespace zek
