// tqtool: Tapestrique's command-line tool for scripting collections and building assets.
#include <cstdio>
#include <cstring>

#include "tools/tqtool/command.h"

namespace {

const ToolCommand kCommands[] = {
    {"tqi-pack", "tqi-pack IN.jpg \"Title\" OUT.tqi   store a JPEG file unchanged as a picture", RunTqiPack},
    {"tqi-info",
     "tqi-info FILE.tqi                 print title, width, height and payload size;\n"
     "                                       the exit code is the header read's result",
     RunTqiInfo},
    {"tqi-extract", "tqi-extract FILE.tqi OUT.jpg      write the picture's JPEG file out", RunTqiExtract},
};

void PrintHelp(FILE* out) {
    std::fprintf(out, "usage: tqtool COMMAND ARGUMENTS...\n\ncommands:\n");
    for (const ToolCommand& command : kCommands) std::fprintf(out, "  %s\n", command.usage);
    std::fprintf(out, "\nExit codes: 0 success, otherwise the failing operation's result code (64: usage).\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 64 : 0;
    }
    for (const ToolCommand& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "tqtool: unknown command '%s'\n\n", argv[1]);
    PrintHelp(stderr);
    return 64;
}
