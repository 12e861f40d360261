// SPDX-License-Identifier: MIT
#include "workflow/barrido.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "base/numeros.h"
#include "base/puerto_memoria.h"
#include "workflow/lector_memoria.h"
#include "workflow/sesion.h"

namespace zek {
namespace {

std::optional<double> ber_de(const std::optional<Aciertos>& a) {
    return a && a->total ? std::optional<double>(a->ber()) : std::nullopt;
}

// The rows of one degree, on a session that the caller reuses.
std::vector<FilaBarrido> filas_de_grado(Sesion& s, PuertoMemoria& puerto, double g, double clave,
                                        const std::vector<Ataque>& ataques, const CodecJpeg* jpeg) {
    // As the user does it: Reset, open both pictures, type both values, four presses.
    s.MnuReset_Click();
    puerto.archivo = "host";
    s.SubImagen_Click();
    puerto.archivo = "marca";
    s.SubMarcaAgua_Click();
    puerto.pon_texto(Control::Txt_Grado, texto_exacto(g));
    s.Cmd_Grado_Click();
    puerto.pon_texto(Control::Txt_Clave, texto_exacto(clave));
    s.Cmd_Clave_Click();
    for (int p = 0; p < 4; ++p) s.Command1_Click();

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

std::vector<FilaBarrido> barrido_de_grados(const SuperficieImagen& host,
                                           const SuperficieImagen& marca,
                                           const std::vector<double>& grados, double clave,
                                           const std::vector<Ataque>& ataques,
                                           const CodecJpeg* jpeg,
                                           const std::function<bool(size_t, size_t)>& progreso) {
    LectorMemoria lector;
    lector.guarda("host", host);
    lector.guarda("marca", marca);
    // The degrees are independent: two workers take them in turn, each with a
    // session of its own that keeps its memory from one degree to the next.
    std::vector<std::vector<FilaBarrido>> por_grado(grados.size());
    std::atomic<size_t> siguiente = 0, hechos = 0;
    std::atomic<bool> parar = false;
    std::mutex aviso;
    const auto trabajador = [&] {
        PuertoMemoria puerto;
        Sesion s(puerto, lector);  // the reader is only read: shared safely
        for (size_t i = siguiente++; i < grados.size() && !parar; i = siguiente++) {
            auto filas = filas_de_grado(s, puerto, grados[i], clave, ataques, jpeg);
            const std::lock_guard cerrojo(aviso);
            if (parar) break;  // finished after the stop: not reported, not kept
            por_grado[i] = std::move(filas);
            if (progreso && !progreso(++hechos, grados.size())) parar = true;
        }
    };
    {
        std::jthread segundo;
        if (grados.size() > 1 && std::thread::hardware_concurrency() > 1) {
            segundo = std::jthread(trabajador);
        }
        trabajador();
    }
    // In the order of the degrees, up to the first one not done.
    std::vector<FilaBarrido> filas;
    for (auto& f : por_grado) {
        if (f.empty()) break;
        filas.insert(filas.end(), f.begin(), f.end());
    }
    return filas;
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
