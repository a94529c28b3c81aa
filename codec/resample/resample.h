// Resampling of 24-bit pictures, from a source view into a target view of the wanted size.
//
// ResizeRgb is bicubic interpolation (cubic convolution, a = -1) with the edge pixels
// repeated; equal sizes copy the rows unchanged. ResampleRgb runs a separable filter chosen
// by index (ResampleFilter), widened when shrinking, with the picture mirrored at its edges;
// the program's choice is kFilterLanczos3. ResizeRgbWithFilter takes either by number: -1
// (kResizeBicubic) selects ResizeRgb, 0..13 ResampleRgb. Errors: 5 bad argument (no pixels,
// size not positive, stride shorter than a row, another filter index), 68 a target smaller
// than the filter's support, 1 out of memory.
//
// ResizeRgbImage replaces an owned picture by its resized copy. The new pixels come from the
// calling thread's codec allocation and the old ones go back through the functions that made
// them. Returns 0 (also at once when the size is unchanged), 8 when the new buffer cannot be
// allocated, 1 when the resampling fails (the picture is left as it was).
#pragma once

#include "codec/pixels/owned_rgb_image.h"
#include "codec/pixels/rgb_view.h"

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

[[nodiscard]] bool ResizeRgb(const ConstRgbView& source, const RgbView& target);
[[nodiscard]] bool ResampleRgb(const ConstRgbView& source, const RgbView& target, int filter);
[[nodiscard]] bool ResizeRgbWithFilter(const ConstRgbView& source, const RgbView& target, int filter);
[[nodiscard]] RgbImageResult ResizeRgbImage(OwnedRgbImage& image, int newWidth, int newHeight, int filter);
