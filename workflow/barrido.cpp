#include "workflow/barrido.h"

#include "base/numeros.h"
#include "base/puerto_memoria.h"
#include "workflow/lector_memoria.h"
#include "workflow/sesion.h"

namespace zek {
namespace {

std::optional<double> ber_de(const std::optional<Aciertos>& a) {
    return a && a->total ? std::optional<double>(a->ber()) : std::nullopt;
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
    std::vector<FilaBarrido> filas;
    for (size_t i = 0; i < grados.size(); ++i) {
        const double g = grados[i];
        // As the user does it: open both pictures, type both values, four presses.
        PuertoMemoria puerto;
        Sesion s(puerto, lector);
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
        filas.push_back({g, "ninguno", inf.psnr, ber_de(inf.extraccion)});
        const auto fuente = s.fuente_marcada();
        for (const Ataque& a : ataques) {
            FilaBarrido f{g, a.texto, std::nullopt, std::nullopt};
            if (fuente) {
                const ResultadoLaboratorio r = analiza(*fuente, a, jpeg);
                f.psnr = r.psnr;
                f.ber = ber_de(r.aciertos);
            }
            filas.push_back(f);
        }
        if (progreso && !progreso(i + 1, grados.size())) break;
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
