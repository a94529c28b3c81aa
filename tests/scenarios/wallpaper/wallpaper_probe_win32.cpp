// Applies the current wallpaper exactly as the application does, from the settings in the
// registry, and reports what it did:
//     wallpaper_probe.exe COLLECTION_FOLDER
// prints "path=<wallpaper file>", "desktop_colour=0xBBGGRR", "screen=WxH",
// "active_desktop=0|1" and "notified=<WM_WININICHANGE count>", one per line.
#include <objbase.h>
#include <windows.h>

#include <cstdio>

#include "app/wallpaper/apply_wallpaper.h"
#include "app/wallpaper/wallpaper_shell_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_loader.h"

namespace {

int notifications = 0;

LRESULT CALLBACK ProbeWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_WININICHANGE && wParam == 0 && lParam == 0) ++notifications;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateProbeWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WallpaperProbe_WndClass";
    if (RegisterClassA(&windowClass) == 0) return nullptr;
    return CreateWindowA("WallpaperProbe_WndClass", "Wallpaper probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wallpaper_probe COLLECTION_FOLDER\n");
        return 64;
    }
    ScopedComInitialization com;
    HWND window = CreateProbeWindow();
    if (window == nullptr) return 2;

    RegistryStore store;
    Settings settings = DefaultSettings();
    LoadApplicationSettings(store, settings);

    char wallpaperFile[MAX_PATH * 2];
    if (!GetWallpaperFilePath(wallpaperFile, sizeof wallpaperFile)) return 3;
    int result = 0;
    {
        Win32WallpaperShell shell(window);
        bool activeDesktop = shell.CreateActiveDesktop();
        WallpaperContext context;
        context.settings = &settings;
        context.store = &store;
        context.shell = &shell;
        context.collectionFolder = argv[1];
        context.wallpaperFilePath = wallpaperFile;
        context.screen = ReadWallpaperScreen();
        ApplyWallpaper(context);
        std::printf("path=%s\n", wallpaperFile);
        std::printf("desktop_colour=0x%06lX\n", static_cast<unsigned long>(context.screen.desktopColour));
        std::printf("screen=%dx%d\n", context.screen.width, context.screen.height);
        std::printf("active_desktop=%d\n", activeDesktop ? 1 : 0);
        std::printf("notified=%d\n", notifications);
        if (settings.btEnableWallpaperChanger != 0 && notifications != 1) result = 4;
    }
    DestroyWindow(window);
    return result;
}
