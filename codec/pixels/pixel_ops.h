// In-place and blending operations on 24-bit (or 32-bit) pixel buffers, and blank canvases.
// Every function takes the row stride in bytes; the rest of the system passes width × 3.
// Failures leave their code in the calling thread's codec state.
#pragma once

#include <cstdint>

#include "codec/pixels/rgb_image.h"

// Turns every pixel grey: grey = (306 × red + 601 × green + 117 × blue) >> 10, written to the
// three colour bytes. With `blueFirst` clear a pixel starts with red, set it starts with
// blue; a fourth byte is left alone. Error 5 for bytes per pixel other than 3 or 4, a null
// buffer, a negative size or a stride shorter than a row.
[[nodiscard]] bool GreyscaleRgb(unsigned char* pixels,
                                int width,
                                int height,
                                int bytesPerPixel,
                                int stride,
                                bool blueFirst);

// Blends the source picture into the target with its top-left corner at (x, y), clipped to
// the target. `opacity` is clamped to 0..1; 1 copies, 0 leaves the target alone.
[[nodiscard]] bool OverlayRgb(const unsigned char* source,
                              int sourceWidth,
                              int sourceHeight,
                              int sourceStride,
                              unsigned char* target,
                              int targetWidth,
                              int targetHeight,
                              int targetStride,
                              int x,
                              int y,
                              double opacity);

// Results of the whole-picture operations (CreateRgbCanvas, ResizeRgbImage), in the
// system's general result codes rather than the codec's error table.
enum RgbImageResult : int {
    kRgbImageOk = 0,
    kRgbImageFailed = 1,
    kRgbImageOutOfMemory = 8,
};

// A picture of `width` × `height` filled with `colour` (a COLORREF: red in the low byte), on
// the ordinary heap (release with free). Returns 0, 8 when memory runs out, 1 for a size
// that is not positive.
[[nodiscard]] int CreateRgbCanvas(int width, int height, uint32_t colour, RgbImage& out);
