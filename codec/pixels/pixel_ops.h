// In-place and blending operations on 24-bit pictures (and greyscale on frames), and blank
// canvases. Pictures arrive as views, so an operation works on any rows of any buffer (a
// rectangle inside a canvas, a padded device bitmap). Failures leave their code in the
// calling thread's codec state.
#pragma once

#include <cstdint>

#include "codec/pixels/frame.h"
#include "codec/pixels/owned_rgb_image.h"
#include "codec/pixels/rgb_view.h"

// Turns every pixel grey: grey = (306 × red + 601 × green + 117 × blue) >> 10, written to the
// three colour bytes. Error 5 for a view without pixels, a negative size or a stride shorter
// than a row.
[[nodiscard]] bool GreyscaleRgb(const RgbView& picture);
// The same on a frame (blue, green, red, unused); the fourth byte is left alone.
[[nodiscard]] bool GreyscaleFrame(const Frame& frame);

// Blends `source` into `target` with its top-left corner at (x, y), clipped to the target.
// `opacity` is clamped to 0..1; 1 copies, 0 leaves the target alone.
[[nodiscard]] bool OverlayRgb(const ConstRgbView& source, const RgbView& target, int x, int y, double opacity);

// A picture of `width` × `height` filled with `colour` (a COLORREF: red in the low byte), on
// the ordinary heap. Returns 0, 8 when memory runs out, 1 for a size that is not positive.
[[nodiscard]] RgbImageResult CreateRgbCanvas(int width, int height, uint32_t colour, OwnedRgbImage& out);
// Sets every pixel of the rows [top, bottom) and columns [left, right) of `target` to the
// COLORREF colour; the rectangle is clipped to the picture.
void FillRgb(const RgbView& target, uint32_t colour, int left, int top, int right, int bottom);
