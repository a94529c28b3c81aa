#include "ui/localization/language_setting.h"

#include "settings/settings_table.h"
#include "ui/localization/language.h"

namespace {

constexpr const char* kLanguageValueName = "szLanguage";

}  // namespace

void LoadLanguage(SettingsStore& store) {
    ScopedStoreKey key(store);
    if (!key.OpenForRead(SettingsKeyRoot(SettingsKey::Variables), SettingsKeyPath(SettingsKey::Variables))) {
        LoadLanguage(nullptr);
        return;
    }
    // Any code fits in a few bytes; a longer value cannot match one and is refused by the
    // store as too large for the buffer, which keeps English as well.
    char value[16] = {};
    uint32_t size = sizeof value - 1;
    uint32_t type = 0;
    bool read = store.QueryValue(key.Get(), kLanguageValueName, reinterpret_cast<unsigned char*>(value), size, type);
    if (!read || type != kRegistryString) {
        LoadLanguage(nullptr);
        return;
    }
    // The value need not carry its own NUL; the buffer was zeroed one byte beyond it.
    value[size < sizeof value ? size : sizeof value - 1] = '\0';
    LoadLanguage(value);
}

bool StoreLanguage(SettingsStore& store) {
    return WriteStringValue(store, SettingsKeyRoot(SettingsKey::Variables), SettingsKeyPath(SettingsKey::Variables),
                            kLanguageValueName, LanguageCode());
}
