#include "codec/pixels/row_layout.h"

#include "codec/codec_memory.h"

size_t PictureRowBytes(int width, int bitDepth) {
    if (width <= 0) return 0;
    size_t pixels = static_cast<size_t>(width);
    switch (bitDepth) {
        case 1:
            return (pixels + 7) / 8;
        case 8:
            return pixels;
        case 24:
            return pixels * 3;
        case 32:
            return pixels * 4;
        default:
            return 0;
    }
}

bool PictureBufferSize(int width, int height, int bitDepth, size_t& rowBytes, size_t& totalBytes) {
    rowBytes = PictureRowBytes(width, bitDepth);
    totalBytes = 0;
    if (rowBytes == 0 || height <= 0) return false;
    if (rowBytes > kCodecMaxAllocation / static_cast<size_t>(height)) return false;
    totalBytes = rowBytes * static_cast<size_t>(height);
    return true;
}
