#include "settings/settings_loader.h"

#include <cstring>

#include "settings/setting_value.h"

namespace {

void LoadRowsOfStage(SettingsStore& store, Settings& settings, LoadStage stage) {
    ScopedStoreKey key(store);
    bool haveKey = false;
    SettingsKey openKey = SettingsKey::Variables;
    unsigned char buffer[kSettingQueryBuffer];
    const SettingDescriptor* table = SettingsTable();
    for (size_t i = 0; i < SettingsTableSize(); ++i) {
        const SettingDescriptor& row = table[i];
        if (row.stage != stage) continue;
        if (!haveKey || row.key != openKey) {
            (void)key.OpenForRead(SettingsKeyRoot(row.key), SettingsKeyPath(row.key));
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

}  // namespace

Settings DefaultSettings() {
    Settings settings{};  // every member zero before the table's defaults go in
    const SettingDescriptor* table = SettingsTable();
    for (size_t i = 0; i < SettingsTableSize(); ++i) SetSettingDefault(table[i], settings);
    return settings;
}

void LoadStartUpSettings(SettingsStore& store, Settings& settings) {
    LoadRowsOfStage(store, settings, LoadStage::StartUp);
    size_t length = std::strlen(settings.InstallDir);
    if (length > 0 && settings.InstallDir[length - 1] == '\\') settings.InstallDir[length - 1] = 0;
}

void LoadSettings(SettingsStore& store, Settings& settings) {
    std::memset(settings.szNewestImageDescription, 0, sizeof settings.szNewestImageDescription);
    std::memset(settings.szNewestImageIdString, 0, sizeof settings.szNewestImageIdString);
    LoadRowsOfStage(store, settings, LoadStage::MainWindow);
    ApplySettingsBounds(settings);
}

void ApplySettingsBounds(Settings& settings) {
    const SettingDescriptor* table = SettingsTable();
    for (size_t i = 0; i < SettingsTableSize(); ++i) {
        const SettingDescriptor& row = table[i];
        if (row.storage != SettingStorage::Dword || row.maximum == 0) continue;
        uint32_t value;
        unsigned char* member = reinterpret_cast<unsigned char*>(&settings) + row.offset;
        std::memcpy(&value, member, 4);
        if (value > row.maximum) std::memcpy(member, &row.maximum, 4);
    }
    if (settings.dwChangeWallpaperHours == 0 && settings.dwChangeWallpaperMinutes == 0) {
        settings.dwChangeWallpaperMinutes = 1;
    }
}

bool WriteSettingRow(SettingsStore& store, const Settings& settings, const SettingDescriptor& row) {
    if (row.key == SettingsKey::Install) return false;  // the installer's key is read only
    unsigned char data[kSettingQueryBuffer];
    uint32_t type = 0;
    uint32_t size = 0;
    EncodeSetting(row, settings, type, data, size);
    return WriteRawValue(store, SettingsKeyRoot(row.key), SettingsKeyPath(row.key), row.name, type, data, size);
}
