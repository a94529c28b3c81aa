#include "app/desktop/run_entry.h"

#include "base/text_case.h"

std::string RunEntryCommand(std::string_view applicationPath, bool openAtStart) {
    std::string command = "\"";
    command.append(applicationPath);
    command += '"';
    if (!openAtStart) command += " /hidden";
    return command;
}

bool IsOurScreensaver(std::string_view systemEntry, std::string_view shortPath) {
    return !systemEntry.empty() && EqualNoCaseCp1252(systemEntry, shortPath);
}
