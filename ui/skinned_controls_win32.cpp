#include "ui/skinned_controls_win32.h"

#include <commctrl.h>

#include "ui/window_messages_win32.h"
#include "win32/gdi_bridge_win32.h"

namespace {

constexpr UINT_PTR kSkinnedControlSubclass = 1;

void OnControlFocused(HWND control) {
    SendMessageA(GetParent(control), WM_APP_SET_FOCUS_CONTROL, reinterpret_cast<WPARAM>(control), 0);
}

void OnControlKey(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(GetParent(control), message, wParam, lParam);
}

LRESULT CALLBACK SkinnedControlProcedure(HWND control,
                                         UINT message,
                                         WPARAM wParam,
                                         LPARAM lParam,
                                         UINT_PTR subclass,
                                         DWORD_PTR) noexcept {
    switch (message) {
        case WM_SETFOCUS:
            OnControlFocused(control);
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            OnControlKey(control, message, wParam, lParam);
            break;
        case WM_NCDESTROY:
            // A subclass must be gone before its window is.
            RemoveWindowSubclass(control, SkinnedControlProcedure, subclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

uint8_t SkinButtonStateFor(UINT itemState, bool hovered) {
    if (itemState & ODS_DISABLED) return kButtonDisabled;
    uint8_t state = kButtonNormal;
    if (hovered) state = kButtonHover;
    if (itemState & ODS_SELECTED) state = kButtonPressed;
    if ((itemState & ODS_FOCUS) && !(itemState & ODS_NOFOCUSRECT)) ++state;
    return state;
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

bool SubclassSkinnedControl(HWND control) {
    return SetWindowSubclass(control, SkinnedControlProcedure, kSkinnedControlSubclass, 0) != FALSE;
}
