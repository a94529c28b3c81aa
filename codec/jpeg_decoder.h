// The JPEG decoder over a file held in memory, for the generic read (DecodeJpeg in
// jpeg_codec.h is the public form). Returns 0 or a CodecError; output from CodecAllocate.
#pragma once

#include <cstddef>

#include "codec/rgb_image.h"

[[nodiscard]] int ReadJpegImage(const unsigned char* data, size_t size, int bitDepth, RgbImage& out);
