#include "settings/settings_table.h"

#include <array>
#include <iterator>

#include "base/text_case.h"

// A row whose group is its key's; the one exception, szLanguage, is written out below.
#define TQ_SETTING(key, member, storage, slot, value, text, maximum)                                                   \
    {                                                                                                                  \
        SettingsKey::key, #member, SettingStorage::storage, offsetof(Settings, member), slot, value, text, 0, maximum, \
            GroupOfKey(SettingsKey::key)                                                                               \
    }
#define TQ_FLAG(key, member, value) TQ_SETTING(key, member, Byte, 1, value, nullptr, 0)
#define TQ_HOTKEY(member, virtualKey) TQ_SETTING(General, member, Hotkey, 2, (virtualKey) | (6u << 8), nullptr, 0)
#define TQ_STRING(key, member, slot, text) TQ_SETTING(key, member, String, slot, 0, text, 0)
// The announced-picture strings are slots of two arrays, one registry value each.
#define TQ_NEWEST(index)                                                                                         \
    {SettingsKey::NewestImages,                                                                                  \
     "szNewestImage" #index "Description",                                                                       \
     SettingStorage::String,                                                                                     \
     offsetof(Settings, szNewestImageDescription) + (index)*kNewestImageSlot,                                    \
     kNewestImageSlot,                                                                                           \
     0,                                                                                                          \
     "",                                                                                                         \
     0,                                                                                                          \
     0,                                                                                                          \
     SettingsGroup::Application},                                                                                \
    {                                                                                                            \
        SettingsKey::NewestImages, "szNewestImage" #index "IdString", SettingStorage::String,                    \
            offsetof(Settings, szNewestImageIdString) + (index)*kNewestImageSlot, kNewestImageSlot, 0, "", 0, 0, \
            SettingsGroup::Application                                                                           \
    }

