// One tqtool subcommand: its name, a line of usage for --help, and its entry point. The entry
// receives the arguments after the subcommand's name and returns the process exit code.
#pragma once

struct ToolCommand {
    const char* name;
    const char* usage;
    int (*run)(int argc, char** argv);
};

// The .tqi commands (tqi_commands.cpp).
int RunTqiPack(int argc, char** argv);
int RunTqiInfo(int argc, char** argv);
int RunTqiExtract(int argc, char** argv);
