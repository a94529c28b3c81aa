// Plain file access for the portable core, implemented with Win32 calls in the Windows
// build (file_io_win32.cpp) and POSIX calls in the host build (file_io_posix.cpp). Paths are
// narrow strings in the system's code page, as everywhere in the product.
//
// Files are owned by File, which closes on destruction and cannot be copied.
#pragma once

#include <cstddef>
#include <cstdint>

class File {
public:
    File() = default;
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
    File& operator=(File&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.handle_;
            other.handle_ = kNone;
        }
        return *this;
    }

    bool IsOpen() const { return handle_ != kNone; }
    void Close();

    // Opens an existing file for reading, shared with other readers, for sequential scanning.
    [[nodiscard]] bool OpenForSequentialRead(const char* path);
    // Creates the file or truncates an existing one, for writing without sharing.
    [[nodiscard]] bool CreateExclusive(const char* path);

    // Size of the open file; false when it cannot be taken.
    [[nodiscard]] bool Size(uint64_t& size) const;
    // One read call; returns the number of bytes delivered (0 at the end or on error).
    [[nodiscard]] size_t Read(void* buffer, size_t count);
    // True only when every byte was read.
    [[nodiscard]] bool ReadExact(void* buffer, size_t count) { return Read(buffer, count) == count; }
    // Moves the read position `count` bytes forward without reading them.
    [[nodiscard]] bool SkipForward(uint64_t count);
    // Moves the read position to `position` bytes from the start.
    [[nodiscard]] bool SeekTo(uint64_t position);
    // True only when every byte was written.
    [[nodiscard]] bool WriteAll(const void* buffer, size_t count);
    // Flushes the data to the disk, so a following rename cannot expose a half-written file.
    [[nodiscard]] bool Flush();

private:
    static constexpr intptr_t kNone = -1;
    intptr_t handle_ = kNone;
};

// Moves `from` over `to`, replacing `to` if it exists, as one step where the system allows.
[[nodiscard]] bool ReplaceFileWith(const char* to, const char* from);
// Deletes a file; false when it did not exist or could not be deleted.
bool DeleteFilePath(const char* path);
// Creates a folder (its parent must exist); true when it was created or already exists.
[[nodiscard]] bool CreateFolder(const char* path);
// Whether `path` names an existing file (not a folder), or an existing folder.
[[nodiscard]] bool IsExistingFile(const char* path);
[[nodiscard]] bool IsExistingFolder(const char* path);
// A path in the folder of `path` for a temporary file that will replace it ("<path>.~tmp<n>"),
// unique within the machine. False, with `out` empty, when it does not fit in `outSize`
// characters with its NUL: a cut path could name a file in another folder.
[[nodiscard]] bool MakeSiblingTempPath(const char* path, char* out, size_t outSize);
