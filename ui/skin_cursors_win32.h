// The two cursors of skinned windows: the hand over controls whose skin asks for it, the
// arrow elsewhere. Systems before Windows 2000 have no hand cursor, so the programs bring
// their own ("CURSORHAND" and "CURSORNORMAL" in the executable's resources); later systems
// use theirs, which follow the user's cursor scheme. Chosen once at start-up, before any
// window, and read by every window afterwards. Windows only.
#pragma once

#include <windows.h>

// With `ownCursors` the executable's cursors, else the system's; an own cursor that the
// executable lacks falls back to the system's.
void LoadSkinCursors(bool ownCursors);

// The hand or the arrow (the system's before LoadSkinCursors).
[[nodiscard]] HCURSOR SkinCursor(bool hand);
