// Every option and every remembered state of both programs, held in memory with the exact
// width it has in the registry. The members carry the registry value names, whose
// prefix tells the storage: bt one byte (hotkeys: two), dw four bytes, st a UTC time, pt a
// point, vm a display mode, sz a string with its slot size.
//
// The values are described once, in the settings table (settings_table.h); loading, writing
// and the defaults all follow that table. Use DefaultSettings() for a fresh set.
#pragma once

#include <cstdint>

#include "base/system_time.h"
#include "settings/transition_catalogue.h"

constexpr int kNewestImageSlots = 8;
constexpr int kHotkeyCount = 5;

// Slot sizes of the strings, terminating NUL included.
constexpr int kNameSlot = 128;         // skin and picture names: at most 127 characters
constexpr int kNewestImageSlot = 256;  // announced-picture strings: at most 255
constexpr int kFolderSlot = 2048;      // remembered folders: at most 2047
constexpr int kLanguageSlot = 16;
constexpr int kInstallPathSlot = 260;  // the system's path limit
constexpr int kInstallTextSlot = 128;
constexpr int kServiceAddressSlot = 260;  // the online service's address

struct WindowPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// A display mode: width, height, bits per pixel and refresh rate (0 for the current mode).
struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t refreshRate = 0;
};

// A hotkey: the virtual-key code (0 for none) and the modifiers (1 Shift, 2 Ctrl, 4 Alt).
struct Hotkey {
    uint8_t virtualKey = 0;
    uint8_t modifiers = 0;
};

// One transition's switches: its enable bits (kTransitionForwards, kTransitionBackwards; 0 is
// off) and its duration in milliseconds.
struct TransitionSetting {
    uint8_t enable = 0;
    uint32_t duration = 0;
};

constexpr int32_t kWindowNotPlaced = INT32_MIN;  // 0x80000000 in both coordinates

struct Settings {
    // Variables
    WindowPoint ptTapestriqueExeWindowPosition;
    SystemTime stLastCheckNewestImages;
    SystemTime stLastPopupNewestImages;
    SystemTime stLastWallpaperChange;
    char szCurrentSkin[kNameSlot];
    char szCurrentWallpaper[kNameSlot];
    char szLanguage[kLanguageSlot];
    char szLastPathImportAudioTracks[kFolderSlot];
    char szLastPathImportImages[kFolderSlot];

    // Variables\NewestImages: "szNewestImage%dDescription" and "szNewestImage%dIdString".
    uint8_t btNewestImagesNotShownYet;
    char szNewestImageDescription[kNewestImageSlots][kNewestImageSlot];
    char szNewestImageIdString[kNewestImageSlots][kNewestImageSlot];

    // Settings\General
    uint8_t btNewImageNotifications;
    uint8_t btNewImageNotificationsAutoDownload;
    uint8_t btNewImageNotificationsNoFullScreen;
    uint8_t btRunAtWindowsStartup;
    uint8_t btRunAtWindowsStartupAutoOpen;
    uint8_t btShowSystemTrayIcon;
    Hotkey btKeyboardShortcutChangeWallpaper;
    Hotkey btKeyboardShortcutRemoveWallpaper;
    Hotkey btKeyboardShortcutLaunchScreensaver;
    Hotkey btKeyboardShortcutOpenTapestrique;
    Hotkey btKeyboardShortcutDownloadImages;

    // Settings\Screensaver
    uint8_t btEnableDirectXAudio;
    uint8_t btEnableDirectXVideo;
    uint8_t btEnableScreensaver;
    uint8_t btScreensaverImagesBlackWhite;
    uint8_t btScreensaverImagesPresentation;
    uint8_t btScreensaverImagesSelectionMode;
    uint8_t btScreensaverImagesShowTitles;
    uint8_t btTransitionsForceFadeFirstTransition;
    uint8_t btTransitionsSelectionMode;
    uint32_t dwScreensaverSecondsBetweenChanges;
    DisplayMode vmDirectXVideoMode;

    // Settings\Screensaver\Transitions: "btEnable…" and "dwDuration…" of each catalogue entry,
    // by catalogue index. Read by the screensaver only; set by hand, never written.
    TransitionSetting transitions[kTransitionCount];

    // Settings\Wallpaper
    uint8_t btChangeWallpaper;
    uint8_t btDesktopIconsTextBkgndTransparent;
    uint8_t btEnableWallpaperChanger;
    uint8_t btWallpaperChangePlaySound;
    uint8_t btWallpaperChangeShowImage;
    uint8_t btWallpaperImagesBlackWhite;
    uint8_t btWallpaperImagesPresentation;
    uint8_t btWallpaperImagesSelectionMode;
    uint8_t btWallpaperImagesShowTitles;
    uint8_t btWallpaperImagesUseOnlyWorkArea;
    uint32_t dwChangeWallpaperHours;
    uint32_t dwChangeWallpaperMinutes;

    // Install (machine-wide, written by the installer, read only)
    char InstallDir[kInstallPathSlot];
    char TQClientID[kInstallTextSlot];
    char InstallVersion[kInstallTextSlot];
    char ServiceBaseAddress[kServiceAddressSlot];  // the online service; empty for the built-in one
};

// The change modes of btChangeWallpaper.
enum WallpaperChangeMode : uint8_t {
    kChangeNever = 0,
    kChangeAtStart = 1,
    kChangeEveryDay = 2,
    kChangeEveryInterval = 3,
};

// The presentations of btWallpaperImagesPresentation (and of the screensaver's pictures).
enum Presentation : uint8_t {
    kPresentationTiled = 0,
    kPresentationCentred = 1,
    kPresentationStretched = 2,
    kPresentationKeepAspect = 3,
};

// The stamp every time stamp starts from: 1 January 2002, 00:00:00.000 UTC, a Tuesday.
constexpr SystemTime kDefaultTimeStamp = {2002, 1, 2, 1, 0, 0, 0, 0};

// A set of settings holding exactly the defaults of the settings table.
[[nodiscard]] Settings DefaultSettings();
