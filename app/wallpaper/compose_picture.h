// ComposePicture lays one collection picture out on a canvas: the wallpaper at screen size,
// the previews, the notification thumbnail. The picture's JPEG payload is decoded from
// memory, optionally turned grey, placed by the presentation (tiled, centred, stretched,
// stretched keeping the aspect ratio) inside the area, optionally titled in the area's top
// right corner, and the area is put on a canvas of the target size in the background colour.
//
//     RgbImage wallpaper;
//     int result = ComposePicture(wallpaper, record, 1024, 768, -1, nullptr, 3, 0x000000,
//                                 kComposeTitle);
//     if (result == 0) { ...; FreeComposedPicture(wallpaper); }
//
// Results: 0 success, 8 out of memory, 1 any other failure (payload does not decode, resize
// or drawing failed, bad sizes). Nothing is left allocated on failure.
//
// Where the picture is shrunk anyway (stretched presentations) and is at least twice the size
// it needs, the JPEG is decoded at a reduced scale that still covers that size; the layout
// always follows the picture's full size. At most the decoded picture, one resized copy, the
// area canvas and the result exist at once.
#pragma once

#include <cstdint>

#include "app/wallpaper/picture_layout.h"
#include "codec/resample/resample.h"  // kResizeBicubic and the filter indices
#include "codec/pixels/rgb_image.h"
#include "collection/picture_record.h"

constexpr uint32_t kComposeGreyscale = 1;  // flags bit 0
constexpr uint32_t kComposeTitle = 2;      // flags bit 1

// `area` null lays the picture out over the whole target. `backgroundColour` is a COLORREF
// (0x00BBGGRR).
[[nodiscard]] int ComposePicture(RgbImage& out,
                                 const PictureRecord& picture,
                                 int targetWidth,
                                 int targetHeight,
                                 int resizeFilter,
                                 const AreaRect* area,
                                 uint8_t presentation,
                                 uint32_t backgroundColour,
                                 uint32_t flags);

// Releases the pixels of a composed picture (they live on the ordinary heap).
void FreeComposedPicture(RgbImage& image);
