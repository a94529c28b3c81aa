// The BMP reader. Headers and palette are read through the bounded reader; the pixel data is
// checked against what the file holds before the output buffer is allocated, and run-length
// data can never write outside its rows.
#include "codec/formats/bmp_reader.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/formats/reader_support.h"
#include "codec/pixels/row_layout.h"

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
// The later headers extend the 40-byte one: channel masks first, then colour-space data
// that is not needed here. Common drawing programs write them by default.
constexpr uint32_t kInfoHeaderV4Size = 108;
constexpr uint32_t kInfoHeaderV5Size = 124;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;

struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0;  // the mask's value shifted down; 0 for an empty mask
    int bits = 0;

    void Set(uint32_t value) {
        mask = value;
        shift = 0;
        maximum = 0;
        bits = 0;
        if (value == 0) return;
        while (((value >> shift) & 1) == 0) ++shift;
        maximum = value >> shift;
        bits = 0;
        while (bits < 32 && (maximum >> bits) != 0) ++bits;
    }
    // Channels of up to 8 bits are widened by repeating their top bits below them (5 bits
    // abcde become abcdeabc), so full intensity stays 255; wider ones are scaled.
    unsigned char Extract(uint32_t pixel) const {
        if (maximum == 0) return 0;
        uint32_t level = (pixel & mask) >> shift;
        if (bits > 8) return static_cast<unsigned char>((static_cast<uint64_t>(level) * 255 + maximum / 2) / maximum);
        uint32_t widened = level << (8 - bits);
        for (int filled = bits; filled < 8; filled += bits) widened |= widened >> bits;
        return static_cast<unsigned char>(widened);
    }
};

struct BmpHeader {
    uint32_t pixelOffset = 0;
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int fileDepth = 0;
    uint32_t compression = 0;
    ChannelMask red, green, blue;
    unsigned char palette[256][3] = {};
    int paletteCount = 0;
};

int ReadHeader(BoundedReader& in, BmpHeader& header) {
    unsigned char signature[2];
    if (!in.Read(signature, 2) || signature[0] != 'B' || signature[1] != 'M') return kCodecNotBmp;
    uint32_t fileSize = 0, reserved = 0, infoSize = 0;
    if (!in.ReadLe32(fileSize) || !in.ReadLe32(reserved) || !in.ReadLe32(header.pixelOffset)) return kCodecReadError;
    if (!in.ReadLe32(infoSize)) return kCodecReadError;
    if (infoSize != kInfoHeaderSize && infoSize != kInfoHeaderV4Size && infoSize != kInfoHeaderV5Size) {
        return kCodecNotBmp;
    }
    uint32_t width = 0, height = 0, sizeImage = 0, xDensity = 0, yDensity = 0, coloursUsed = 0, important = 0;
    uint16_t planes = 0, depth = 0;
    if (!in.ReadLe32(width) || !in.ReadLe32(height) || !in.ReadLe16(planes) || !in.ReadLe16(depth) ||
        !in.ReadLe32(header.compression) || !in.ReadLe32(sizeImage) || !in.ReadLe32(xDensity) ||
        !in.ReadLe32(yDensity) || !in.ReadLe32(coloursUsed) || !in.ReadLe32(important)) {
        return kCodecReadError;
    }
    auto signedWidth = static_cast<int32_t>(width);
    auto signedHeight = static_cast<int32_t>(height);
    // A zero height holds no picture, and INT32_MIN has no row count that fits an int.
    if (signedWidth <= 0 || signedHeight == 0 || signedHeight == INT32_MIN) return kCodecNotBmp;
    header.width = signedWidth;
    header.height = static_cast<int>(BmpRowCount(signedHeight));
    header.bottomUp = signedHeight > 0;
    header.fileDepth = depth;

    bool depthKnown = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (!depthKnown) return kCodecNotBmp;
    switch (header.compression) {
        case kCompressionNone:
            break;
        case kCompressionRle8:
            if (depth != 8) return kCodecNotBmp;
            break;
        case kCompressionRle4:
            if (depth != 4) return kCodecNotBmp;
            break;
        case kCompressionBitFields:
            if (depth != 16 && depth != 32) return kCodecNotBmp;
            break;
        default:
            return kCodecNotBmp;
    }

    uint32_t masks[3] = {};
    if (infoSize > kInfoHeaderSize) {
        for (uint32_t& mask : masks) {
            if (!in.ReadLe32(mask)) return kCodecReadError;
        }
        if (!in.Skip(infoSize - kInfoHeaderSize - 12)) return kCodecReadError;
    } else if (header.compression == kCompressionBitFields) {
        for (uint32_t& mask : masks) {
            if (!in.ReadLe32(mask)) return kCodecReadError;
        }
    }
    if (header.compression == kCompressionBitFields) {
        header.red.Set(masks[0]);
        header.green.Set(masks[1]);
        header.blue.Set(masks[2]);
    } else if (depth == 16) {
        header.red.Set(0x7C00);
        header.green.Set(0x03E0);
        header.blue.Set(0x001F);
    }

    if (depth <= 8) {
        uint32_t count = coloursUsed == 0 ? (1u << depth) : coloursUsed;
        if (count > 256) count = 256;
        for (uint32_t i = 0; i < count; ++i) {
            unsigned char entry[4];
            if (!in.Read(entry, 4)) return kCodecReadError;
            header.palette[i][0] = entry[2];
            header.palette[i][1] = entry[1];
            header.palette[i][2] = entry[0];
        }
        header.paletteCount = static_cast<int>(count);
    }
    if (!in.Seek(header.pixelOffset)) return kCodecReadError;
    return kCodecOk;
}

