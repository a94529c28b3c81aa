// The picture title of a composed wallpaper: Arial 12 pt bold at 96 dpi (a character height
// of 16 pixels), right-aligned in the top right corner of the area, drawn twice: a dark grey
// shadow (0x404040) in the rectangle (0, 11, W - 11, H), then pure green (0x00FF00) in
// (0, 10, W - 12, H).
//
// The Windows build draws with the system's text drawing (DrawTextRgb); the host build draws
// the same font metrics with FreeType and Liberation Sans Bold. Where the host cannot find
// that font, IsTitleDrawingAvailable says so and DrawPictureTitle fails.
#pragma once

#include <cstdint>

#include "app/wallpaper/picture_layout.h"
#include "codec/pixels/rgb_view.h"

constexpr uint32_t kTitleShadowColour = 0x404040;
constexpr uint32_t kTitleColour = 0x00FF00;
constexpr int kTitleFontHeight = 16;  // -MulDiv(12, 96, 72)
constexpr int kTitleFontWeight = 700;

// Both passes onto the area canvas. False when the text could not be drawn (the caller
// ignores it, as any failure of the title).
[[nodiscard]] bool DrawPictureTitle(const RgbView& canvas, const char* title);

// Draws one line of `text` (system code page) right-aligned in `box`, in `colour` (a
// COLORREF, red in the low byte), clipped to the box, with no smoothing. Nothing is drawn,
// and the call succeeds, for an empty text or a box that does not lie inside the image.
[[nodiscard]] bool DrawRightAlignedText(const RgbView& canvas, const char* text, const AreaRect& box, uint32_t colour);

// Whether this build can draw titles (the host needs the Liberation Sans Bold font).
[[nodiscard]] bool IsTitleDrawingAvailable();
