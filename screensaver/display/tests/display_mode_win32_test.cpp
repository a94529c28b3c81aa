// DirectDraw's display modes and the screensaver's switch on Wine's display: the list holds
// only usable modes, a mode that is not offered changes nothing, and the desktop's mode comes
// back however the switch ends.
#include <gtest/gtest.h>

#include <windows.h>

#include "screensaver/display/display_mode_win32.h"
#include "screensaver/display/display_modes.h"
#include "ui/tests/skin_test_support_win32.h"

namespace {

int ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

// The display's mode as programs see it.
struct ScreenMode {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    int bitsPerPixel = ScreenBitsPerPixel();
    bool operator==(const ScreenMode&) const = default;
};

ScreenMode AsScreenMode(const DisplayMode& mode) {
    return {static_cast<int>(mode.width), static_cast<int>(mode.height), static_cast<int>(mode.bitsPerPixel)};
}

TEST(DisplayModeSwitch, ListsUsableModesAndSwitchesOnlyIntoAnOfferedOne) {
    const std::vector<DisplayMode> modes = ListDisplayModes();
    ASSERT_FALSE(modes.empty());
    EXPECT_LE(modes.size(), kMaxDisplayModes);
    for (const DisplayMode& mode : modes) {
        EXPECT_GE(mode.width, 640u);
        EXPECT_GE(mode.height, 480u);
        EXPECT_GE(mode.bitsPerPixel, 16u);
    }

    const ScreenMode desktop;
    HWND window =
        skin_test::CreateParentWindow("DisplayModeTest", DefWindowProcA, nullptr, desktop.width, desktop.height);
    ASSERT_NE(window, nullptr);
    DisplayModeSwitch display;
    DisplayMode unknown = modes.front();
    unknown.refreshRate += 1000;
    EXPECT_FALSE(display.Enter(unknown, window)) << "not offered with that refresh rate";
    EXPECT_EQ(ScreenMode(), desktop);
    EXPECT_FALSE(display.Enter(DisplayMode{}, window));
    EXPECT_EQ(ScreenMode(), desktop);
    // The flipping chain stands even though the mode stayed.
    ASSERT_TRUE(display.PageFlipping());
    HDC frame = display.BeginFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(PatBlt(frame, 0, 0, 16, 16, WHITENESS));
    display.PresentFrame(frame);
    display.Leave();
    display.Leave();
    EXPECT_FALSE(display.PageFlipping());

    // Into an offered mode other than the desktop's (Wine on Xvfb offers the desktop's size at
    // another colour depth), and back: by Leave, then by the window's end.
    const DisplayMode* other = nullptr;
    for (const DisplayMode& mode : modes) {
        if (!(AsScreenMode(mode) == desktop)) other = &mode;
    }
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(display.Enter(*other, window));
    EXPECT_EQ(ScreenMode(), AsScreenMode(*other));
    display.Leave();
    EXPECT_EQ(ScreenMode(), desktop);
    ASSERT_TRUE(display.Enter(*other, window));
    DestroyWindow(window);
    EXPECT_EQ(ScreenMode(), desktop);
    EXPECT_FALSE(display.PageFlipping()) << "the switch ends with its window";
}

}  // namespace
