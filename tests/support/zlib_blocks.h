// Compressed blocks made for the tests, independently of the code they check: a zlib stream,
// and the block that the picture files, the data-resource file and skins share (u32
// compressed size, u32 inflated size, then the stream, little-endian).
#pragma once

#include <zlib.h>

#include <cstdint>

#include "tests/support/test_support.h"

namespace test_support {

inline void AppendLe32(Bytes& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

inline Bytes Compress(const Bytes& data, int level = 1) {
    uLongf size = compressBound(data.size());
    Bytes out(size);
    compress2(out.data(), &size, data.data(), data.size(), level);
    out.resize(size);
    return out;
}

// A block whose header declares `inflatedSize`, which need not be the data's true length.
inline Bytes CompressedBlock(const Bytes& data, uint32_t inflatedSize) {
    Bytes stream = Compress(data);
    Bytes block;
    AppendLe32(block, static_cast<uint32_t>(stream.size()));
    AppendLe32(block, inflatedSize);
    block.insert(block.end(), stream.begin(), stream.end());
    return block;
}

}  // namespace test_support
