// A settings store kept in memory, with the registry's rules: keys and value names compared
// without regard to letter case, keys created only when opened for writing, values that must
// fit the caller's buffer. Used by the host tests and tools.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings_store.h"

class MemoryStore : public SettingsStore {
public:
    struct Value {
        uint32_t type = 0;
        std::vector<unsigned char> data;
    };

    bool OpenKeyForRead(RegistryRoot root, const char* path, StoreKey& key) override;
    bool OpenKeyForWrite(RegistryRoot root, const char* path, StoreKey& key) override;
    void CloseKey(StoreKey key) override;
    bool QueryValue(StoreKey key, const char* name, unsigned char* buffer, uint32_t& size, uint32_t& type) override;
    bool SetValue(StoreKey key, const char* name, uint32_t type, const unsigned char* data, uint32_t size) override;
    bool DeleteValue(StoreKey key, const char* name) override;

    // Direct access for tests: put a value (creating its key) and look one up.
    void Put(RegistryRoot root,
             const std::string& path,
             const std::string& name,
             uint32_t type,
             const std::vector<unsigned char>& data);
    void PutString(RegistryRoot root, const std::string& path, const std::string& name, const std::string& text);
    [[nodiscard]] const Value* Find(RegistryRoot root, const std::string& path, const std::string& name) const;
    [[nodiscard]] bool HasKey(RegistryRoot root, const std::string& path) const;
    // Every value written with SetValue, in order, as "path\name".
    const std::vector<std::string>& WriteLog() const { return writeLog_; }
    // When set, SetValue fails (as a registry without write access would).
    void SetWritesFail(bool fail) { writesFail_ = fail; }
    // Keys currently open (tests check that every opened key is closed again).
    int OpenKeyCount() const { return openKeys_; }

private:
    struct Key {
        std::string path;
        std::map<std::string, Value> values;  // by lower-case name
    };
    Key* FindKey(RegistryRoot root, const std::string& path);
    static std::string KeyName(RegistryRoot root, const std::string& path);

    std::map<std::string, std::unique_ptr<Key>> keys_;
    std::vector<std::string> writeLog_;
    bool writesFail_ = false;
    int openKeys_ = 0;
};
