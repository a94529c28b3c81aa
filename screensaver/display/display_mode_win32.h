// The display modes DirectDraw offers, and the full-screen screensaver's switch into the
// chosen one with a page-flipping chain for its frames.
//
//     DisplayModeSwitch display;                   // in the screensaver window's state
//     creation:  if (display.Enter(settings.vmDirectXVideoMode, window)) canvas = that size;
//                if (display.PageFlipping()) ... frames go through the back buffer:
//     a frame:   if (HDC dc = display.BeginFrame()) { Draw(dc); display.PresentFrame(dc); }
//     close:     display.Leave();                  // the desktop's mode again
//
// The desktop's mode comes back at Leave, when the object goes and when the window it was
// entered for is destroyed, whichever comes first. Enter, Leave and the destructor run on the
// window's thread; frames may be drawn and presented on another thread, but never while the
// switch is entered or left.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <vector>

#include "settings/settings.h"
#include "win32/com_owners_win32.h"

// The modes of the display of at least 640 x 480 at 16 bits per pixel, with their refresh
// rates, in the order the driver reports them (at most kMaxDisplayModes); none without
// DirectDraw.
[[nodiscard]] std::vector<DisplayMode> ListDisplayModes();

class DisplayModeSwitch {
public:
    DisplayModeSwitch() = default;
    ~DisplayModeSwitch();
    DisplayModeSwitch(const DisplayModeSwitch&) = delete;
    DisplayModeSwitch& operator=(const DisplayModeSwitch&) = delete;

    // Takes the display for `window` (exclusive, full screen), switches it to `wanted` when
    // the display offers exactly that mode, and builds the flipping chain. True when the
    // display now runs in `wanted`; false leaves the mode as it was (not offered, the switch
    // failed, no DirectDraw). The chain is built either way when DirectDraw allows.
    [[nodiscard]] bool Enter(const DisplayMode& wanted, HWND window);

    // Gives the display back: the desktop's mode, normal use, every surface released. Safe to
    // call at any time, also twice.
    void Leave();

    // Whether frames are presented through the back buffer and a flip.
    [[nodiscard]] bool PageFlipping() const { return backBuffer_.IsValid(); }

    // A device context of the back buffer to draw the next frame into; null without a chain
    // or when the surface is lost. Every context handed out goes back through PresentFrame.
    [[nodiscard]] HDC BeginFrame();
    // Gives the context back and shows the back buffer.
    void PresentFrame(HDC dc);

private:
    static LRESULT CALLBACK
    LeaveOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) noexcept;

    ComPtr<IDirectDraw2> display_;
    ComPtr<IDirectDrawSurface> primary_;
    ComPtr<IDirectDrawSurface> backBuffer_;
    HWND window_ = nullptr;
    bool switched_ = false;
};
