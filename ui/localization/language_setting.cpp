#include "ui/localization/language_setting.h"

#include <cstring>

#include "settings/settings_loader.h"
#include "ui/localization/language.h"

bool StoreLanguage(SettingsStore& store, Settings& settings) {
    static_assert(sizeof settings.szLanguage >= 3, "a code and its NUL");
    std::memcpy(settings.szLanguage, LanguageCode(), 3);
    return WriteSetting(store, settings, settings.szLanguage);
}
