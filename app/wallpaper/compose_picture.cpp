#include "app/wallpaper/compose_picture.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "app/wallpaper/title_text.h"
#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/image_source.h"
#include "codec/pixels/pixel_ops.h"
#include "codec/resample/resample.h"

namespace {

ComposeResult ComposeResultOf(RgbImageResult result) {
    switch (result) {
        case kRgbImageOk:
            return kComposeOk;
        case kRgbImageOutOfMemory:
            return kComposeOutOfMemory;
        default:
            return kComposeFailed;
    }
}

// Fills every pixel of the canvas outside the rectangle [left, right) x [top, bottom) (which
// may be empty or reach outside the canvas) with the COLORREF colour.
void FillAround(const RgbView& canvas, uint32_t colour, int left, int top, int right, int bottom) {
    left = std::clamp(left, 0, canvas.width);
    right = std::clamp(right, left, canvas.width);
    top = std::clamp(top, 0, canvas.height);
    bottom = std::clamp(bottom, top, canvas.height);
    if (left == right) top = bottom = 0;  // an empty rectangle covers nothing
    FillRgb(canvas, colour, 0, 0, canvas.width, top);
    FillRgb(canvas, colour, 0, bottom, canvas.width, canvas.height);
    FillRgb(canvas, colour, 0, top, left, bottom);
    FillRgb(canvas, colour, right, top, canvas.width, bottom);
}

// Decodes the payload at 24 bits; with coverWidth positive the decoder may reduce it by 1/2,
// 1/4 or 1/8 as long as it still covers coverWidth x coverHeight.
bool DecodePayload(const PictureRecord& picture, int coverWidth, int coverHeight, OwnedRgbImage& out) {
    if (picture.payload == nullptr || picture.payloadSize == 0) return false;
    ImageSource* source = OpenMemorySource(picture.payload, picture.payloadSize);
    if (source == nullptr) return false;
    RgbImage decoded;
    bool done =
        coverWidth > 0 ? DecodeJpegScaled(source, coverWidth, coverHeight, decoded) : DecodeJpeg(source, 24, decoded);
    out = AdoptCodecPicture(decoded);
    (void)CloseSource(source);
    return done && !out.IsEmpty() && out.Width() > 0 && out.Height() > 0;
}

// Opacity-1 overlay, clipped to the target. False when nothing of the source lands on it or
// the overlay fails.
bool DrawOnto(const ConstRgbView& source, const RgbView& target, int x, int y) {
    if (x >= target.width || y >= target.height || x + source.width <= 0 || y + source.height <= 0) return false;
    return OverlayRgb(source, target, x, y, 1.0);
}

// Resizes `picture` straight into the canvas rectangle the placement gives, which lies inside
// the canvas: no resized copy is needed.
ComposeResult ResizeInto(const ConstRgbView& picture,
                         const RgbView& canvas,
                         const PicturePlacement& placement,
                         int filter) {
    if (placement.x < 0 || placement.y < 0 || placement.width > canvas.width - placement.x ||
        placement.height > canvas.height - placement.y) {
        return kComposeFailed;
    }
    RgbView target = RegionOf(canvas, placement.x, placement.y, placement.width, placement.height);
    if (ResizeRgbWithFilter(picture, target, filter)) return kComposeOk;
    return GetLastCodecError() == kCodecOutOfMemory ? kComposeOutOfMemory : kComposeFailed;
}

// Lays the decoded picture out on the area canvas.
ComposeResult LayOut(const ConstRgbView& picture,
                     const RgbView& area,
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
            return anyDrawn ? kComposeOk : kComposeFailed;
        }
        case 1:
            return DrawOnto(picture, area, placement.x, placement.y) ? kComposeOk : kComposeFailed;
        case 2:
        case 3:
            // The stretched picture covers the area (2) or lies centred inside it (3).
            return ResizeInto(picture, area, placement, resizeFilter);
        default:
            return kComposeOk;  // unknown presentation: the area keeps its background
    }
}

