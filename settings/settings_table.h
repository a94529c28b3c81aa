// The one description of every setting: its key, value name, storage, slot, default, bounds
// and the group it is loaded with. DefaultSettings, the loaders and WriteSetting all walk this
// table; nothing else knows a value's width.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"
#include "settings/settings_store.h"

enum class SettingsKey : uint8_t { Variables, NewestImages, General, Screensaver, Transitions, Wallpaper, Install };
constexpr int kSettingsKeyCount = 7;

// How a value is stored in the registry; every kind but String is REG_BINARY of its width.
enum class SettingStorage : uint8_t {
    Byte,       // bt: 1 byte
    Hotkey,     // bt keyboard shortcuts: 2 bytes (virtual key, modifiers)
    Dword,      // dw: 4 bytes, little-endian
    Time,       // st: 16 bytes, a UTC SYSTEMTIME
    Point,      // pt: 8 bytes, two signed 32-bit numbers
    VideoMode,  // vm: 16 bytes, four 32-bit numbers
    String,     // sz: REG_SZ with its terminating NUL
};

// The values that belong together and are loaded together; a program asks for groups.
enum class SettingsGroup : uint8_t {
    LanguageAndInstallation,  // szLanguage and the Install key: needed before any window or text
    Application,              // the desktop application's state and options: the Variables,
                              // NewestImages, General and Wallpaper keys
    Screensaver,              // the Screensaver key, read by both programs
    Transitions,              // the Transitions key, read by the screensaver only
};

struct SettingDescriptor {
    SettingsKey key;
    const char* name;
    SettingStorage storage;
    size_t offset;            // of the member in Settings
    size_t slot;              // strings: characters including the NUL; others: the storage width
    uint32_t defaultValue;    // Byte, Hotkey (key | modifiers << 8), Dword; Point: both coordinates
    const char* defaultText;  // String
    uint32_t minimum;         // Dword: values below it are taken as it when loaded
    uint32_t maximum;         // Dword: values above it are taken as it when loaded; 0 for none
    SettingsGroup group;
};

[[nodiscard]] const SettingDescriptor* SettingsTable();
[[nodiscard]] size_t SettingsTableSize();

// The root and path of a key ("Software\\Quillmere\\Tapestrique\\...").
[[nodiscard]] RegistryRoot SettingsKeyRoot(SettingsKey key);
[[nodiscard]] const char* SettingsKeyPath(SettingsKey key);
// False for the keys the product only reads: the installer's Install key and the Transitions
// key, which is set by hand.
[[nodiscard]] bool SettingsKeyIsWritten(SettingsKey key);

// The storage width in bytes of a non-string kind (0 for String).
[[nodiscard]] size_t StorageWidth(SettingStorage storage);

// The row of a value name (compared without regard to case), or nullptr.
[[nodiscard]] const SettingDescriptor* FindSetting(const char* name);
// The row of the member at `offset` in Settings, or nullptr.
[[nodiscard]] const SettingDescriptor* FindSettingAt(size_t offset);
