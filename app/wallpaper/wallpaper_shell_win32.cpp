#include <windows.h>

// wininet.h must come first: shlobj.h declares the active desktop only after it.
#include <wininet.h>

#include <shlobj.h>

#include "app/wallpaper/wallpaper_shell_win32.h"

namespace {

const CLSID kActiveDesktopClass = {0x75048700, 0xEF1F, 0x11D0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID kActiveDesktopInterface = {0xF490EB00, 0x1240, 0x11D1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
constexpr DWORD kApplyRefreshForce = 12;  // AD_APPLY_REFRESH | AD_APPLY_FORCE

}  // namespace

Win32WallpaperShell::Win32WallpaperShell(HWND mainWindow) : mainWindow_(mainWindow) {}

Win32WallpaperShell::~Win32WallpaperShell() = default;

bool Win32WallpaperShell::CreateActiveDesktop() {
    if (FAILED(CoCreateInstance(kActiveDesktopClass, nullptr, CLSCTX_INPROC_SERVER, kActiveDesktopInterface,
                                activeDesktop_.ReceiveVoid()))) {
        return false;
    }
    return activeDesktop_.IsValid();
}

void Win32WallpaperShell::ReleaseActiveDesktop() {
    activeDesktop_.Reset();
}

void Win32WallpaperShell::SetActiveDesktopWallpaper(const char* path) {
    if (!activeDesktop_.IsValid()) return;
    WCHAR widePath[MAX_PATH * 2] = {};
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH * 2) == 0) return;
    (void)activeDesktop_->SetWallpaper(widePath, 0);
    (void)activeDesktop_->ApplyChanges(kApplyRefreshForce);
}

void Win32WallpaperShell::SetSystemWallpaper(const char* path) {
    (void)SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path), SPIF_UPDATEINIFILE);
}

void Win32WallpaperShell::NotifySettingsChanged() {
    if (mainWindow_ != nullptr) SendMessageA(mainWindow_, WM_WININICHANGE, 0, 0);
}

WallpaperScreen ReadWallpaperScreen() {
    WallpaperScreen screen;
    screen.width = GetSystemMetrics(SM_CXSCREEN);
    screen.height = GetSystemMetrics(SM_CYSCREEN);
    RECT workArea = {0, 0, screen.width, screen.height};
    (void)SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    screen.workArea = AreaRect{workArea.left, workArea.top, workArea.right, workArea.bottom};
    screen.desktopColour = GetSysColor(COLOR_BACKGROUND);
    return screen;
}

bool GetWallpaperFilePath(char* out, size_t size) {
    char windowsFolder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(windowsFolder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    char userName[257] = {};
    DWORD userLength = sizeof userName;
    if (!GetUserNameA(userName, &userLength)) userName[0] = 0;
    return BuildWallpaperFilePath(windowsFolder, userName, out, size);
}
