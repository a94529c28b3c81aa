#include "app/startup/command_line.h"

#include <algorithm>

#include "base/text_case.h"

namespace {

bool EqualFoldedAscii(char a, char b) {
    return FoldCaseAscii(a) == FoldCaseAscii(b);
}

constexpr char kPictureExtension[] = ".tqi";

}  // namespace

std::string KeptCommandLine(std::string_view commandLine) {
    if (commandLine.size() > kMaxCommandLineLength) return {};
    return std::string(commandLine);
}

std::optional<size_t> FindSwitch(std::string_view commandLine, std::string_view switchText) {
    auto found =
        std::search(commandLine.begin(), commandLine.end(), switchText.begin(), switchText.end(), EqualFoldedAscii);
    if (found == commandLine.end() && !switchText.empty()) return std::nullopt;
    return static_cast<size_t>(found - commandLine.begin());
}

std::optional<std::string> PictureFileArgument(std::string_view commandLine) {
    std::optional<size_t> fileSwitch = FindSwitch(commandLine, kSwitchFile);
    std::optional<size_t> extension = FindSwitch(commandLine, kPictureExtension);
    constexpr size_t kSwitchLength = sizeof kSwitchFile - 1;
    if (!fileSwitch || !extension || *extension < *fileSwitch + kSwitchLength) return std::nullopt;
    size_t start = *fileSwitch + kSwitchLength;
    size_t end = *extension + sizeof kPictureExtension - 1;
    return std::string(commandLine.substr(start, end - start));
}

bool ShowsMainWindowAtStart(std::string_view commandLine) {
    if (HasSwitch(commandLine, kSwitchFirstRun)) return true;
    return !HasSwitch(commandLine, kSwitchHidden) && !HasSwitch(commandLine, kSwitchFile);
}

SecondStartRequest SecondStartRequestFor(std::string_view commandLine) {
    return HasSwitch(commandLine, kSwitchFile) ? SecondStartRequest::OpenPictureFile
                                               : SecondStartRequest::OpenMainWindow;
}
