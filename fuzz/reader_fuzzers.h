// Shared shape of the reader fuzz targets: every input is handed to a reader exactly as the
// generic read hands it a file in memory, and whatever it returns is released again.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/bounded_reader.h"
#include "codec/codec_memory.h"
#include "codec/pixels/rgb_image.h"

inline void ReleaseForFuzzing(RgbImage& image) {
    if (image.pixels != nullptr) CodecFree(image.pixels);
    image = {};
}

inline void ReleaseForFuzzing(PaletteImage& image) {
    if (image.indices != nullptr) CodecFree(image.indices);
    image = {};
}

// A successful read must describe a real picture whose every pixel can be touched; reading
// the last byte lets AddressSanitizer catch a buffer shorter than its size claims.
template <typename Image>
void CheckDecodedForFuzzing(int result, const Image& image, const unsigned char* buffer, size_t bytesPerPixel) {
    if (result != 0) {
        if (buffer != nullptr) __builtin_trap();  // a failed read must leave nothing behind
        return;
    }
    if (buffer == nullptr || image.width <= 0 || image.height <= 0) __builtin_trap();
    size_t size = static_cast<size_t>(image.width) * image.height * bytesPerPixel;
    volatile unsigned char last = buffer[size - 1];
    (void)last;
}
