// Image files of tqtool's picture commands: any picture the codec reads, and BMP, PPM or
// JPEG output chosen by the file name. Both print what failed to stderr.
#pragma once

#include "codec/pixels/owned_rgb_image.h"

// Reads any picture the codec layer knows; `format` is the detected format code. Returns 0 or
// the codec error.
[[nodiscard]] int ReadImageFile(const char* path, OwnedRgbImage& picture, int& format);

// Writes the picture by the extension of `path` (.bmp 24 bits, .ppm, .jpg/.jpeg). Returns 0,
// kToolExitUsage for another extension, or the codec error.
[[nodiscard]] int WriteImageFile(const char* path, const OwnedRgbImage& picture);
