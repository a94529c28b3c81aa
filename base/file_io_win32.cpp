#include <windows.h>

#include <atomic>
#include <cstdio>

#include "base/file_io.h"

namespace {
HANDLE AsHandle(intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}
}  // namespace

void File::Close() {
    if (handle_ != kNone) {
        CloseHandle(AsHandle(handle_));
        handle_ = kNone;
    }
}

bool File::OpenForSequentialRead(const char* path) {
    Close();
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(handle);
    return true;
}

bool File::CreateExclusive(const char* path) {
    Close();
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(handle);
    return true;
}

bool File::Size(uint64_t& size) const {
    LARGE_INTEGER value;
    if (handle_ == kNone || !GetFileSizeEx(AsHandle(handle_), &value)) return false;
    size = static_cast<uint64_t>(value.QuadPart);
    return true;
}

size_t File::Read(void* buffer, size_t count) {
    if (handle_ == kNone) return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count) {
        DWORD chunk = static_cast<DWORD>(count - done > 0x40000000 ? 0x40000000 : count - done);
        DWORD got = 0;
        if (!ReadFile(AsHandle(handle_), bytes + done, chunk, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

bool File::SkipForward(uint64_t count) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(count);
    return handle_ != kNone && count <= INT64_MAX &&
           SetFilePointerEx(AsHandle(handle_), distance, nullptr, FILE_CURRENT) != 0;
}

bool File::SeekTo(uint64_t position) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(position);
    return handle_ != kNone && position <= INT64_MAX &&
           SetFilePointerEx(AsHandle(handle_), distance, nullptr, FILE_BEGIN) != 0;
}

bool File::WriteAll(const void* buffer, size_t count) {
    if (handle_ == kNone) return false;
    auto* bytes = static_cast<const unsigned char*>(buffer);
    size_t done = 0;
    while (done < count) {
        DWORD chunk = static_cast<DWORD>(count - done > 0x40000000 ? 0x40000000 : count - done);
        DWORD put = 0;
        if (!WriteFile(AsHandle(handle_), bytes + done, chunk, &put, nullptr) || put == 0) return false;
        done += put;
    }
    return true;
}

bool File::Flush() {
    return handle_ != kNone && FlushFileBuffers(AsHandle(handle_));
}

bool ReplaceFileWith(const char* to, const char* from) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool DeleteFilePath(const char* path) {
    return DeleteFileA(path) != 0;
}

bool CreateFolder(const char* path) {
    return CreateDirectoryA(path, nullptr) || IsExistingFolder(path);
}

bool IsExistingFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsExistingFolder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeSiblingTempPath(const char* path, char* out, size_t outSize) {
    static std::atomic<unsigned> counter{0};
    int length = std::snprintf(out, outSize, "%s.~tmp%lu-%u", path, GetCurrentProcessId(), counter++);
    if (length >= 0 && static_cast<size_t>(length) < outSize) return true;
    if (outSize > 0) out[0] = '\0';
    return false;
}
