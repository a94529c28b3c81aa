// The Windows shell's side of applying a wallpaper: the active-desktop object (when the
// system has one), SPI_SETDESKWALLPAPER and WM_WININICHANGE to the main window. Also reads
// the screen as ApplyWallpaper needs it and builds the wallpaper file's path.
//
// The main window owns one Win32WallpaperShell: CreateActiveDesktop once COM is initialised
// on its thread (ScopedComInitialization), and the shell goes, releasing the interface,
// before that initialisation ends.
#pragma once

#include <objbase.h>
#include <windows.h>

#include "app/wallpaper/apply_wallpaper.h"
#include "win32/com_owners_win32.h"

struct IActiveDesktop;

class Win32WallpaperShell : public WallpaperShell {
public:
    // Out of line: only the source file knows the interface that the shell releases.
    explicit Win32WallpaperShell(HWND mainWindow);
    ~Win32WallpaperShell() override;
    Win32WallpaperShell(const Win32WallpaperShell&) = delete;
    Win32WallpaperShell& operator=(const Win32WallpaperShell&) = delete;

    // CoCreateInstance of the active desktop; false (and the step is skipped) when the system
    // has none, as under Wine.
    [[nodiscard]] bool CreateActiveDesktop();
    void ReleaseActiveDesktop();
    [[nodiscard]] bool HasActiveDesktop() const { return activeDesktop_.IsValid(); }
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }

    void SetActiveDesktopWallpaper(const char* path) override;
    void SetSystemWallpaper(const char* path) override;
    void NotifySettingsChanged() override;

private:
    HWND mainWindow_ = nullptr;
    ComPtr<IActiveDesktop> activeDesktop_;
};

// Screen size, work area and desktop colour as the system reports them now.
[[nodiscard]] WallpaperScreen ReadWallpaperScreen();

// The wallpaper file path of this user in the Windows folder (see BuildWallpaperFilePath).
[[nodiscard]] bool GetWallpaperFilePath(char* out, size_t size);
