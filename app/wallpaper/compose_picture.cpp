#include "app/wallpaper/compose_picture.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "app/wallpaper/title_text.h"
#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/image_source.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/pixels/row_layout.h"
#include "codec/pixels/pixel_ops.h"
#include "codec/resample/resample.h"

namespace {

constexpr int kOutOfMemory = 8;
constexpr int kFailure = 1;

// Owns the pixels of one RgbImage: canvases live on the ordinary heap, decoded pictures in
// the codec layer's allocations, and each goes back where it came from.
class OwnedImage {
public:
    enum class Memory { Heap, Codec };
    explicit OwnedImage(Memory memory) : memory_(memory) {}
    ~OwnedImage() { Reset(); }
    OwnedImage(const OwnedImage&) = delete;
    OwnedImage& operator=(const OwnedImage&) = delete;

    RgbImage& Get() { return image_; }
    void Reset() {
        if (image_.pixels != nullptr) {
            if (memory_ == Memory::Heap) {
                std::free(image_.pixels);
            } else {
                CodecFree(image_.pixels);
            }
        }
        image_ = RgbImage{};
    }
    // Hands the image over and forgets it.
    RgbImage Release() {
        RgbImage image = image_;
        image_ = RgbImage{};
        return image;
    }

private:
    Memory memory_;
    RgbImage image_;
};

// A canvas whose pixels are not yet set (FillAround sets them): the stretched presentations
// cover most of it with the picture, and filling that part first would be wasted work.
int AllocateCanvas(int width, int height, RgbImage& out) {
    size_t rowBytes = 0;
    size_t totalBytes = 0;
    if (!PictureBufferSize(width, height, 24, rowBytes, totalBytes)) return kOutOfMemory;
    out.pixels = static_cast<unsigned char*>(std::malloc(totalBytes));
    if (out.pixels == nullptr) return kOutOfMemory;
    out.width = width;
    out.height = height;
    return 0;
}

// Fills every pixel of the canvas outside the rectangle [left, right) x [top, bottom) (which
// may be empty or reach outside the canvas) with the COLORREF colour.
void FillAround(RgbImage& canvas, uint32_t colour, int left, int top, int right, int bottom) {
    const size_t rowBytes = static_cast<size_t>(canvas.width) * 3;
    std::vector<unsigned char> row(rowBytes);
    for (size_t i = 0; i < rowBytes; i += 3) {
        row[i] = static_cast<unsigned char>(colour);
        row[i + 1] = static_cast<unsigned char>(colour >> 8);
        row[i + 2] = static_cast<unsigned char>(colour >> 16);
    }
    left = std::clamp(left, 0, canvas.width);
    right = std::clamp(right, left, canvas.width);
    top = std::clamp(top, 0, canvas.height);
    bottom = std::clamp(bottom, top, canvas.height);
    if (left == right) top = bottom = 0;  // an empty rectangle covers nothing
    for (int y = 0; y < canvas.height; ++y) {
        unsigned char* line = canvas.pixels + static_cast<size_t>(y) * rowBytes;
        if (y < top || y >= bottom) {
            std::memcpy(line, row.data(), rowBytes);
        } else {
            std::memcpy(line, row.data(), static_cast<size_t>(left) * 3);
            std::memcpy(line + static_cast<size_t>(right) * 3, row.data(),
                        static_cast<size_t>(canvas.width - right) * 3);
        }
    }
}

// Decodes the payload at 24 bits; with coverWidth positive the decoder may reduce it by 1/2,
// 1/4 or 1/8 as long as it still covers coverWidth x coverHeight.
bool DecodePayload(const PictureRecord& picture, int coverWidth, int coverHeight, RgbImage& out) {
    if (picture.payload == nullptr || picture.payloadSize == 0) return false;
    ImageSource* source = OpenMemorySource(picture.payload, picture.payloadSize);
    if (source == nullptr) return false;
    bool decoded =
        coverWidth > 0 ? DecodeJpegScaled(source, coverWidth, coverHeight, out) : DecodeJpeg(source, 24, out);
    (void)CloseSource(source);
    return decoded && out.pixels != nullptr && out.width > 0 && out.height > 0;
}

// Opacity-1 overlay, clipped to the target. False when nothing of the source lands on it or
// the overlay fails.
bool DrawOnto(const RgbImage& source, RgbImage& target, int x, int y) {
    if (x >= target.width || y >= target.height || x + source.width <= 0 || y + source.height <= 0) return false;
    return OverlayRgb(source.pixels, source.width, source.height, source.width * 3, target.pixels, target.width,
                      target.height, target.width * 3, x, y, 1.0);
}

// Resizes `picture` straight into the canvas rectangle at (x, y) of `width` x `height`, which
// lies inside the canvas: no resized copy is needed. Returns 0, 8 or 1 like ResizeRgbImage.
int ResizeInto(const RgbImage& picture, RgbImage& canvas, int x, int y, int width, int height, int filter) {
    if (x < 0 || y < 0 || width > canvas.width - x || height > canvas.height - y) return kFailure;
    unsigned char* target = canvas.pixels + (static_cast<size_t>(y) * canvas.width + x) * 3;
    int stride = canvas.width * 3;
    bool resized = filter == kResizeBicubic ? ResizeRgb(picture.pixels, picture.width, picture.height,
                                                        picture.width * 3, target, width, height, stride, 3)
                                            : ResampleRgb(picture.pixels, picture.width, picture.height,
                                                          picture.width * 3, target, width, height, stride, 3, filter);
    if (resized) return 0;
    return GetLastCodecError() == kCodecOutOfMemory ? kOutOfMemory : kFailure;
}

// Lays the decoded picture out on the area canvas. Returns 0 or a result code.
int LayOut(const RgbImage& picture,
           RgbImage& area,
           const PicturePlacement& placement,
           uint8_t presentation,
           int resizeFilter) {
    switch (presentation) {
        case 0: {
            bool anyDrawn = false;
            for (int row = 0; row < placement.rows; ++row) {
                for (int column = 0; column < placement.columns; ++column) {
                    if (DrawOnto(picture, area, column * picture.width, row * picture.height)) anyDrawn = true;
                }
            }
            return anyDrawn ? 0 : kFailure;
        }
        case 1:
            return DrawOnto(picture, area, placement.x, placement.y) ? 0 : kFailure;
        case 2:
        case 3:
            // The stretched picture covers the area (2) or lies centred inside it (3).
            return ResizeInto(picture, area, placement.x, placement.y, placement.width, placement.height, resizeFilter);
        default:
            return 0;  // unknown presentation: the area keeps its background
    }
}

// The full size of the picture for the layout. A reduced decode is laid out by the size
// stored with the picture, as long as the decoded size is one of its reductions; otherwise
// (a record whose stored size does not match its payload) the decoded size rules.
void LayoutSize(const PictureRecord& picture, const RgbImage& decoded, bool reduced, int& width, int& height) {
    width = decoded.width;
    height = decoded.height;
    if (!reduced || picture.width <= 0 || picture.height <= 0) return;
    for (int denominator : {1, 2, 4, 8}) {
        if ((picture.width + denominator - 1) / denominator == decoded.width &&
            (picture.height + denominator - 1) / denominator == decoded.height) {
            width = picture.width;
            height = picture.height;
            return;
        }
    }
}

}  // namespace

