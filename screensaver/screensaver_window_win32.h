// The screensaver window: full screen (a topmost pop-up over the whole screen) or a preview
// (a child filling the window given on the command line). Its creation sets the slideshow up
// behind the initialization window; in full screen a key, a click, a mouse move of more than
// 100 pixels or the loss of activation closes it, while nothing the user does closes a
// preview. Full screen it also plays the music and may switch the display mode. Windows only.
//
//     ScreensaverWindow state(&process);
//     if (CreateScreensaverWindow(state) != nullptr) exitCode = RunMessageLoop();
#pragma once

#include <windows.h>

#include "base/random.h"
#include "screensaver/display/display_mode_win32.h"
#include "screensaver/music/screensaver_music_win32.h"
#include "screensaver/screensaver_process_win32.h"
#include "screensaver/slideshow_win32.h"

struct ScreensaverWindow {
    explicit ScreensaverWindow(ScreensaverProcess* facts) : process(facts) {}

    ScreensaverProcess* process;
    HWND window = nullptr;
    POINT mouseReference = {};  // in screen coordinates, taken at the end of the set-up
    bool idlePriority = false;  // the process runs at idle priority while it animates
    bool comInitialized = false;
    RandomState random;  // pictures, transitions and tracks
    ScreensaverMusic music{random};
    DisplayModeSwitch displayMode;  // before the slideshow, which presents through it
    Slideshow slideshow;
};

// Registers the window's class and creates the window in the geometry of the process's mode,
// then shows it (in full screen also in the foreground). Null when the window cannot be made.
[[nodiscard]] HWND CreateScreensaverWindow(ScreensaverWindow& state);
