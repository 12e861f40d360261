// What zek-demo writes: the pictures, the blindly extracted watermark, the
// report, and the sweep's table and chart.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/demo/ejecucion.h"

namespace zek {

bool escribe_png(const SuperficieImagen& imagen, const std::filesystem::path& ruta);

std::string informe_json(const Ejecucion& e, const std::vector<ResultadoAtaque>& ataques);

struct FilaBarrido {
    double grado;
    std::string ataque;  // "ninguno" for the watermarked picture itself
    std::optional<double> psnr, ber;
};

std::string barrido_csv(const std::vector<FilaBarrido>& filas);
// The bit error rate against the degree for each attack, with the PSNR of
// the watermarked picture on a second axis.
bool escribe_grafico(const std::vector<FilaBarrido>& filas, const std::filesystem::path& ruta);

}  // namespace zek
