// SPDX-License-Identifier: MIT
#include "engine/pares.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace zek {
namespace {

// The pair loops take remainders through a double division; they must be
// exactly C++'s %, at the ends of the range and anywhere in it.
TEST(Resto, IsExactlyTheIntegerRemainder) {
    const int32_t extremos[] = {INT32_MIN, INT32_MIN + 1, -65536, -257,          -2,       0, 1, 2,
                                255,       2559,          65535,  INT32_MAX - 1, INT32_MAX};
    for (int32_t d : extremos) {
        for (int32_t g : extremos) {
            if (g == 0 || g == 1 || g == -1) continue;
            ASSERT_EQ(resto(d, g), d % g) << d << " % " << g;
        }
    }
    std::mt19937 azar(7);
    std::uniform_int_distribution<int32_t> cualquiera(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int32_t> pequeno(2, 5000);
    for (int i = 0; i < 1000000; ++i) {
        const int32_t d = cualquiera(azar);
        const int32_t g = i % 2 ? pequeno(azar) * (i % 4 == 1 ? -1 : 1) : cualquiera(azar);
        if (g == 0 || g == 1 || g == -1) continue;
        ASSERT_EQ(resto(d, g), d % g) << d << " % " << g;
    }
}

// Side-by-side blocks, row of blocks by row, one watermark pixel each in
// reading order, until the watermark runs out; an odd last block is unpaired.
TEST(RecorrePares, WalksTheBlocksAsWorkedOutByHand) {
    struct Visto {
        int64_t k;
        int xA, yA, xB, yB, xm, ym;
        bool operator==(const Visto&) const = default;
    };
    std::vector<Visto> vistos;
    recorre_pares(5, 3, 2, 2, 2, [&](const Par& p) {
        EXPECT_EQ(p.A.L, 2);
        vistos.push_back({p.k, p.A.x0, p.A.y0, p.B.x0, p.B.y0, p.xm, p.ym});
        return true;
    });
    const std::vector<Visto> esperados = {
        {1, 1, 1, 3, 1, 1, 1}, {2, 5, 1, 7, 1, 2, 1}, {3, 1, 3, 3, 3, 1, 2}, {4, 5, 3, 7, 3, 2, 2}};
    EXPECT_EQ(vistos, esperados);
    int visitas = 0;
    EXPECT_FALSE(recorre_pares(4, 4, 3, 8, 8, [&](const Par&) { return ++visitas < 3; }));
    EXPECT_EQ(visitas, 3);
}

}  // namespace
}  // namespace zek