// Where the pixels of one file row go: the output row and its depth.
struct RowWriter {
    const BmpHeader* header;
    int outDepth;

    // Writes the pixel at column `x` of an output row from its palette index.
    void PutIndex(int x, int index, unsigned char* row) const {
        if (outDepth == 8) {
            row[x] = static_cast<unsigned char>(index);
            return;
        }
        if (outDepth == 1) {
            auto bit = static_cast<unsigned char>(0x80 >> (x & 7));
            row[x >> 3] = static_cast<unsigned char>((index & 1) ? row[x >> 3] | bit : row[x >> 3] & ~bit);
            return;
        }
        unsigned char* out = row + static_cast<size_t>(x) * (outDepth / 8);
        if (index < header->paletteCount) {
            out[0] = header->palette[index][0];
            out[1] = header->palette[index][1];
            out[2] = header->palette[index][2];
        } else {
            out[0] = out[1] = out[2] = 0;  // an index past the palette shows black
        }
        if (outDepth == 32) out[3] = 255;
    }

    // Writes one row given as palette indices (files of up to 8 bits).
    void FromIndices(const unsigned char* indices, unsigned char* out) const {
        for (int x = 0; x < header->width; ++x) PutIndex(x, indices[x], out);
    }

    // Writes one row of a 16-, 24- or 32-bit file (output depth 24 or 32).
    void FromTrueColour(const unsigned char* row, unsigned char* out) const {
        int width = header->width;
        int step = outDepth / 8;
        int depth = header->fileDepth;
        if (depth == 24 || (depth == 32 && header->compression == kCompressionNone)) {
            int inStep = depth / 8;
            for (int x = 0; x < width; ++x, row += inStep, out += step) {
                out[0] = row[2];
                out[1] = row[1];
                out[2] = row[0];
                if (step == 4) out[3] = 255;
            }
            return;
        }
        for (int x = 0; x < width; ++x, out += step) {
            uint32_t pixel;
            if (depth == 16) {
                pixel = ReadLe16(row);
                row += 2;
            } else {
                pixel = ReadLe32(row);
                row += 4;
            }
            out[0] = header->red.Extract(pixel);
            out[1] = header->green.Extract(pixel);
            out[2] = header->blue.Extract(pixel);
            if (step == 4) out[3] = 255;
        }
    }
};

uint64_t FileRowBytes(const BmpHeader& header) {
    return (static_cast<uint64_t>(header.width) * header.fileDepth + 31) / 32 * 4;
}

// Uncompressed pixel data must all be there (the last row may go without its padding),
// which is checked before the output is allocated.
bool HasAllRows(const BoundedReader& in, const BmpHeader& header) {
    uint64_t usedBytes = (static_cast<uint64_t>(header.width) * header.fileDepth + 7) / 8;
    uint64_t rowBytes = FileRowBytes(header);
    uint64_t fullRows = static_cast<uint64_t>(header.height - 1);
    if (usedBytes > in.Remaining()) return false;
    return fullRows <= (in.Remaining() - usedBytes) / rowBytes;
}

