// The window procedures that subclass child controls (SetWindowSubclass, so the controls'
// user data stays free). Each does its step and hands the message on to the control, except
// where it says otherwise; each removes itself when its control is destroyed.
//
//     (void)SubclassSkinnedControl(button);       // every control that ParseSkin creates
//     (void)SubclassNameFilter(GetDlgItem(dialog, kNameField));
#pragma once

#include <windows.h>

// Reports the control's focus to its parent (WM_APP_SET_FOCUS_CONTROL, wParam the control)
// and hands WM_KEYDOWN and WM_KEYUP to the parent as they are, so that a skinned window can
// move the focus along its skin's chains.
[[nodiscard]] bool SubclassSkinnedControl(HWND control);

// Hands WM_KEYDOWN and WM_KEYUP to the parent as they are (a dialog's button whose keys the
// dialog answers itself).
[[nodiscard]] bool SubclassKeyForwarding(HWND control);

// Hands WM_SETCURSOR to the parent and answers it there, so that the dialog picks the cursor
// and tracks the hover of its link labels.
[[nodiscard]] bool SubclassCursorForwarding(HWND control);

// An edit field for a picture's name: a typed character that a name may not hold
// (base/name_characters.h) beeps and is not inserted.
[[nodiscard]] bool SubclassNameFilter(HWND edit);
