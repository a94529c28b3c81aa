#include "ui/skin_cursors_win32.h"

namespace {

// Cursors loaded from resources are shared by the system and never destroyed by their user.
HCURSOR g_hand = nullptr;
HCURSOR g_arrow = nullptr;

HCURSOR LoadCursorOrSystem(bool own, const char* resource, LPCSTR system) {
    HCURSOR cursor = own ? LoadCursorA(GetModuleHandleA(nullptr), resource) : nullptr;
    return cursor != nullptr ? cursor : LoadCursorA(nullptr, system);
}

}  // namespace

void LoadSkinCursors(bool ownCursors) {
    g_hand = LoadCursorOrSystem(ownCursors, "CURSORHAND", IDC_HAND);
    g_arrow = LoadCursorOrSystem(ownCursors, "CURSORNORMAL", IDC_ARROW);
}

HCURSOR SkinCursor(bool hand) {
    HCURSOR loaded = hand ? g_hand : g_arrow;
    return loaded != nullptr ? loaded : LoadCursorA(nullptr, hand ? IDC_HAND : IDC_ARROW);
}
