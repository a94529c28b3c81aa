// Decoding of the BMP file images that the data-resource file and skins carry, into 24-bit
// RGB pictures through the codec layer (DecodeBmp from a memory source). The pixels come
// from CodecAllocate and are released with FreeBmpImage.
#pragma once

#include <cstddef>

#include "codec/pixels/rgb_image.h"

[[nodiscard]] bool DecodeBmpImage(const unsigned char* bmp, size_t size, RgbImage& image);
void FreeBmpImage(RgbImage& image);

// Inflates an inflatable block (u32 C, u32 U, stream) holding a BMP file image and decodes it.
[[nodiscard]] bool DecodeBmpBlock(const unsigned char* block, size_t size, RgbImage& image);
