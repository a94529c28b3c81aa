// The stored interface language: the string value szLanguage of the Variables key, holding a
// language code. Both programs read it with the settings' first group and make it current
// before any text is shown; only the desktop application writes it, when the user switches
// the language.
//
//     Settings settings = DefaultSettings();
//     LoadLanguageAndInstallation(registry, settings);
//     LoadLanguage(settings.szLanguage);   // language.h: English unless it is one of the codes
//     ...
//     (void)SetLanguageIndex(kLanguageFrench);
//     (void)StoreLanguage(registry, settings);
#pragma once

#include "settings/settings.h"
#include "settings/settings_store.h"

// Puts the current language's code into settings.szLanguage and writes it, creating the key
// when needed. False when the key cannot be opened or the value not written; the current
// language and the code in memory stay as they are set.
[[nodiscard]] bool StoreLanguage(SettingsStore& store, Settings& settings);
