// The data-resource file (Tapestrique.dat): every bitmap, skin, sound and long text of the
// interface as a named, zlib-compressed entry.
//
//   offset 0   31 bytes  "TapestriqueDataResources v1.00" and a NUL
//   offset 31  entries back to back, each:
//              u32 L (1..128), L name bytes, u32 C, u32 U, C bytes of a zlib stream of U bytes
//
// There is no index: each lookup opens the file, walks the entries from the start (skipping
// the streams it does not want), inflates the first entry whose name matches without regard
// to ASCII letter case, and closes the file. A name length of 0 or above 128 ends the walk.
//
// Result codes: 0 found (or, without a name, the file is valid), 1 the entry cannot be read in
// full or does not inflate, 2 the file cannot be opened, 3 not a data-resource file, 7 no such
// entry, 8 out of memory. Returned buffers come from std::malloc; the caller frees them.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char kDataResourceMagic[] = "TapestriqueDataResources v1.00";
constexpr size_t kDataResourceMagicSize = sizeof(kDataResourceMagic);  // 31, with the NUL
constexpr uint32_t kDataResourceMaxNameLength = 128;

enum DataResourceResult : int {
    kDataResourceOk = 0,
    kDataResourceUnreadable = 1,
    kDataResourceCannotOpen = 2,
    kDataResourceWrongFormat = 3,
    kDataResourceNotFound = 7,
    kDataResourceOutOfMemory = 8,
};

// The byte source a lookup walks: a file in the programs, memory in tests and fuzzing.
class DataResourceInput {
public:
    virtual ~DataResourceInput() = default;
    // True only when all `count` bytes were delivered.
    [[nodiscard]] virtual bool ReadExact(void* buffer, size_t count) = 0;
    // Moves forward by `count` bytes; false when that passes the end.
    [[nodiscard]] virtual bool Skip(uint64_t count) = 0;
    // Bytes left after the current position.
    [[nodiscard]] virtual uint64_t Remaining() const = 0;
};

// The walk itself. With `name` null only the magic is checked. On success `*content` holds
// the inflated entry (at least one spare byte behind it) and `*contentSize` the number of
// bytes that zlib actually produced.
[[nodiscard]] int FindDataResource(DataResourceInput& input,
                                   const char* name,
                                   unsigned char** content,
                                   uint32_t* contentSize);

// A lookup in the given file.
[[nodiscard]] int LoadDataResourceFromFile(const char* path,
                                           const char* name,
                                           unsigned char** content,
                                           uint32_t* contentSize);

// The installation's data-resource file, fixed once at start-up before the first lookup.
void SetDataResourcePath(const char* path);
[[nodiscard]] const char* DataResourcePath();

// A lookup in the installation's file (SetDataResourcePath).
[[nodiscard]] int LoadDataResource(const char* name, unsigned char** content, uint32_t* contentSize);

// A data-resource file already in memory (tests, tools, fuzzing).
class MemoryDataResourceInput final : public DataResourceInput {
public:
    MemoryDataResourceInput(const unsigned char* data, size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool ReadExact(void* buffer, size_t count) override;
    [[nodiscard]] bool Skip(uint64_t count) override;
    [[nodiscard]] uint64_t Remaining() const override { return size_ - position_; }

private:
    const unsigned char* data_;
    size_t size_;
    size_t position_ = 0;
};
