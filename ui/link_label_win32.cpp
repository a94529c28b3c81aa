#include "ui/link_label_win32.h"

#include <shellapi.h>

#include <cstring>

#include "ui/control_subclasses_win32.h"
#include "ui/resource_sound.h"
#include "ui/skin_cursors_win32.h"
#include "ui/skin_fonts_win32.h"
#include "ui/window_helpers_win32.h"

namespace {

constexpr COLORREF kLinkHoveredColour = 0x660000;  // dark blue
constexpr COLORREF kLinkColour = 0xCC3300;         // blue

bool IsWebAddress(const char* target) {
    return std::strstr(target, "://") != nullptr;
}

}  // namespace

void StartLinkLabel(LinkLabel& label, HWND dialog, int controlId, uint8_t fontIndex) {
    label.link = GetDlgItem(dialog, controlId);
    label.hovered = dialog;
    if (label.link == nullptr) return;
    label.font.Create(dialog, fontIndex);
    if (HFONT font = label.font.Get()) SendMessageA(label.link, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // Without it the dialog never hears of the cursor over the link; the link still opens.
    (void)SubclassCursorForwarding(label.link);
}

void TrackLinkHover(LinkLabel& label, HWND underCursor) {
    if (underCursor != label.hovered) {
        if (label.link != nullptr && (underCursor == label.link || label.hovered == label.link)) {
            InvalidateRect(label.link, nullptr, TRUE);
        }
        label.hovered = underCursor;
    }
    SetCursor(SkinCursor(underCursor != nullptr && underCursor == label.link));
}

HBRUSH ColourLinkLabel(const LinkLabel& label, HDC dc, HWND control) {
    if (control == nullptr || control != label.link) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.hovered == label.link ? kLinkHoveredColour : kLinkColour);
    return GetSysColorBrush(COLOR_BTNFACE);
}

bool IsLinkClick(const LinkLabel& label, WPARAM command) {
    return label.link != nullptr && HIWORD(command) == STN_CLICKED &&
           LOWORD(command) == static_cast<WORD>(GetDlgCtrlID(label.link));
}

void OpenLinkTarget(const char* target) {
    if (target == nullptr || *target == '\0') return;
    // A click without its sound is still a click.
    (void)PlayResourceSound("WavClick");
    if (IsWebAddress(target)) {
        (void)OpenInBrowser(target);  // a failure is silent
    } else {
        ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
    }
}

bool HandleLinkLabelMessage(LinkLabel& label,
                            HWND dialog,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            INT_PTR& result) {
    if (message == WM_SETCURSOR) {
        TrackLinkHover(label, reinterpret_cast<HWND>(wParam));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);  // the cursor is set; nobody resets it
        result = TRUE;
        return true;
    }
    if (message == WM_CTLCOLORSTATIC) {
        HBRUSH brush = ColourLinkLabel(label, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        result = reinterpret_cast<INT_PTR>(brush);
        return brush != nullptr;
    }
    return false;
}
