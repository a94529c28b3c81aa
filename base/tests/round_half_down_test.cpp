#include "base/round_half_down.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(RoundHalfDownTest, HalvesGoDownEverythingElseToTheNearest) {
    const struct {
        double x;
        int expected;
    } cases[] = {
        {0.5, 0},
        {1.5, 1},
        {-0.5, -1},
        {-1.5, -2},
        {2.4, 2},
        {2.6, 3},
        {-2.4, -2},
        {-2.6, -3},
        {0.0, 0},
        {7.0, 7},
        {-7.0, -7},
        {0.49999, 0},
        {0.50001, 1},
        // The centring of a 1023- and a 1025-pixel picture on 1024 pixels.
        {(1024.0 - 1023.0) / 2.0, 0},
        {(1024.0 - 1025.0) / 2.0, -1},
        {1e12, INT_MAX},
        {-1e12, INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfDown(c.x), c.expected) << c.x;
}

}  // namespace
