// GIF 87a/89a: the first image of the file, LZW-decoded into an 8-bit palette picture at its
// image descriptor's size. Extensions are skipped; the graphic control extension's
// transparent index is reported.
#include <cstdint>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kMaxCodes = 1 << kMaxCodeBits;
// The longest string a full table holds: a 1-bit table's first free code is 4, and each new
// code adds one pixel to a string of two, so code 4095 stands for 4093 pixels.
constexpr uint64_t kLongestString = kMaxCodes - 3;

// Reads `entries` colour-table entries into `palette`. A table cut short is error 12.
[[nodiscard]] int ReadColourTable(BoundedReader& in, int entries, PaletteImage& out) {
    for (int i = 0; i < entries; ++i) {
        if (!in.Read(out.palette[i], 3)) return kCodecNotGif;
    }
    out.paletteSize = entries;
    return kCodecOk;
}

// Skips a chain of data sub-blocks up to and including its zero-length terminator.
[[nodiscard]] bool SkipSubBlocks(BoundedReader& in) {
    for (;;) {
        uint8_t length = 0;
        if (!in.ReadU8(length)) return false;
        if (length == 0) return true;
        if (!in.Skip(length)) return false;
    }
}

// Delivers the bits of the image data's sub-blocks, least significant first.
class CodeStream {
public:
    explicit CodeStream(BoundedReader& in) : in_(in) {}

    // Returns the next code, or -1 when the data ends (terminator or end of file).
    int Next(int bits) {
        while (bitCount_ < bits) {
            if (blockLeft_ == 0) {
                if (ended_) return -1;
                uint8_t length = 0;
                if (!in_.ReadU8(length)) {
                    ended_ = truncated_ = true;
                    return -1;
                }
                if (length == 0) {
                    ended_ = terminated_ = true;
                    return -1;
                }
                blockLeft_ = length;
            }
            uint8_t byte = 0;
            if (!in_.ReadU8(byte)) {
                ended_ = truncated_ = true;
                return -1;
            }
            --blockLeft_;
            buffer_ |= static_cast<uint32_t>(byte) << bitCount_;
            bitCount_ += 8;
        }
        int code = static_cast<int>(buffer_ & ((1u << bits) - 1));
        buffer_ >>= bits;
        bitCount_ -= bits;
        return code;
    }

    // Moves past whatever is left of the data, terminator included.
    void Finish() {
        if (ended_) return;
        if (!in_.Skip(blockLeft_) || !SkipSubBlocks(in_)) truncated_ = true;
        ended_ = true;
    }

    bool Truncated() const { return truncated_; }

private:
    BoundedReader& in_;
    uint32_t buffer_ = 0;
    int bitCount_ = 0;
    size_t blockLeft_ = 0;
    bool ended_ = false;
    bool terminated_ = false;
    bool truncated_ = false;
};

// Writes decoded indices row by row, in the order of the four interlace passes when asked.
class RowWriter {
public:
    RowWriter(unsigned char* indices, int width, int height, bool interlaced)
        : indices_(indices), width_(width), height_(height), interlaced_(interlaced) {}

    bool Done() const { return row_ >= height_; }

    void Put(uint8_t index) {
        if (Done()) return;
        indices_[static_cast<size_t>(row_) * width_ + column_] = index;
        if (++column_ < width_) return;
        column_ = 0;
        ++written_;
        if (!interlaced_) {
            ++row_;
            return;
        }
        static constexpr int kStart[4] = {0, 4, 2, 1};
        static constexpr int kStep[4] = {8, 8, 4, 2};
        row_ += kStep[pass_];
        while (row_ >= height_ && pass_ < 3) {
            ++pass_;
            row_ = kStart[pass_];
        }
        if (written_ >= height_) row_ = height_;
    }

private:
    unsigned char* indices_;
    int width_;
    int height_;
    bool interlaced_;
    int row_ = 0;
    int column_ = 0;
    int pass_ = 0;
    int written_ = 0;
};

// Classic variable-width LZW with clear and end codes. Codes that the table cannot yet hold
// end the picture early; what was decoded so far stays, the rest is index 0.
void DecodeLzw(CodeStream& codes, int minimumCodeSize, RowWriter& rows) {
    uint16_t prefix[kMaxCodes];
    uint8_t suffix[kMaxCodes];
    uint8_t stack[kMaxCodes + 1];

    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    for (int i = 0; i < clearCode; ++i) {
        prefix[i] = 0;
        suffix[i] = static_cast<uint8_t>(i);
    }
    int codeSize = minimumCodeSize + 1;
    int nextCode = endCode + 1;
    int previous = -1;
    uint8_t first = 0;

    while (!rows.Done()) {
        int code = codes.Next(codeSize);
        if (code < 0 || code == endCode) return;
        if (code == clearCode) {
            codeSize = minimumCodeSize + 1;
            nextCode = endCode + 1;
            previous = -1;
            continue;
        }
        if (previous < 0) {
            if (code >= clearCode) return;  // the first code after a clear must be a literal
            first = static_cast<uint8_t>(code);
            rows.Put(first);
            previous = code;
            continue;
        }
        if (code > nextCode || (code == nextCode && nextCode >= kMaxCodes)) return;

        int depth = 0;
        int current = code;
        if (code == nextCode) {  // the string being defined: previous string plus its first byte
            stack[depth++] = first;
            current = previous;
        }
        while (current >= clearCode) {
            stack[depth++] = suffix[current];
            current = prefix[current];
        }
        stack[depth++] = static_cast<uint8_t>(current);
        first = static_cast<uint8_t>(current);
        while (depth > 0) rows.Put(stack[--depth]);

        if (nextCode < kMaxCodes) {
            prefix[nextCode] = static_cast<uint16_t>(previous);
            suffix[nextCode] = first;
            ++nextCode;
            // The table is full at 4096 entries; the width then stays at 12 bits until a clear.
            if (nextCode == (1 << codeSize) && codeSize < kMaxCodeBits) ++codeSize;
        }
        previous = code;
    }
}

