// The owner of a 24-bit picture: its pixels (a CodecBuffer, which frees through the
// allocation functions that made it, on any thread), its width and its height. Rows run
// top-down without padding. Operations receive the picture as a view; only what creates,
// replaces or frees pixels takes the owner.
//
//     OwnedRgbImage picture;
//     if (ReadImageRgb24(source, picture)) ResizeRgbImage(picture, 640, 480, kFilterLanczos3);
//     GreyscaleRgb(picture.View());
//
// The readers fill the bare RgbImage (rgb_image.h) with CodecAllocate; the code that calls
// them adopts the result at once, on the same thread, so the owner knows its allocator.
#pragma once

#include "codec/codec_memory.h"
#include "codec/pixels/rgb_image.h"
#include "codec/pixels/rgb_view.h"

// Results of the operations that make or replace a whole picture (CreateRgbCanvas,
// ResizeRgbImage), in the system's general result codes rather than the codec's error table.
enum RgbImageResult : int {
    kRgbImageOk = 0,
    kRgbImageFailed = 1,
    kRgbImageOutOfMemory = 8,
};

class OwnedRgbImage {
public:
    OwnedRgbImage() = default;
    // Owns `pixels`, which hold width * height * 3 bytes.
    OwnedRgbImage(CodecBuffer pixels, int width, int height);

    OwnedRgbImage(OwnedRgbImage&& other) noexcept { *this = std::move(other); }
    OwnedRgbImage& operator=(OwnedRgbImage&& other) noexcept;
    OwnedRgbImage(const OwnedRgbImage&) = delete;
    OwnedRgbImage& operator=(const OwnedRgbImage&) = delete;

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] bool IsEmpty() const { return pixels_.IsEmpty(); }
    [[nodiscard]] RgbView View() { return {pixels_.Data(), width_, height_, width_ * 3}; }
    [[nodiscard]] ConstRgbView View() const { return {pixels_.Data(), width_, height_, width_ * 3}; }

    // Frees the pixels and leaves an empty picture.
    void Reset();
    // Gives the pixels up to a bare-pointer holder (see CodecBuffer::Release for how it
    // must free them).
    [[nodiscard]] RgbImage Release();

private:
    CodecBuffer pixels_;
    int width_ = 0;
    int height_ = 0;
};

// Takes over a picture that a codec call on the calling thread just allocated with
// CodecAllocate (a reader, DecodeJpeg, DecodeBmp) and clears `picture`.
[[nodiscard]] OwnedRgbImage AdoptCodecPicture(RgbImage& picture);
// Takes over a picture in global memory (the generic read's) and clears `picture`.
[[nodiscard]] OwnedRgbImage AdoptGlobalPicture(RgbImage& picture);

// A width × height canvas on the ordinary heap whose pixels are not set yet, for callers that
// fill every pixel at once. Returns 0, 8 when memory runs out (or the size is above the
// layer's allocation limit), 1 for a size that is not positive.
[[nodiscard]] RgbImageResult AllocateCanvas(int width, int height, OwnedRgbImage& out);
