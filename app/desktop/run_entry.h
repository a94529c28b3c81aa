// The portable rules of the desktop integration: what the Run entry says, and which system
// screensaver setting names this program's screensaver.
#pragma once

#include <string>
#include <string_view>

// The Run value: the application's path in double quotes, then " /hidden" unless the program
// opens its window when Windows starts it.
[[nodiscard]] std::string RunEntryCommand(std::string_view applicationPath, bool openAtStart);

// Whether system.ini's screensaver entry names this screensaver: its short path in any letter
// case. The long path, or anything else, is another screensaver.
[[nodiscard]] bool IsOurScreensaver(std::string_view systemEntry, std::string_view shortPath);
