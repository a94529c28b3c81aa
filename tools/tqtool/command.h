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

// Prints "usage: tqtool LINE" to stderr and returns the usage exit code (64).
int ToolUsage(const char* line);
