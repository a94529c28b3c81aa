// TGA image types 1, 2 and 3 (colour-mapped, true colour, grey) and their run-length forms
// 9, 10 and 11, delivered as 24-bit RGB. Alpha is dropped; the rows go bottom-up unless bit 5
// of the image descriptor is set. Right-to-left storage (bit 4) is not honoured.
#include <cstdint>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

constexpr size_t kHeaderSize = 18;
constexpr int kMaxPacketPixels = 128;

struct TgaHeader {
    int idLength = 0;
    int colourMapType = 0;
    int imageType = 0;
    int mapFirst = 0;
    int mapLength = 0;
    int mapEntryBits = 0;
    int width = 0;
    int height = 0;
    int pixelBits = 0;
    int descriptor = 0;
};

enum class PixelKind { kIndex, kColour, kGrey };

// Converts one stored pixel or colour-map entry of `bits` bits to red, green, blue.
void ToRgb(const unsigned char* stored, int bits, unsigned char* rgb) {
    if (bits == 15 || bits == 16) {
        unsigned value = ReadLe16(stored);
        // Scaled to 0..255 and truncated, as other decoders do, so that 31 gives 255.
        auto expand = [](unsigned five) { return static_cast<unsigned char>(five * 255 / 31); };
        rgb[0] = expand((value >> 10) & 31);
        rgb[1] = expand((value >> 5) & 31);
        rgb[2] = expand(value & 31);
    } else {  // 24 or 32 bits: blue, green, red (and alpha)
        rgb[0] = stored[2];
        rgb[1] = stored[1];
        rgb[2] = stored[0];
    }
}

