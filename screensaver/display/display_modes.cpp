#include "screensaver/display/display_modes.h"

namespace {

constexpr uint32_t kMinimumWidth = 640;
constexpr uint32_t kMinimumHeight = 480;
constexpr uint32_t kMinimumBitsPerPixel = 16;

bool SameMode(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel &&
           a.refreshRate == b.refreshRate;
}

}  // namespace

bool RecordDisplayMode(std::vector<DisplayMode>& modes, const DisplayMode& reported) {
    if (modes.size() >= kMaxDisplayModes) return false;
    if (reported.width >= kMinimumWidth && reported.height >= kMinimumHeight &&
        reported.bitsPerPixel >= kMinimumBitsPerPixel) {
        modes.push_back(reported);
    }
    return modes.size() < kMaxDisplayModes;
}

int FindDisplayMode(const std::vector<DisplayMode>& modes, const DisplayMode& wanted) {
    for (size_t i = 0; i < modes.size(); ++i) {
        if (SameMode(modes[i], wanted)) return static_cast<int>(i);
    }
    return -1;
}
