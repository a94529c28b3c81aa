#include "app/main_window/window_presence.h"

#include "base/round_half_down.h"

namespace {
constexpr size_t kTooltipCharacters = 63;  // NOTIFYICONDATA's 64-character field with its NUL
}  // namespace

WindowPoint MainWindowPosition(const WindowPoint& remembered,
                               int screenWidth,
                               int screenHeight,
                               int skinWidth,
                               int skinHeight) {
    if (remembered.x != kWindowNotPlaced || remembered.y != kWindowNotPlaced) return remembered;
    return {RoundHalfDown((screenWidth - skinWidth) / 2.0), RoundHalfDown((screenHeight - skinHeight) / 2.0)};
}

std::string TrayTooltip(std::string_view currentName) {
    std::string tooltip = "Tapestrique";
    if (currentName.empty()) return tooltip;
    tooltip += " - ";
    tooltip += currentName;
    if (tooltip.size() > kTooltipCharacters) tooltip.resize(kTooltipCharacters);
    return tooltip;
}
