// SPDX-License-Identifier: MIT
#include "base/tabla.h"

#include <gtest/gtest.h>

namespace zek {
namespace {

TEST(Tabla, IsIndexedFromOneAndCoversOnlyItsRanges) {
    Tabla t;
    EXPECT_FALSE(t.dimensionada());
    EXPECT_FALSE(t.contiene(1, 1));
    t.dimensiona(1, 4, 1, 3);
    EXPECT_TRUE(t.cubre(1, 4, 1, 3));
    EXPECT_FALSE(t.cubre(1, 5, 1, 3));
    EXPECT_FALSE(t.cubre(0, 4, 1, 3));
    EXPECT_FALSE(t.contiene(1, 4));
    EXPECT_EQ(t.lee(4, 3), 0);
    t.escribe(4, 3, -1);
    t.escribe(1, 1, 0.1 + 0.2);  // kept as its text "0.3" gives it back
    EXPECT_EQ(t.lee(4, 3), -1);
    EXPECT_EQ(t.lee(1, 1), 0.3);
}

}  // namespace
}  // namespace zek
