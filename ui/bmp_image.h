// Decoding of the BMP file images that the data-resource file and skins carry, into owned
// 24-bit RGB pictures through the codec layer (DecodeBmp from a memory source). The pixels
// follow the calling thread's codec allocation and their owner frees them there.
#pragma once

#include <cstddef>

#include "codec/pixels/owned_rgb_image.h"

[[nodiscard]] bool DecodeBmpImage(const unsigned char* bmp, size_t size, OwnedRgbImage& image);

// Inflates an inflatable block (u32 C, u32 U, stream) holding a BMP file image and decodes it.
[[nodiscard]] bool DecodeBmpBlock(const unsigned char* block, size_t size, OwnedRgbImage& image);
