// Owners of kernel handles (events, mutexes, threads, processes), file handles and registry
// keys. Each closes its handle once; they move but do not copy (win32/unique_handle.h).
//
//     OwnedRegistryKey key;
//     if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return false;
#pragma once

#include <windows.h>

#include "win32/unique_handle.h"

// Events, mutexes, threads and processes report failure with a null handle.
using OwnedHandle = UniqueHandle<HandleClosedBy<HANDLE, CloseHandle>>;

// CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { CloseHandle(handle); }
};
using OwnedFileHandle = UniqueHandle<FileHandleTraits>;

using OwnedRegistryKey = UniqueHandle<HandleClosedBy<HKEY, RegCloseKey>>;
