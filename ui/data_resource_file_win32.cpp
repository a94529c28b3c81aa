#include <windows.h>

#include "ui/data_resource_file.h"

namespace {

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

DataResourceFile::~DataResourceFile() {
    if (handle_ != -1) CloseHandle(AsHandle(handle_));
}

bool DataResourceFile::Open(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    size_ = static_cast<uint64_t>(size.QuadPart);
    position_ = 0;
    return true;
}

bool DataResourceFile::ReadExact(void* buffer, size_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count) {
        DWORD chunk = count - done > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count - done);
        DWORD got = 0;
        if (!ReadFile(AsHandle(handle_), bytes + done, chunk, &got, nullptr) || got == 0) return false;
        done += got;
        position_ += got;
    }
    return true;
}

bool DataResourceFile::Skip(uint64_t count) {
    if (count > Remaining()) return false;
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(count);
    if (!SetFilePointerEx(AsHandle(handle_), distance, nullptr, FILE_CURRENT)) return false;
    position_ += count;
    return true;
}
