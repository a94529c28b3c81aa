// The stored interface language: the string value szLanguage of the Variables key, holding a
// language code. Both programs read it at start-up; only the desktop application writes it,
// when the user switches the language.
//
//     RegistryStore registry;
//     LoadLanguage(registry);   // before any text is shown
#pragma once

#include "settings/settings_store.h"

// Makes the stored language current: English unless the Variables key opens, holds szLanguage
// as a string, and that string is one of the four codes (compared without regard to case).
void LoadLanguage(SettingsStore& store);

// Writes the current language's code as szLanguage, creating the key when needed. False when
// the key cannot be opened or the value not written; the current language stays as it is.
[[nodiscard]] bool StoreLanguage(SettingsStore& store);
