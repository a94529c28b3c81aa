// JPEG decoding and encoding through libjpeg (release 6b interface).
//
// DecodeJpeg decodes the whole source (from its first byte) at `bitDepth` 8 (grey), 24 (red,
// green, blue) or 32 (red, green, blue, 255), rows top-down without padding; CMYK files are
// converted to RGB. DecodeJpegScaled decodes at 24 bits with the decoder's own reduction by
// 1/2, 1/4 or 1/8, choosing the smallest picture that still covers minimumWidth ×
// minimumHeight, which makes thumbnails and screen-sized wallpapers of big photos cheap.
// Buffers come from CodecAllocate. Errors: 5 bad argument, 2 not a JPEG stream, 3 the stream
// ends early, 32 a variant the library cannot decode, 1 out of memory.
//
// WriteJpeg encodes with libjpeg's defaults and `quality` (1 to 100, baseline forced): 8 bits
// as one grey component, 24 bits as RGB input, 32 bits as CMYK input. Errors: 5 bad
// argument, 4 the sink failed or the encoder stopped.
#pragma once

#include <cstddef>

#include "codec/pixels/rgb_image.h"

struct ImageSource;
struct ImageSink;

enum JpegWriteOptions : int {
    kJpegWriteOptimizeCoding = 1,  // Huffman tables computed for the picture (smaller, slower)
    kJpegWriteProgressive = 2,
};

[[nodiscard]] bool DecodeJpeg(ImageSource* source, int bitDepth, RgbImage& out);
// The frame size of a JPEG stream in memory, from its headers without decoding; false, with
// the error of DecodeJpeg, when the bytes are not a JPEG stream.
[[nodiscard]] bool ReadJpegFrameSize(const unsigned char* data, size_t size, int& width, int& height);
[[nodiscard]] bool DecodeJpegScaled(ImageSource* source, int minimumWidth, int minimumHeight, RgbImage& out);
[[nodiscard]] bool
WriteJpeg(ImageSink* sink, const unsigned char* pixels, int width, int height, int quality, int bitDepth, int options);
