#include "codec/formats/bmp_codec.h"

#include <cstdint>
#include <cstring>

#include "base/byte_order.h"
#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/formats/bmp_reader.h"
#include "codec/image_source.h"
#include "codec/pixels/row_layout.h"

bool DecodeBmp(ImageSource* source, int bitDepth, RgbImage& out, ImagePalette* palette) {
    out = RgbImage{};
    if (!BeginCodecCall()) return false;
    if (source == nullptr || (bitDepth != 1 && bitDepth != 8 && bitDepth != 24 && bitDepth != 32)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    SourceBytes bytes;
    if (!LoadSourceBytes(source, bytes)) return false;
    BoundedReader in(bytes.data, bytes.size);
    int result = ReadBmpImage(in, bitDepth, out, palette);
    FreeSourceBytes(bytes);
    if (result != kCodecOk) {
        SetCodecError(result);
        return false;
    }
    return true;
}

namespace {

// Converts one top-down row of the caller's layout into the file's row layout.
void EncodeRow(const unsigned char* in, int width, int bitDepth, unsigned char* out) {
    switch (bitDepth) {
        case 1:
        case 8:
            std::memcpy(out, in, PictureRowBytes(width, bitDepth));
            break;
        case 4:
            std::memcpy(out, in, (static_cast<size_t>(width) + 1) / 2);
            break;
        case 24:
            for (int x = 0; x < width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            break;
        case 32:
            for (int x = 0; x < width; ++x, in += 4, out += 4) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
                out[3] = in[3];
            }
            break;
    }
}

}  // namespace

bool WriteBmp(ImageSink* sink,
              const unsigned char* pixels,
              int width,
              int height,
              int bitDepth,
              const ImagePalette* palette) {
    if (!BeginCodecCall()) return false;
    bool depthKnown = bitDepth == 1 || bitDepth == 4 || bitDepth == 8 || bitDepth == 24 || bitDepth == 32;
    if (sink == nullptr || pixels == nullptr || width <= 0 || height <= 0 || !depthKnown) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    size_t inRowBytes = bitDepth == 4 ? (static_cast<size_t>(width) + 1) / 2 : PictureRowBytes(width, bitDepth);
    uint64_t fileRowBytes = (static_cast<uint64_t>(width) * bitDepth + 31) / 32 * 4;
    uint32_t paletteEntries = bitDepth <= 8 ? (1u << bitDepth) : 0;
    uint64_t pixelOffset = 14 + 40 + paletteEntries * 4ull;
    uint64_t imageBytes = fileRowBytes * static_cast<uint64_t>(height);
    if (pixelOffset + imageBytes > UINT32_MAX) {
        SetCodecError(kCodecBadArgument);
        return false;
    }

    unsigned char header[14 + 40] = {};
    header[0] = 'B';
    header[1] = 'M';
    WriteLe32(header + 2, static_cast<uint32_t>(pixelOffset + imageBytes));
    WriteLe32(header + 10, static_cast<uint32_t>(pixelOffset));
    WriteLe32(header + 14, 40);
    WriteLe32(header + 18, static_cast<uint32_t>(width));
    WriteLe32(header + 22, static_cast<uint32_t>(height));
    WriteLe16(header + 26, 1);
    WriteLe16(header + 28, static_cast<uint16_t>(bitDepth));
    WriteLe32(header + 34, static_cast<uint32_t>(imageBytes));
    WriteLe32(header + 38, 2835);  // 72 dots per inch
    WriteLe32(header + 42, 2835);
    WriteLe32(header + 46, paletteEntries);
    if (!WriteSink(sink, header, sizeof header)) return false;

    if (paletteEntries != 0) {
        unsigned char table[256 * 4] = {};
        for (uint32_t i = 0; i < paletteEntries; ++i) {
            unsigned char* entry = table + i * 4;
            if (palette != nullptr) {
                if (static_cast<int>(i) < palette->count) {
                    entry[0] = palette->colours[i][2];
                    entry[1] = palette->colours[i][1];
                    entry[2] = palette->colours[i][0];
                }
            } else {
                auto level = static_cast<unsigned char>(i * 255 / (paletteEntries - 1));
                entry[0] = entry[1] = entry[2] = level;
            }
        }
        if (!WriteSink(sink, table, paletteEntries * 4)) return false;
    }

    // Rows are converted into a block of about 256 KiB and written together.
    size_t blockRows = (256 * 1024) / static_cast<size_t>(fileRowBytes);
    if (blockRows < 1) blockRows = 1;
    if (blockRows > static_cast<size_t>(height)) blockRows = static_cast<size_t>(height);
    WorkArray<unsigned char> block = AllocateWorkArray<unsigned char>(blockRows * static_cast<size_t>(fileRowBytes));
    if (block == nullptr) {
        SetCodecError(kCodecOutOfMemory);
        return false;
    }
    bool written = true;
    size_t filled = 0;
    for (int y = height - 1; y >= 0 && written; --y) {
        EncodeRow(pixels + inRowBytes * static_cast<size_t>(y), width, bitDepth,
                  block.get() + filled * static_cast<size_t>(fileRowBytes));
        if (++filled == blockRows || y == 0) {
            written = WriteSink(sink, block.get(), filled * static_cast<size_t>(fileRowBytes));
            filled = 0;
        }
    }
    return written;
}
