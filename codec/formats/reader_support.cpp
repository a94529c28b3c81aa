#include "codec/formats/reader_support.h"

#include <cstring>

#include "codec/codec_errors.h"

int AllocatePixels(int width, int height, uint32_t bytesPerPixel, CodecBuffer& pixels) {
    if (width <= 0 || height <= 0) return kCodecBadArgument;
    uint64_t size = PixelBytes(static_cast<uint32_t>(width), static_cast<uint32_t>(height), bytesPerPixel);
    if (size > kCodecMaxAllocation) return kCodecOutOfMemory;
    pixels = CodecBuffer::Allocate(static_cast<size_t>(size));
    if (pixels.IsEmpty()) return kCodecOutOfMemory;
    // Installed allocation functions need not clear memory.
    std::memset(pixels.Data(), 0, static_cast<size_t>(size));
    return kCodecOk;
}

void DeliverRgbImage(CodecBuffer& pixels, int width, int height, RgbImage& out) {
    out.pixels = pixels.Release();
    out.width = width;
    out.height = height;
}

void DeliverPaletteImage(CodecBuffer& indices, int width, int height, PaletteImage& out) {
    out.indices = indices.Release();
    out.width = width;
    out.height = height;
}

void ReleaseRgbImage(RgbImage& image) {
    if (image.pixels != nullptr) CodecFree(image.pixels);
    image = {};
}

void ReleasePaletteImage(PaletteImage& image) {
    if (image.indices != nullptr) CodecFree(image.indices);
    image = {};
}
