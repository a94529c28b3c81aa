// ComposePicture lays one collection picture out on a canvas: the wallpaper at screen size,
// the previews, the notification thumbnail. The picture's JPEG payload is decoded from
// memory, optionally turned grey, placed by the presentation (tiled, centred, stretched,
// stretched keeping the aspect ratio) inside the area, optionally titled in the area's top
// right corner, and the area is put on a canvas of the target size in the background colour.
//
//     ComposeRequest request{.targetWidth = 1024, .targetHeight = 768, .flags = kComposeTitle};
//     OwnedRgbImage wallpaper;
//     if (ComposePicture(record, request, wallpaper) == kComposeOk) { ... }
//
// Nothing is left allocated on failure.
//
// Where the picture is shrunk anyway (stretched presentations) and is at least twice the size
// it needs, the JPEG is decoded at a reduced scale that still covers that size; the layout
// always follows the picture's full size. At most the decoded picture, one resized copy, the
// area canvas and the result exist at once.
#pragma once

#include <cstdint>
#include <optional>

#include "app/wallpaper/picture_layout.h"
#include "codec/pixels/owned_rgb_image.h"
#include "codec/resample/resample.h"  // kResizeBicubic and the filter indices
#include "collection/picture_record.h"

enum ComposeFlags : uint32_t {
    kComposeGreyscale = 1,  // the picture (never the background) turned grey
    kComposeTitle = 2,      // the picture's title in the area's top right corner
};

enum ComposeResult : int {
    kComposeOk = 0,
    kComposeFailed = 1,  // the payload does not decode, a resize or drawing failed, bad sizes
    kComposeOutOfMemory = 8,
};

struct ComposeRequest {
    int targetWidth = 0;
    int targetHeight = 0;
    int resizeFilter = kResizeBicubic;  // or a ResampleFilter
    std::optional<AreaRect> area;       // none: the picture is laid out over the whole target
    uint8_t presentation = 0;           // 0 tiled, 1 centred, 2 stretched, 3 keeping the aspect ratio
    uint32_t backgroundColour = 0;      // COLORREF (0x00BBGGRR)
    uint32_t flags = 0;                 // ComposeFlags
};

[[nodiscard]] ComposeResult ComposePicture(const PictureRecord& picture,
                                           const ComposeRequest& request,
                                           OwnedRgbImage& out);
