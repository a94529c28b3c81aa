#include "app/desktop/desktop_integration_win32.h"

#include <commctrl.h>

#include "app/desktop/run_entry.h"
#include "app/startup/single_instance_win32.h"
#include "base/directory_listing.h"
#include "base/text_case.h"
#include "settings/settings_loader.h"
#include "ui/window_helpers_win32.h"
#include "win32/system_handles_win32.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Tapestrique";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kSystemIni[] = "system.ini";
constexpr char kBootSection[] = "boot";
constexpr char kScreensaverEntry[] = "scrnsave.exe";
constexpr DWORD kShortPathCharacters = 2048;

OwnedRegistryKey OpenForWriting(const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return OwnedRegistryKey(key);
}

void WriteString(HKEY key, const char* name, const std::string& value) {
    (void)RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
}

std::string SystemIniScreensaver() {
    char value[kShortPathCharacters] = {};
    GetPrivateProfileStringA(kBootSection, kScreensaverEntry, "", value, sizeof value, kSystemIni);
    return value;
}

}  // namespace

ScreensaverPaths MakeScreensaverPaths(const std::string& windowsFolder) {
    ScreensaverPaths paths;
    paths.path = PathInFolder(windowsFolder, "Tapestrique.scr");
    char shortPath[kShortPathCharacters] = {};
    const DWORD length = GetShortPathNameA(paths.path.c_str(), shortPath, sizeof shortPath);
    // A screensaver that is not there (yet) has no short form; its path stands for it.
    paths.shortPath = length > 0 && length < sizeof shortPath ? shortPath : paths.path;
    return paths;
}

void WriteRunEntry(const Settings& settings, const std::string& applicationPath) {
    OwnedRegistryKey key = OpenForWriting(kRunKey);
    if (!key.IsValid()) return;
    if (settings.btRunAtWindowsStartup == 1) {
        WriteString(key.Get(), kRunValue,
                    RunEntryCommand(applicationPath, settings.btRunAtWindowsStartupAutoOpen == 1));
    } else {
        (void)RegDeleteValueA(key.Get(), kRunValue);
    }
}

void SetSystemScreensaver(bool on, const ScreensaverPaths& screensaver) {
    if (OwnedRegistryKey key = OpenForWriting(kDesktopKey); key.IsValid()) {
        WriteString(key.Get(), "ScreenSaveActive", on ? "1" : "0");
        if (on) {
            WriteString(key.Get(), "SCRNSAVE.EXE", screensaver.shortPath);
        } else {
            (void)RegDeleteValueA(key.Get(), "SCRNSAVE.EXE");
        }
    }
    WritePrivateProfileStringA(kBootSection, kScreensaverEntry, on ? screensaver.shortPath.c_str() : nullptr,
                               kSystemIni);
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on ? 1 : 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

bool SyncScreensaverState(SettingsStore& store, Settings& settings, const ScreensaverPaths& screensaver) {
    BOOL active = FALSE;
    const bool ours = IsOurScreensaver(SystemIniScreensaver(), screensaver.shortPath);
    if (ours) SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    const uint8_t state = ours && active ? 1 : 0;
    if (state == settings.btEnableScreensaver) return false;
    settings.btEnableScreensaver = state;
    (void)WriteSetting(store, settings, settings.btEnableScreensaver);
    return true;
}

void LaunchScreensaver(const ScreensaverPaths& screensaver) {
    (void)WinExec(screensaver.path.c_str(), SW_SHOWNORMAL);
}

bool IsScreensaverRunning() {
    return IsProgramRunning(kScreensaverMutexName);
}

HWND FindDesktopIconList() {
    HWND programManager = FindWindowExA(nullptr, nullptr, "Progman", "Program Manager");
    HWND view =
        programManager != nullptr ? FindWindowExA(programManager, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
    return view != nullptr ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
}

void ToggleDesktopIcons() {
    HWND list = FindDesktopIconList();
    if (list == nullptr) return;
    (void)ShowWindowAnimated(list, 0, IsWindowVisible(list) ? AW_HIDE : 0);
}

bool AreDesktopIconsHidden() {
    HWND list = FindDesktopIconList();
    return list != nullptr && !IsWindowVisible(list);
}

void MakeIconTextTransparent() {
    HWND list = FindDesktopIconList();
    if (list == nullptr) return;
    if (SendMessageA(list, LVM_GETBKCOLOR, 0, 0) == static_cast<LRESULT>(CLR_NONE) &&
        SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0) == static_cast<LRESULT>(CLR_NONE)) {
        return;
    }
    SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
}
