// Which reported display modes are kept, and which one a stored video mode names.
#include <gtest/gtest.h>

#include <vector>

#include "screensaver/display/display_modes.h"

namespace {

DisplayMode Mode(uint32_t width, uint32_t height, uint32_t bits, uint32_t refresh) {
    DisplayMode mode;
    mode.width = width;
    mode.height = height;
    mode.bitsPerPixel = bits;
    mode.refreshRate = refresh;
    return mode;
}

TEST(DisplayModes, OnlyModesOfAtLeast640By480At16BitsAreKeptInTheReportedOrderUpTo256) {
    std::vector<DisplayMode> modes;
    const DisplayMode reported[] = {Mode(1024, 768, 32, 60), Mode(600, 400, 32, 60), Mode(640, 480, 16, 0),
                                    Mode(639, 480, 32, 60),  Mode(640, 479, 32, 60), Mode(800, 600, 8, 60),
                                    Mode(800, 600, 16, 75)};
    for (const DisplayMode& mode : reported) EXPECT_TRUE(RecordDisplayMode(modes, mode));
    ASSERT_EQ(modes.size(), 3u);
    EXPECT_EQ(FindDisplayMode(modes, Mode(1024, 768, 32, 60)), 0);
    EXPECT_EQ(FindDisplayMode(modes, Mode(640, 480, 16, 0)), 1);
    EXPECT_EQ(FindDisplayMode(modes, Mode(800, 600, 16, 75)), 2);

    uint32_t width = 640;
    while (RecordDisplayMode(modes, Mode(++width, 480, 32, 60))) {
    }
    EXPECT_EQ(width, 640u + 253) << "the enumeration stops as the list fills";
    EXPECT_FALSE(RecordDisplayMode(modes, Mode(2000, 1000, 32, 60)));
    EXPECT_EQ(modes.size(), kMaxDisplayModes);
}

TEST(DisplayModes, AStoredModeMatchesOnlyInAllFourNumbers) {
    const std::vector<DisplayMode> modes = {Mode(800, 600, 16, 75), Mode(800, 600, 32, 60), Mode(800, 600, 16, 60),
                                            Mode(1024, 768, 16, 0)};
    EXPECT_EQ(FindDisplayMode(modes, Mode(800, 600, 16, 60)), 2);
    EXPECT_EQ(FindDisplayMode(modes, Mode(800, 600, 16, 85)), -1);
    EXPECT_EQ(FindDisplayMode(modes, Mode(1024, 768, 16, 0)), 3);
    EXPECT_EQ(FindDisplayMode(modes, Mode(1024, 768, 16, 60)), -1);
    EXPECT_EQ(FindDisplayMode(modes, Mode(600, 400, 16, 60)), -1);
    EXPECT_EQ(FindDisplayMode(modes, DisplayMode{}), -1) << "the current system mode is never a switch";
    EXPECT_EQ(FindDisplayMode({}, Mode(800, 600, 16, 60)), -1);
}

}  // namespace
