// The BMP reader over a file held in memory; DecodeBmp and the generic read use it.
// Returns 0 or a CodecError; on failure `out` is left empty. See bmp_codec.h for what it
// accepts and the depths it returns.
#pragma once

#include "base/bounded_reader.h"
#include "codec/formats/bmp_codec.h"
#include "codec/pixels/rgb_image.h"

[[nodiscard]] int ReadBmpImage(BoundedReader& in, int bitDepth, RgbImage& out, ImagePalette* palette);
// The size from the headers alone, with the reader's own checks.
[[nodiscard]] int ReadBmpSize(BoundedReader& in, int& width, int& height);
