// Data-resource files and skin records built byte by byte, independently of the builders in
// ui/, so the reader tests do not depend on the code that writes what they read.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>

#include "tests/support/test_support.h"

namespace resource_test {

using test_support::Bytes;

inline void AppendLe32(Bytes& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
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
    Bytes stream = Compress(content);
    Bytes block;
    AppendLe32(block, static_cast<uint32_t>(stream.size()));
    AppendLe32(block, static_cast<uint32_t>(inflatedSize < 0 ? static_cast<int64_t>(content.size()) : inflatedSize));
    block.insert(block.end(), stream.begin(), stream.end());
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
