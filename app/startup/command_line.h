// The command line of Tapestrique.exe and the switches it understands:
//   /hidden     start without showing the main window (the Run entry uses it);
//   /firstrun   the first run after installation: the main window and the welcome dialog;
//   /file:PATH  show the picture file PATH (up to and including ".tqi"), not the main window.
// Switches are found anywhere in the line, in any letter case ("/HIDDEN" works), so an
// installer or a shortcut may quote and order them as it likes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

constexpr char kSwitchHidden[] = "/hidden";
constexpr char kSwitchFirstRun[] = "/firstrun";
constexpr char kSwitchFile[] = "/file:";

// The longest command line the program keeps; a longer one is treated as empty rather than
// cut, so that a cut "/file:" path can never name another file.
constexpr size_t kMaxCommandLineLength = 2047;

// The command line as the program keeps it: the whole text, or empty when it is too long.
[[nodiscard]] std::string KeptCommandLine(std::string_view commandLine);

// Position of the first occurrence of `switchText` in `commandLine`, both compared in lower
// case, or nothing.
[[nodiscard]] std::optional<size_t> FindSwitch(std::string_view commandLine, std::string_view switchText);

[[nodiscard]] inline bool HasSwitch(std::string_view commandLine, std::string_view switchText) {
    return FindSwitch(commandLine, switchText).has_value();
}

// The path a "/file:" argument names: the text from the first "/file:" up to and including
// the first ".tqi"; anything behind it (a closing quote, further arguments) is dropped.
// Nothing when either is missing or ".tqi" begins less than six characters after "/file:".
[[nodiscard]] std::optional<std::string> PictureFileArgument(std::string_view commandLine);

// Whether a first instance shows its main window at start: not with "/hidden" or "/file:",
// always on the first run.
[[nodiscard]] bool ShowsMainWindowAtStart(std::string_view commandLine);

// What a second start asks of the running instance.
enum class SecondStartRequest {
    OpenPictureFile,  // hand the whole command line over (WM_COPYDATA)
    OpenMainWindow,   // the "open" command
};
[[nodiscard]] SecondStartRequest SecondStartRequestFor(std::string_view commandLine);
