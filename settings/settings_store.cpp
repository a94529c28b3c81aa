#include "settings/settings_store.h"

#include <cstring>

bool WriteRawValue(SettingsStore& store,
                   RegistryRoot root,
                   const char* path,
                   const char* name,
                   uint32_t type,
                   const unsigned char* data,
                   uint32_t size) {
    ScopedStoreKey key(store);
    if (!key.OpenForWrite(root, path)) return false;
    return store.SetValue(key.Get(), name, type, data, size);
}

bool WriteStringValue(SettingsStore& store, RegistryRoot root, const char* path, const char* name, const char* text) {
    size_t length = std::strlen(text);
    if (length >= UINT32_MAX) return false;
    return WriteRawValue(store, root, path, name, kRegistryString, reinterpret_cast<const unsigned char*>(text),
                         static_cast<uint32_t>(length + 1));
}
