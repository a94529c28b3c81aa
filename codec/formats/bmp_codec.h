// Windows BMP files: reading at a chosen depth and writing the standard uncompressed form.
//
// DecodeBmp reads files with the 40-byte information header at 1, 4, 8, 16, 24 or 32 bits,
// uncompressed, with bit fields, or run-length coded (8 and 4 bits), bottom-up or top-down,
// and returns the picture at `bitDepth` 1, 8, 24 or 32 in the layout of picture_layout.h:
// 1 and 8 bits give palette indices (and need a file of at most that depth, else error 28),
// with the file's palette in `palette` when it is given. The pixel buffer comes from
// CodecAllocate. Errors: 5 bad argument or depth, 6 not a BMP file this reader accepts,
// 3 the file ends early, 28 the file is deeper than 1 or 8 bits requested, 1 out of memory.
//
// WriteBmp writes pixels in the same layout at 1, 4 (two pixels per byte, high nibble
// first), 8, 24 or 32 bits: a 14-byte file header, a 40-byte information header, a palette
// up to 8 bits (the given one, else a grey ramp), rows bottom-up in blue-green-red order
// padded to 4 bytes. Errors: 5 bad argument, 4 the sink failed.
#pragma once

#include <cstdint>

#include "codec/pixels/rgb_image.h"

struct ImageSource;
struct ImageSink;

struct ImagePalette {
    unsigned char colours[256][3] = {};  // red, green, blue
    int count = 0;
};

// The number of rows a stored height stands for: negative heights mean top-down rows. Taken
// in unsigned arithmetic, so that INT32_MIN (which has no positive counterpart) cannot
// overflow; the reader refuses it, tools that only describe a file report it.
[[nodiscard]] constexpr uint32_t BmpRowCount(int32_t storedHeight) {
    return storedHeight < 0 ? 0u - static_cast<uint32_t>(storedHeight) : static_cast<uint32_t>(storedHeight);
}

[[nodiscard]] bool DecodeBmp(ImageSource* source, int bitDepth, RgbImage& out, ImagePalette* palette);
[[nodiscard]] bool WriteBmp(ImageSink* sink,
                            const unsigned char* pixels,
                            int width,
                            int height,
                            int bitDepth,
                            const ImagePalette* palette = nullptr);
