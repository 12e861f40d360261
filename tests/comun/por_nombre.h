// SPDX-License-Identifier: MIT
// Names parameterised cases after their "nombre" field.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace zek::prueba {

struct PorNombre {
    template <class Caso>
    std::string operator()(const testing::TestParamInfo<Caso>& caso) const {
        return caso.param.nombre;
    }
};

}  // namespace zek::prueba