namespace {

constexpr SettingsGroup GroupOfKey(SettingsKey key) {
    switch (key) {
        case SettingsKey::Screensaver:
            return SettingsGroup::Screensaver;
        case SettingsKey::Transitions:
            return SettingsGroup::Transitions;
        case SettingsKey::Install:
            return SettingsGroup::LanguageAndInstallation;
        default:
            return SettingsGroup::Application;
    }
}

// In loading order: the keys' groups follow each other, and within a key the values come in
// the order they are read. The Transitions key's rows come from the catalogue, between these
// two parts.
constexpr SettingDescriptor kRowsBeforeTransitions[] = {
    TQ_SETTING(Variables, ptTapestriqueExeWindowPosition, Point, 8, 0x80000000u, nullptr, 0),
    TQ_SETTING(Variables, stLastCheckNewestImages, Time, 16, 0, nullptr, 0),
    TQ_SETTING(Variables, stLastPopupNewestImages, Time, 16, 0, nullptr, 0),
    TQ_SETTING(Variables, stLastWallpaperChange, Time, 16, 0, nullptr, 0),
    TQ_STRING(Variables, szCurrentSkin, kNameSlot, ""),
    TQ_STRING(Variables, szCurrentWallpaper, kNameSlot, ""),
    TQ_STRING(Variables, szLastPathImportAudioTracks, kFolderSlot, ""),
    TQ_STRING(Variables, szLastPathImportImages, kFolderSlot, ""),
    {SettingsKey::Variables, "szLanguage", SettingStorage::String, offsetof(Settings, szLanguage), kLanguageSlot, 0,
     "EN", 0, 0, SettingsGroup::LanguageAndInstallation},

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
    TQ_SETTING(Screensaver, dwScreensaverSecondsBetweenChanges, Dword, 4, 10, nullptr, 300),
    TQ_SETTING(Screensaver, vmDirectXVideoMode, VideoMode, 16, 0, nullptr, 0),
};

constexpr SettingDescriptor kRowsAfterTransitions[] = {
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
    TQ_SETTING(Wallpaper, dwChangeWallpaperHours, Dword, 4, 0, nullptr, 360),
    TQ_SETTING(Wallpaper, dwChangeWallpaperMinutes, Dword, 4, 30, nullptr, 59),

    TQ_STRING(Install, InstallDir, kInstallPathSlot, ""),
    TQ_STRING(Install, TQClientID, kInstallTextSlot, ""),
    TQ_STRING(Install, InstallVersion, kInstallTextSlot, ""),
    TQ_STRING(Install, ServiceBaseAddress, kServiceAddressSlot, ""),
};

constexpr size_t kRowCount =
    std::size(kRowsBeforeTransitions) + 2 * kTransitionCount + std::size(kRowsAfterTransitions);

constexpr SettingDescriptor TransitionRow(const char* name,
                                          SettingStorage storage,
                                          size_t offset,
                                          size_t width,
                                          uint32_t defaultValue,
                                          uint32_t minimum,
                                          uint32_t maximum) {
    return {.key = SettingsKey::Transitions,
            .name = name,
            .storage = storage,
            .offset = offset,
            .slot = width,
            .defaultValue = defaultValue,
            .defaultText = nullptr,
            .minimum = minimum,
            .maximum = maximum,
            .group = SettingsGroup::Transitions};
}

// Each catalogue entry gives two rows: its enable (1 byte) and its duration (4 bytes, kept
// between the shortest and the longest duration).
constexpr std::array<SettingDescriptor, kRowCount> BuildTable() {
    std::array<SettingDescriptor, kRowCount> table{};
    size_t next = 0;
    for (const SettingDescriptor& row : kRowsBeforeTransitions) table[next++] = row;
    for (int index = 0; index < kTransitionCount; ++index) {
        const TransitionCatalogueEntry& entry = kTransitionCatalogue[index];
        const TransitionValueNames& names = kTransitionValueNames[index];
        size_t member = offsetof(Settings, transitions) + index * sizeof(TransitionSetting);
        table[next++] = TransitionRow(names.enable, SettingStorage::Byte, member + offsetof(TransitionSetting, enable),
                                      1, entry.defaultEnable, 0, 0);
        table[next++] =
            TransitionRow(names.duration, SettingStorage::Dword, member + offsetof(TransitionSetting, duration), 4,
                          entry.defaultDuration, kTransitionMinimumDuration, kTransitionMaximumDuration);
    }
    for (const SettingDescriptor& row : kRowsAfterTransitions) table[next++] = row;
    return table;
}

constexpr std::array<SettingDescriptor, kRowCount> kTable = BuildTable();

struct KeyLocation {
    RegistryRoot root;
    const char* path;
    bool written;  // by the product; false for the keys it only reads
};

const KeyLocation kKeys[] = {
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Variables", true},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Variables\\NewestImages", true},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\General", true},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\Screensaver", true},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\Screensaver\\Transitions", false},
    {RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Settings\\Wallpaper", true},
    {RegistryRoot::LocalMachine, "Software\\Quillmere\\Tapestrique\\Install", false},
};
static_assert(std::size(kKeys) == kSettingsKeyCount);

}  // namespace

const SettingDescriptor* SettingsTable() {
    return kTable.data();
}
size_t SettingsTableSize() {
    return kTable.size();
}

RegistryRoot SettingsKeyRoot(SettingsKey key) {
    return kKeys[static_cast<int>(key)].root;
}
const char* SettingsKeyPath(SettingsKey key) {
    return kKeys[static_cast<int>(key)].path;
}
bool SettingsKeyIsWritten(SettingsKey key) {
    return kKeys[static_cast<int>(key)].written;
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
        if (EqualNoCaseAscii(row.name, name)) return &row;
    }
    return nullptr;
}

const SettingDescriptor* FindSettingAt(size_t offset) {
    for (const SettingDescriptor& row : kTable) {
        if (row.offset == offset) return &row;
    }
    return nullptr;
}
