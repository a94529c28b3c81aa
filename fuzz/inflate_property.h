// The property of every successful read of a compressed block (u32 C, u32 U, C stream bytes):
// the content handed out is exactly what zlib itself makes of the stream, all U bytes of it,
// and the stream ends exactly at its C-th byte.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/byte_order.h"

inline void CheckInflatedBlock(const uint8_t* block, size_t available, const unsigned char* content, uint32_t size) {
    if (available < 8 || content == nullptr) __builtin_trap();
    uint32_t compressed = ReadLe32(block);
    uint32_t declared = ReadLe32(block + 4);
    if (declared != size || compressed > available - 8) __builtin_trap();
    // Room for one byte more than declared, so that a stream making more shows.
    auto* expected = static_cast<unsigned char*>(std::malloc(size_t{size} + 1));
    uLongf produced = size + 1;
    uLong consumed = compressed;
    int status = uncompress2(expected, &produced, block + 8, &consumed);
    if (status != Z_OK || produced != size || consumed != compressed) __builtin_trap();
    if (size != 0 && std::memcmp(expected, content, size) != 0) __builtin_trap();
    std::free(expected);
}
