#include "codec/pixels/owned_rgb_image.h"

#include "codec/pixels/row_layout.h"

namespace {

OwnedRgbImage Adopt(CodecBuffer pixels, RgbImage& picture) {
    OwnedRgbImage owned(std::move(pixels), picture.width, picture.height);
    picture = RgbImage{};
    return owned;
}

}  // namespace

OwnedRgbImage::OwnedRgbImage(CodecBuffer pixels, int width, int height)
    : pixels_(std::move(pixels)), width_(width), height_(height) {
    if (pixels_.IsEmpty()) width_ = height_ = 0;
}

OwnedRgbImage& OwnedRgbImage::operator=(OwnedRgbImage&& other) noexcept {
    if (this != &other) {
        pixels_ = std::move(other.pixels_);
        width_ = other.width_;
        height_ = other.height_;
        other.width_ = other.height_ = 0;
    }
    return *this;
}

void OwnedRgbImage::Reset() {
    pixels_.Reset();
    width_ = height_ = 0;
}

RgbImage OwnedRgbImage::Release() {
    RgbImage picture{pixels_.Release(), width_, height_};
    width_ = height_ = 0;
    return picture;
}

OwnedRgbImage AdoptCodecPicture(RgbImage& picture) {
    return Adopt(CodecBuffer::Adopt(picture.pixels), picture);
}

OwnedRgbImage AdoptGlobalPicture(RgbImage& picture) {
    return Adopt(CodecBuffer::AdoptGlobal(picture.pixels), picture);
}

RgbImageResult AllocateCanvas(int width, int height, OwnedRgbImage& out) {
    out.Reset();
    if (width <= 0 || height <= 0) return kRgbImageFailed;
    size_t rowBytes = 0;
    size_t totalBytes = 0;
    // The layer's allocation limit holds here too: no caller needs a bigger canvas.
    if (!PictureBufferSize(width, height, 24, rowBytes, totalBytes)) return kRgbImageOutOfMemory;
    CodecBuffer pixels = CodecBuffer::AllocateOnHeap(totalBytes);
    if (pixels.IsEmpty()) return kRgbImageOutOfMemory;
    out = OwnedRgbImage(std::move(pixels), width, height);
    return kRgbImageOk;
}