bool IsColourDepth(int bits) {
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

[[nodiscard]] int CheckVariant(const TgaHeader& header, PixelKind& kind) {
    if (header.width == 0 || header.height == 0) return kCodecUnsupportedVariant;
    if (header.pixelBits < 8 || header.pixelBits > 32) return kCodecUnsupportedVariant;
    switch (header.imageType) {
        case 1:
        case 9:
            kind = PixelKind::kIndex;
            if (header.colourMapType != 1 || (header.pixelBits != 8 && header.pixelBits != 16)) {
                return kCodecUnsupportedVariant;
            }
            if (!IsColourDepth(header.mapEntryBits)) return kCodecUnsupportedVariant;
            return kCodecOk;
        case 2:
        case 10:
            kind = PixelKind::kColour;
            return IsColourDepth(header.pixelBits) ? kCodecOk : kCodecUnsupportedVariant;
        case 3:
        case 11:
            // Grey with an optional alpha byte after it.
            kind = PixelKind::kGrey;
            return header.pixelBits == 8 || header.pixelBits == 16 ? kCodecOk : kCodecUnsupportedVariant;
        default:
            return kCodecUnsupportedVariant;
    }
}

// Stored pixels, raw or in run-length packets that may run over the end of a row.
class PixelStream {
public:
    PixelStream(BoundedReader& in, size_t pixelBytes, bool runLength)
        : in_(in), pixelBytes_(pixelBytes), runLength_(runLength) {}

    // Returns the next stored pixel, or nullptr when the data ends.
    const unsigned char* Next() {
        if (!runLength_) return View();
        if (left_ == 0) {
            uint8_t packet = 0;
            if (!in_.ReadU8(packet)) return nullptr;
            left_ = (packet & 0x7F) + 1;
            repeat_ = (packet & 0x80) != 0;
            if (repeat_ && (current_ = View()) == nullptr) return nullptr;
        }
        --left_;
        return repeat_ ? current_ : View();
    }

private:
    const unsigned char* View() {
        const unsigned char* pixel = nullptr;
        return in_.View(pixelBytes_, pixel) ? pixel : nullptr;
    }

    BoundedReader& in_;
    size_t pixelBytes_;
    bool runLength_;
    int left_ = 0;
    bool repeat_ = false;
    const unsigned char* current_ = nullptr;
};

[[nodiscard]] int ReadHeader(BoundedReader& in, TgaHeader& header, PixelKind& kind) {
    const unsigned char* bytes = nullptr;
    if (!in.View(kHeaderSize, bytes)) return kCodecReadError;
    header.idLength = bytes[0];
    header.colourMapType = bytes[1];
    header.imageType = bytes[2];
    header.mapFirst = ReadLe16(bytes + 3);
    header.mapLength = ReadLe16(bytes + 5);
    header.mapEntryBits = bytes[7];
    header.width = ReadLe16(bytes + 12);
    header.height = ReadLe16(bytes + 14);
    header.pixelBits = bytes[16];
    header.descriptor = bytes[17];
    return CheckVariant(header, kind);
}

[[nodiscard]] int ReadPicture(BoundedReader& in, RgbImage& out) {
    TgaHeader header;
    PixelKind kind = PixelKind::kColour;
    int result = ReadHeader(in, header, kind);
    if (result != kCodecOk) return result;
    if (!in.Skip(header.idLength)) return kCodecReadError;

    // The colour map: entries mapFirst .. mapFirst + mapLength - 1 of an index space of 65536.
    const unsigned char* map = nullptr;
    size_t mapEntryBytes = (static_cast<size_t>(header.mapEntryBits) + 7) / 8;
    if (header.colourMapType == 1) {
        if (kind == PixelKind::kIndex && !IsColourDepth(header.mapEntryBits)) return kCodecUnsupportedVariant;
        if (!in.View(mapEntryBytes * header.mapLength, map)) return kCodecReadError;
    }

    const size_t pixelBytes = (static_cast<size_t>(header.pixelBits) + 7) / 8;
    const bool runLength = header.imageType >= 9;
    const uint64_t pixelCount = static_cast<uint64_t>(header.width) * header.height;
    // A packet holds at most 128 pixels, so data shorter than this cannot hold the picture.
    uint64_t leastData =
        runLength ? (pixelCount + kMaxPacketPixels - 1) / kMaxPacketPixels * (1 + pixelBytes) : pixelCount * pixelBytes;
    if (leastData > in.Remaining()) return kCodecReadError;

    CodecBuffer pixels;
    result = AllocatePixels(header.width, header.height, 3, pixels);
    if (result != kCodecOk) return result;
    const bool topDown = (header.descriptor & 0x20) != 0;
    PixelStream stream(in, pixelBytes, runLength);
    for (int row = 0; row < header.height; ++row) {
        int y = topDown ? row : header.height - 1 - row;
        unsigned char* target = pixels.Data() + static_cast<size_t>(y) * header.width * 3;
        for (int x = 0; x < header.width; ++x, target += 3) {
            const unsigned char* stored = stream.Next();
            if (stored == nullptr) return kCodecReadError;
            switch (kind) {
                case PixelKind::kGrey:
                    target[0] = target[1] = target[2] = stored[0];
                    break;
                case PixelKind::kColour:
                    ToRgb(stored, header.pixelBits, target);
                    break;
                case PixelKind::kIndex: {
                    int index = pixelBytes == 1 ? stored[0] : ReadLe16(stored);
                    int entry = index - header.mapFirst;
                    // Indices outside the map stay black.
                    if (entry >= 0 && entry < header.mapLength) {
                        ToRgb(map + static_cast<size_t>(entry) * mapEntryBytes, header.mapEntryBits, target);
                    }
                    break;
                }
            }
        }
    }
    // A footer and an extension area may follow; they carry no pixels and are not needed.
    DeliverRgbImage(pixels, header.width, header.height, out);
    return kCodecOk;
}

}  // namespace

int ReadTgaSize(BoundedReader& in, int& width, int& height) {
    TgaHeader header;
    PixelKind kind = PixelKind::kColour;
    int result = ReadHeader(in, header, kind);
    width = header.width;
    height = header.height;
    return result;
}

int ReadTgaImage(BoundedReader& in, RgbImage& out) {
    out = RgbImage{};
    return ReadPicture(in, out);
}