void UnpackIndices(const unsigned char* row, int depth, int width, unsigned char* indices) {
    if (depth == 8) {
        std::memcpy(indices, row, static_cast<size_t>(width));
    } else if (depth == 4) {
        for (int x = 0; x < width; ++x) indices[x] = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    } else {
        for (int x = 0; x < width; ++x) indices[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
}

int ReadUncompressed(BoundedReader& in,
                     const BmpHeader& header,
                     const RowWriter& writer,
                     unsigned char* out,
                     size_t outRowBytes) {
    uint64_t rowBytes = FileRowBytes(header);
    WorkArray<unsigned char> indices;
    if (header.fileDepth <= 8) {
        indices = AllocateWorkArray<unsigned char>(static_cast<size_t>(header.width));
        if (indices == nullptr) return kCodecOutOfMemory;
    }
    const unsigned char* data = in.Current();
    for (int fileRow = 0; fileRow < header.height; ++fileRow) {
        const unsigned char* row = data + rowBytes * static_cast<uint64_t>(fileRow);
        int y = header.bottomUp ? header.height - 1 - fileRow : fileRow;
        unsigned char* target = out + outRowBytes * static_cast<size_t>(y);
        if (indices != nullptr) {
            UnpackIndices(row, header.fileDepth, header.width, indices.get());
            writer.FromIndices(indices.get(), target);
        } else {
            writer.FromTrueColour(row, target);
        }
    }
    return kCodecOk;
}

// Encoders code every pixel of a run-length file in runs of at most 255 pixels, two bytes
// each; data that could not cover the picture that way is refused before the picture is
// allocated, however far its delta and end codes would stretch it.
bool RunLengthCanCover(const BoundedReader& in, const BmpHeader& header) {
    uint64_t pixels = static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height);
    return pixels <= (static_cast<uint64_t>(in.Remaining()) / 2 + 1) * 255;
}

// Decodes run-length data straight into the output rows. Pixels that the data skips keep
// index 0, which every row starts with; runs past the row's end are cut off.
int ReadRunLength(BoundedReader& in,
                  const BmpHeader& header,
                  const RowWriter& writer,
                  unsigned char* out,
                  size_t outRowBytes) {
    const bool fourBit = header.compression == kCompressionRle4;
    const int width = header.width;
    const int height = header.height;
    for (int x = 0; x < width; ++x) writer.PutIndex(x, 0, out);
    for (int y = 1; y < height; ++y) std::memcpy(out + outRowBytes * static_cast<size_t>(y), out, outRowBytes);
    int x = 0;
    int y = 0;
    auto put = [&](unsigned char index) {
        if (x < width && y < height) {
            int row = header.bottomUp ? height - 1 - y : y;
            writer.PutIndex(x, index, out + outRowBytes * static_cast<size_t>(row));
        }
        ++x;
    };
    while (y < height) {
        uint8_t count, value;
        if (!in.ReadU8(count) || !in.ReadU8(value)) return kCodecReadError;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                put(fourBit ? static_cast<unsigned char>((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta
            uint8_t dx, dy;
            if (!in.ReadU8(dx) || !in.ReadU8(dy)) return kCodecReadError;
            x += dx;
            y += dy;
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            size_t bytes = fourBit ? (value + 1u) / 2 : value;
            const unsigned char* run = nullptr;
            if (!in.View(bytes, run)) return kCodecReadError;
            for (int i = 0; i < value; ++i) {
                put(fourBit ? static_cast<unsigned char>((i & 1) ? (run[i >> 1] & 0x0F) : (run[i >> 1] >> 4)) : run[i]);
            }
            if ((bytes & 1) && !in.Skip(1)) return kCodecReadError;
        }
        if (x > width) x = width;  // a long run or delta parks at the row's end
    }
    return kCodecOk;
}

int ReadPicture(BoundedReader& in, int bitDepth, const BmpHeader& header, CodecBuffer& pixels) {
    if ((bitDepth == 1 || bitDepth == 8) && header.fileDepth > bitDepth) return kCodecDepthTooHigh;
    bool runLength = header.compression == kCompressionRle8 || header.compression == kCompressionRle4;
    if (runLength ? !RunLengthCanCover(in, header) : !HasAllRows(in, header)) return kCodecReadError;
    size_t outRowBytes = 0, outBytes = 0;
    if (!PictureBufferSize(header.width, header.height, bitDepth, outRowBytes, outBytes)) return kCodecOutOfMemory;
    pixels = CodecBuffer::Allocate(outBytes);
    if (pixels.IsEmpty()) return kCodecOutOfMemory;
    RowWriter writer{&header, bitDepth};
    return runLength ? ReadRunLength(in, header, writer, pixels.Data(), outRowBytes)
                     : ReadUncompressed(in, header, writer, pixels.Data(), outRowBytes);
}

}  // namespace

int ReadBmpSize(BoundedReader& in, int& width, int& height) {
    BmpHeader header;
    int result = ReadHeader(in, header);
    width = header.width;
    height = header.height;
    return result;
}

int ReadBmpImage(BoundedReader& in, int bitDepth, RgbImage& out, ImagePalette* palette) {
    out = RgbImage{};
    if (bitDepth != 1 && bitDepth != 8 && bitDepth != 24 && bitDepth != 32) return kCodecBadArgument;
    BmpHeader header;
    int result = ReadHeader(in, header);
    CodecBuffer pixels;
    if (result == kCodecOk) result = ReadPicture(in, bitDepth, header, pixels);
    if (result != kCodecOk) return result;
    if (palette != nullptr) {
        std::memcpy(palette->colours, header.palette, sizeof palette->colours);
        palette->count = header.paletteCount;
    }
    DeliverRgbImage(pixels, header.width, header.height, out);
    return kCodecOk;
}
