// The shape of every window procedure of the programs. A window keeps its state in a
// structure of its own, attached to the window's GWLP_USERDATA when the window is created
// (the creation parameter of CreateWindowEx, at WM_NCCREATE) or when a dialog starts (the
// parameter of DialogBoxParam or CreateDialogParam, at WM_INITDIALOG). The procedure fetches
// the state and only dispatches: one OnXxx function per message, each a function of the
// state and the message's parameters, so painting and decisions can run without a window.
// Child controls are subclassed with SetWindowSubclass, never through GWLP_WNDPROC, so the
// user data of every window stays free for its state.
//
//     struct ViewerWindow {
//         Skin skin;
//         HWND hovered = nullptr;
//     };
//
//     LRESULT CALLBACK ViewerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
//         ViewerWindow* state = AttachedWindowState<ViewerWindow>(window, message, lParam);
//         if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
//         switch (message) {
//             case WM_ERASEBKGND:
//                 return OnEraseBackground(*state, reinterpret_cast<HDC>(wParam));
//             case WM_DRAWITEM:
//                 return OnDrawItem(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
//             default:
//                 return DefWindowProcA(window, message, wParam, lParam);
//         }
//     }
//
//     ViewerWindow viewer;  // outlives its window
//     CreateWindowExA(0, className, title, style, x, y, width, height, nullptr, nullptr, instance, &viewer);
//
// Procedures are noexcept: nothing may unwind through the system's code that calls them.
#pragma once

#include <windows.h>

// The state attached to `window`: taken from the creation parameter and attached at
// WM_NCCREATE, fetched from the user data afterwards. Null for the few messages that come
// before WM_NCCREATE (they get the default handling).
template <typename State>
[[nodiscard]] State* AttachedWindowState(HWND window, UINT message, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<State*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return state;
    }
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The same for a dialog: the state is the dialog's parameter, attached at WM_INITDIALOG.
template <typename State>
[[nodiscard]] State* AttachedDialogState(HWND dialog, UINT message, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        return reinterpret_cast<State*>(lParam);
    }
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}
