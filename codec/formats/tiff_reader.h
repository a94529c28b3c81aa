// TIFF decoding through libtiff's RGBA interface from a file held in memory: the first
// directory, in every layout that interface reads, to 24-bit RGB with alpha dropped.
// Returns 0 or a CodecError: 2 not a TIFF file, 52 a layout the interface cannot convert,
// 3 damaged or missing data, 1 out of memory.
#pragma once

#include <cstddef>

#include "codec/pixels/rgb_image.h"

[[nodiscard]] int ReadTiffImage(const unsigned char* data, size_t size, RgbImage& out);
// The size of the first directory's picture, without decoding it.
[[nodiscard]] int ReadTiffSize(const unsigned char* data, size_t size, int& width, int& height);
