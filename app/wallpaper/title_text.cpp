#include "app/wallpaper/title_text.h"

bool DrawPictureTitle(const RgbView& canvas, const char* title) {
    AreaRect shadow{0, 11, canvas.width - 11, canvas.height};
    AreaRect text{0, 10, canvas.width - 12, canvas.height};
    bool shadowDrawn = DrawRightAlignedText(canvas, title, shadow, kTitleShadowColour);
    bool textDrawn = DrawRightAlignedText(canvas, title, text, kTitleColour);
    return shadowDrawn && textDrawn;
}
