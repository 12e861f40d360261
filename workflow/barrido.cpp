// SPDX-License-Identifier: MIT
#include "workflow/barrido.h"

#include <atomic>
#include <mutex>

#include "base/numeros.h"
#include "base/portatil.h"
#include "workflow/sesion_sin_ventana.h"

namespace zek {
namespace {

std::optional<double> ber_de(const std::optional<Aciertos>& a) {
    return a && a->total ? std::optional<double>(a->ber()) : std::nullopt;
}

// The rows of one degree, on a session that the caller reuses.
std::vector<FilaBarrido> filas_de_grado(SesionSinVentana& sv, double g, double clave,
                                        const std::vector<Ataque>& ataques, const CodecJpeg* jpeg) {
    // As the user does it: Reset, open both pictures, type both values, four presses.
    Sesion& s = sv.sesion;
    s.MnuReset_Click();
    s.abre(Rol::Imagen, "host");
    s.abre(Rol::Marca, "marca");
    sv.demuestra(texto_exacto(g), texto_exacto(clave));

    const Informe& inf = s.demostracion().informe();
    std::vector<FilaBarrido> filas{{g, "ninguno", inf.psnr, ber_de(inf.extraccion)}};
    const auto fuente = s.fuente_marcada(false);
    for (const Ataque& a : ataques) {
        FilaBarrido f{g, a.texto, std::nullopt, std::nullopt};
        if (fuente) {
            const ResultadoLaboratorio r = analiza(*fuente, a, jpeg, false);
            f.psnr = r.psnr;
            f.ber = ber_de(r.aciertos);
        }
        filas.push_back(f);
    }
    return filas;
}

}  // namespace

std::vector<FilaBarrido> barrido_de_grados(const SuperficieImagen& anfitrion,
                                           const SuperficieImagen& marca,
                                           const std::vector<double>& grados, double clave,
                                           const std::vector<Ataque>& ataques,
                                           const CodecJpeg* jpeg,
                                           const std::function<bool(size_t, size_t)>& progreso) {
    LectorMemoria lector;
    lector.pon("host", anfitrion);
    lector.pon("marca", marca);
    // The degrees are independent: two workers take them in turn, each with a
    // session of its own that keeps its memory from one degree to the next.
    std::vector<std::vector<FilaBarrido>> por_grado(grados.size());
    std::atomic<size_t> siguiente = 0, hechos = 0;
    std::atomic<bool> parar = false;
    std::mutex aviso;
    const auto trabajador = [&] {
        SesionSinVentana s(&lector);  // the reader is only read: shared safely
        for (size_t i = siguiente++; i < grados.size() && !parar; i = siguiente++) {
            auto filas = filas_de_grado(s, grados[i], clave, ataques, jpeg);
            const std::lock_guard cerrojo(aviso);
            if (parar) break;  // finished after the stop: not reported, not kept
            por_grado[i] = std::move(filas);
            if (progreso && !progreso(++hechos, grados.size())) parar = true;
        }
    };
    if (grados.size() > 1 && hay_dos_nucleos())
        a_la_vez(trabajador, trabajador);
    else
        trabajador();
    // In the order of the degrees, up to the first one not done.
    std::vector<FilaBarrido> filas;
    for (auto& f : por_grado) {
        if (f.empty()) break;
        filas.insert(filas.end(), f.begin(), f.end());
    }
    return filas;
}
const std::vector<double>& grados_del_barrido() {
    static const std::vector<double> grados = {2,  4,  6,  8,  10, 12, 14, 16,
                                               20, 24, 28, 32, 40, 48, 56, 64};
    return grados;
}

std::vector<Ataque> ataques_del_barrido() {
    std::vector<Ataque> ataques;
    for (const char* a : {"jpeg:75", "jpeg:50", "ruido:5", "media:3", "mediana:3", "brillo:20"})
        ataques.push_back(*lee_ataque(a));
    return ataques;
}

std::string barrido_csv(const std::vector<FilaBarrido>& filas) {
    std::string csv = "grado,ataque,psnr,ber\n";
    const auto campo = [](const std::optional<double>& v) { return v ? texto_exacto(*v) : ""; };
    for (const FilaBarrido& f : filas) {
        csv += texto_exacto(f.grado) + "," + f.ataque + "," + campo(f.psnr) + "," + campo(f.ber) +
               "\n";
    }
    return csv;
}

}  // namespace zek