[[nodiscard]] int ReadImage(BoundedReader& in, PaletteImage& out) {
    unsigned char descriptor[9];
    if (!in.Read(descriptor, sizeof descriptor)) return kCodecReadError;
    int width = ReadLe16(descriptor + 4);
    int height = ReadLe16(descriptor + 6);
    uint8_t flags = descriptor[8];
    if (flags & 0x80) {
        int result = ReadColourTable(in, 2 << (flags & 7), out);
        if (result != kCodecOk) return result;
    }
    if (width == 0 || height == 0) return kCodecNotGif;

    uint8_t minimumCodeSize = 0;
    if (!in.ReadU8(minimumCodeSize)) return kCodecReadError;
    if (minimumCodeSize < 1 || minimumCodeSize > 11) return kCodecNotGif;

    // A code stands for at most kLongestString pixels, and the codes that do are 12 bits
    // wide. Shorter data cannot hold the picture; refusing it first keeps a forged size from
    // reserving memory for nothing.
    uint64_t pixels = static_cast<uint64_t>(width) * height;
    if (pixels * kMaxCodeBits > static_cast<uint64_t>(in.Remaining()) * 8 * kLongestString) return kCodecReadError;

    CodecBuffer indices;
    int result = AllocatePixels(width, height, 1, indices);
    if (result != kCodecOk) return result;
    CodeStream codes(in);
    RowWriter rows(indices.Data(), width, height, (flags & 0x40) != 0);
    DecodeLzw(codes, minimumCodeSize, rows);
    codes.Finish();
    if (codes.Truncated() && !rows.Done()) return kCodecReadError;
    DeliverPaletteImage(indices, width, height, out);
    return kCodecOk;
}

// Reads the header, the global colour table and the extensions ahead of the first image
// (noting a transparent index); on success the reader stands on that image's descriptor.
[[nodiscard]] int SkipToFirstImage(BoundedReader& in, PaletteImage& out) {
    unsigned char header[13];
    if (!in.Read(header, 6) || std::memcmp(header, "GIF", 3) != 0 ||
        (std::memcmp(header + 3, "87a", 3) != 0 && std::memcmp(header + 3, "89a", 3) != 0)) {
        return kCodecNotGif;
    }
    if (!in.Read(header + 6, 7)) return kCodecReadError;
    uint8_t screenFlags = header[10];
    if (screenFlags & 0x80) {
        int result = ReadColourTable(in, 2 << (screenFlags & 7), out);
        if (result != kCodecOk) return result;
    }

    for (;;) {
        uint8_t introducer = 0;
        if (!in.ReadU8(introducer)) return kCodecReadError;
        if (introducer == 0x2C) return kCodecOk;
        if (introducer != 0x21) return kCodecReadError;  // trailer or garbage: no image
        uint8_t label = 0;
        if (!in.ReadU8(label)) return kCodecReadError;
        if (label == 0xF9) {
            unsigned char control[5];
            if (!in.Read(control, sizeof control)) return kCodecReadError;
            if (control[0] >= 4) {
                out.transparentIndex = (control[1] & 1) ? control[4] : -1;
                if (!in.Skip(control[0] - 4u)) return kCodecReadError;
            } else if (!in.Seek(in.Position() - (4u - control[0]))) {
                return kCodecReadError;
            }
        }
        if (!SkipSubBlocks(in)) return kCodecReadError;
    }
}

}  // namespace

int ReadGifImage(BoundedReader& in, PaletteImage& out) {
    out = PaletteImage{};
    int result = SkipToFirstImage(in, out);
    return result == kCodecOk ? ReadImage(in, out) : result;
}

int ReadGifSize(BoundedReader& in, int& width, int& height) {
    PaletteImage tables;
    int result = SkipToFirstImage(in, tables);
    if (result != kCodecOk) return result;
    unsigned char descriptor[9];
    if (!in.Read(descriptor, sizeof descriptor)) return kCodecReadError;
    width = ReadLe16(descriptor + 4);
    height = ReadLe16(descriptor + 6);
    return width == 0 || height == 0 ? kCodecNotGif : kCodecOk;
}
