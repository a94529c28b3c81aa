// PNG decoding through libpng from a file held in memory: every colour type and depth,
// interlaced or not, to 24-bit RGB. Palettes and grey are expanded, 16-bit samples scaled to
// 8 bits, and alpha (including a transparency chunk) is dropped. Returns 0 or a CodecError:
// 2 not a PNG file, 3 the data ends early, 32 a damaged or unsupported file, 1 out of memory.
#pragma once

#include <cstddef>

#include "codec/pixels/rgb_image.h"

[[nodiscard]] int ReadPngImage(const unsigned char* data, size_t size, RgbImage& out);
// The size from the header chunk, as libpng checks it.
[[nodiscard]] int ReadPngSize(const unsigned char* data, size_t size, int& width, int& height);
