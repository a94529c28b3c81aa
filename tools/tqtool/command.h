// One tqtool subcommand: its name, a line of usage for --help, and its entry point. The entry
// receives the arguments after the subcommand's name and returns the process exit code.
//
// A command file registers its commands at start-up with a file-level registrar:
//     static const ToolCommandRegistrar kRegister({"name", "usage", RunName});
// so adding a command never touches another file. --help lists them sorted by name.
#pragma once

#include <vector>

struct ToolCommand {
    const char* name;
    const char* usage;
    int (*run)(int argc, char** argv);
};

std::vector<ToolCommand>& RegisteredToolCommands();

struct ToolCommandRegistrar {
    explicit ToolCommandRegistrar(const ToolCommand& command) { RegisteredToolCommands().push_back(command); }
};

// tqtool's own exit codes. Every other non-zero exit is the failing operation's result code
// (a codec error, a picture-file, resource or composition result), and those families use
// 1 to 68, so tqtool's codes stay above them.
enum ToolExit : int {
    kToolExitMissingFont = 69,   // --title without the font that draws it
    kToolExitTitleRefused = 70,  // a title the collection's rules refuse: invalid, missing, or already there
    kToolExitUsage = 125,        // wrong arguments, an unknown command or output type, a bad manifest line
};

// Prints "usage: tqtool LINE" to stderr and returns kToolExitUsage.
[[nodiscard]] int ToolUsage(const char* line);
