#include "settings/settings_loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/memory_store.h"

namespace {

using Bytes = std::vector<unsigned char>;

const char kVariables[] = "Software\\Quillmere\\Tapestrique\\Variables";
const char kNewest[] = "Software\\Quillmere\\Tapestrique\\Variables\\NewestImages";
const char kGeneral[] = "Software\\Quillmere\\Tapestrique\\Settings\\General";
const char kScreensaver[] = "Software\\Quillmere\\Tapestrique\\Settings\\Screensaver";
const char kTransitions[] = "Software\\Quillmere\\Tapestrique\\Settings\\Screensaver\\Transitions";
const char kWallpaper[] = "Software\\Quillmere\\Tapestrique\\Settings\\Wallpaper";
const char kInstall[] = "Software\\Quillmere\\Tapestrique\\Install";

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

Bytes Le32(uint32_t value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

Settings Loaded(MemoryStore& store) {
    Settings settings = DefaultSettings();
    LoadLanguageAndInstallation(store, settings);
    LoadApplicationSettings(store, settings);
    EXPECT_EQ(store.OpenKeyCount(), 0) << "every opened key is closed again";
    return settings;
}

TEST(SettingsLoaderTest, AnEmptyStoreYieldsExactlyTheDefaults) {
    MemoryStore store;
    Settings s = Loaded(store);
    EXPECT_EQ(s.ptTapestriqueExeWindowPosition.x, INT32_MIN);
    EXPECT_EQ(s.ptTapestriqueExeWindowPosition.y, INT32_MIN);
    for (const SystemTime* stamp : {&s.stLastCheckNewestImages, &s.stLastPopupNewestImages, &s.stLastWallpaperChange}) {
        EXPECT_EQ(0, std::memcmp(stamp, &kDefaultTimeStamp, sizeof kDefaultTimeStamp));
    }
    EXPECT_EQ(kDefaultTimeStamp.wYear, 2002);
    EXPECT_EQ(kDefaultTimeStamp.wDayOfWeek, 2);
    EXPECT_STREQ(s.szCurrentSkin, "");
    EXPECT_STREQ(s.szCurrentWallpaper, "");
    EXPECT_STREQ(s.szLanguage, "EN");
    EXPECT_STREQ(s.szLastPathImportAudioTracks, "");
    EXPECT_STREQ(s.szLastPathImportImages, "");
    EXPECT_EQ(s.btNewestImagesNotShownYet, 0);

    const struct {
        uint8_t value;
        uint8_t expected;
        const char* name;
    } flags[] = {
        {s.btNewImageNotifications, 1, "btNewImageNotifications"},
        {s.btNewImageNotificationsAutoDownload, 1, "btNewImageNotificationsAutoDownload"},
        {s.btNewImageNotificationsNoFullScreen, 1, "btNewImageNotificationsNoFullScreen"},
        {s.btRunAtWindowsStartup, 1, "btRunAtWindowsStartup"},
        {s.btRunAtWindowsStartupAutoOpen, 0, "btRunAtWindowsStartupAutoOpen"},
        {s.btShowSystemTrayIcon, 1, "btShowSystemTrayIcon"},
        {s.btEnableDirectXAudio, 1, "btEnableDirectXAudio"},
        {s.btEnableDirectXVideo, 1, "btEnableDirectXVideo"},
        {s.btEnableScreensaver, 1, "btEnableScreensaver"},
        {s.btScreensaverImagesBlackWhite, 0, "btScreensaverImagesBlackWhite"},
        {s.btScreensaverImagesPresentation, 3, "btScreensaverImagesPresentation"},
        {s.btScreensaverImagesSelectionMode, 1, "btScreensaverImagesSelectionMode"},
        {s.btScreensaverImagesShowTitles, 1, "btScreensaverImagesShowTitles"},
        {s.btTransitionsForceFadeFirstTransition, 1, "btTransitionsForceFadeFirstTransition"},
        {s.btTransitionsSelectionMode, 1, "btTransitionsSelectionMode"},
        {s.btChangeWallpaper, 1, "btChangeWallpaper"},
        {s.btDesktopIconsTextBkgndTransparent, 1, "btDesktopIconsTextBkgndTransparent"},
        {s.btEnableWallpaperChanger, 1, "btEnableWallpaperChanger"},
        {s.btWallpaperChangePlaySound, 1, "btWallpaperChangePlaySound"},
        {s.btWallpaperChangeShowImage, 0, "btWallpaperChangeShowImage"},
        {s.btWallpaperImagesBlackWhite, 0, "btWallpaperImagesBlackWhite"},
        {s.btWallpaperImagesPresentation, 3, "btWallpaperImagesPresentation"},
        {s.btWallpaperImagesSelectionMode, 1, "btWallpaperImagesSelectionMode"},
        {s.btWallpaperImagesShowTitles, 1, "btWallpaperImagesShowTitles"},
        {s.btWallpaperImagesUseOnlyWorkArea, 0, "btWallpaperImagesUseOnlyWorkArea"},
    };
    for (const auto& flag : flags) EXPECT_EQ(flag.value, flag.expected) << flag.name;

    const struct {
        Hotkey hotkey;
        uint8_t key;
    } hotkeys[] = {{s.btKeyboardShortcutChangeWallpaper, 'C'},
                   {s.btKeyboardShortcutRemoveWallpaper, 'R'},
                   {s.btKeyboardShortcutLaunchScreensaver, 'S'},
                   {s.btKeyboardShortcutOpenTapestrique, 'L'},
                   {s.btKeyboardShortcutDownloadImages, 'I'}};
    for (const auto& hotkey : hotkeys) {
        EXPECT_EQ(hotkey.hotkey.virtualKey, hotkey.key);
        EXPECT_EQ(hotkey.hotkey.modifiers, 6);
    }
    EXPECT_EQ(s.dwScreensaverSecondsBetweenChanges, 10u);
    EXPECT_EQ(s.vmDirectXVideoMode.width | s.vmDirectXVideoMode.height | s.vmDirectXVideoMode.bitsPerPixel |
                  s.vmDirectXVideoMode.refreshRate,
              0u);
    EXPECT_EQ(s.dwChangeWallpaperHours, 0u);
    EXPECT_EQ(s.dwChangeWallpaperMinutes, 30u);
    EXPECT_STREQ(s.InstallDir, "");
    // Loading reads only: nothing is written back, not even the corrected bounds.
    EXPECT_TRUE(store.WriteLog().empty());
}

struct StoredValue {
    const char* path;
    const char* name;
    uint32_t type;
    Bytes data;
};

TEST(SettingsLoaderTest, ValuesMustHaveExactlyTheirWidthWhateverTheirType) {
    MemoryStore store;
    const StoredValue stored[] = {
        // Accepted: right width, any type.
        {kWallpaper, "dwChangeWallpaperMinutes", kRegistryDword, Le32(45)},
        {kWallpaper, "btWallpaperImagesPresentation", kRegistryString, {1}},
        {kGeneral, "btKeyboardShortcutOpenTapestrique", kRegistryBinary, {0x70, 2}},
        {kVariables, "ptTapestriqueExeWindowPosition", kRegistryBinary, {0x10, 0, 0, 0, 0xF6, 0xFF, 0xFF, 0xFF}},
        // Refused: wrong width keeps the default.
        {kWallpaper, "btEnableWallpaperChanger", kRegistryDword, Le32(0)},
        {kWallpaper, "dwChangeWallpaperHours", kRegistryBinary, {5}},
        {kGeneral, "btKeyboardShortcutChangeWallpaper", kRegistryBinary, {0x41}},
        {kScreensaver, "vmDirectXVideoMode", kRegistryBinary, Bytes(12, 1)},
        {kVariables, "stLastWallpaperChange", kRegistryBinary, Bytes(17, 1)},
        {kGeneral, "btShowSystemTrayIcon", kRegistryBinary, {}},
    };
    for (const StoredValue& value : stored) store.Put(kUser, value.path, value.name, value.type, value.data);
    Settings s = Loaded(store);
    EXPECT_EQ(s.dwChangeWallpaperMinutes, 45u);
    EXPECT_EQ(s.btWallpaperImagesPresentation, 1);
    EXPECT_EQ(s.btKeyboardShortcutOpenTapestrique.virtualKey, 0x70);
    EXPECT_EQ(s.btKeyboardShortcutOpenTapestrique.modifiers, 2);
    EXPECT_EQ(s.ptTapestriqueExeWindowPosition.x, 16);
    EXPECT_EQ(s.ptTapestriqueExeWindowPosition.y, -10);

    EXPECT_EQ(s.btEnableWallpaperChanger, 1);
    EXPECT_EQ(s.dwChangeWallpaperHours, 0u);
    EXPECT_EQ(s.btKeyboardShortcutChangeWallpaper.virtualKey, 'C');
    EXPECT_EQ(s.vmDirectXVideoMode.width, 0u);
    EXPECT_EQ(0, std::memcmp(&s.stLastWallpaperChange, &kDefaultTimeStamp, sizeof kDefaultTimeStamp));
    EXPECT_EQ(s.btShowSystemTrayIcon, 1);
}

TEST(SettingsLoaderTest, BoundsApplyInMemoryOnly) {
    const struct {
        uint32_t seconds, hours, minutes;
        uint32_t expectedSeconds, expectedHours, expectedMinutes;
    } cases[] = {
        {1000, 0, 0, 300, 0, 1},       {300, 360, 59, 300, 360, 59}, {301, 361, 60, 300, 360, 59},
        {0, 0xFFFFFFFF, 0, 0, 360, 0}, {10, 2, 0, 10, 2, 0},         {10, 0, 1, 10, 0, 1},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        store.Put(kUser, kScreensaver, "dwScreensaverSecondsBetweenChanges", kRegistryBinary, Le32(c.seconds));
        store.Put(kUser, kWallpaper, "dwChangeWallpaperHours", kRegistryBinary, Le32(c.hours));
        store.Put(kUser, kWallpaper, "dwChangeWallpaperMinutes", kRegistryBinary, Le32(c.minutes));
        Settings s = Loaded(store);
        EXPECT_EQ(s.dwScreensaverSecondsBetweenChanges, c.expectedSeconds) << c.seconds;
        EXPECT_EQ(s.dwChangeWallpaperHours, c.expectedHours) << c.hours;
        EXPECT_EQ(s.dwChangeWallpaperMinutes, c.expectedMinutes) << c.minutes;
        // The registry keeps what it holds.
        EXPECT_EQ(store.Find(kUser, kScreensaver, "dwScreensaverSecondsBetweenChanges")->data, Le32(c.seconds));
        EXPECT_TRUE(store.WriteLog().empty());
    }
}

TEST(SettingsLoaderTest, StringsAreBoundedByTheirSlots) {
    const struct {
        const char* path;
        const char* name;
        size_t length;
        bool accepted;
    } cases[] = {
        {kVariables, "szCurrentWallpaper", 127, true},
        {kVariables, "szCurrentWallpaper", 128, false},
        {kVariables, "szLastPathImportImages", 2047, true},
        {kVariables, "szLastPathImportImages", 2048, false},  // does not even fit the query buffer
        {kNewest, "szNewestImage7IdString", 255, true},
        {kNewest, "szNewestImage7IdString", 256, false},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        store.PutString(kUser, c.path, c.name, std::string(c.length, 'x'));
        Settings s = Loaded(store);
        const char* loaded = std::string(c.name) == "szCurrentWallpaper"       ? s.szCurrentWallpaper
                             : std::string(c.name) == "szLastPathImportImages" ? s.szLastPathImportImages
                                                                               : s.szNewestImageIdString[7];
        EXPECT_EQ(std::strlen(loaded), c.accepted ? c.length : 0) << c.name << " " << c.length;
    }
}

TEST(SettingsLoaderTest, StringsWithoutTerminatorAndWithTrailingDataAreRead) {
    MemoryStore store;
    store.Put(kUser, kVariables, "szCurrentSkin", kRegistryString, {'B', 'l', 'u', 'e'});
    store.Put(kUser, kVariables, "szCurrentWallpaper", kRegistryString, {'S', 'e', 'a', 0, 'j', 'u', 'n', 'k', 0});
    store.PutString(kUser, kVariables, "szLanguage", "fr");
    Settings s = Loaded(store);
    EXPECT_STREQ(s.szCurrentSkin, "Blue");
    EXPECT_STREQ(s.szCurrentWallpaper, "Sea");
    EXPECT_STREQ(s.szLanguage, "fr");
}

TEST(SettingsLoaderTest, AnnouncedPictureSlotsAreClearedBeforeReading) {
    MemoryStore store;
    store.PutString(kUser, kNewest, "szNewestImage3Description", "Harbour at dawn");
    store.PutString(kUser, kNewest, "szNewestImage0IdString", "id-0");
    Settings s = DefaultSettings();
    for (int i = 0; i < kNewestImageSlots; ++i) {
        std::strcpy(s.szNewestImageDescription[i], "stale");
        std::strcpy(s.szNewestImageIdString[i], "stale");
    }
    LoadApplicationSettings(store, s);
    for (int i = 0; i < kNewestImageSlots; ++i) {
        EXPECT_STREQ(s.szNewestImageDescription[i], i == 3 ? "Harbour at dawn" : "") << i;
        EXPECT_STREQ(s.szNewestImageIdString[i], i == 0 ? "id-0" : "") << i;
    }
}

TEST(SettingsLoaderTest, InstallKeyIsReadAtStartUpFromTheMachineRoot) {
    MemoryStore store;
    store.PutString(RegistryRoot::LocalMachine, kInstall, "InstallDir", "C:\\Program Files\\Tapestrique\\");
    store.PutString(RegistryRoot::LocalMachine, kInstall, "TQClientID", "client-42");
    store.PutString(RegistryRoot::LocalMachine, kInstall, "InstallVersion", "1.0.01");
    store.PutString(kUser, kInstall, "InstallDir", "D:\\wrong root");
    store.PutString(kUser, kVariables, "szLanguage", "CA");
    Settings s = DefaultSettings();
    LoadLanguageAndInstallation(store, s);
    EXPECT_STREQ(s.InstallDir, "C:\\Program Files\\Tapestrique");
    EXPECT_STREQ(s.TQClientID, "client-42");
    EXPECT_STREQ(s.InstallVersion, "1.0.01");
    EXPECT_STREQ(s.szLanguage, "CA");
    // The application's group does not read them again.
    store.PutString(kUser, kVariables, "szLanguage", "ES");
    LoadApplicationSettings(store, s);
    EXPECT_STREQ(s.szLanguage, "CA");
}

TEST(SettingsWriterTest, WritesEachValueWithItsExactWidthAndType) {
    MemoryStore store;
    Settings s = DefaultSettings();
    s.btChangeWallpaper = 3;
    s.dwChangeWallpaperMinutes = 0x01020304;
    s.btKeyboardShortcutDownloadImages = Hotkey{0x49, 3};
    std::strcpy(s.szCurrentWallpaper, "Lighthouse");
    std::strcpy(s.szNewestImageDescription[5], "Fifth");
    s.stLastWallpaperChange = SystemTime{2026, 3, 0, 1, 9, 59, 50, 7};
    s.vmDirectXVideoMode = DisplayMode{1024, 768, 32, 60};

    const struct {
        bool written;
        const char* path;
        const char* name;
        uint32_t type;
        Bytes data;
    } cases[] = {
        {WriteSetting(store, s, s.btChangeWallpaper), kWallpaper, "btChangeWallpaper", kRegistryBinary, {3}},
        {WriteSetting(store, s, s.dwChangeWallpaperMinutes),
         kWallpaper,
         "dwChangeWallpaperMinutes",
         kRegistryBinary,
         {4, 3, 2, 1}},
        {WriteSetting(store, s, s.btKeyboardShortcutDownloadImages),
         kGeneral,
         "btKeyboardShortcutDownloadImages",
         kRegistryBinary,
         {0x49, 3}},
        {WriteSetting(store, s, s.szCurrentWallpaper),
         kVariables,
         "szCurrentWallpaper",
         kRegistryString,
         {'L', 'i', 'g', 'h', 't', 'h', 'o', 'u', 's', 'e', 0}},
        {WriteSetting(store, s, s.szNewestImageDescription[5]),
         kNewest,
         "szNewestImage5Description",
         kRegistryString,
         {'F', 'i', 'f', 't', 'h', 0}},
        {WriteSetting(store, s, s.stLastWallpaperChange),
         kVariables,
         "stLastWallpaperChange",
         kRegistryBinary,
         {0xEA, 7, 3, 0, 0, 0, 1, 0, 9, 0, 59, 0, 50, 0, 7, 0}},
        {WriteSetting(store, s, s.vmDirectXVideoMode),
         kScreensaver,
         "vmDirectXVideoMode",
         kRegistryBinary,
         {0, 4, 0, 0, 0, 3, 0, 0, 32, 0, 0, 0, 60, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.written) << c.name;
        const MemoryStore::Value* value = store.Find(kUser, c.path, c.name);
        ASSERT_NE(value, nullptr) << c.name;
        EXPECT_EQ(value->type, c.type) << c.name;
        EXPECT_EQ(value->data, c.data) << c.name;
    }
    EXPECT_EQ(store.WriteLog().size(), 7u);
    EXPECT_EQ(store.OpenKeyCount(), 0);

    // Written values load back to the same members.
    Settings again = DefaultSettings();
    LoadApplicationSettings(store, again);
    EXPECT_EQ(again.btChangeWallpaper, 3);
    EXPECT_EQ(again.dwChangeWallpaperMinutes, 59u);  // bounded in memory on load
    EXPECT_STREQ(again.szCurrentWallpaper, "Lighthouse");
    EXPECT_STREQ(again.szNewestImageDescription[5], "Fifth");
    EXPECT_EQ(0, std::memcmp(&again.stLastWallpaperChange, &s.stLastWallpaperChange, sizeof(SystemTime)));
    EXPECT_EQ(again.vmDirectXVideoMode.height, 768u);
}

TEST(SettingsWriterTest, AFailedWriteKeepsTheValueInMemoryAndSaysSo) {
    MemoryStore store;
    store.SetWritesFail(true);
    Settings s = DefaultSettings();
    s.btEnableWallpaperChanger = 0;
    EXPECT_FALSE(WriteSetting(store, s, s.btEnableWallpaperChanger));
    EXPECT_EQ(s.btEnableWallpaperChanger, 0);
    EXPECT_EQ(store.OpenKeyCount(), 0);
    // The installer's key is never written, and a member that is not a setting is refused
    // rather than written somewhere.
    store.SetWritesFail(false);
    EXPECT_FALSE(WriteSetting(store, s, s.InstallDir));
    EXPECT_FALSE(store.HasKey(RegistryRoot::LocalMachine, kInstall));
    int notASetting = 0;
    EXPECT_FALSE(WriteSetting(store, s, notASetting));
}

TEST(SettingsLoaderTest, TransitionsKeyKeepsBuiltInValuesUnlessExactAndBoundsDurationsOnlyWhenPresent) {
    MemoryStore store;
    const StoredValue stored[] = {
        {kTransitions, "btEnableSimpleTransitionBarn", kRegistryBinary, {0}},
        {kTransitions, "BTENABLESMOOTHTRANSITIONWIPEVERTICAL", kRegistryBinary, {2}},
        {kTransitions, "btEnableAdvancedTransitionWormHole", kRegistryDword, Le32(0)},          // 4 bytes: refused
        {kTransitions, "dwDurationSimpleTransitionRadialWipe", kRegistryBinary, {0x10, 0x27}},  // 2 bytes: refused
        {kTransitions, "dwDurationSmoothTransitionFade", kRegistryDword, Le32(100)},
        {kTransitions, "dwDurationAdvancedTransitionPeelABCD", kRegistryBinary, Le32(40000)},
        {kTransitions, "dwDurationSmoothTransitionPixelate", kRegistryBinary, Le32(12345)},
        {kScreensaver, "dwScreensaverSecondsBetweenChanges", kRegistryBinary, Le32(1000)},
        {kWallpaper, "btChangeWallpaper", kRegistryBinary, {3}},
    };
    for (const StoredValue& value : stored) store.Put(kUser, value.path, value.name, value.type, value.data);

    // The application reads the Screensaver key but never the Transitions key.
    Settings application = DefaultSettings();
    LoadApplicationSettings(store, application);
    EXPECT_EQ(application.dwScreensaverSecondsBetweenChanges, 300u);
    EXPECT_EQ(application.transitions[0].enable, 3);
    EXPECT_EQ(application.transitions[11].duration, 3000u);

    // The screensaver reads both, and nothing of the application's keys.
    Settings s = DefaultSettings();
    s.transitions[2].duration = 50;  // out of range in memory: bounded because the key exists
    LoadScreensaverSettings(store, s);
    EXPECT_EQ(store.OpenKeyCount(), 0);
    EXPECT_EQ(s.dwScreensaverSecondsBetweenChanges, 300u);
    EXPECT_EQ(s.btChangeWallpaper, 1);
    const struct {
        int index;
        uint8_t enable;
        uint32_t duration;
    } expected[] = {
        {0, 0, 2000},    // Barn switched off
        {13, 2, 3000},   // Wipe Vertical backwards only; value names are found in any case
        {35, 3, 4000},   // Worm Hole: a 4-byte enable keeps the built-in one
        {4, 3, 2000},    // Radial Wipe: a 2-byte duration keeps the built-in one
        {10, 1, 500},    // Fade: 100 ms raised to the shortest
        {28, 1, 30000},  // Peel ABCD: 40 s lowered to the longest
        {11, 1, 12345},  // Pixelate
        {2, 3, 500},     // Inset
        {12, 3, 3000},   // Wipe Horizontal untouched
    };
    for (const auto& e : expected) {
        EXPECT_EQ(s.transitions[e.index].enable, e.enable) << e.index;
        EXPECT_EQ(s.transitions[e.index].duration, e.duration) << e.index;
    }
    EXPECT_TRUE(store.WriteLog().empty());

    // Without the key nothing is read and nothing is bounded.
    MemoryStore empty;
    Settings untouched = DefaultSettings();
    untouched.transitions[2].duration = 50;
    LoadScreensaverSettings(empty, untouched);
    EXPECT_EQ(untouched.transitions[2].duration, 50u);
    EXPECT_EQ(untouched.transitions[35].duration, 4000u);

    // The key is set by hand: nothing writes it.
    EXPECT_FALSE(WriteSetting(empty, s, s.transitions[10].duration));
    EXPECT_FALSE(WriteSetting(empty, s, s.transitions[10].enable));
    EXPECT_FALSE(empty.HasKey(kUser, kTransitions));
}

TEST(SettingsTableTest, EveryRowIsConsistent) {
    const SettingDescriptor* table = SettingsTable();
    for (size_t i = 0; i < SettingsTableSize(); ++i) {
        const SettingDescriptor& row = table[i];
        EXPECT_EQ(FindSetting(row.name), &row) << row.name << " appears twice";
        EXPECT_EQ(FindSettingAt(row.offset), &row) << row.name << " shares its member";
        std::string prefix(row.name, 2);
        switch (row.storage) {
            case SettingStorage::Byte:
            case SettingStorage::Hotkey:
                EXPECT_EQ(prefix, "bt") << row.name;
                break;
            case SettingStorage::Dword:
                EXPECT_EQ(prefix, "dw") << row.name;
                break;
            case SettingStorage::Time:
                EXPECT_EQ(prefix, "st") << row.name;
                break;
            case SettingStorage::Point:
                EXPECT_EQ(prefix, "pt") << row.name;
                break;
            case SettingStorage::VideoMode:
                EXPECT_EQ(prefix, "vm") << row.name;
                break;
            case SettingStorage::String:
                if (row.key != SettingsKey::Install) {
                    EXPECT_EQ(prefix, "sz") << row.name;
                }
                EXPECT_LT(std::strlen(row.defaultText), row.slot);
                break;
        }
        if (row.storage != SettingStorage::String) {
            EXPECT_EQ(row.slot, StorageWidth(row.storage)) << row.name;
        }
        EXPECT_LE(row.offset + (row.storage == SettingStorage::String ? row.slot : StorageWidth(row.storage)),
                  sizeof(Settings));
        // Rows of one key follow each other, so each key is opened once per load.
        if (i > 0 && table[i - 1].key != row.key) {
            for (size_t j = i + 1; j < SettingsTableSize(); ++j) EXPECT_NE(table[j].key, table[i - 1].key);
        }
    }
    EXPECT_EQ(FindSetting("BTENABLEWALLPAPERCHANGER"), FindSetting("btEnableWallpaperChanger"));
    EXPECT_EQ(FindSetting("btNoSuchValue"), nullptr);
}

}  // namespace
