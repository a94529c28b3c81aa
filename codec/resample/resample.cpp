// The resamplers: argument checks, weight tables for both axes, and the two passes through
// an intermediate buffer. The pass order is chosen by the work it saves: filtering the
// axis that shrinks most first leaves the fewest samples for the second pass.
#include "codec/resample/resample.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/pixels/pixel_ops.h"
#include "codec/resample/resample_filters.h"
#include "codec/resample/resample_passes.h"
#include "codec/resample/resample_weights.h"

namespace {

constexpr size_t kSlack = 32;              // readable bytes behind the intermediate buffer's last row
constexpr size_t kBandBytes = 256 * 1024;  // intermediate rows kept per band, about half an L2 cache

bool ArgumentsValid(const unsigned char* source,
                    int sourceWidth,
                    int sourceHeight,
                    int sourceStride,
                    const unsigned char* target,
                    int targetWidth,
                    int targetHeight,
                    int targetStride,
                    int channels) {
    if (source == nullptr || target == nullptr || channels != 3) return false;
    if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return false;
    // Keep every byte offset well inside size_t and int arithmetic.
    if (sourceWidth > (1 << 28) || targetWidth > (1 << 28)) return false;
    return static_cast<long long>(sourceStride) >= sourceWidth * 3LL &&
           static_cast<long long>(targetStride) >= targetWidth * 3LL;
}

void CopyRows(const unsigned char* source,
              size_t sourceStride,
              unsigned char* target,
              size_t targetStride,
              int width,
              int height) {
    for (int y = 0; y < height; ++y) {
        std::memcpy(target + targetStride * static_cast<size_t>(y), source + sourceStride * static_cast<size_t>(y),
                    static_cast<size_t>(width) * 3);
    }
}

// Runs both passes with the given tables; returns 0 or a CodecError.
int RunSeparable(const unsigned char* source,
                 int sourceWidth,
                 int sourceHeight,
                 size_t sourceStride,
                 unsigned char* target,
                 int targetWidth,
                 int targetHeight,
                 size_t targetStride,
                 const AxisWeights& across,
                 const AxisWeights& down) {
    if (across.identity && down.identity) {
        CopyRows(source, sourceStride, target, targetStride, sourceWidth, sourceHeight);
        return kCodecOk;
    }
    if (across.identity) {
        return ConvolveColumns(source, sourceStride, static_cast<size_t>(sourceWidth) * 3, target, targetStride, down,
                               0, targetHeight)
                   ? kCodecOk
                   : kCodecOutOfMemory;
    }
    if (down.identity) {
        ConvolveRows(source, sourceStride, sourceHeight, target, targetStride, across, false);
        return kCodecOk;
    }
    // A row-pass sample costs about twice a column-pass sample.
    double columnsFirst =
        static_cast<double>(targetHeight) * sourceWidth * down.taps + 2.0 * targetHeight * targetWidth * across.taps;
    double rowsFirst =
        2.0 * sourceHeight * targetWidth * across.taps + static_cast<double>(targetHeight) * targetWidth * down.taps;
    if (columnsFirst <= rowsFirst) {
        // Columns first, a band of target rows at a time: the band of intermediate rows stays
        // in the cache between the two passes and no picture-sized buffer is needed.
        size_t middleStride = static_cast<size_t>(sourceWidth) * 3;
        int band = static_cast<int>(kBandBytes / middleStride);
        band = band < 1 ? 1 : (band > targetHeight ? targetHeight : band);
        size_t middleBytes = middleStride * static_cast<size_t>(band);
        auto* middle = static_cast<unsigned char*>(std::malloc(middleBytes + kSlack));
        if (middle == nullptr) return kCodecOutOfMemory;
        std::memset(middle + middleBytes, 0, kSlack);
        bool done = true;
        for (int first = 0; done && first < targetHeight; first += band) {
            int count = targetHeight - first < band ? targetHeight - first : band;
            done = ConvolveColumns(source, sourceStride, middleStride, middle, middleStride, down, first, count);
            if (done) {
                ConvolveRows(middle, middleStride, count, target + targetStride * static_cast<size_t>(first),
                             targetStride, across, true);
            }
        }
        std::free(middle);
        return done ? kCodecOk : kCodecOutOfMemory;
    }
    size_t middleStride = static_cast<size_t>(targetWidth) * 3;
    size_t middleBytes = middleStride * static_cast<size_t>(sourceHeight);
    if (middleBytes > kCodecMaxAllocation) return kCodecOutOfMemory;
    auto* middle = static_cast<unsigned char*>(std::malloc(middleBytes + kSlack));
    if (middle == nullptr) return kCodecOutOfMemory;
    std::memset(middle + middleBytes, 0, kSlack);
    ConvolveRows(source, sourceStride, sourceHeight, middle, middleStride, across, false);
    bool done = ConvolveColumns(middle, middleStride, middleStride, target, targetStride, down, 0, targetHeight);
    std::free(middle);
    return done ? kCodecOk : kCodecOutOfMemory;
}

}  // namespace

