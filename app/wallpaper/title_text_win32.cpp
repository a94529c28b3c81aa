// Title text in the Windows build: the codec layer's DrawTextRgb renders the text with the
// system's text drawing into a one-bit mask and blends it onto the canvas.
#include <windows.h>

#include <cstring>

#include "app/wallpaper/title_text.h"
#include "win32/gdi_bridge_win32.h"

bool DrawRightAlignedText(const RgbView& canvas, const char* text, const AreaRect& box, uint32_t colour) {
    if (text == nullptr || text[0] == 0) return true;
    LOGFONTA font = {};
    font.lfHeight = -kTitleFontHeight;  // -MulDiv(12, 96, 72): 12 points at a fixed 96 dpi
    font.lfWeight = kTitleFontWeight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strcpy(font.lfFaceName, "Arial");
    const RECT area = {box.left, box.top, box.right, box.bottom};
    return DrawTextRgb(canvas, text, font, area, DT_RIGHT, 0, colour);
}

bool IsTitleDrawingAvailable() {
    return true;
}
