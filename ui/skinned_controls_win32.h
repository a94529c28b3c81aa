// The drawing of a skinned window (ui/skin_win32.h): its face, the colours of its labels and
// the pictures of its owner-drawn buttons in their states. Each is a function of the skin, the
// hovered window and a device context, so it draws into a test bitmap as it draws onto the
// screen. Windows answer their messages through HandleSkinnedWindowMessage
// (ui/skinned_window_win32.h), which calls these.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/skin_win32.h"

// The state number of an owner-drawn button (SkinButtonState) from its draw flags: disabled
// is 0 whatever else holds; otherwise normal 1, hovered 5, pressed 7 (pressed beats hovered),
// one more with the keyboard focus unless focus rectangles are hidden.
[[nodiscard]] uint8_t SkinButtonStateFor(UINT itemState, bool hovered);

// The skin's background at (0, 0) in its own size; nothing without one.
void PaintSkinBackground(const Skin& skin, HDC dc);

// A label of the skin (kind 1) is drawn in its text colour over its brush, or over what lies
// behind it when it has none (a transparent background mode and the hollow stock brush). The
// brush to answer for WM_CTLCOLORSTATIC; null for any other control, which gets the default.
[[nodiscard]] HBRUSH ColourSkinLabel(const Skin& skin, HDC dc, HWND control);

// Draws the button's picture for its state at (0, 0) of the item's context in the element's
// size; a state without picture draws nothing. False when the control is not the skin's.
[[nodiscard]] bool DrawSkinButton(const Skin& skin, const DRAWITEMSTRUCT& item, HWND hovered);
