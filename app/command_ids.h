// The commands of the tray icon's popup menu ("MENUTAPESTRIQUE"). The main window receives
// them as WM_COMMAND with lParam 0, from the menu, from its buttons and hotkeys, and from a
// second start of the program (kCommandOpenTapestrique). The menu resource is generated with
// these values (app/resources/layouts/tray_menu.layout), and its test holds every language's
// popup to kTrayMenuItems.
#pragma once

#include <cstdint>

enum TrayMenuCommand : uint16_t {
    kCommandEnableWallpaperChanger = 40001,
    kCommandChangeWallpaperNow = 40002,
    kCommandRefreshDesktop = 40003,
    kCommandRemoveWallpaper = 40004,
    kCommandEnableScreensaver = 40005,
    kCommandLaunchScreensaver = 40006,
    kCommandOpenTapestrique = 40007,
    kCommandSettings = 40008,
    kCommandDownloadImages = 40009,
    kCommandHelp = 40011,
    kCommandAbout = 40012,
    kCommandExit = 40013,
    kCommandHideDesktopIcons = 40015,
};

// The popup's items from top to bottom; 0 stands for a separator.
inline constexpr uint16_t kTrayMenuItems[] = {
    kCommandEnableWallpaperChanger,
    kCommandChangeWallpaperNow,
    kCommandRemoveWallpaper,
    kCommandRefreshDesktop,
    kCommandHideDesktopIcons,
    0,
    kCommandEnableScreensaver,
    kCommandLaunchScreensaver,
    0,
    kCommandOpenTapestrique,
    kCommandSettings,
    0,
    kCommandDownloadImages,
    kCommandHelp,
    kCommandAbout,
    0,
    kCommandExit,
};
