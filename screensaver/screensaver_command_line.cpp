#include "screensaver/screensaver_command_line.h"

#include <optional>

#include "app/startup/command_line.h"

namespace {

constexpr std::string_view kPreviewSwitches[] = {"/p", "-p", "/l", "-l"};
constexpr std::string_view kTestPreviewSwitches[] = {"/t", "-t"};
constexpr std::string_view kConfigurationSwitches[] = {"/c", "-c", "/a", "-a"};

// The switch and one separator come before the number.
constexpr size_t kNumberOffset = 3;

bool IsAtoiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The number at `position` as atoi reads it: blanks skipped, an optional sign, the digits up
// to the first other character. The value wraps as a 32-bit number would, where atoi's
// result is undefined.
int32_t AtoiAt(std::string_view text, size_t position) {
    while (position < text.size() && IsAtoiBlank(text[position])) ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    uint32_t value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        value = value * 10 + uint32_t(text[position] - '0');
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

// The first switch of `switches` (in their order, not the line's) that the line holds.
template <size_t count>
std::optional<size_t> FirstSwitch(std::string_view commandLine, const std::string_view (&switches)[count]) {
    for (std::string_view candidate : switches) {
        if (std::optional<size_t> found = FindSwitch(commandLine, candidate)) return found;
    }
    return std::nullopt;
}

}  // namespace

ScreensaverLaunch ReadScreensaverCommandLine(std::string_view commandLine) {
    ScreensaverLaunch launch;
    ScreensaverMode previewMode = ScreensaverMode::Preview;
    std::optional<size_t> found = FirstSwitch(commandLine, kPreviewSwitches);
    if (!found) {
        found = FirstSwitch(commandLine, kTestPreviewSwitches);
        previewMode = ScreensaverMode::TestPreview;
    }
    if (found) {
        launch.parentWindow = AtoiAt(commandLine, *found + kNumberOffset);
        if (launch.parentWindow != 0) launch.mode = previewMode;
    }
    if (FirstSwitch(commandLine, kConfigurationSwitches)) launch.mode = ScreensaverMode::Configuration;
    return launch;
}
