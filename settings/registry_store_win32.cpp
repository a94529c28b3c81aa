#include <windows.h>

#include <memory>
#include <new>

#include "settings/registry_store_win32.h"
#include "win32/system_handles_win32.h"

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

}  // namespace

// Keys cross the store's interface as plain StoreKey values: an opened key leaves its owner
// there, and CloseKey takes it back into one to close it.
bool RegistryStore::OpenKeyForRead(RegistryRoot root, const char* path, StoreKey& key) {
    OwnedRegistryKey opened;
    if (RegOpenKeyExA(RootKey(root), path, 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS) return false;
    key = opened.Release();
    return true;
}

bool RegistryStore::OpenKeyForWrite(RegistryRoot root, const char* path, StoreKey& key) {
    OwnedRegistryKey opened;
    DWORD disposition = 0;
    if (RegCreateKeyExA(RootKey(root), path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        opened.Receive(), &disposition) != ERROR_SUCCESS) {
        return false;
    }
    key = opened.Release();
    return true;
}

void RegistryStore::CloseKey(StoreKey key) {
    OwnedRegistryKey closing(static_cast<HKEY>(key));
}

bool RegistryStore::QueryValue(StoreKey key, const char* name, unsigned char* buffer, uint32_t& size, uint32_t& type) {
    // The registry writes into the buffer even when it then reports ERROR_MORE_DATA for some
    // types, so it queries into a private copy and hands over only a complete value.
    DWORD capacity = size;
    std::unique_ptr<unsigned char[]> scratch(new (std::nothrow) unsigned char[capacity ? capacity : 1]);
    if (scratch == nullptr) return false;
    DWORD valueType = 0;
    DWORD valueSize = capacity;
    LONG result = RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, &valueType, scratch.get(), &valueSize);
    if (result != ERROR_SUCCESS || valueSize > capacity) return false;
    CopyMemory(buffer, scratch.get(), valueSize);
    size = valueSize;
    type = valueType;
    return true;
}

bool RegistryStore::SetValue(StoreKey key, const char* name, uint32_t type, const unsigned char* data, uint32_t size) {
    return RegSetValueExA(static_cast<HKEY>(key), name, 0, type, data, size) == ERROR_SUCCESS;
}

bool RegistryStore::DeleteValue(StoreKey key, const char* name) {
    return RegDeleteValueA(static_cast<HKEY>(key), name) == ERROR_SUCCESS;
}
