// The behaviour that every skinned window shares (the main window, the initialization window,
// the new-image notification, the screensaver's): its skin's background as its face, label
// colours, buttons drawn from the skin's state pictures with a hover state, the hand or arrow
// cursor, and, as each window asks, dragging by the background, the close command as a click
// on its close button, and the focus walk with Tab, Shift+Tab and Escape. A window keeps a
// SkinnedWindow in its state and hands every message to HandleSkinnedWindowMessage first:
//
//     struct NewImageWindow {
//         SkinnedWindow skinned;
//         ...
//     };
//     constexpr SkinnedWindowRules kNewImageRules = {.closeButtonId = kNewImageCloseButton};
//
//     LRESULT result = 0;
//     if (HandleSkinnedWindowMessage(state->skinned, kNewImageRules, window, message, wParam, lParam, result)) {
//         return result;
//     }
//     switch (message) { ... the window's own messages ... }
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/skin_win32.h"

struct SkinnedWindow {
    Skin skin;
    HWND hovered = nullptr;  // the last window the cursor was reported over; only replaced
    HWND focused = nullptr;  // the control that last reported its focus
};

// The rows that a window follows beyond the background, labels, buttons and cursors, which
// all follow.
struct SkinnedWindowRules {
    bool dragByBackground = false;   // a click on the background drags the window
    bool moveFocusWithKeys = false;  // Tab and Shift+Tab along the skin's chains; Escape closes
    uint32_t closeButtonId = 0;      // the close command clicks this button (0: the window decides)
};

// Answers the message by the shared rules and returns true with `result` set, or returns false
// for the window to handle it (its own messages, and those that the rules leave to the
// default handling).
[[nodiscard]] bool HandleSkinnedWindowMessage(SkinnedWindow& state,
                                              const SkinnedWindowRules& rules,
                                              HWND window,
                                              UINT message,
                                              WPARAM wParam,
                                              LPARAM lParam,
                                              LRESULT& result) noexcept;

// The hover tracking of WM_SETCURSOR: when the cursor is over another window than before, the
// old and the new one are repainted if they are buttons of the skin. Then the cursor that the
// element under it asks for.
void TrackSkinHover(SkinnedWindow& state, HWND underCursor);

// Moves the focus from the control that last reported it along its chain (backwards for
// Shift+Tab), over disabled controls; it stays when the chain ends or loops.
void MoveSkinFocus(const SkinnedWindow& state, bool backwards);
