// Data-resource files and skin records built byte by byte, independently of the builders in
// ui/, so the reader tests do not depend on the code that writes what they read.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "tests/support/test_support.h"

namespace resource_test {

using test_support::Bytes;

inline void AppendLe32(Bytes& bytes, uint32_t value) {
    const size_t at = bytes.size();
    bytes.resize(at + 4);
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

inline void AppendText(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

inline Bytes Compress(const std::string& text) {
    uLongf size = compressBound(text.size());
    Bytes out(size);
    compress2(out.data(), &size, reinterpret_cast<const Bytes::value_type*>(text.data()), text.size(), 9);
    out.resize(size);
    return out;
}

// u32 C, u32 U, stream; `inflatedSize` defaults to the true length.
inline Bytes Block(const std::string& content, int64_t inflatedSize = -1) {
    const Bytes stream = Compress(content);
    const uint32_t inflated =
        static_cast<uint32_t>(inflatedSize < 0 ? static_cast<int64_t>(content.size()) : inflatedSize);
    Bytes block(8 + stream.size());
    for (size_t i = 0; i < 4; ++i) {
        block[i] = static_cast<unsigned char>(stream.size() >> (8 * i));
        block[4 + i] = static_cast<unsigned char>(inflated >> (8 * i));
    }
    std::copy(stream.begin(), stream.end(), block.begin() + 8);
    return block;
}

inline Bytes DatMagic() {
    Bytes magic;
    AppendText(magic, "TapestriqueDataResources v1.00");
    magic.push_back(0);
    return magic;
}

inline void AppendEntry(Bytes& file, const std::string& name, const Bytes& block) {
    AppendLe32(file, static_cast<uint32_t>(name.size()));
    AppendText(file, name);
    file.insert(file.end(), block.begin(), block.end());
}

}  // namespace resource_test
