// Layout of the pixel buffers the codec layer decodes into and encodes from, by bit depth.
// Rows run top-down without padding:
//   1 bit   (width + 7) / 8 bytes per row, the leftmost pixel in the top bit
//   8 bits  one byte per pixel: a palette index, or a grey level where no palette applies
//   24 bits red, green, blue
//   32 bits red, green, blue and a fourth byte (255 when decoded)
#pragma once

#include <cstddef>

// Bytes in one row of `width` pixels at `bitDepth`; 0 for an unknown depth.
[[nodiscard]] size_t PictureRowBytes(int width, int bitDepth);

// The row and total sizes of a width × height buffer at `bitDepth`. False for a zero or
// negative size, an unknown depth, or a total above the layer's allocation limit, so that a
// hostile header can never ask for a giant buffer.
[[nodiscard]] bool PictureBufferSize(int width, int height, int bitDepth, size_t& rowBytes, size_t& totalBytes);
