// Where music and the display mode join the full-screen slideshow. The window calls these at
// its set-up, on the player's events and when it closes; each does nothing when its service
// is not on the system.
#pragma once

#include <windows.h>

#include "settings/settings.h"

class SlideshowMusic {
public:
    // Starts playing the music folder's tracks at random; false when there is no music.
    [[nodiscard]] bool Start(const char* musicFolder, HWND window);
    void OnPlayerEvent(WPARAM wParam, LPARAM lParam);
    void Stop();
};

class SlideshowDisplayMode {
public:
    // Switches the display to `wanted` while the window runs full screen; false when the
    // display keeps its mode.
    [[nodiscard]] bool Enter(const DisplayMode& wanted, HWND window);
    void Leave();
};
