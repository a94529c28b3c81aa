#include "settings/settings_table.h"

#include <cctype>

#define TQ_SETTING(key, member, storage, slot, value, text, maximum, stage)                                         \
    {                                                                                                               \
        SettingsKey::key, #member, SettingStorage::storage, offsetof(Settings, member), slot, value, text, maximum, \
            LoadStage::stage                                                                                        \
    }
#define TQ_FLAG(key, member, value) TQ_SETTING(key, member, Byte, 1, value, nullptr, 0, MainWindow)
#define TQ_HOTKEY(member, virtualKey) \
    TQ_SETTING(General, member, Hotkey, 2, (virtualKey) | (6u << 8), nullptr, 0, MainWindow)
#define TQ_STRING(key, member, slot, text, stage) TQ_SETTING(key, member, String, slot, 0, text, 0, stage)
// The announced-picture strings are slots of two arrays, one registry value each.
#define TQ_NEWEST(index)                                                                                      \
    {SettingsKey::NewestImages,                                                                               \
     "szNewestImage" #index "Description",                                                                    \
     SettingStorage::String,                                                                                  \
     offsetof(Settings, szNewestImageDescription) + (index)*kNewestImageSlot,                                 \
     kNewestImageSlot,                                                                                        \
     0,                                                                                                       \
     "",                                                                                                      \
     0,                                                                                                       \
     LoadStage::MainWindow},                                                                                  \
    {                                                                                                         \
        SettingsKey::NewestImages, "szNewestImage" #index "IdString", SettingStorage::String,                 \
            offsetof(Settings, szNewestImageIdString) + (index)*kNewestImageSlot, kNewestImageSlot, 0, "", 0, \
            LoadStage::MainWindow                                                                             \
    }

