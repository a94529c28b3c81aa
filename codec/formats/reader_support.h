// Helpers shared by the format readers: output buffers whose size products are checked
// before anything is allocated, and release of a half-built picture on failure.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codec/pixels/rgb_image.h"

// Allocates width * height * 3 bytes for `out` and sets its size. Returns 0, kCodecBadArgument
// for a zero or negative size, or kCodecOutOfMemory (also for sizes beyond what the codec
// layer hands out).
[[nodiscard]] int AllocateRgbImage(int width, int height, RgbImage& out);
// The same for the one-byte-per-pixel index buffer of a palette picture.
[[nodiscard]] int AllocatePaletteImage(int width, int height, PaletteImage& out);

void ReleaseRgbImage(RgbImage& image);
void ReleasePaletteImage(PaletteImage& image);

// width * height * bytesPerPixel as a 64-bit count (never overflows for 32-bit sizes).
constexpr uint64_t PixelBytes(uint32_t width, uint32_t height, uint32_t bytesPerPixel) {
    return static_cast<uint64_t>(width) * height * bytesPerPixel;
}
