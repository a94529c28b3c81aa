// The command line of Tapestrique.scr: how the system (or the desktop application, or the
// settings page's test button) asks for one of its four ways to run.
//
//   "/p N", "-p N", "/l N", "-l N"   preview inside window N (looked for in this order)
//   "/t N", "-t N"                   test preview: a preview that always animates its changes
//                                    and announces its window to N's parent
//   "/c", "-c", "/a", "-a"           configuration: the desktop application opens instead
//   anything else                    full screen
//
// Switches are found anywhere in the line in any letter case. The window number is read as
// atoi reads it, from the third character of the switch on, so that the switch and one
// separator of any kind ("/p 1234", "/p:1234") are skipped. A number of 0 is no window, and
// the screensaver then runs full screen. Configuration wins over both previews.
#pragma once

#include <cstdint>
#include <string_view>

enum class ScreensaverMode {
    FullScreen,
    Preview,
    TestPreview,
    Configuration,
};

struct ScreensaverLaunch {
    ScreensaverMode mode = ScreensaverMode::FullScreen;
    // The window given after a preview switch (as the system's handle value); also kept when
    // configuration wins over it. 0 for none.
    int32_t parentWindow = 0;
};

// `commandLine` is the line as the program keeps it (KeptCommandLine: empty when too long).
[[nodiscard]] ScreensaverLaunch ReadScreensaverCommandLine(std::string_view commandLine);

[[nodiscard]] constexpr bool IsPreview(ScreensaverMode mode) {
    return mode == ScreensaverMode::Preview || mode == ScreensaverMode::TestPreview;
}
