// Photoshop files of version 1: the merged picture after the layer section, raw or PackBits,
// in bitmap, grey, duotone, indexed, RGB or CMYK mode with 1-, 8- or 16-bit channels,
// delivered as 24-bit RGB. Extra channels (alpha, spot colours) are ignored.
#include <cstdint>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

enum ColourMode { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kDuotone = 8 };

constexpr uint64_t kLongestRun = 128;  // a repeat of two coded bytes gives at most 128

// Passes over a section that starts with its 32-bit length.
[[nodiscard]] bool SkipSection(BoundedReader& in,
                               const unsigned char** contents = nullptr,
                               uint32_t* length = nullptr) {
    uint32_t size = 0;
    const unsigned char* view = nullptr;
    if (!in.ReadBe32(size) || !in.View(size, view)) return false;
    if (contents != nullptr) *contents = view;
    if (length != nullptr) *length = size;
    return true;
}

struct PsdHeader {
    uint16_t channels = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t depth = 0;
    uint16_t mode = 0;
};

// How many channels a mode needs; 0 when the mode or depth is not converted.
uint32_t ChannelsNeeded(const PsdHeader& header) {
    if (header.mode == kBitmap) return header.depth == 1 ? 1 : 0;
    if (header.depth != 8 && header.depth != 16) return 0;
    switch (header.mode) {
        case kGrey:
        case kDuotone:
            return 1;
        case kIndexed:
            return header.depth == 8 ? 1 : 0;
        case kRgb:
            return 3;
        case kCmyk:
            return 4;
        default:
            return 0;
    }
}

