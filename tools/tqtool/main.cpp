// tqtool: Tapestrique's command-line tool for scripting collections and building assets.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tools/tqtool/command.h"

std::vector<ToolCommand>& RegisteredToolCommands() {
    static std::vector<ToolCommand> commands;
    return commands;
}

int ToolUsage(const char* line) {
    std::fprintf(stderr, "usage: tqtool %s\n", line);
    return kToolExitUsage;
}

namespace {

void PrintHelp(FILE* out) {
    std::vector<ToolCommand> commands = RegisteredToolCommands();
    std::sort(commands.begin(), commands.end(),
              [](const ToolCommand& a, const ToolCommand& b) { return std::strcmp(a.name, b.name) < 0; });
    std::fprintf(out, "usage: tqtool COMMAND ARGUMENTS...\n\ncommands:\n");
    for (const ToolCommand& command : commands) std::fprintf(out, "  %s\n", command.usage);
    std::fprintf(out,
                 "\nTitles are given and printed in UTF-8 and stored in Windows-1252.\n"
                 "\nExit codes: 0 success; %d wrong usage; %d a font that --title needs is missing; %d a title\n"
                 "the collection refuses (invalid, missing, or already there); otherwise the failing operation's\n"
                 "result code: codec errors (decode, resize), picture-file results (tqi-*, collection commands),\n"
                 "resource and skin results (dat-*, skin-*), composition results (compose).\n",
                 kToolExitUsage, kToolExitMissingFont, kToolExitTitleRefused);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? kToolExitUsage : 0;
    }
    for (const ToolCommand& command : RegisteredToolCommands()) {
        if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "tqtool: unknown command '%s'\n\n", argv[1]);
    PrintHelp(stderr);
    return kToolExitUsage;
}
