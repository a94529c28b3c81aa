// The generic read: any picture the layer knows, decoded to 24-bit RGB.
//
//     ImageSource* source = OpenFileSource(path);
//     OwnedRgbImage picture;
//     if (ReadImageRgb24(source, picture)) { ... }
//     CloseSource(source);
//
// The format is detected (format_detection.h) and, for unknown or decoder-less codes, taken
// from the file name's extension. The calling thread's allocation functions are set aside
// for the call, so the picture always lives in global memory; its owner frees it there on
// any thread. Holders of a bare RgbImage release it with FreeImageRgb24. On failure the
// error code says why: 2 unknown format or extension, 52 no decoder for the variant, 38 a
// metafile from a memory source, or the decoder's own.
#pragma once

#include "codec/pixels/owned_rgb_image.h"
#include "codec/pixels/rgb_image.h"

struct ImageSource;

[[nodiscard]] bool ReadImageRgb24(ImageSource* source, OwnedRgbImage& out);
[[nodiscard]] bool ReadImageRgb24(ImageSource* source, RgbImage& out);
void FreeImageRgb24(RgbImage& image);

// The decoder a format code or file name selects (a format code of format_detection.h);
// kFormatUnknown when there is none. Exposed for the tests and tqtool.
[[nodiscard]] int SelectDecoder(int detectedFormat, const char* path);
