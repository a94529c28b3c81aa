// A read cursor over a byte buffer that can never move past its end. Parsers of untrusted
// data (pictures, resources, skins) read through it instead of walking raw pointers: every
// read either delivers all requested bytes or fails and leaves the cursor where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/byte_order.h"

class BoundedReader {
public:
    BoundedReader(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return size_ - position_; }
    size_t Size() const { return size_; }
    const unsigned char* Current() const { return data_ + position_; }

    [[nodiscard]] bool Read(void* out, size_t count) {
        if (count > Remaining()) return false;
        if (count != 0) std::memcpy(out, data_ + position_, count);
        position_ += count;
        return true;
    }

    [[nodiscard]] bool Skip(size_t count) {
        if (count > Remaining()) return false;
        position_ += count;
        return true;
    }

    [[nodiscard]] bool Seek(size_t position) {
        if (position > size_) return false;
        position_ = position;
        return true;
    }

    [[nodiscard]] bool ReadU8(uint8_t& value) { return Read(&value, 1); }

    [[nodiscard]] bool ReadLe16(uint16_t& value) {
        unsigned char bytes[2];
        if (!Read(bytes, 2)) return false;
        value = ::ReadLe16(bytes);
        return true;
    }

    [[nodiscard]] bool ReadLe32(uint32_t& value) {
        unsigned char bytes[4];
        if (!Read(bytes, 4)) return false;
        value = ::ReadLe32(bytes);
        return true;
    }

    [[nodiscard]] bool ReadBe16(uint16_t& value) {
        unsigned char bytes[2];
        if (!Read(bytes, 2)) return false;
        value = ::ReadBe16(bytes);
        return true;
    }

    [[nodiscard]] bool ReadBe32(uint32_t& value) {
        unsigned char bytes[4];
        if (!Read(bytes, 4)) return false;
        value = ::ReadBe32(bytes);
        return true;
    }

    // Hands out a view of the next `count` bytes without copying them.
    [[nodiscard]] bool View(size_t count, const unsigned char*& view) {
        if (count > Remaining()) return false;
        view = data_ + position_;
        position_ += count;
        return true;
    }

private:
    const unsigned char* data_;
    size_t size_;
    size_t position_ = 0;
};
