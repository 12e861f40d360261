#include "engine/pares.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

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

}  // namespace
}  // namespace zek