bool ResizeRgb(const unsigned char* source,
               int sourceWidth,
               int sourceHeight,
               int sourceStride,
               unsigned char* target,
               int targetWidth,
               int targetHeight,
               int targetStride,
               int channels) {
    if (!BeginCodecCall()) return false;
    if (!ArgumentsValid(source, sourceWidth, sourceHeight, sourceStride, target, targetWidth, targetHeight,
                        targetStride, channels)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    if (sourceWidth == targetWidth && sourceHeight == targetHeight) {
        CopyRows(source, static_cast<size_t>(sourceStride), target, static_cast<size_t>(targetStride), sourceWidth,
                 sourceHeight);
        return true;
    }
    AxisWeights across, down;
    int result = kCodecOk;
    if (!BuildBicubicWeights(sourceWidth, targetWidth, across) ||
        !BuildBicubicWeights(sourceHeight, targetHeight, down)) {
        result = kCodecOutOfMemory;
    } else {
        result = RunSeparable(source, sourceWidth, sourceHeight, static_cast<size_t>(sourceStride), target, targetWidth,
                              targetHeight, static_cast<size_t>(targetStride), across, down);
    }
    FreeAxisWeights(across);
    FreeAxisWeights(down);
    if (result != kCodecOk) SetCodecError(result);
    return result == kCodecOk;
}

bool ResampleRgb(const unsigned char* source,
                 int sourceWidth,
                 int sourceHeight,
                 int sourceStride,
                 unsigned char* target,
                 int targetWidth,
                 int targetHeight,
                 int targetStride,
                 int channels,
                 int filter) {
    if (!BeginCodecCall()) return false;
    const ResampleKernel* kernel = FindResampleKernel(filter);
    if (kernel == nullptr || !ArgumentsValid(source, sourceWidth, sourceHeight, sourceStride, target, targetWidth,
                                             targetHeight, targetStride, channels)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    double support = std::ceil(kernel->support);
    if (support > targetWidth || support > targetHeight) {
        SetCodecError(kCodecTargetTooSmall);
        return false;
    }
    AxisWeights across, down;
    int result = kCodecOk;
    if (!BuildFilterWeights(sourceWidth, targetWidth, kernel->function, kernel->support, across) ||
        !BuildFilterWeights(sourceHeight, targetHeight, kernel->function, kernel->support, down)) {
        result = kCodecOutOfMemory;
    } else {
        result = RunSeparable(source, sourceWidth, sourceHeight, static_cast<size_t>(sourceStride), target, targetWidth,
                              targetHeight, static_cast<size_t>(targetStride), across, down);
    }
    FreeAxisWeights(across);
    FreeAxisWeights(down);
    if (result != kCodecOk) SetCodecError(result);
    return result == kCodecOk;
}

int ResizeRgbImage(RgbImage& image, int newWidth, int newHeight, int filter) {
    if (newWidth == image.width && newHeight == image.height) return kRgbImageOk;
    if (newWidth <= 0 || newHeight <= 0) return kRgbImageFailed;
    size_t bytes = static_cast<size_t>(newWidth) * 3;
    if (bytes > kCodecMaxAllocation / static_cast<size_t>(newHeight)) return kRgbImageOutOfMemory;
    bytes *= static_cast<size_t>(newHeight);
    auto* pixels = static_cast<unsigned char*>(CodecAllocate(bytes));
    if (pixels == nullptr) return kRgbImageOutOfMemory;
    bool done = filter == kResizeBicubic ? ResizeRgb(image.pixels, image.width, image.height, image.width * 3, pixels,
                                                     newWidth, newHeight, newWidth * 3, 3)
                                         : ResampleRgb(image.pixels, image.width, image.height, image.width * 3, pixels,
                                                       newWidth, newHeight, newWidth * 3, 3, filter);
    if (!done) {
        CodecFree(pixels);
        return kRgbImageFailed;
    }
    CodecFree(image.pixels);
    image.pixels = pixels;
    image.width = newWidth;
    image.height = newHeight;
    return kRgbImageOk;
}
