#include "base/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RandomTest, StepsAreTheMinimalStandardGenerator) {
    // Park and Miller's published check: from state 1, the 10 000th state is 1043618065.
    RandomState random;
    random.state = 1;
    for (int i = 0; i < 10000; ++i) StepRandom(random);
    EXPECT_EQ(random.state, 1043618065);

    // Schrage's method must agree with the plain 64-bit product everywhere, including the
    // largest state, where 16807 x state overflows 32 bits.
    const int32_t states[] = {1, 2, 127772, 127773, 127774, 16807, 1000000000, 2147483646};
    for (int32_t state : states) {
        random.state = state;
        StepRandom(random);
        EXPECT_EQ(random.state, static_cast<int32_t>(static_cast<int64_t>(state) * 16807 % 2147483647)) << state;
    }
}

TEST(RandomTest, SeedIsTheProductOfTheTimeFieldsPlusOne) {
    const struct {
        int hour, minute, second, milliseconds;
        int32_t seed;
    } cases[] = {
        {0, 0, 0, 0, 1},
        {10, 20, 30, 400, 11 * 21 * 31 * 401},
        {23, 59, 59, 999, 24 * 60 * 60 * 1000},
    };
    for (const auto& c : cases) {
        SystemTime now;
        now.wYear = 2026;
        now.wMonth = 12;
        now.wDay = 7;
        now.wHour = static_cast<uint16_t>(c.hour);
        now.wMinute = static_cast<uint16_t>(c.minute);
        now.wSecond = static_cast<uint16_t>(c.second);
        now.wMilliseconds = static_cast<uint16_t>(c.milliseconds);
        RandomState random;
        SeedRandom(random, now);
        EXPECT_EQ(random.state, c.seed);
    }
}

TEST(RandomTest, IndexIsTheScaledStateWithinRange) {
    RandomState random;
    random.state = 1;
    // First step from 1 gives 16807: 16807 x 10 / 2147483646 is below 1, so index 0.
    EXPECT_EQ(Random(random, 10), 0);
    EXPECT_EQ(random.state, 16807);
    // From the largest state the next is 2147466840, just below the top: the last index.
    for (int n : {1, 2, 3, 7, 1000}) {
        RandomState top;
        top.state = 2147483646;
        EXPECT_EQ(Random(top, n), n - 1) << n;
        EXPECT_EQ(top.state, 2147466840);
    }
    EXPECT_EQ(Random(random, 0), 0);
    EXPECT_EQ(Random(random, -5), 0);
}

TEST(RandomTest, IndicesCoverTheRangeEvenly) {
    RandomState random;
    random.state = 12345;
    std::vector<int> counts(7, 0);
    for (int i = 0; i < 70000; ++i) {
        int index = Random(random, 7);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 7);
        ++counts[index];
    }
    for (int count : counts) {
        EXPECT_GT(count, 9000);
        EXPECT_LT(count, 11000);
    }
}

}  // namespace
