// The resamplers: argument checks, weight tables for both axes, and the two passes through
// an intermediate buffer. The pass order is chosen by the work it saves: filtering the
// axis that shrinks most first leaves the fewest samples for the second pass.
#include "codec/resample/resample.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/pixels/row_layout.h"
#include "codec/resample/resample_filters.h"
#include "codec/resample/resample_passes.h"
#include "codec/resample/resample_weights.h"

namespace {

constexpr size_t kSlack = 32;              // readable bytes behind the intermediate buffer's last row
constexpr size_t kBandBytes = 256 * 1024;  // intermediate rows kept per band, about half an L2 cache

bool ArgumentsValid(const ConstRgbView& source, const RgbView& target) {
    if (source.pixels == nullptr || target.pixels == nullptr) return false;
    if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return false;
    // Keep every byte offset well inside size_t and int arithmetic.
    if (source.width > (1 << 28) || target.width > (1 << 28)) return false;
    return static_cast<long long>(source.stride) >= source.width * 3LL &&
           static_cast<long long>(target.stride) >= target.width * 3LL;
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
int RunSeparable(const ConstRgbView& sourceView,
                 const RgbView& targetView,
                 const AxisWeights& across,
                 const AxisWeights& down) {
    const unsigned char* source = sourceView.pixels;
    const int sourceWidth = sourceView.width;
    const int sourceHeight = sourceView.height;
    const auto sourceStride = static_cast<size_t>(sourceView.stride);
    unsigned char* target = targetView.pixels;
    const int targetWidth = targetView.width;
    const int targetHeight = targetView.height;
    const auto targetStride = static_cast<size_t>(targetView.stride);
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
        WorkArray<unsigned char> buffer = AllocateUnsetWorkArray<unsigned char>(middleBytes + kSlack);
        if (buffer == nullptr) return kCodecOutOfMemory;
        unsigned char* middle = buffer.get();
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
        return done ? kCodecOk : kCodecOutOfMemory;
    }
    size_t middleStride = static_cast<size_t>(targetWidth) * 3;
    size_t middleBytes = middleStride * static_cast<size_t>(sourceHeight);
    if (middleBytes > kCodecMaxAllocation) return kCodecOutOfMemory;
    WorkArray<unsigned char> buffer = AllocateUnsetWorkArray<unsigned char>(middleBytes + kSlack);
    if (buffer == nullptr) return kCodecOutOfMemory;
    unsigned char* middle = buffer.get();
    std::memset(middle + middleBytes, 0, kSlack);
    ConvolveRows(source, sourceStride, sourceHeight, middle, middleStride, across, false);
    bool done = ConvolveColumns(middle, middleStride, middleStride, target, targetStride, down, 0, targetHeight);
    return done ? kCodecOk : kCodecOutOfMemory;
}

}  // namespace

bool ResizeRgb(const ConstRgbView& source, const RgbView& target) {
    if (!BeginCodecCall()) return false;
    if (!ArgumentsValid(source, target)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    if (source.width == target.width && source.height == target.height) {
        CopyRows(source.pixels, static_cast<size_t>(source.stride), target.pixels, static_cast<size_t>(target.stride),
                 source.width, source.height);
        return true;
    }
    AxisWeights across, down;
    int result = kCodecOk;
    if (!BuildBicubicWeights(source.width, target.width, across) ||
        !BuildBicubicWeights(source.height, target.height, down)) {
        result = kCodecOutOfMemory;
    } else {
        result = RunSeparable(source, target, across, down);
    }
    if (result != kCodecOk) SetCodecError(result);
    return result == kCodecOk;
}

bool ResampleRgb(const ConstRgbView& source, const RgbView& target, int filter) {
    if (!BeginCodecCall()) return false;
    const ResampleKernel* kernel = FindResampleKernel(filter);
    if (kernel == nullptr || !ArgumentsValid(source, target)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    double support = std::ceil(kernel->support);
    if (support > target.width || support > target.height) {
        SetCodecError(kCodecTargetTooSmall);
        return false;
    }
    AxisWeights across, down;
    int result = kCodecOk;
    if (!BuildFilterWeights(source.width, target.width, kernel->function, kernel->support, across) ||
        !BuildFilterWeights(source.height, target.height, kernel->function, kernel->support, down)) {
        result = kCodecOutOfMemory;
    } else {
        result = RunSeparable(source, target, across, down);
    }
    if (result != kCodecOk) SetCodecError(result);
    return result == kCodecOk;
}

bool ResizeRgbWithFilter(const ConstRgbView& source, const RgbView& target, int filter) {
    return filter == kResizeBicubic ? ResizeRgb(source, target) : ResampleRgb(source, target, filter);
}

RgbImageResult ResizeRgbImage(OwnedRgbImage& image, int newWidth, int newHeight, int filter) {
    if (newWidth == image.Width() && newHeight == image.Height()) return kRgbImageOk;
    size_t rowBytes = 0;
    size_t totalBytes = 0;
    if (newWidth <= 0 || newHeight <= 0) return kRgbImageFailed;
    if (!PictureBufferSize(newWidth, newHeight, 24, rowBytes, totalBytes)) return kRgbImageOutOfMemory;
    OwnedRgbImage resized(CodecBuffer::Allocate(totalBytes), newWidth, newHeight);
    if (resized.IsEmpty()) return kRgbImageOutOfMemory;
    if (!ResizeRgbWithFilter(std::as_const(image).View(), resized.View(), filter)) return kRgbImageFailed;
    image = std::move(resized);  // the old pixels go back where they came from
    return kRgbImageOk;
}
