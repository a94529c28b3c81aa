// PCX versions 0, 2, 3 and 5: run-length coded scan lines of one to four planes, palette
// pictures of 1 to 8 bits and planar 24- or 32-bit colour, delivered as 24-bit RGB.
#include <cstdint>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kTrailingPaletteSize = 769;  // the marker byte 12 and 256 entries
constexpr size_t kMaxRun = 63;

struct PcxHeader {
    int version = 0;
    int bitsPerPixel = 0;
    int planes = 0;
    int width = 0;
    int height = 0;
    size_t bytesPerLine = 0;
    const unsigned char* headerPalette = nullptr;  // 16 entries of 3 bytes
};

[[nodiscard]] int ParseHeader(BoundedReader& in, PcxHeader& header) {
    const unsigned char* bytes = nullptr;
    if (!in.View(kHeaderSize, bytes)) return kCodecReadError;
    header.version = bytes[1];
    if (bytes[0] != 10 || (header.version != 0 && header.version != 2 && header.version != 3 && header.version != 5)) {
        return kCodecUnsupportedVariant;
    }
    header.bitsPerPixel = bytes[3];
    int xMin = ReadLe16(bytes + 4);
    int yMin = ReadLe16(bytes + 6);
    int xMax = ReadLe16(bytes + 8);
    int yMax = ReadLe16(bytes + 10);
    header.headerPalette = bytes + 16;
    header.planes = bytes[65];
    header.bytesPerLine = ReadLe16(bytes + 66);
    if (xMax < xMin || yMax < yMin) return kCodecUnsupportedVariant;
    header.width = xMax - xMin + 1;
    header.height = yMax - yMin + 1;
    return kCodecOk;
}

// Palette pictures have 1, 2, 4 or 8 bits in one to four planes; colour pictures have 8 bits
// in three or four planes (red, green, blue and an alpha plane that is dropped).
bool IsPaletteLayout(const PcxHeader& header) {
    int bits = header.bitsPerPixel;
    return (bits == 1 || bits == 2 || bits == 4 || bits == 8) && header.planes >= 1 && bits * header.planes <= 8;
}

bool IsColourLayout(const PcxHeader& header) {
    return header.bitsPerPixel == 8 && (header.planes == 3 || header.planes == 4);
}

void BuildPalette(BoundedReader& in, const PcxHeader& header, unsigned char palette[256][3]) {
    int depth = header.bitsPerPixel * header.planes;
    if (depth == 1) {
        std::memset(palette[1], 255, 3);
        return;
    }
    if (depth <= 4) {
        std::memcpy(palette, header.headerPalette, (size_t{3} << depth));
        return;
    }
    for (int i = 0; i < 256; ++i) {
        int grey = depth == 8 ? i : i * 255 / ((1 << depth) - 1);
        palette[i][0] = palette[i][1] = palette[i][2] = static_cast<unsigned char>(grey > 255 ? 255 : grey);
    }
    if (depth == 8 && header.planes == 1 && header.version == 5 && in.Size() >= kHeaderSize + kTrailingPaletteSize) {
        BoundedReader tail(in.Current() - in.Position(), in.Size());
        const unsigned char* trailer = nullptr;
        if (tail.Seek(in.Size() - kTrailingPaletteSize) && tail.View(kTrailingPaletteSize, trailer) &&
            trailer[0] == 12) {
            std::memcpy(palette, trailer + 1, 768);
        }
    }
}

// Run-length decoding that carries a run over into the next line, as some writers emit.
class RunDecoder {
public:
    explicit RunDecoder(BoundedReader& in) : in_(in) {}

    bool Fill(unsigned char* line, size_t size) {
        size_t filled = 0;
        while (filled < size) {
            if (runLeft_ == 0) {
                uint8_t byte = 0;
                if (!in_.ReadU8(byte)) return false;
                if ((byte & 0xC0) == 0xC0) {
                    runLeft_ = byte & 0x3F;
                    if (!in_.ReadU8(runValue_)) return false;
                } else {
                    runLeft_ = 1;
                    runValue_ = byte;
                }
                continue;
            }
            size_t count = runLeft_ < size - filled ? runLeft_ : size - filled;
            std::memset(line + filled, runValue_, count);
            filled += count;
            runLeft_ -= count;
        }
        return true;
    }

private:
    BoundedReader& in_;
    size_t runLeft_ = 0;
    uint8_t runValue_ = 0;
};

[[nodiscard]] int ReadPicture(BoundedReader& in, int requestedDepth, RgbImage& out) {
    PcxHeader header;
    int result = ParseHeader(in, header);
    if (result != kCodecOk) return result;
    int depth = header.bitsPerPixel * header.planes;
    if (depth < 1 || depth > 32) return kCodecUnsupportedVariant;
    if (depth > requestedDepth) return kCodecDepthTooHigh;
    bool palettePicture = IsPaletteLayout(header);
    if (!palettePicture && !IsColourLayout(header)) return kCodecUnsupportedVariant;
    if (header.bytesPerLine * 8 < static_cast<size_t>(header.width) * header.bitsPerPixel) {
        return kCodecUnsupportedVariant;
    }

    // A run costs two coded bytes for at most 63 bytes, so shorter data cannot hold the picture.
    size_t lineSize = header.bytesPerLine * header.planes;
    uint64_t mostDecoded = static_cast<uint64_t>(in.Remaining()) / 2 * kMaxRun + in.Remaining() % 2;
    if (static_cast<uint64_t>(lineSize) * header.height > mostDecoded) return kCodecReadError;
    unsigned char palette[256][3] = {};
    if (palettePicture) BuildPalette(in, header, palette);

    CodecBuffer pixels;
    result = AllocatePixels(header.width, header.height, 3, pixels);
    if (result != kCodecOk) return result;
    WorkArray<unsigned char> lineBuffer = AllocateWorkArray<unsigned char>(lineSize);
    if (lineBuffer == nullptr) return kCodecOutOfMemory;
    const unsigned char* line = lineBuffer.get();

    RunDecoder decoder(in);
    const int bits = header.bitsPerPixel;
    const unsigned mask = (1u << bits) - 1;
    for (int y = 0; y < header.height; ++y) {
        if (!decoder.Fill(lineBuffer.get(), lineSize)) return kCodecReadError;
        unsigned char* target = pixels.Data() + static_cast<size_t>(y) * header.width * 3;
        for (int x = 0; x < header.width; ++x, target += 3) {
            if (!palettePicture) {
                for (int channel = 0; channel < 3; ++channel) target[channel] = line[channel * header.bytesPerLine + x];
                continue;
            }
            // Plane k supplies bits k*bits .. k*bits+bits-1 of the index.
            size_t bitOffset = static_cast<size_t>(x) * bits;
            unsigned index = 0;
            for (int plane = 0; plane < header.planes; ++plane) {
                unsigned char byte = line[plane * header.bytesPerLine + bitOffset / 8];
                unsigned value = (byte >> (8 - bits - bitOffset % 8)) & mask;
                index |= value << (plane * bits);
            }
            std::memcpy(target, palette[index], 3);
        }
    }
    DeliverRgbImage(pixels, header.width, header.height, out);
    return kCodecOk;
}

}  // namespace

int ReadPcxSize(BoundedReader& in, int& width, int& height) {
    PcxHeader header;
    int result = ParseHeader(in, header);
    width = header.width;
    height = header.height;
    return result;
}

int ReadPcxImage(BoundedReader& in, int requestedDepth, RgbImage& out) {
    out = RgbImage{};
    return ReadPicture(in, requestedDepth, out);
}
