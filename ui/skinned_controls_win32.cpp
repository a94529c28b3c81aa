#include "ui/skinned_controls_win32.h"

#include "ui/skinned_window_rules.h"
#include "win32/gdi_bridge_win32.h"

uint8_t SkinButtonStateFor(UINT itemState, bool hovered) {
    ButtonDrawFlags flags;
    flags.disabled = (itemState & ODS_DISABLED) != 0;
    flags.pressed = (itemState & ODS_SELECTED) != 0;
    flags.focused = (itemState & ODS_FOCUS) != 0;
    flags.focusRectHidden = (itemState & ODS_NOFOCUSRECT) != 0;
    return ButtonStateNumber(flags, hovered);
}

void PaintSkinBackground(const Skin& skin, HDC dc) {
    if (!skin.background.IsValid()) return;
    // A face that cannot be drawn leaves the window as it was; there is nothing else to show.
    (void)DrawBitmapToDc(dc, skin.background.Get(), 0, 0, skin.backgroundWidth, skin.backgroundHeight, nullptr);
}

HBRUSH ColourSkinLabel(const Skin& skin, HDC dc, HWND control) {
    const SkinElement* element = FindElementByWindow(skin, control);
    if (element == nullptr || element->kind != kSkinLabel) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, element->textColour);
    if (element->backgroundBrush.IsValid()) return element->backgroundBrush.Get();
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

bool DrawSkinButton(const Skin& skin, const DRAWITEMSTRUCT& item, HWND hovered) {
    const SkinElement* element = FindElementById(skin, item.CtlID);
    if (element == nullptr) return false;
    const bool isHovered = item.hwndItem != nullptr && item.hwndItem == hovered;
    HBITMAP picture = FindStatePicture(*element, SkinButtonStateFor(item.itemState, isHovered));
    if (picture != nullptr) (void)DrawBitmapToDc(item.hDC, picture, 0, 0, element->width, element->height, nullptr);
    return true;
}
