// SPDX-License-Identifier: MIT
// The degree sweep: the whole demonstration again for each degree on the
// same pictures, then each attack on the watermarked picture, with the PSNR
// and the bit error rate of the blind reading.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/superficie.h"
#include "images/ataques.h"

namespace zek {

struct FilaBarrido {
    double grado;
    std::string ataque;  // "ninguno" for the watermarked picture itself
    std::optional<double> psnr, ber;
};

// host and marca as the user opened them (host without any grid). The
// degrees run on two threads; after each, progreso(done, total) is called
// (from either thread, never from both at once) and may return false to
// stop: the rows of the degrees done before the first one missing are
// returned. A degree that makes no watermarked picture gives rows without
// figures.
std::vector<FilaBarrido> barrido_de_grados(
    const SuperficieImagen& anfitrion, const SuperficieImagen& marca,
    const std::vector<double>& grados, double clave, const std::vector<Ataque>& ataques,
    const CodecJpeg* jpeg, const std::function<bool(size_t hechos, size_t total)>& progreso = {});

// The laboratory's sweep, which the README shows and zek-demo --barrido
// repeats: sixteen degrees from 2 to 64, each without attack and with six.
const std::vector<double>& grados_del_barrido();
std::vector<Ataque> ataques_del_barrido();

// "grado,ataque,psnr,ber" and one row each, numbers with the point and the
// shortest digits that read back exactly, whatever the locale.
std::string barrido_csv(const std::vector<FilaBarrido>& filas);

}  // namespace zek
