#include "ui/skinned_window_win32.h"

#include <vector>

#include "ui/skin_cursors_win32.h"
#include "ui/skinned_controls_win32.h"
#include "ui/skinned_window_rules.h"
#include "ui/window_messages_win32.h"

namespace {

// The system's drag of a window by its caption, asked for from anywhere in the window.
constexpr WPARAM kMoveByMouse = SC_MOVE + 2;

void RepaintIfButton(const Skin& skin, HWND window) {
    const SkinElement* element = FindElementByWindow(skin, window);
    if (element != nullptr && element->kind == kSkinButton) InvalidateRect(window, nullptr, FALSE);
}

LRESULT OnColourStatic(const SkinnedWindow& state, HDC dc, HWND control, bool& handled) {
    HBRUSH brush = ColourSkinLabel(state.skin, dc, control);
    handled = brush != nullptr;
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT OnSystemCommand(const SkinnedWindow& state,
                        const SkinnedWindowRules& rules,
                        HWND window,
                        WPARAM command,
                        bool& handled) {
    handled = (command & 0xFFF0) == SC_CLOSE && rules.closeButtonId != 0;
    if (!handled) return 0;
    const SkinElement* button = FindElementById(state.skin, rules.closeButtonId);
    HWND buttonWindow = button != nullptr ? button->window : nullptr;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(rules.closeButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(buttonWindow));
    return 0;
}

LRESULT OnKeyDown(const SkinnedWindow& state, HWND window, WPARAM key, bool& handled) {
    handled = key == VK_TAB || key == VK_ESCAPE;
    if (key == VK_TAB) MoveSkinFocus(state, GetKeyState(VK_SHIFT) < 0);
    if (key == VK_ESCAPE) SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

}  // namespace

void TrackSkinHover(SkinnedWindow& state, HWND underCursor) {
    if (underCursor != state.hovered) {
        RepaintIfButton(state.skin, state.hovered);
        RepaintIfButton(state.skin, underCursor);
        state.hovered = underCursor;
    }
    const SkinElement* element = FindElementByWindow(state.skin, underCursor);
    SetCursor(SkinCursor(element != nullptr && element->cursor == kSkinHandCursor));
}

void MoveSkinFocus(const SkinnedWindow& state, bool backwards) {
    const SkinElement* focused = FindElementByWindow(state.skin, state.focused);
    if (focused == nullptr) return;
    std::vector<FocusLink> links;
    links.reserve(state.skin.elements.size());
    for (const SkinElement& element : state.skin.elements) {
        const bool enabled = element.window != nullptr && IsWindowEnabled(element.window);
        links.push_back({element.controlId, element.nextId, element.previousId, enabled});
    }
    const uint32_t target = WalkFocus(links, focused->controlId, backwards);
    const SkinElement* next = target != 0 ? FindElementById(state.skin, target) : nullptr;
    if (next != nullptr) SetFocus(next->window);
}

bool HandleSkinnedWindowMessage(SkinnedWindow& state,
                                const SkinnedWindowRules& rules,
                                HWND window,
                                UINT message,
                                WPARAM wParam,
                                LPARAM lParam,
                                LRESULT& result) noexcept {
    bool handled = true;
    switch (message) {
        case WM_ERASEBKGND:
            PaintSkinBackground(state.skin, reinterpret_cast<HDC>(wParam));
            result = 1;
            break;
        case WM_CTLCOLORSTATIC:
            result = OnColourStatic(state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), handled);
            break;
        case WM_SETCURSOR:
            TrackSkinHover(state, reinterpret_cast<HWND>(wParam));
            result = 1;
            break;
        case WM_DRAWITEM:
            handled = DrawSkinButton(state.skin, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), state.hovered);
            result = handled ? 1 : 0;
            break;
        case WM_SYSCOMMAND:
            result = OnSystemCommand(state, rules, window, wParam, handled);
            break;
        case WM_LBUTTONDOWN:
            handled = rules.dragByBackground;
            if (handled) SendMessageA(window, WM_SYSCOMMAND, kMoveByMouse, 0);
            result = 0;
            break;
        case WM_APP_SET_FOCUS_CONTROL:
            state.focused = reinterpret_cast<HWND>(wParam);
            result = 0;
            break;
        case WM_KEYDOWN:
            handled = rules.moveFocusWithKeys;
            if (handled) result = OnKeyDown(state, window, wParam, handled);
            break;
        default:
            handled = false;
            break;
    }
    return handled;
}