void FreeComposedPicture(RgbImage& image) {
    std::free(image.pixels);
    image = RgbImage{};
}

int ComposePicture(RgbImage& out,
                   const PictureRecord& picture,
                   int targetWidth,
                   int targetHeight,
                   int resizeFilter,
                   const AreaRect* area,
                   uint8_t presentation,
                   uint32_t backgroundColour,
                   uint32_t flags) {
    // 1. The area.
    int originX = 0;
    int originY = 0;
    int areaWidth = targetWidth;
    int areaHeight = targetHeight;
    if (area != nullptr) {
        // Edges far apart could overflow a 32-bit difference: such an area is refused.
        int64_t width = static_cast<int64_t>(area->right) - area->left;
        int64_t height = static_cast<int64_t>(area->bottom) - area->top;
        if (width > INT32_MAX || height > INT32_MAX) return kFailure;
        originX = area->left;
        originY = area->top;
        areaWidth = static_cast<int>(width);
        areaHeight = static_cast<int>(height);
    }
    if (targetWidth <= 0 || targetHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return kFailure;

    // 2. The area canvas. It gets the background colour once the layout is known, everywhere
    //    the stretched picture will not cover.
    OwnedImage canvas(OwnedImage::Memory::Heap);
    int result = AllocateCanvas(areaWidth, areaHeight, canvas.Get());
    if (result != 0) return result;

    // 3. The picture. The stretched presentations shrink it anyway: when it is at least twice
    //    the size they need (planned from the size stored with it), it is decoded at the
    //    smallest reduction that still covers that size.
    int coverWidth = 0;
    int coverHeight = 0;
    if ((presentation == 2 || presentation == 3) && picture.width > 0 && picture.height > 0) {
        PicturePlacement planned = PlacePicture(areaWidth, areaHeight, picture.width, picture.height, presentation);
        if (planned.width > 0 && planned.height > 0 && picture.width / 2 >= planned.width &&
            picture.height / 2 >= planned.height) {
            coverWidth = planned.width;
            coverHeight = planned.height;
        }
    }
    OwnedImage decoded(OwnedImage::Memory::Codec);
    if (!DecodePayload(picture, coverWidth, coverHeight, decoded.Get())) return kFailure;

    // 4. Greyscale before the layout; the background is never converted.
    RgbImage& image = decoded.Get();
    if ((flags & kComposeGreyscale) != 0 &&
        !GreyscaleRgb(image.pixels, image.width, image.height, 3, image.width * 3, false)) {
        return kFailure;
    }

    // 5. The layout.
    int fullWidth = 0;
    int fullHeight = 0;
    LayoutSize(picture, image, coverWidth > 0, fullWidth, fullHeight);
    PicturePlacement placement = PlacePicture(areaWidth, areaHeight, fullWidth, fullHeight, presentation);
    if (placement.width < 1) placement.width = 1;  // a hair-thin picture still keeps one pixel
    if (placement.height < 1) placement.height = 1;
    if (presentation == 2 || presentation == 3) {
        FillAround(canvas.Get(), backgroundColour, placement.x, placement.y, placement.x + placement.width,
                   placement.y + placement.height);
    } else {
        FillAround(canvas.Get(), backgroundColour, 0, 0, 0, 0);
    }
    result = LayOut(image, canvas.Get(), placement, presentation, resizeFilter);
    if (result != 0) return result;
    decoded.Reset();

    // 6. The title; a failure to draw it is ignored.
    if ((flags & kComposeTitle) != 0) (void)DrawPictureTitle(canvas.Get(), picture.title);

    // 7. The final canvas. An area that is the whole target already is the result.
    if (originX == 0 && originY == 0 && areaWidth == targetWidth && areaHeight == targetHeight) {
        out = canvas.Release();
        return 0;
    }
    OwnedImage final(OwnedImage::Memory::Heap);
    if (CreateRgbCanvas(targetWidth, targetHeight, backgroundColour, final.Get()) != 0) return kOutOfMemory;
    if (!DrawOnto(canvas.Get(), final.Get(), originX, originY)) return kFailure;
    out = final.Release();
    return 0;
}
