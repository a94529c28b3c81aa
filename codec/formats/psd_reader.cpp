// Photoshop files of version 1: the merged picture after the layer section, raw or PackBits,
// in bitmap, grey, duotone, indexed, RGB or CMYK mode with 1-, 8- or 16-bit channels,
// delivered as 24-bit RGB. Extra channels (alpha, spot colours) are ignored.
#include <cstdint>
#include <cstring>
#include <new>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

enum ColourMode { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kDuotone = 8 };

constexpr uint64_t kMaxPackBitsExpansion = 64;  // two coded bytes give at most 128

[[nodiscard]] bool ReadBe16(BoundedReader& in, uint32_t& value) {
    unsigned char bytes[2];
    if (!in.Read(bytes, 2)) return false;
    value = (static_cast<uint32_t>(bytes[0]) << 8) | bytes[1];
    return true;
}

[[nodiscard]] bool ReadBe32(BoundedReader& in, uint32_t& value) {
    unsigned char bytes[4];
    if (!in.Read(bytes, 4)) return false;
    value = (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
            (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
    return true;
}

// Passes over a section that starts with its 32-bit length.
[[nodiscard]] bool SkipSection(BoundedReader& in,
                               const unsigned char** contents = nullptr,
                               uint32_t* length = nullptr) {
    uint32_t size = 0;
    const unsigned char* view = nullptr;
    if (!ReadBe32(in, size) || !in.View(size, view)) return false;
    if (contents != nullptr) *contents = view;
    if (length != nullptr) *length = size;
    return true;
}

struct PsdHeader {
    uint32_t channels = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 0;
    uint32_t mode = 0;
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
            uint32_t value = (static_cast<uint32_t>(row[x * 2]) << 8) | row[x * 2 + 1];
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

[[nodiscard]] int ReadPicture(BoundedReader& in, RgbImage& out) {
    unsigned char signature[4];
    uint32_t version = 0;
    if (!in.Read(signature, 4) || std::memcmp(signature, "8BPS", 4) != 0 || !ReadBe16(in, version) || version != 1) {
        return kCodecNotPsd;
    }
    PsdHeader header;
    if (!in.Skip(6) || !ReadBe16(in, header.channels) || !ReadBe32(in, header.height) || !ReadBe32(in, header.width) ||
        !ReadBe16(in, header.depth) || !ReadBe16(in, header.mode)) {
        return kCodecReadError;
    }
    uint32_t needed = ChannelsNeeded(header);
    if (needed == 0 || header.channels < needed || header.width == 0 || header.height == 0 ||
        header.width > 0x7FFFFFFF || header.height > 0x7FFFFFFF) {
        return kCodecUnsupportedVariant;
    }

    const unsigned char* modeData = nullptr;
    uint32_t modeDataSize = 0;
    if (!SkipSection(in, &modeData, &modeDataSize)) return kCodecReadError;
    if (header.mode == kIndexed && modeDataSize < 768) return kCodecUnsupportedVariant;
    // Image resources (resolution among them) and layers do not change the merged picture.
    if (!SkipSection(in) || !SkipSection(in)) return kCodecReadError;

    uint32_t compression = 0;
    if (!ReadBe16(in, compression)) return kCodecReadError;
    if (compression > 1) return kCodecUnsupportedVariant;
    const size_t rowSize = header.depth == 1    ? (static_cast<size_t>(header.width) + 7) / 8
                           : header.depth == 16 ? static_cast<size_t>(header.width) * 2
                                                : header.width;
    const uint64_t rows = static_cast<uint64_t>(header.height) * needed;
    const unsigned char* counts = nullptr;
    if (compression == 1) {
        // Every row of every channel has its coded length first, then the rows follow.
        if (!in.View(static_cast<size_t>(static_cast<uint64_t>(header.height) * header.channels * 2), counts)) {
            return kCodecReadError;
        }
        if (rows * rowSize > in.Remaining() * kMaxPackBitsExpansion) return kCodecReadError;
    } else if (rows * rowSize > in.Remaining()) {
        return kCodecReadError;
    }

    int result = AllocateRgbImage(static_cast<int>(header.width), static_cast<int>(header.height), out);
    if (result != kCodecOk) return result;
    auto* row = static_cast<unsigned char*>(::operator new(rowSize + header.width, std::nothrow));
    if (row == nullptr) return kCodecOutOfMemory;
    unsigned char* samples = row + rowSize;

    for (uint64_t index = 0; index < rows && result == kCodecOk; ++index) {
        const unsigned char* stored = nullptr;
        if (compression == 1) {
            size_t codedSize = (static_cast<size_t>(counts[index * 2]) << 8) | counts[index * 2 + 1];
            const unsigned char* coded = nullptr;
            if (!in.View(codedSize, coded)) {
                result = kCodecReadError;
            } else if (!UnpackRow(coded, codedSize, row, rowSize)) {
                result = kCodecReadError;
            }
            stored = row;
        } else if (!in.View(rowSize, stored)) {
            result = kCodecReadError;
        }
        if (result != kCodecOk) break;
        auto channel = static_cast<uint32_t>(index / header.height);
        auto y = static_cast<size_t>(index % header.height);
        RowToBytes(stored, header, samples);
        StoreSamples(samples, channel, header, modeData, out.pixels + y * header.width * 3);
    }
    ::operator delete(row);
    return result;
}

}  // namespace

int ReadPsdImage(BoundedReader& in, RgbImage& out) {
    out = RgbImage{};
    int result = ReadPicture(in, out);
    if (result != kCodecOk) ReleaseRgbImage(out);
    return result;
}
