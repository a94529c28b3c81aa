#include "codec/pixel_ops.h"

#include <cstdlib>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"

namespace {

// Plain loops the compiler turns into vector code (this file is built with -O3).
void GreyRow3(unsigned char* row, int width, int first, int last) {
    for (int x = 0; x < width; ++x, row += 3) {
        unsigned grey = (306u * row[first] + 601u * row[1] + 117u * row[last]) >> 10;
        row[0] = row[1] = row[2] = static_cast<unsigned char>(grey);
    }
}

void GreyRow4(unsigned char* row, int width, int first, int last) {
    for (int x = 0; x < width; ++x, row += 4) {
        unsigned grey = (306u * row[first] + 601u * row[1] + 117u * row[last]) >> 10;
        row[0] = row[1] = row[2] = static_cast<unsigned char>(grey);
    }
}

void BlendRow(const unsigned char* source, unsigned char* target, size_t count, unsigned weight) {
    // target + (source - target) × weight / 256, rounded; weight is 1..255.
    for (size_t i = 0; i < count; ++i) {
        int difference = static_cast<int>(source[i]) - static_cast<int>(target[i]);
        target[i] = static_cast<unsigned char>(target[i] + ((difference * static_cast<int>(weight) + 128) >> 8));
    }
}

}  // namespace

bool GreyscaleRgb(unsigned char* pixels, int width, int height, int bytesPerPixel, int stride, bool blueFirst) {
    if (!BeginCodecCall()) return false;
    if (pixels == nullptr || width < 0 || height < 0 || (bytesPerPixel != 3 && bytesPerPixel != 4) ||
        (height > 0 && static_cast<long long>(stride) < static_cast<long long>(width) * bytesPerPixel)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    int first = blueFirst ? 2 : 0;  // where red sits
    int last = 2 - first;           // where blue sits
    for (int y = 0; y < height; ++y) {
        unsigned char* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride);
        if (bytesPerPixel == 3) {
            GreyRow3(row, width, first, last);
        } else {
            GreyRow4(row, width, first, last);
        }
    }
    return true;
}

bool OverlayRgb(const unsigned char* source,
                int sourceWidth,
                int sourceHeight,
                int sourceStride,
                unsigned char* target,
                int targetWidth,
                int targetHeight,
                int targetStride,
                int x,
                int y,
                double opacity) {
    if (!BeginCodecCall()) return false;
    if (source == nullptr || target == nullptr || sourceWidth < 0 || sourceHeight < 0 || targetWidth < 0 ||
        targetHeight < 0 || static_cast<long long>(sourceStride) < sourceWidth * 3LL ||
        static_cast<long long>(targetStride) < targetWidth * 3LL) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    if (!(opacity > 0.0)) opacity = 0.0;  // also catches NaN
    if (opacity > 1.0) opacity = 1.0;
    auto weight = static_cast<unsigned>(opacity * 256.0 + 0.5);
    if (weight == 0) return true;

    // Clip in 64-bit arithmetic: x and y may lie far outside the target.
    long long left = x < 0 ? 0 : x;
    long long top = y < 0 ? 0 : y;
    long long right = static_cast<long long>(x) + sourceWidth;
    long long bottom = static_cast<long long>(y) + sourceHeight;
    if (right > targetWidth) right = targetWidth;
    if (bottom > targetHeight) bottom = targetHeight;
    if (left >= right || top >= bottom) return true;

    size_t count = static_cast<size_t>(right - left) * 3;
    for (long long row = top; row < bottom; ++row) {
        const unsigned char* in = source + static_cast<size_t>(row - y) * static_cast<size_t>(sourceStride) +
                                  static_cast<size_t>(left - x) * 3;
        unsigned char* out =
            target + static_cast<size_t>(row) * static_cast<size_t>(targetStride) + static_cast<size_t>(left) * 3;
        if (weight >= 256) {
            std::memcpy(out, in, count);
        } else {
            BlendRow(in, out, count, weight);
        }
    }
    return true;
}

int CreateRgbCanvas(int width, int height, uint32_t colour, RgbImage& out) {
    out = RgbImage{};
    if (width <= 0 || height <= 0) return kRgbImageFailed;
    size_t rowBytes = static_cast<size_t>(width) * 3;
    // The layer's allocation limit holds here too: no caller needs a bigger canvas.
    if (rowBytes > kCodecMaxAllocation / static_cast<size_t>(height)) return kRgbImageOutOfMemory;
    auto* pixels = static_cast<unsigned char*>(std::malloc(rowBytes * static_cast<size_t>(height)));
    if (pixels == nullptr) return kRgbImageOutOfMemory;
    const unsigned char rgb[3] = {static_cast<unsigned char>(colour), static_cast<unsigned char>(colour >> 8),
                                  static_cast<unsigned char>(colour >> 16)};
    for (size_t i = 0; i < rowBytes; i += 3) std::memcpy(pixels + i, rgb, 3);
    for (int y = 1; y < height; ++y) std::memcpy(pixels + rowBytes * static_cast<size_t>(y), pixels, rowBytes);
    out.pixels = pixels;
    out.width = width;
    out.height = height;
    return kRgbImageOk;
}
