// Resampling of 24-bit pictures.
//
// ResizeRgb is bicubic interpolation (cubic convolution, a = -1) with the edge pixels
// repeated; equal sizes copy the rows unchanged. ResampleRgb runs a separable filter chosen
// by index (ResampleFilter), widened when shrinking, with the picture mirrored at its edges;
// the program's choice is kFilterLanczos3. Both take row strides in bytes and `channels` 3.
// Errors: 5 bad argument (null buffer, size not positive, stride shorter than a row, another
// channel count or filter index), 68 a target smaller than the filter's support, 1 out of
// memory.
//
// ResizeRgbImage resizes an RgbImage in place: -1 selects ResizeRgb, 0..13 ResampleRgb with
// that filter. The new buffer comes from CodecAllocate and the old one is released with
// CodecFree, so the image must have been allocated the way the calling thread's codec
// allocations are. Returns 0 (also at once when the size is unchanged), 8 when the new buffer
// cannot be allocated, 1 when the resampling fails (the image is left as it was).
#pragma once

#include "codec/pixels/rgb_image.h"

enum ResampleFilter : int {
    kFilterBox = 0,
    kFilterTriangle = 1,
    kFilterHamming = 2,
    kFilterGaussian = 3,
    kFilterBell = 4,
    kFilterBSpline = 5,
    kFilterHermite = 6,
    kFilterBSplineAlias = 7,
    kFilterLanczos3 = 8,
    kFilterMitchell = 9,
    kFilterSinc = 10,
    kFilterHermiteAlias = 11,
    kFilterHanning = 12,
    kFilterCatmullRom = 13,
    kFilterCount = 14,
};

constexpr int kResizeBicubic = -1;

[[nodiscard]] bool ResizeRgb(const unsigned char* source,
                             int sourceWidth,
                             int sourceHeight,
                             int sourceStride,
                             unsigned char* target,
                             int targetWidth,
                             int targetHeight,
                             int targetStride,
                             int channels);
[[nodiscard]] bool ResampleRgb(const unsigned char* source,
                               int sourceWidth,
                               int sourceHeight,
                               int sourceStride,
                               unsigned char* target,
                               int targetWidth,
                               int targetHeight,
                               int targetStride,
                               int channels,
                               int filter);
[[nodiscard]] int ResizeRgbImage(RgbImage& image, int newWidth, int newHeight, int filter);
