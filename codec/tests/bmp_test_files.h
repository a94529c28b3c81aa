// Builds BMP files byte by byte for the reader's tests, including malformed ones.
#pragma once

#include <cstdint>
#include <vector>

namespace bmp_test {

using Bytes = std::vector<unsigned char>;

struct BmpSpec {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t depth = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    uint32_t coloursUsed = 0;
    std::vector<uint32_t> masks;        // written after the header for bit fields
    std::vector<uint32_t> palette;      // 0x00RRGGBB entries
    Bytes pixels;                       // the pixel data exactly as stored
    int64_t pixelOffset = -1;           // -1: right behind the palette
    std::vector<uint32_t> headerMasks;  // inside a 108- or 124-byte header
};

inline void PutLe(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

inline Bytes BuildBmp(const BmpSpec& spec) {
    Bytes out;
    uint32_t offset = 14 + spec.infoSize + static_cast<uint32_t>(spec.masks.size() * 4 + spec.palette.size() * 4);
    if (spec.pixelOffset >= 0) offset = static_cast<uint32_t>(spec.pixelOffset);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, offset + static_cast<uint32_t>(spec.pixels.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, offset, 4);
    PutLe(out, spec.infoSize, 4);
    PutLe(out, static_cast<uint32_t>(spec.width), 4);
    PutLe(out, static_cast<uint32_t>(spec.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, spec.depth, 2);
    PutLe(out, spec.compression, 4);
    PutLe(out, static_cast<uint32_t>(spec.pixels.size()), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, spec.coloursUsed, 4);
    PutLe(out, 0, 4);
    for (uint32_t mask : spec.headerMasks) PutLe(out, mask, 4);
    out.resize(14 + spec.infoSize, 0);
    for (uint32_t mask : spec.masks) PutLe(out, mask, 4);
    for (uint32_t colour : spec.palette) PutLe(out, colour, 4);
    if (out.size() < offset) out.resize(offset, 0);
    out.insert(out.end(), spec.pixels.begin(), spec.pixels.end());
    return out;
}

}  // namespace bmp_test
