// What a skinned window does with its skin (ui/skin_win32.h): its face, the colours of its
// labels, the pictures of its owner-drawn buttons in their states, and the subclass that every
// control of a skin gets. The main window, the initialization window and the new-image
// notification answer their messages with these; each is a function of the skin, the hovered
// window and a device context, so it draws into a test bitmap as it draws onto the screen.
//
//     case WM_ERASEBKGND:
//         PaintSkinBackground(state.skin, reinterpret_cast<HDC>(wParam));
//         return 1;
//     case WM_CTLCOLORSTATIC:
//         if (HBRUSH brush = ColourSkinLabel(state.skin, reinterpret_cast<HDC>(wParam), control)) {
//             return reinterpret_cast<LRESULT>(brush);
//         }
//         return DefWindowProcA(window, message, wParam, lParam);
//     case WM_DRAWITEM:
//         (void)DrawSkinButton(state.skin, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), state.hovered);
//         return 1;
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

// The subclass of every control that ParseSkin creates: it reports its focus to the parent
// (WM_APP_SET_FOCUS_CONTROL with the control as wParam) and hands WM_KEYDOWN and WM_KEYUP to
// the parent as they are, so that the window can move the focus; then the control goes on as
// usual. Installed with SetWindowSubclass, which leaves the control's user data free.
[[nodiscard]] bool SubclassSkinnedControl(HWND control);
