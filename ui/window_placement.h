// Where CenterWindow puts a window: centred on a reference rectangle (or on the desktop's
// work area), then, when asked, pushed back inside the work area. Screen coordinates; the
// window's size never changes.
#pragma once

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

// The new top-left corner of `window`. Without a reference it is centred in the work area.
// Keeping inside moves the right and bottom edges in first and the left and top edges last,
// so a window larger than the work area keeps its top-left corner on screen.
[[nodiscard]] ScreenPoint CenteredPosition(const ScreenRect& window,
                                           const ScreenRect* reference,
                                           const ScreenRect& workArea,
                                           bool keepInside);
