// Builds .tqi file images byte by byte, independently of the writer, so the reader tests do
// not depend on the code they check.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>

#include "tests/support/test_support.h"

namespace tqi_test {

using test_support::Bytes;

inline void AppendLe32(Bytes& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

inline Bytes Compress(const Bytes& data) {
    uLongf size = compressBound(data.size());
    Bytes out(size);
    compress2(out.data(), &size, data.data(), data.size(), 1);
    out.resize(size);
    return out;
}

struct FileParts {
    std::string magic = std::string("TapestriqueImage v1.00", 22) + '\0';
    std::string title = "Sunset";
    uint32_t titleLength = 0xFFFFFFFF;  // default: the title's own length
    uint32_t width = 640;
    uint32_t height = 480;
    Bytes payload = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 0xFF, 0xD9};
    uint32_t inflatedSizeOverride = 0xFFFFFFFF;
    uint32_t compressedSizeOverride = 0xFFFFFFFF;
};

inline Bytes BuildFile(const FileParts& parts) {
    Bytes bytes(parts.magic.begin(), parts.magic.end());
    AppendLe32(bytes, parts.titleLength != 0xFFFFFFFF ? parts.titleLength : static_cast<uint32_t>(parts.title.size()));
    bytes.insert(bytes.end(), parts.title.begin(), parts.title.end());
    AppendLe32(bytes, parts.width);
    AppendLe32(bytes, parts.height);
    Bytes compressed = Compress(parts.payload);
    AppendLe32(bytes, parts.compressedSizeOverride != 0xFFFFFFFF ? parts.compressedSizeOverride
                                                                 : static_cast<uint32_t>(compressed.size()));
    AppendLe32(bytes, parts.inflatedSizeOverride != 0xFFFFFFFF ? parts.inflatedSizeOverride
                                                               : static_cast<uint32_t>(parts.payload.size()));
    bytes.insert(bytes.end(), compressed.begin(), compressed.end());
    return bytes;
}

}  // namespace tqi_test
