// The settings store of the Windows build: the system registry. Keys are opened with
// RegOpenKeyEx (KEY_READ) for reading and RegCreateKeyEx (KEY_ALL_ACCESS, non-volatile) for
// writing; values are read with RegQueryValueEx and written with RegSetValueEx.
#pragma once

#include "settings/settings_store.h"

class RegistryStore : public SettingsStore {
public:
    bool OpenKeyForRead(RegistryRoot root, const char* path, StoreKey& key) override;
    bool OpenKeyForWrite(RegistryRoot root, const char* path, StoreKey& key) override;
    void CloseKey(StoreKey key) override;
    bool QueryValue(StoreKey key, const char* name, unsigned char* buffer, uint32_t& size, uint32_t& type) override;
    bool SetValue(StoreKey key, const char* name, uint32_t type, const unsigned char* data, uint32_t size) override;
    bool DeleteValue(StoreKey key, const char* name) override;
};
