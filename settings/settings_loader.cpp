#include "settings/settings_loader.h"

#include <cstdint>
#include <cstring>

#include "settings/setting_value.h"

namespace {

using GroupSet = unsigned;

constexpr GroupSet Groups(SettingsGroup group) {
    return 1u << static_cast<unsigned>(group);
}

bool InGroups(const SettingDescriptor& row, GroupSet groups) {
    return (groups & Groups(row.group)) != 0;
}

// A number outside its row's range becomes the nearest bound.
void ApplyRowBounds(const SettingDescriptor& row, Settings& settings) {
    if (row.storage != SettingStorage::Dword) return;
    uint32_t maximum = row.maximum != 0 ? row.maximum : UINT32_MAX;
    unsigned char* member = reinterpret_cast<unsigned char*>(&settings) + row.offset;
    uint32_t value;
    std::memcpy(&value, member, 4);
    uint32_t bounded = value < row.minimum ? row.minimum : value > maximum ? maximum : value;
    std::memcpy(member, &bounded, 4);
}

// Reads the rows of `groups` in table order, opening each key once, then bounds the numbers
// of the keys that opened.
void LoadGroups(SettingsStore& store, Settings& settings, GroupSet groups) {
    bool keyOpened[kSettingsKeyCount] = {};
    const SettingDescriptor* table = SettingsTable();
    {
        ScopedStoreKey key(store);
        bool haveKey = false;
        SettingsKey openKey = SettingsKey::Variables;
        unsigned char buffer[kSettingQueryBuffer];
        for (size_t i = 0; i < SettingsTableSize(); ++i) {
            const SettingDescriptor& row = table[i];
            if (!InGroups(row, groups)) continue;
            if (!haveKey || row.key != openKey) {
                keyOpened[static_cast<int>(row.key)] =
                    key.OpenForRead(SettingsKeyRoot(row.key), SettingsKeyPath(row.key));
                haveKey = true;
                openKey = row.key;
            }
            if (!key.IsOpen()) continue;
            uint32_t size = kSettingQueryBuffer;
            uint32_t type = 0;
            if (!store.QueryValue(key.Get(), row.name, buffer, size, type)) continue;
            (void)DecodeSetting(row, buffer, size, settings);  // a refused value keeps what was there
        }
    }
    for (size_t i = 0; i < SettingsTableSize(); ++i) {
        if (InGroups(table[i], groups) && keyOpened[static_cast<int>(table[i].key)]) ApplyRowBounds(table[i], settings);
    }
}

}  // namespace

Settings DefaultSettings() {
    Settings settings{};  // every member zero before the table's defaults go in
    const SettingDescriptor* table = SettingsTable();
    for (size_t i = 0; i < SettingsTableSize(); ++i) SetSettingDefault(table[i], settings);
    return settings;
}

void LoadLanguageAndInstallation(SettingsStore& store, Settings& settings) {
    LoadGroups(store, settings, Groups(SettingsGroup::LanguageAndInstallation));
    size_t length = std::strlen(settings.InstallDir);
    if (length > 0 && settings.InstallDir[length - 1] == '\\') settings.InstallDir[length - 1] = 0;
}

void LoadApplicationSettings(SettingsStore& store, Settings& settings) {
    std::memset(settings.szNewestImageDescription, 0, sizeof settings.szNewestImageDescription);
    std::memset(settings.szNewestImageIdString, 0, sizeof settings.szNewestImageIdString);
    LoadGroups(store, settings, Groups(SettingsGroup::Application) | Groups(SettingsGroup::Screensaver));
    if (settings.dwChangeWallpaperHours == 0 && settings.dwChangeWallpaperMinutes == 0) {
        settings.dwChangeWallpaperMinutes = 1;
    }
}

void LoadScreensaverSettings(SettingsStore& store, Settings& settings) {
    LoadGroups(store, settings, Groups(SettingsGroup::Screensaver) | Groups(SettingsGroup::Transitions));
}

bool WriteSettingRow(SettingsStore& store, const Settings& settings, const SettingDescriptor& row) {
    if (!SettingsKeyIsWritten(row.key)) return false;
    unsigned char data[kSettingQueryBuffer];
    uint32_t type = 0;
    uint32_t size = 0;
    EncodeSetting(row, settings, type, data, size);
    return WriteRawValue(store, SettingsKeyRoot(row.key), SettingsKeyPath(row.key), row.name, type, data, size);
}
