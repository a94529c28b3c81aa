#include "ui/window_placement.h"

namespace {

int Width(const ScreenRect& rect) {
    return rect.right - rect.left;
}

int Height(const ScreenRect& rect) {
    return rect.bottom - rect.top;
}

}  // namespace

ScreenPoint CenteredPosition(const ScreenRect& window,
                             const ScreenRect* reference,
                             const ScreenRect& workArea,
                             bool keepInside) {
    const ScreenRect& around = reference != nullptr ? *reference : workArea;
    const int width = Width(window);
    const int height = Height(window);
    // Integer division truncates toward zero, also when the window is the larger one.
    ScreenPoint at = {around.left + (Width(around) - width) / 2, around.top + (Height(around) - height) / 2};
    if (!keepInside) return at;
    if (at.x + width >= workArea.right) at.x = workArea.right - width;
    if (at.y + height >= workArea.bottom) at.y = workArea.bottom - height;
    if (at.x < workArea.left) at.x = workArea.left;
    if (at.y < workArea.top) at.y = workArea.top;
    return at;
}
