// Loading the settings from a store, and writing one of them back.
//
//     Settings settings = DefaultSettings();
//     LoadStartUpSettings(store, settings);   // language and installation key, early
//     LoadSettings(store, settings);          // everything else, when the main window is created
//     settings.btChangeWallpaper = 3;
//     (void)WriteSetting(store, settings, settings.btChangeWallpaper);
//
// A missing key or value, a value of the wrong width, a string too long for its slot or any
// store failure leaves the default (or the value already in memory). Registry failures are
// never reported to the user.
#pragma once

#include <cstddef>

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_table.h"

// Reads szLanguage and the Install key; a trailing backslash of InstallDir is removed.
void LoadStartUpSettings(SettingsStore& store, Settings& settings);

// Reads every value of the main-window stage, key by key in table order (the announced
// picture strings are cleared first), then applies the bounds in memory only: upper limits of
// the table, and an interval of 0 hours 0 minutes becomes 1 minute.
void LoadSettings(SettingsStore& store, Settings& settings);

// The bounds of LoadSettings on their own.
void ApplySettingsBounds(Settings& settings);

// Writes one value with its exact width: REG_BINARY for numbers, times, points and modes,
// REG_SZ with its NUL for strings. False when the store fails; the value in memory stays.
// The Install key belongs to the installer and is never written.
[[nodiscard]] bool WriteSettingRow(SettingsStore& store, const Settings& settings, const SettingDescriptor& row);

// Writes the member `member` of `settings` (which must be one of its table's members).
template <typename Member>
[[nodiscard]] bool WriteSetting(SettingsStore& store, const Settings& settings, const Member& member) {
    size_t offset = static_cast<size_t>(reinterpret_cast<const unsigned char*>(&member) -
                                        reinterpret_cast<const unsigned char*>(&settings));
    const SettingDescriptor* row = FindSettingAt(offset);
    return row != nullptr && WriteSettingRow(store, settings, *row);
}
