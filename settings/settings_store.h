// The small interface the settings are read and written through: registry keys and values
// under one of two roots. RegistryStore (registry_store_win32.h) is the Windows registry;
// MemoryStore (memory_store.h) keeps keys in memory for tests and host tools.
//
// Keys are opened for reading (fails when the key is missing) or for writing (creates it),
// and closed by ScopedStoreKey. Values are queried like the registry does it: the data is
// copied only when it fits the caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>

enum class RegistryRoot : uint8_t { CurrentUser, LocalMachine };

// The registry value types the product uses.
enum RegistryValueType : uint32_t {
    kRegistryString = 1,  // REG_SZ
    kRegistryBinary = 3,  // REG_BINARY
    kRegistryDword = 4,   // REG_DWORD
};

using StoreKey = void*;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    [[nodiscard]] virtual bool OpenKeyForRead(RegistryRoot root, const char* path, StoreKey& key) = 0;
    [[nodiscard]] virtual bool OpenKeyForWrite(RegistryRoot root, const char* path, StoreKey& key) = 0;
    virtual void CloseKey(StoreKey key) = 0;

    // On entry `size` is the buffer's capacity. True when the value exists and fits: its data
    // is in `buffer`, its type in `type` and its length in `size`. False otherwise (missing,
    // larger than the buffer, or any other failure), with the buffer left untouched.
    [[nodiscard]] virtual bool QueryValue(StoreKey key,
                                          const char* name,
                                          unsigned char* buffer,
                                          uint32_t& size,
                                          uint32_t& type) = 0;
    [[nodiscard]] virtual bool SetValue(StoreKey key,
                                        const char* name,
                                        uint32_t type,
                                        const unsigned char* data,
                                        uint32_t size) = 0;
    [[nodiscard]] virtual bool DeleteValue(StoreKey key, const char* name) = 0;
};

// Closes the key it holds when it goes away; not copyable.
class ScopedStoreKey {
public:
    explicit ScopedStoreKey(SettingsStore& store) : store_(store) {}
    ~ScopedStoreKey() { Close(); }
    ScopedStoreKey(const ScopedStoreKey&) = delete;
    ScopedStoreKey& operator=(const ScopedStoreKey&) = delete;

    [[nodiscard]] bool OpenForRead(RegistryRoot root, const char* path) {
        Close();
        open_ = store_.OpenKeyForRead(root, path, key_);
        return open_;
    }
    [[nodiscard]] bool OpenForWrite(RegistryRoot root, const char* path) {
        Close();
        open_ = store_.OpenKeyForWrite(root, path, key_);
        return open_;
    }
    void Close() {
        if (open_) store_.CloseKey(key_);
        open_ = false;
    }
    bool IsOpen() const { return open_; }
    StoreKey Get() const { return key_; }

private:
    SettingsStore& store_;
    StoreKey key_ = nullptr;
    bool open_ = false;
};

// Opens `path` for writing, writes one REG_SZ value with its terminating NUL and closes the
// key again. False when any step fails.
[[nodiscard]] bool WriteStringValue(SettingsStore& store,
                                    RegistryRoot root,
                                    const char* path,
                                    const char* name,
                                    const char* text);
// The same for a value of any type and width.
[[nodiscard]] bool WriteRawValue(SettingsStore& store,
                                 RegistryRoot root,
                                 const char* path,
                                 const char* name,
                                 uint32_t type,
                                 const unsigned char* data,
                                 uint32_t size);
