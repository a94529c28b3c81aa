// What the scenarios' probes know of Tapestrique.exe's windows, found as another program on
// the same desktop finds them, and the one way they wait for a condition.
#pragma once

#include <windows.h>

#include <dlgs.h>

#include "app/startup/single_instance_win32.h"

constexpr char kPictureWindowClass[] = "TapestriqueExeOpenTQIFile_WndClass";

inline HWND FindMainWindow() {
    return FindWindowA(kMainWindowClassName, kMainWindowTitle);
}

// The buttons over a picture opened from a command line are on a dialog of their own: a child
// of the picture's window, or a window it owns.
inline HWND FindPictureButtons(HWND picture) {
    const LPCSTR dialogClass = reinterpret_cast<LPCSTR>(WC_DIALOG);
    HWND child = FindWindowExA(picture, nullptr, dialogClass, nullptr);
    if (child != nullptr) return child;
    for (HWND dialog = FindWindowExA(nullptr, nullptr, dialogClass, nullptr); dialog != nullptr;
         dialog = FindWindowExA(nullptr, dialog, dialogClass, nullptr)) {
        if (GetWindow(dialog, GW_OWNER) == picture) return dialog;
    }
    return nullptr;
}

// The edit of a field: the field itself, or the edit inside a combo box.
inline HWND EditOf(HWND field) {
    char name[16] = {};
    if (field != nullptr) GetClassNameA(field, name, sizeof name);
    if (field == nullptr || lstrcmpiA(name, "Edit") == 0) return field;
    HWND edit = FindWindowExA(field, nullptr, "Edit", nullptr);
    return edit != nullptr ? edit : field;
}

// The open-file dialog names its file-name field edt1 in some versions, cmb13 (a combo box
// with an edit) in others; nullptr for a window without one.
inline HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, cmb13);
    return EditOf(field != nullptr ? field : GetDlgItem(dialog, edt1));
}

// Polls every 100 ms until `holds` is true or the time is up; whether it held.
template <typename Condition>
bool WaitUntil(Condition holds, int seconds) {
    const DWORD start = GetTickCount();
    while (!holds()) {
        if (GetTickCount() - start >= static_cast<DWORD>(seconds) * 1000) return false;
        Sleep(100);
    }
    return true;
}
