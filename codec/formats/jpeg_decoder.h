// The JPEG decoder for the generic read (DecodeJpeg in jpeg_codec.h is the public form):
// decodes the whole source from its first byte, a file source in blocks without loading it.
// Returns 0 or a CodecError; output from CodecAllocate.
#pragma once

#include "codec/pixels/rgb_image.h"

struct ImageSource;

[[nodiscard]] int ReadJpegImage(ImageSource* source, int bitDepth, RgbImage& out);
// The frame's size from the headers, without decoding. Returns 0 or a CodecError.
[[nodiscard]] int ReadJpegSize(ImageSource* source, int& width, int& height);
