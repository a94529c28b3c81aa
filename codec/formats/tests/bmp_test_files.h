// Builds BMP files byte by byte for the reader's tests, including malformed ones.
#pragma once

#include <cstdint>
#include <vector>

namespace bmp_test {

using Bytes = std::vector<unsigned char>;

struct BmpLayout {
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

inline Bytes BuildBmp(const BmpLayout& layout) {
    Bytes out;
    uint32_t offset = 14 + layout.infoSize + static_cast<uint32_t>(layout.masks.size() * 4 + layout.palette.size() * 4);
    if (layout.pixelOffset >= 0) offset = static_cast<uint32_t>(layout.pixelOffset);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, offset + static_cast<uint32_t>(layout.pixels.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, offset, 4);
    PutLe(out, layout.infoSize, 4);
    PutLe(out, static_cast<uint32_t>(layout.width), 4);
    PutLe(out, static_cast<uint32_t>(layout.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, layout.depth, 2);
    PutLe(out, layout.compression, 4);
    PutLe(out, static_cast<uint32_t>(layout.pixels.size()), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, layout.coloursUsed, 4);
    PutLe(out, 0, 4);
    for (uint32_t mask : layout.headerMasks) PutLe(out, mask, 4);
    out.resize(14 + layout.infoSize, 0);
    for (uint32_t mask : layout.masks) PutLe(out, mask, 4);
    for (uint32_t colour : layout.palette) PutLe(out, colour, 4);
    if (out.size() < offset) out.resize(offset, 0);
    out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
    return out;
}

}  // namespace bmp_test
