// Helpers shared by the format readers, so that every reader allocates one way: its output
// in a CodecBuffer (through the calling thread's allocation functions), sized by products
// that are checked before anything is allocated, and handed to the caller's picture only
// when the reader succeeds; working memory in a WorkArray (codec/codec_memory.h). A failing
// reader simply returns, and its owners free what it had.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codec/codec_memory.h"
#include "codec/pixels/rgb_image.h"

// width * height * bytesPerPixel bytes, cleared (parts of a picture that a file leaves
// undefined come out black). Returns 0, kCodecBadArgument for a zero or negative size, or
// kCodecOutOfMemory (also for sizes beyond what the codec layer hands out).
[[nodiscard]] int AllocatePixels(int width, int height, uint32_t bytesPerPixel, CodecBuffer& pixels);

// The end of a successful read: the buffer becomes the caller's picture.
void DeliverRgbImage(CodecBuffer& pixels, int width, int height, RgbImage& out);
void DeliverPaletteImage(CodecBuffer& indices, int width, int height, PaletteImage& out);

// Frees a delivered picture (callers that hold bare pictures: tests, tools, fuzzing).
void ReleaseRgbImage(RgbImage& image);
void ReleasePaletteImage(PaletteImage& image);

// width * height * bytesPerPixel as a 64-bit count (never overflows for 32-bit sizes).
constexpr uint64_t PixelBytes(uint32_t width, uint32_t height, uint32_t bytesPerPixel) {
    return static_cast<uint64_t>(width) * height * bytesPerPixel;
}
