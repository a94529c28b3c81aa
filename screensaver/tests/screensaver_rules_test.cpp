#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screensaver/screensaver_command_line.h"
#include "screensaver/slideshow_rules.h"

namespace {

struct LaunchCase {
    const char* commandLine;
    ScreensaverMode mode;
    int32_t parentWindow;
};

TEST(ScreensaverCommandLineTest, ModesAndWindowNumbers) {
    using enum ScreensaverMode;
    const LaunchCase cases[] = {
        {"", FullScreen, 0},
        {"/s", FullScreen, 0},
        {"/p 1234", Preview, 1234},
        {"/P 1234", Preview, 1234},
        {"-p 1234", Preview, 1234},
        {"/l 1234", Preview, 1234},
        {"-L 1234", Preview, 1234},
        {"/p:1234", Preview, 1234},
        {"/p1234", Preview, 234},   // one character is always skipped as the separator
        {"/p   77x", Preview, 77},  // blanks skipped, digits up to the first other character
        {"/p 0", FullScreen, 0},    // no window: full screen
        {"/p", FullScreen, 0},      // nothing after the switch
        {"/p x12", FullScreen, 0},
        {"-l 5 /p 9", Preview, 9},  // "/p" is looked for first, wherever it stands
        {"/t 4321", TestPreview, 4321},
        {"-T:4321", TestPreview, 4321},
        {"/t 5 /p 6", Preview, 6},  // a preview switch wins over the test preview
        {"/c", Configuration, 0},
        {"/c:1234", Configuration, 0},  // the number after a configuration switch is not read
        {"-C", Configuration, 0},
        {"/a", Configuration, 0},
        {"-a", Configuration, 0},
        {"/p 1234 /a", Configuration, 1234},
        {"/t 99 -c", Configuration, 99},
        {"\"C:\\Program Files\\x.scr\" /S", FullScreen, 0},
        {"/p -5", Preview, -5},         // atoi's sign
        {"/p 4294967297", Preview, 1},  // wraps as a 32-bit number
    };
    for (const LaunchCase& c : cases) {
        ScreensaverLaunch launch = ReadScreensaverCommandLine(c.commandLine);
        EXPECT_EQ(launch.mode, c.mode) << c.commandLine;
        EXPECT_EQ(launch.parentWindow, c.parentWindow) << c.commandLine;
    }
    EXPECT_TRUE(IsPreview(TestPreview));
    EXPECT_FALSE(IsPreview(Configuration));
}

// Random order never repeats a picture and reaches every one; sequential order runs through
// the sorted list from its first entry and wraps; one picture is always that picture.
TEST(SlideshowRulesTest, NextPictureByOrder) {
    RandomState random;
    SeedRandom(random, MakeUtcTime(2026, 12, 7, 13, 14, 15, 16));
    for (int count : {2, 3, 7}) {
        std::vector<int> seen(count, 0);
        int previous = -1;
        for (int draw = 0; draw < 200; ++draw) {
            int next = NextPictureIndex(previous, count, true, random);
            ASSERT_GE(next, 0);
            ASSERT_LT(next, count);
            ASSERT_NE(next, previous) << count << " pictures";
            if (count == 2 && previous >= 0) {
                ASSERT_EQ(next, 1 - previous);  // two alternate strictly
            }
            ++seen[next];
            previous = next;
        }
        for (int times : seen) EXPECT_GT(times, 0) << count << " pictures";
    }
    std::vector<int> order;
    int previous = -1;
    for (int i = 0; i < 7; ++i) order.push_back(previous = NextPictureIndex(previous, 3, false, random));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(NextPictureIndex(-1, 1, true, random), 0);
    EXPECT_EQ(NextPictureIndex(0, 1, true, random), 0);
    EXPECT_EQ(NextPictureIndex(-1, 0, true, random), -1);
}

// The seconds between changes count from one change to the next; a change waits for a ready
// picture and then comes at the first tick that has one; 0 seconds behaves as 1.
TEST(SlideshowRulesTest, TickPacesChanges) {
    struct Tick {
        bool ready;
        bool changes;
    };
    uint32_t counted = 0;
    const Tick threeSeconds[] = {{true, false},  {true, false},  {true, true}, {true, false}, {false, false},
                                 {false, false}, {false, false}, {true, true}, {true, false}};
    for (const Tick& tick : threeSeconds) EXPECT_EQ(TickChangesPicture(counted, 3, tick.ready), tick.changes);
    for (uint32_t setting : {0u, 1u}) {
        counted = 0;
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(TickChangesPicture(counted, setting, true)) << setting;
    }
}

TEST(SlideshowRulesTest, ComposeRequestAndNoImagesPicture) {
    Settings settings = DefaultSettings();
    settings.btScreensaverImagesPresentation = kPresentationCentred;
    settings.btScreensaverImagesBlackWhite = 1;
    ComposeRequest full = SlideshowComposeRequest(settings, 1024, 768, false);
    EXPECT_EQ(full.targetWidth, 1024);
    EXPECT_EQ(full.presentation, kPresentationCentred);
    EXPECT_EQ(full.flags, uint32_t(kComposeTitle | kComposeGreyscale));
    EXPECT_EQ(full.backgroundColour, 0u);
    EXPECT_FALSE(full.area.has_value());
    ComposeRequest preview = SlideshowComposeRequest(settings, 152, 112, true);
    EXPECT_EQ(preview.presentation, kPresentationKeepAspect);
    EXPECT_EQ(preview.flags, 0u);

    EXPECT_TRUE(UsesSmallNoImagesPicture(152, 112));
    EXPECT_TRUE(UsesSmallNoImagesPicture(483, 768));
    EXPECT_TRUE(UsesSmallNoImagesPicture(1024, 120));
    EXPECT_FALSE(UsesSmallNoImagesPicture(484, 121));
}

}  // namespace
