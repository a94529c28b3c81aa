// The start-up's progress bar as the collection is read.
#include <gtest/gtest.h>

#include <climits>

#include "ui/progress_record.h"

namespace {

TEST(StartupProgress, AdvancesFromFiveToOneHundredAcrossTheCountedFiles) {
    struct Case {
        int read, counted;
        int32_t expected;
    };
    // Rounded down at every step; nothing counted, or files added after the count, give 100.
    const Case cases[] = {
        {0, 4, 5},   {1, 4, 28},  {2, 4, 52},  {3, 4, 76},
        {4, 4, 100}, {1, 3, 36},  {2, 3, 68},  {1, 190, 5},
        {1, 19, 10}, {0, 0, 100}, {7, 4, 100}, {INT_MAX - 1, INT_MAX, 99},  // no overflow on the way
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartupProgressPosition(c.read, c.counted), c.expected) << c.read << " of " << c.counted;
    }
}

}  // namespace
