// WBMP type 0: two zero bytes, width and height as multi-byte integers, then 1-bit rows
// padded to whole bytes (0 black, 1 white), delivered as a two-colour palette picture.
#include <cstdint>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

// Seven bits per byte, most significant group first; a set top bit announces another byte.
// Values that do not fit a positive int are refused.
[[nodiscard]] int ReadMultiByteInteger(BoundedReader& in, int& value) {
    uint32_t result = 0;
    for (;;) {
        uint8_t byte = 0;
        if (!in.ReadU8(byte)) return kCodecReadError;
        if (result > (0x7FFFFFFFu >> 7)) return kCodecUnsupportedVariant;
        result = (result << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0) break;
    }
    value = static_cast<int>(result);
    return kCodecOk;
}

[[nodiscard]] int ReadHeader(BoundedReader& in, int& width, int& height) {
    uint8_t type = 0;
    uint8_t fixedHeader = 0;
    if (!in.ReadU8(type) || !in.ReadU8(fixedHeader)) return kCodecReadError;
    if (type != 0 || fixedHeader != 0) return kCodecUnsupportedVariant;
    int result = ReadMultiByteInteger(in, width);
    if (result == kCodecOk) result = ReadMultiByteInteger(in, height);
    if (result != kCodecOk) return result;
    return width == 0 || height == 0 ? kCodecUnsupportedVariant : kCodecOk;
}

[[nodiscard]] int ReadPicture(BoundedReader& in, PaletteImage& out) {
    int width = 0;
    int height = 0;
    int result = ReadHeader(in, width, height);
    if (result != kCodecOk) return result;

    size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
    if (static_cast<uint64_t>(rowBytes) * static_cast<uint64_t>(height) > in.Remaining()) return kCodecReadError;
    CodecBuffer indices;
    result = AllocatePixels(width, height, 1, indices);
    if (result != kCodecOk) return result;

    for (int y = 0; y < height; ++y) {
        const unsigned char* row = nullptr;
        if (!in.View(rowBytes, row)) return kCodecReadError;
        unsigned char* target = indices.Data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) target[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
    out.paletteSize = 2;
    out.palette[1][0] = out.palette[1][1] = out.palette[1][2] = 255;
    DeliverPaletteImage(indices, width, height, out);
    return kCodecOk;
}

}  // namespace

int ReadWbmpSize(BoundedReader& in, int& width, int& height) {
    return ReadHeader(in, width, height);
}

int ReadWbmpImage(BoundedReader& in, PaletteImage& out) {
    out = PaletteImage{};
    return ReadPicture(in, out);
}
