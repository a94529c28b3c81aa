// The one read-only input of every parser of files: a file, opened shared for reading with a
// sequential-scan hint, or a buffer in memory that the source only borrows (it must outlive
// the source). Reads never pass the end; a read of an exact count either delivers every byte
// or fails and leaves the position where it was.
//
//     ByteSource input;
//     if (!input.OpenFile(path)) return cannot-open;      // or input.OpenMemory(data, size)
//     uint32_t length = 0;
//     if (!input.ReadLe32(length) || !input.Skip(length)) return damaged;
//
// The picture file, the data-resource container and the codec's image sources all read
// through it; the memory side is a BoundedReader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/bounded_reader.h"
#include "base/file_io.h"

class ByteSource {
public:
    ByteSource() : memory_(nullptr, 0) {}

    // False when the file cannot be opened or its size cannot be taken.
    [[nodiscard]] bool OpenFile(const char* path);
    void OpenMemory(const void* data, size_t size);

    [[nodiscard]] bool IsFile() const { return fromFile_; }
    [[nodiscard]] uint64_t Size() const { return fromFile_ ? fileSize_ : memory_.Size(); }
    [[nodiscard]] uint64_t Position() const { return fromFile_ ? filePosition_ : memory_.Position(); }
    [[nodiscard]] uint64_t Remaining() const { return Size() - Position(); }
    // The bytes from the current position on when the source is in memory; null for a file.
    [[nodiscard]] const unsigned char* MemoryAtPosition() const { return fromFile_ ? nullptr : memory_.Current(); }

    // Up to `count` bytes; fewer only at the end or on a read error.
    [[nodiscard]] size_t ReadSome(void* out, size_t count);
    // All `count` bytes or nothing.
    [[nodiscard]] bool Read(void* out, size_t count);
    [[nodiscard]] bool ReadLe32(uint32_t& value);
    [[nodiscard]] bool Skip(uint64_t count);
    [[nodiscard]] bool Seek(uint64_t position);

    // How many bytes reads have copied out so far (skips and seeks pass over bytes unread).
    [[nodiscard]] uint64_t BytesDelivered() const { return delivered_; }

private:
    bool fromFile_ = false;
    File file_;
    uint64_t fileSize_ = 0;
    uint64_t filePosition_ = 0;
    BoundedReader memory_;
    uint64_t delivered_ = 0;
};
