// Loading the settings from a store, group by group, and writing one of them back.
//
//     Settings settings = DefaultSettings();
//     LoadLanguageAndInstallation(store, settings);  // both programs, before any window
//     LoadApplicationSettings(store, settings);      // the desktop application's values
//     LoadScreensaverSettings(store, settings);      // or the screensaver's
//     settings.btChangeWallpaper = 3;
//     (void)WriteSetting(store, settings, settings.btChangeWallpaper);
//
// A missing key or value, a value of the wrong width, a string too long for its slot or any
// store failure leaves the default (or the value already in memory). After a key is read, its
// numbers are brought inside their table bounds in memory only: the registry keeps what it
// holds, and a key that cannot be opened leaves its values as they are. Registry failures are
// never reported to the user.
#pragma once

#include <cstddef>

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_table.h"

// szLanguage and the Install key; a trailing backslash of InstallDir is removed.
void LoadLanguageAndInstallation(SettingsStore& store, Settings& settings);

// The desktop application's values: the Variables key but szLanguage, then the NewestImages,
// General, Screensaver and Wallpaper keys, in table order. The announced-picture strings are
// cleared first, and an interval of 0 hours 0 minutes becomes 1 minute.
void LoadApplicationSettings(SettingsStore& store, Settings& settings);

// The screensaver's values: the Screensaver key, then the Transitions key.
void LoadScreensaverSettings(SettingsStore& store, Settings& settings);

// Writes one value with its exact width: REG_BINARY for numbers, times, points and modes,
// REG_SZ with its NUL for strings. False when the store fails; the value in memory stays.
// The keys the product only reads (Install, Transitions) are never written.
[[nodiscard]] bool WriteSettingRow(SettingsStore& store, const Settings& settings, const SettingDescriptor& row);

// Writes the member `member` of `settings` (which must be one of its table's members).
template <typename Member>
[[nodiscard]] bool WriteSetting(SettingsStore& store, const Settings& settings, const Member& member) {
    size_t offset = static_cast<size_t>(reinterpret_cast<const unsigned char*>(&member) -
                                        reinterpret_cast<const unsigned char*>(&settings));
    const SettingDescriptor* row = FindSettingAt(offset);
    return row != nullptr && WriteSettingRow(store, settings, *row);
}