// Reduces one decoded row of a channel to 8-bit samples.
void RowToBytes(const unsigned char* row, const PsdHeader& header, unsigned char* samples) {
    for (uint32_t x = 0; x < header.width; ++x) {
        if (header.depth == 1) {
            samples[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255;  // a set bit is black ink
        } else if (header.depth == 16) {
            uint32_t value = ReadBe16(row + x * 2);
            samples[x] = static_cast<unsigned char>((value + 128) / 257);
        } else {
            samples[x] = row[x];
        }
    }
}

// Places one channel's row of 8-bit samples into the RGB output.
void StoreSamples(const unsigned char* samples,
                  uint32_t channel,
                  const PsdHeader& header,
                  const unsigned char* palette,
                  unsigned char* target) {
    for (uint32_t x = 0; x < header.width; ++x, target += 3) {
        unsigned char value = samples[x];
        switch (header.mode) {
            case kIndexed:
                target[0] = palette[value];
                target[1] = palette[256 + value];
                target[2] = palette[512 + value];
                break;
            case kCmyk:
                // Ink is stored inverted (255 is none); black darkens the other three.
                if (channel < 3) {
                    target[channel] = value;
                } else {
                    for (int c = 0; c < 3; ++c) target[c] = static_cast<unsigned char>((target[c] * value + 127) / 255);
                }
                break;
            case kRgb:
                target[channel] = value;
                break;
            default:  // bitmap, grey, duotone
                target[0] = target[1] = target[2] = value;
                break;
        }
    }
}

// The coded lengths of the rows to be read must fit in the data that is left, and each must
// reach PackBits' best case for its row: two bytes (a repeat) per 128 bytes of row. Checked
// from the table of lengths before the picture is allocated.
bool CodedRowsCanHold(const unsigned char* counts, uint64_t rows, size_t rowSize, uint64_t available) {
    const uint64_t leastRowBytes = (rowSize + kLongestRun - 1) / kLongestRun * 2;
    uint64_t total = 0;
    for (uint64_t index = 0; index < rows; ++index) {
        uint64_t coded = ReadBe16(counts + index * 2);
        if (coded < leastRowBytes) return false;
        total += coded;
    }
    return total <= available;
}

// PackBits: a count byte n copies n + 1 literal bytes (n < 128) or repeats the next byte
// 257 - n times (n > 128); 128 is a no-op. The coded row must fill the row exactly.
[[nodiscard]] bool UnpackRow(const unsigned char* coded, size_t codedSize, unsigned char* row, size_t rowSize) {
    size_t in = 0;
    size_t out = 0;
    while (in < codedSize) {
        unsigned count = coded[in++];
        if (count < 128) {
            size_t length = count + 1;
            if (length > codedSize - in || length > rowSize - out) return false;
            std::memcpy(row + out, coded + in, length);
            in += length;
            out += length;
        } else if (count > 128) {
            size_t length = 257 - count;
            if (in >= codedSize || length > rowSize - out) return false;
            std::memset(row + out, coded[in++], length);
            out += length;
        }
    }
    return out == rowSize;
}

// The file header, and whether the picture it describes is one this reader converts.
[[nodiscard]] int ReadHeader(BoundedReader& in, PsdHeader& header) {
    unsigned char signature[4];
    uint16_t version = 0;
    if (!in.Read(signature, 4) || std::memcmp(signature, "8BPS", 4) != 0 || !in.ReadBe16(version) || version != 1) {
        return kCodecNotPsd;
    }
    if (!in.Skip(6) || !in.ReadBe16(header.channels) || !in.ReadBe32(header.height) || !in.ReadBe32(header.width) ||
        !in.ReadBe16(header.depth) || !in.ReadBe16(header.mode)) {
        return kCodecReadError;
    }
    uint32_t needed = ChannelsNeeded(header);
    if (needed == 0 || header.channels < needed || header.width == 0 || header.height == 0 ||
        header.width > 0x7FFFFFFF || header.height > 0x7FFFFFFF) {
        return kCodecUnsupportedVariant;
    }
    return kCodecOk;
}

[[nodiscard]] int ReadPicture(BoundedReader& in, RgbImage& out) {
    PsdHeader header;
    int result = ReadHeader(in, header);
    if (result != kCodecOk) return result;
    uint32_t needed = ChannelsNeeded(header);

    const unsigned char* modeData = nullptr;
    uint32_t modeDataSize = 0;
    if (!SkipSection(in, &modeData, &modeDataSize)) return kCodecReadError;
    if (header.mode == kIndexed && modeDataSize < 768) return kCodecUnsupportedVariant;
    // Image resources (resolution among them) and layers do not change the merged picture.
    if (!SkipSection(in) || !SkipSection(in)) return kCodecReadError;

    uint16_t compression = 0;
    if (!in.ReadBe16(compression)) return kCodecReadError;
    if (compression > 1) return kCodecUnsupportedVariant;
    const size_t rowSize = header.depth == 1    ? (static_cast<size_t>(header.width) + 7) / 8
                           : header.depth == 16 ? static_cast<size_t>(header.width) * 2
                                                : header.width;
    const uint64_t rows = static_cast<uint64_t>(header.height) * needed;
    const unsigned char* counts = nullptr;
    if (compression == 1) {
        // Every row of every channel has its coded length first, then the rows follow.
        if (!in.View(static_cast<size_t>(static_cast<uint64_t>(header.height) * header.channels * 2), counts) ||
            !CodedRowsCanHold(counts, rows, rowSize, in.Remaining())) {
            return kCodecReadError;
        }
    } else if (rows * rowSize > in.Remaining()) {
        return kCodecReadError;
    }

    const int width = static_cast<int>(header.width);
    const int height = static_cast<int>(header.height);
    CodecBuffer pixels;
    result = AllocatePixels(width, height, 3, pixels);
    if (result != kCodecOk) return result;
    WorkArray<unsigned char> rowBuffer = AllocateWorkArray<unsigned char>(rowSize + header.width);
    if (rowBuffer == nullptr) return kCodecOutOfMemory;
    unsigned char* row = rowBuffer.get();
    unsigned char* samples = row + rowSize;

    for (uint64_t index = 0; index < rows; ++index) {
        const unsigned char* stored = row;
        if (compression == 1) {
            size_t codedSize = ReadBe16(counts + index * 2);
            const unsigned char* coded = nullptr;
            if (!in.View(codedSize, coded) || !UnpackRow(coded, codedSize, row, rowSize)) return kCodecReadError;
        } else if (!in.View(rowSize, stored)) {
            return kCodecReadError;
        }
        auto channel = static_cast<uint32_t>(index / header.height);
        auto y = static_cast<size_t>(index % header.height);
        RowToBytes(stored, header, samples);
        StoreSamples(samples, channel, header, modeData, pixels.Data() + y * header.width * 3);
    }
    DeliverRgbImage(pixels, width, height, out);
    return kCodecOk;
}

}  // namespace

int ReadPsdSize(BoundedReader& in, int& width, int& height) {
    PsdHeader header;
    int result = ReadHeader(in, header);
    width = static_cast<int>(header.width);
    height = static_cast<int>(header.height);
    return result;
}

int ReadPsdImage(BoundedReader& in, RgbImage& out) {
    out = RgbImage{};
    return ReadPicture(in, out);
}
