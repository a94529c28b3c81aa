// Link labels in ordinary dialogs: an underlined label that turns dark blue under the cursor,
// shows the hand over it and opens a web address or a folder when clicked. The dialog keeps a
// LinkLabel in its state and calls these from its procedure:
//
//     case WM_INITDIALOG:  StartLinkLabel(state->link, dialog, kAboutLink, kAboutLinkFont); ...
//     case WM_SETCURSOR:   TrackLinkHover(state->link, reinterpret_cast<HWND>(wParam)); return TRUE;
//     case WM_CTLCOLORSTATIC:
//         if (HBRUSH brush = ColourLinkLabel(state->link, reinterpret_cast<HDC>(wParam), control)) ...
//     case WM_COMMAND:     if (IsLinkClick(state->link, wParam)) OpenLinkTarget(kServiceAddress);
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/skin_fonts_win32.h"

struct LinkLabel {
    HWND link = nullptr;
    HWND hovered = nullptr;  // the last window the cursor was reported over; only replaced
    DialogSkinFont font;
};

// Sets the label's font (a skin font index, ui/skin_fonts_win32.h, at the dialog's scale), has its cursor messages
// answered by the dialog and starts with the dialog itself as the hovered window.
void StartLinkLabel(LinkLabel& label, HWND dialog, int controlId, uint8_t fontIndex);

// WM_SETCURSOR of the dialog: repaints the link when the cursor moves onto it or off it, and
// shows the hand over the link, the arrow elsewhere.
void TrackLinkHover(LinkLabel& label, HWND underCursor);

// The link's colours for WM_CTLCOLORSTATIC, with the brush of the dialog's face to answer;
// null for any other control.
[[nodiscard]] HBRUSH ColourLinkLabel(const LinkLabel& label, HDC dc, HWND control);

// A dialog procedure's first step: answers WM_SETCURSOR (the hover and the cursor) and the
// link's WM_CTLCOLORSTATIC; true, with the dialog procedure's answer in `result`, when the
// message was answered.
[[nodiscard]] bool HandleLinkLabelMessage(LinkLabel& label,
                                          HWND dialog,
                                          UINT message,
                                          WPARAM wParam,
                                          LPARAM lParam,
                                          INT_PTR& result);

// True for the WM_COMMAND of a click on the link.
[[nodiscard]] bool IsLinkClick(const LinkLabel& label, WPARAM command);

// Plays the click and opens the target: a web address in the browser, anything else (a
// folder) through the shell. An empty target does nothing.
void OpenLinkTarget(const char* target);
