// The main window's command ids: the items of the tray's popup menu (the same in every
// language's popup) and the commands the program sends itself.
#pragma once

#include <cstdint>

enum MenuCommand : uint16_t {
    kCommandEnableChanger = 40001,
    kCommandChangeWallpaper = 40002,
    kCommandRefreshDesktop = 40003,
    kCommandRemoveWallpaper = 40004,
    kCommandEnableScreensaver = 40005,
    kCommandLaunchScreensaver = 40006,
    kCommandOpen = 40007,  // the default item: open the main window
    kCommandSettings = 40008,
    kCommandDownloadImages = 40009,
    kCommandHelp = 40011,
    kCommandAbout = 40012,
    kCommandExit = 40013,
    kCommandHideDesktopIcons = 40015,
};

// Which modal dialog is open over the main window (0 none). Opening the application brings
// that dialog to the front instead of the main window.
enum class OpenDialog : uint8_t {
    None = 0,
    About = 1,
    ExportConfirmation = 2,
    Import = 3,
    Rename = 6,
    Settings = 7,
    Welcome = 8,
};
