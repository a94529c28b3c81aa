// Photo CD image packs: the base picture (sub-image 3, 768 x 512) converted from the disc's
// luma/chroma form to RGB and turned upright as the pack says (a portrait reads 512 x 768).
// Overview packs are recognised and refused.
#include <cstdint>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

constexpr size_t kSectorSize = 2048;
constexpr size_t kHeaderSize = 3 * kSectorSize;  // the blank sector, the pack header, attributes
constexpr size_t kSignatureOffset = kSectorSize;
constexpr int kBaseSubImage = 3;
// Bits 0-1 of the image attributes in the pack header: the quarter turns counterclockwise
// that make the stored picture (always landscape on the disc) upright.
constexpr size_t kAttributesOffset = 0x0E02;

// Where each sub-image starts (in sectors) for the three that are stored uncompressed.
constexpr size_t kSubImageSector[] = {4, 23, 96};

int SubImageWidth(int n) {
    return 192 << (n - 1);
}
int SubImageHeight(int n) {
    return 128 << (n - 1);
}

unsigned char Clamp(double value) {
    if (value <= 0) return 0;
    if (value >= 255) return 255;
    return static_cast<unsigned char>(value + 0.5);
}

// Kodak's luma/chroma matrix with chroma centred on 156 and 137, normalised to the luma's
// own scale: luma is taken at face value (full scale is white) instead of being scaled by
// 1.3584 and clipped, which would lose every highlight a disc stores above reference white.
void YccToRgb(int luma, int chroma1, int chroma2, unsigned char* rgb) {
    double c1 = chroma1 - 156;
    double c2 = chroma2 - 137;
    rgb[0] = Clamp(luma + 1.340762 * c2);
    rgb[1] = Clamp(luma - 0.317038 * c1 - 0.682243 * c2);
    rgb[2] = Clamp(luma + 1.632639 * c1);
}

// Chroma is stored at half resolution; samples between two stored ones are averaged. `twice`
// is the doubled sample position, so odd positions lie between stored samples.
int Chroma(const unsigned char* plane, int width, int height, int twiceX, int twiceY) {
    int x0 = twiceX / 2;
    int y0 = twiceY / 2;
    int x1 = (twiceX & 1) && x0 + 1 < width ? x0 + 1 : x0;
    int y1 = (twiceY & 1) && y0 + 1 < height ? y0 + 1 : y0;
    int sum = plane[y0 * width + x0] + plane[y0 * width + x1] + plane[y1 * width + x0] + plane[y1 * width + x1];
    return (sum + 2) / 4;
}

// The pack header: an image pack, not an overview pack, and its quarter turns.
[[nodiscard]] int ReadHeader(BoundedReader& in, int& quarterTurns) {
    static_assert(kAttributesOffset < kHeaderSize);
    const unsigned char* header = nullptr;
    if (!in.View(kHeaderSize, header)) return kCodecNotPhotoCd;
    if (std::memcmp(header, "PCD_OPA", 7) == 0) return kCodecPhotoCdOverview;
    if (std::memcmp(header + kSignatureOffset, "PCD", 3) != 0) return kCodecNotPhotoCd;
    quarterTurns = header[kAttributesOffset] & 3;
    return kCodecOk;
}

// Where the stored pixel (x, y) of a width x height picture lands, counted in pixels, once
// the picture is turned counterclockwise `quarterTurns` times.
size_t TurnedIndex(int x, int y, int width, int height, int quarterTurns) {
    switch (quarterTurns) {
        case 1:
            return static_cast<size_t>(width - 1 - x) * height + y;
        case 2:
            return static_cast<size_t>(height - 1 - y) * width + (width - 1 - x);
        case 3:
            return static_cast<size_t>(x) * height + (height - 1 - y);
        default:
            return static_cast<size_t>(y) * width + x;
    }
}

}  // namespace

int ReadPhotoCdSize(BoundedReader& in, int& width, int& height) {
    int quarterTurns = 0;
    const int result = ReadHeader(in, quarterTurns);
    const bool portrait = (quarterTurns & 1) != 0;
    width = portrait ? SubImageHeight(kBaseSubImage) : SubImageWidth(kBaseSubImage);
    height = portrait ? SubImageWidth(kBaseSubImage) : SubImageHeight(kBaseSubImage);
    return result;
}

int ReadPhotoCdImage(BoundedReader& in, RgbImage& out) {
    out = RgbImage{};
    int quarterTurns = 0;
    int result = ReadHeader(in, quarterTurns);
    if (result != kCodecOk) return result;

    const int width = SubImageWidth(kBaseSubImage);
    const int height = SubImageHeight(kBaseSubImage);
    const size_t chromaWidth = width / 2;
    const size_t chromaHeight = height / 2;
    // Per pair of rows: two luma rows, then one row of each chroma component.
    const size_t pairSize = 2 * static_cast<size_t>(width) + 2 * chromaWidth;
    const unsigned char* data = nullptr;
    if (!in.Seek(kSubImageSector[kBaseSubImage - 1] * kSectorSize) || !in.View(pairSize * chromaHeight, data)) {
        return kCodecReadError;
    }

    CodecBuffer pixels;
    result = AllocatePixels(width, height, 3, pixels);
    if (result != kCodecOk) return result;
    // Gather the chroma planes first so that rows can be interpolated across pairs.
    WorkArray<unsigned char> chroma = AllocateWorkArray<unsigned char>(2 * chromaWidth * chromaHeight);
    if (chroma == nullptr) return kCodecOutOfMemory;
    unsigned char* chroma1 = chroma.get();
    unsigned char* chroma2 = chroma1 + chromaWidth * chromaHeight;
    for (size_t pair = 0; pair < chromaHeight; ++pair) {
        const unsigned char* rows = data + pair * pairSize + 2 * width;
        std::memcpy(chroma1 + pair * chromaWidth, rows, chromaWidth);
        std::memcpy(chroma2 + pair * chromaWidth, rows + chromaWidth, chromaWidth);
    }
    for (int y = 0; y < height; ++y) {
        const unsigned char* luma = data + (y / 2) * pairSize + (y & 1) * width;
        for (int x = 0; x < width; ++x) {
            unsigned char* target = pixels.Data() + TurnedIndex(x, y, width, height, quarterTurns) * 3;
            YccToRgb(luma[x], Chroma(chroma1, static_cast<int>(chromaWidth), static_cast<int>(chromaHeight), x, y),
                     Chroma(chroma2, static_cast<int>(chromaWidth), static_cast<int>(chromaHeight), x, y), target);
        }
    }
    const bool portrait = (quarterTurns & 1) != 0;
    DeliverRgbImage(pixels, portrait ? height : width, portrait ? width : height, out);
    return kCodecOk;
}
