// The main window's icon in the notification area (id 100): the small program icon, the
// tooltip "Tapestrique" or "Tapestrique - <current picture>", and its mouse messages as
// WM_APP_TRAY_NOTIFY. While it is there the application flag kFlagTrayIconPresent is set.
#pragma once

#include <windows.h>

#include <shellapi.h>

struct MainWindow;

constexpr UINT kTrayIconId = 100;

// Whether the notification area holds the icon of `window`, asked from any process: changing
// nothing about an icon succeeds exactly when the shell holds it.
[[nodiscard]] inline bool IsTrayIconPresent(HWND window) {
    if (window == nullptr) return false;
    NOTIFYICONDATAA icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = kTrayIconId;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

// Adds the icon with `tooltip` (at most 63 characters are shown).
void AddTrayIcon(MainWindow& state, const char* tooltip);
void DeleteTrayIcon(MainWindow& state);
// The tooltip for the current picture, when the icon is there.
void UpdateTrayTooltip(MainWindow& state);
// The taskbar restarted (Explorer crashed or was restarted): the icon it lost is added again.
void RecreateTrayIcon(MainWindow& state);