// The full size of the picture for the layout. A reduced decode is laid out by the size
// stored with the picture, as long as the decoded size is one of its reductions; otherwise
// (a record whose stored size does not match its payload) the decoded size rules.
void LayoutSize(const PictureRecord& picture, const OwnedRgbImage& decoded, bool reduced, int& width, int& height) {
    width = decoded.Width();
    height = decoded.Height();
    if (!reduced || picture.width <= 0 || picture.height <= 0) return;
    for (int denominator : {1, 2, 4, 8}) {
        if ((picture.width + denominator - 1) / denominator == decoded.Width() &&
            (picture.height + denominator - 1) / denominator == decoded.Height()) {
            width = picture.width;
            height = picture.height;
            return;
        }
    }
}

}  // namespace

ComposeResult ComposePicture(const PictureRecord& picture, const ComposeRequest& request, OwnedRgbImage& out) {
    out.Reset();
    const int targetWidth = request.targetWidth;
    const int targetHeight = request.targetHeight;
    const uint8_t presentation = request.presentation;

    // 1. The area.
    int originX = 0;
    int originY = 0;
    int areaWidth = targetWidth;
    int areaHeight = targetHeight;
    if (request.area.has_value()) {
        const AreaRect& area = *request.area;
        // Edges far apart could overflow a 32-bit difference: such an area is refused.
        int64_t width = static_cast<int64_t>(area.right) - area.left;
        int64_t height = static_cast<int64_t>(area.bottom) - area.top;
        if (width > INT32_MAX || height > INT32_MAX) return kComposeFailed;
        originX = area.left;
        originY = area.top;
        areaWidth = static_cast<int>(width);
        areaHeight = static_cast<int>(height);
    }
    if (targetWidth <= 0 || targetHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return kComposeFailed;

    // 2. The area canvas. It gets the background colour once the layout is known, everywhere
    //    the stretched picture will not cover.
    OwnedRgbImage canvas;
    ComposeResult result = ComposeResultOf(AllocateCanvas(areaWidth, areaHeight, canvas));
    if (result != kComposeOk) return result;

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
    OwnedRgbImage decoded;
    if (!DecodePayload(picture, coverWidth, coverHeight, decoded)) return kComposeFailed;

    // 4. Greyscale before the layout; the background is never converted.
    if ((request.flags & kComposeGreyscale) != 0 && !GreyscaleRgb(decoded.View())) return kComposeFailed;

    // 5. The layout.
    int fullWidth = 0;
    int fullHeight = 0;
    LayoutSize(picture, decoded, coverWidth > 0, fullWidth, fullHeight);
    PicturePlacement placement = PlacePicture(areaWidth, areaHeight, fullWidth, fullHeight, presentation);
    if (placement.width < 1) placement.width = 1;  // a hair-thin picture still keeps one pixel
    if (placement.height < 1) placement.height = 1;
    if (presentation == 2 || presentation == 3) {
        FillAround(canvas.View(), request.backgroundColour, placement.x, placement.y, placement.x + placement.width,
                   placement.y + placement.height);
    } else {
        FillAround(canvas.View(), request.backgroundColour, 0, 0, 0, 0);
    }
    result = LayOut(decoded.View(), canvas.View(), placement, presentation, request.resizeFilter);
    if (result != kComposeOk) return result;
    decoded.Reset();

    // 6. The title; a failure to draw it is ignored.
    if ((request.flags & kComposeTitle) != 0) (void)DrawPictureTitle(canvas.View(), picture.title);

    // 7. The final canvas. An area that is the whole target already is the result.
    if (originX == 0 && originY == 0 && areaWidth == targetWidth && areaHeight == targetHeight) {
        out = std::move(canvas);
        return kComposeOk;
    }
    OwnedRgbImage final;
    if (CreateRgbCanvas(targetWidth, targetHeight, request.backgroundColour, final) != kRgbImageOk) {
        return kComposeOutOfMemory;
    }
    if (!DrawOnto(canvas.View(), final.View(), originX, originY)) return kComposeFailed;
    out = std::move(final);
    return kComposeOk;
}
