#include "app/main_window/tray_icon_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "app/main_window/main_window_win32.h"
#include "app/main_window/window_presence.h"
#include "app/startup/application_flags.h"
#include "app/startup/program_icons_win32.h"
#include "ui/window_messages_win32.h"

namespace {

NOTIFYICONDATAA TrayIconData(const MainWindow& state, UINT flags) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = state.window;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = WM_APP_TRAY_NOTIFY;
    data.hIcon = SmallProgramIcon();
    return data;
}

void CopyTooltip(NOTIFYICONDATAA& data, const char* tooltip) {
    // The icon shows at most 63 characters; the rest is cut, never overrun.
    std::strncpy(data.szTip, tooltip, 63);
    data.szTip[63] = '\0';
}

}  // namespace

void AddTrayIcon(MainWindow& state, const char* tooltip) {
    NOTIFYICONDATAA data = TrayIconData(state, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    CopyTooltip(data, tooltip);
    if (Shell_NotifyIconA(NIM_ADD, &data)) state.SetFlag(kFlagTrayIconPresent, true);
}

void DeleteTrayIcon(MainWindow& state) {
    NOTIFYICONDATAA data = TrayIconData(state, 0);
    (void)Shell_NotifyIconA(NIM_DELETE, &data);
    state.SetFlag(kFlagTrayIconPresent, false);
}

void UpdateTrayTooltip(MainWindow& state) {
    if (!state.HasFlag(kFlagTrayIconPresent)) return;
    NOTIFYICONDATAA data = TrayIconData(state, NIF_TIP);
    CopyTooltip(data, TrayTooltip(state.settings().szCurrentWallpaper).c_str());
    (void)Shell_NotifyIconA(NIM_MODIFY, &data);
}

void RecreateTrayIcon(MainWindow& state) {
    if (!state.HasFlag(kFlagTrayIconPresent)) return;
    AddTrayIcon(state, TrayTooltip(state.settings().szCurrentWallpaper).c_str());
}