namespace {

// In loading order: the keys' groups follow each other, and within a key the values come in
// the order they are read.
const SettingDescriptor kTable[] = {
    TQ_SETTING(Variables, ptTapestriqueExeWindowPosition, Point, 8, 0x80000000u, nullptr, 0, MainWindow),
    TQ_SETTING(Variables, stLastCheckNewestImages, Time, 16, 0, nullptr, 0, MainWindow),
    TQ_SETTING(Variables, stLastPopupNewestImages, Time, 16, 0, nullptr, 0, MainWindow),
    TQ_SETTING(Variables, stLastWallpaperChange, Time, 16, 0, nullptr, 0, MainWindow),
    TQ_STRING(Variables, szCurrentSkin, kNameSlot, "", MainWindow),
    TQ_STRING(Variables, szCurrentWallpaper, kNameSlot, "", MainWindow),
    TQ_STRING(Variables, szLastPathImportAudioTracks, kFolderSlot, "", MainWindow),
    TQ_STRING(Variables, szLastPathImportImages, kFolderSlot, "", MainWindow),
    TQ_STRING(Variables, szLanguage, kLanguageSlot, "EN", StartUp),

    TQ_FLAG(NewestImages, btNewestImagesNotShownYet, 0),
    TQ_NEWEST(0),
    TQ_NEWEST(1),
    TQ_NEWEST(2),
    TQ_NEWEST(3),
    TQ_NEWEST(4),
    TQ_NEWEST(5),
    TQ_NEWEST(6),
    TQ_NEWEST(7),

    TQ_FLAG(General, btNewImageNotifications, 1),
    TQ_FLAG(General, btNewImageNotificationsAutoDownload, 1),
    TQ_FLAG(General, btNewImageNotificationsNoFullScreen, 1),
    TQ_FLAG(General, btRunAtWindowsStartup, 1),
    TQ_FLAG(General, btRunAtWindowsStartupAutoOpen, 0),
    TQ_FLAG(General, btShowSystemTrayIcon, 1),
    TQ_HOTKEY(btKeyboardShortcutChangeWallpaper, 0x43),    // Ctrl+Alt+C
    TQ_HOTKEY(btKeyboardShortcutRemoveWallpaper, 0x52),    // Ctrl+Alt+R
    TQ_HOTKEY(btKeyboardShortcutLaunchScreensaver, 0x53),  // Ctrl+Alt+S
    TQ_HOTKEY(btKeyboardShortcutOpenTapestrique, 0x4C),    // Ctrl+Alt+L
    TQ_HOTKEY(btKeyboardShortcutDownloadImages, 0x49),     // Ctrl+Alt+I

    TQ_FLAG(Screensaver, btEnableDirectXAudio, 1),
    TQ_FLAG(Screensaver, btEnableDirectXVideo, 1),
    TQ_FLAG(Screensaver, btEnableScreensaver, 1),
    TQ_FLAG(Screensaver, btScreensaverImagesBlackWhite, 0),
    TQ_FLAG(Screensaver, btScreensaverImagesPresentation, 3),
    TQ_FLAG(Screensaver, btScreensaverImagesSelectionMode, 1),
    TQ_FLAG(Screensaver, btScreensaverImagesShowTitles, 1),
    TQ_FLAG(Screensaver, btTransitionsForceFadeFirstTransition, 1),
    TQ_FLAG(Screensaver, btTransitionsSelectionMode, 1),
    TQ_SETTING(Screensaver, dwScreensaverSecondsBetweenChanges, Dword, 4, 10, nullptr, 300, MainWindow),
    TQ_SETTING(Screensaver, vmDirectXVideoMode, VideoMode, 16, 0, nullptr, 0, MainWindow),

    TQ_FLAG(Wallpaper, btChangeWallpaper, 1),
    TQ_FLAG(Wallpaper, btDesktopIconsTextBkgndTransparent, 1),
    TQ_FLAG(Wallpaper, btEnableWallpaperChanger, 1),
    TQ_FLAG(Wallpaper, btWallpaperChangePlaySound, 1),
    TQ_FLAG(Wallpaper, btWallpaperChangeShowImage, 0),
    TQ_FLAG(Wallpaper, btWallpaperImagesBlackWhite, 0),
    TQ_FLAG(Wallpaper, btWallpaperImagesPresentation, 3),
    TQ_FLAG(Wallpaper, btWallpaperImagesSelectionMode, 1),
    TQ_FLAG(Wallpaper, btWallpaperImagesShowTitles, 1),
    TQ_FLAG(Wallpaper, btWallpaperImagesUseOnlyWorkArea, 0),
    TQ_SETTING(Wallpaper, dwChangeWallpaperHours, Dword, 4, 0, nullptr, 360, MainWindow),
    TQ_SETTING(Wallpaper, dwChangeWallpaperMinutes, Dword, 4, 30, nullptr, 59, MainWindow),

    TQ_STRING(Install, InstallDir, kInstallPathSlot, "", StartUp),
    TQ_STRING(Install, TQClientID, kInstallTextSlot, "", StartUp),
    TQ_STRING(Install, InstallVersion, kInstallTextSlot, "", StartUp),
};

bool SameNameIgnoringCase(const char* a, const char* b) {
    for (; *a != 0 && *b != 0; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

struct KeyLocation {
    RegistryRoot root;
    const char* path;
};

const KeyLocation kKeys[] = {
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Variables"},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Variables\\NewestImages"},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\General"},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\Screensaver"},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\Screensaver\\Transitions"},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\Wallpaper"},
    {RegistryRoot::LocalMachine, "Software\\Quillmere\\Tapestrique\\Install"},
};

}  // namespace

const SettingDescriptor* SettingsTable() {
    return kTable;
}
size_t SettingsTableSize() {
    return sizeof kTable / sizeof kTable[0];
}

RegistryRoot SettingsKeyRoot(SettingsKey key) {
    return kKeys[static_cast<int>(key)].root;
}
const char* SettingsKeyPath(SettingsKey key) {
    return kKeys[static_cast<int>(key)].path;
}

size_t StorageWidth(SettingStorage storage) {
    switch (storage) {
        case SettingStorage::Byte:
            return 1;
        case SettingStorage::Hotkey:
            return 2;
        case SettingStorage::Dword:
            return 4;
        case SettingStorage::Time:
            return 16;
        case SettingStorage::Point:
            return 8;
        case SettingStorage::VideoMode:
            return 16;
        case SettingStorage::String:
            return 0;
    }
    return 0;
}

const SettingDescriptor* FindSetting(const char* name) {
    for (const SettingDescriptor& row : kTable) {
        if (SameNameIgnoringCase(row.name, name)) return &row;
    }
    return nullptr;
}

const SettingDescriptor* FindSettingAt(size_t offset) {
    for (const SettingDescriptor& row : kTable) {
        if (row.offset == offset) return &row;
    }
    return nullptr;
}
