#include "ui/control_subclasses_win32.h"

#include <commctrl.h>

#include "base/name_characters.h"
#include "ui/window_messages_win32.h"

namespace {

// Subclass ids, one per procedure, so that one control may carry several.
enum SubclassId : UINT_PTR {
    kSkinnedControlSubclass = 1,
    kKeyForwardingSubclass = 2,
    kCursorForwardingSubclass = 3,
    kNameFilterSubclass = 4,
};

void ForwardToParent(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(GetParent(control), message, wParam, lParam);
}

bool IsKey(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP;
}

// What every procedure does last: hand the message on, and let go of the control as it goes,
// since a subclass must be gone before its window is.
LRESULT PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam, SUBCLASSPROC procedure, UINT_PTR id) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, procedure, id);
    return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT CALLBACK
SkinnedControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) noexcept {
    if (message == WM_SETFOCUS) {
        ForwardToParent(control, WM_APP_SET_FOCUS_CONTROL, reinterpret_cast<WPARAM>(control), 0);
    } else if (IsKey(message)) {
        ForwardToParent(control, message, wParam, lParam);
    }
    return PassOn(control, message, wParam, lParam, SkinnedControlProcedure, id);
}

LRESULT CALLBACK
KeyForwardingProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) noexcept {
    if (IsKey(message)) ForwardToParent(control, message, wParam, lParam);
    return PassOn(control, message, wParam, lParam, KeyForwardingProcedure, id);
}

LRESULT CALLBACK
CursorForwardingProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) noexcept {
    if (message == WM_SETCURSOR) {
        ForwardToParent(control, message, wParam, lParam);
        return TRUE;
    }
    return PassOn(control, message, wParam, lParam, CursorForwardingProcedure, id);
}

LRESULT CALLBACK
NameFilterProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) noexcept {
    if (message == WM_CHAR && !IsAllowedNameCharacter(static_cast<uint32_t>(wParam))) {
        MessageBeep(0);
        return 0;
    }
    return PassOn(control, message, wParam, lParam, NameFilterProcedure, id);
}

bool Subclass(HWND control, SUBCLASSPROC procedure, SubclassId id) {
    return control != nullptr && SetWindowSubclass(control, procedure, id, 0) != FALSE;
}

}  // namespace

bool SubclassSkinnedControl(HWND control) {
    return Subclass(control, SkinnedControlProcedure, kSkinnedControlSubclass);
}

bool SubclassKeyForwarding(HWND control) {
    return Subclass(control, KeyForwardingProcedure, kKeyForwardingSubclass);
}

bool SubclassCursorForwarding(HWND control) {
    return Subclass(control, CursorForwardingProcedure, kCursorForwardingSubclass);
}

bool SubclassNameFilter(HWND edit) {
    return Subclass(edit, NameFilterProcedure, kNameFilterSubclass);
}
