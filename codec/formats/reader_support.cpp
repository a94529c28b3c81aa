#include "codec/formats/reader_support.h"

#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"

namespace {

// Returns the buffer, or nullptr with `error` set.
unsigned char* AllocatePixels(int width, int height, uint32_t bytesPerPixel, int& error) {
    if (width <= 0 || height <= 0) {
        error = kCodecBadArgument;
        return nullptr;
    }
    uint64_t size = PixelBytes(static_cast<uint32_t>(width), static_cast<uint32_t>(height), bytesPerPixel);
    if (size > kCodecMaxAllocation) {
        error = kCodecOutOfMemory;
        return nullptr;
    }
    auto* pixels = static_cast<unsigned char*>(CodecAllocate(static_cast<size_t>(size)));
    if (pixels == nullptr) {
        error = kCodecOutOfMemory;
        return nullptr;
    }
    // Installed allocation functions need not clear memory; parts of a picture that a file
    // leaves undefined come out black either way.
    std::memset(pixels, 0, static_cast<size_t>(size));
    error = kCodecOk;
    return pixels;
}

}  // namespace

int AllocateRgbImage(int width, int height, RgbImage& out) {
    int error = kCodecOk;
    out.pixels = AllocatePixels(width, height, 3, error);
    out.width = out.pixels != nullptr ? width : 0;
    out.height = out.pixels != nullptr ? height : 0;
    return error;
}

int AllocatePaletteImage(int width, int height, PaletteImage& out) {
    int error = kCodecOk;
    out.indices = AllocatePixels(width, height, 1, error);
    out.width = out.indices != nullptr ? width : 0;
    out.height = out.indices != nullptr ? height : 0;
    return error;
}

void ReleaseRgbImage(RgbImage& image) {
    if (image.pixels != nullptr) CodecFree(image.pixels);
    image = {};
}

void ReleasePaletteImage(PaletteImage& image) {
    if (image.indices != nullptr) CodecFree(image.indices);
    image = {};
}
