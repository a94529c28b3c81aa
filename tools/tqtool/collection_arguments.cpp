#include "tools/tqtool/collection_arguments.h"

#include <cstdio>
#include <cstring>

#include "base/windows1252_text.h"
#include "collection/collection_list.h"

bool ParseCollectionArguments(int argc, char** argv, bool takesOverwrite, CollectionArguments& arguments) {
    bool hasFolder = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--collection") == 0 && i + 1 < argc) {
            arguments.folder = argv[++i];
            hasFolder = true;
        } else if (takesOverwrite && std::strcmp(argv[i], "--overwrite") == 0) {
            arguments.overwrite = true;
        } else if (std::strncmp(argv[i], "--", 2) == 0) {
            std::fprintf(stderr, "tqtool: unknown option %s\n", argv[i]);
            return false;
        } else {
            arguments.operands.emplace_back(argv[i]);
        }
    }
    if (!hasFolder) std::fprintf(stderr, "tqtool: --collection DIR is missing\n");
    return hasFolder;
}

bool TitleArgument(const std::string& utf8, std::string& title) {
    if (Utf8ToWindows1252(utf8, title)) return true;
    std::fprintf(stderr, "tqtool: \"%s\" has a character outside code page 1252\n", utf8.c_str());
    return false;
}

std::string PrintedTitle(std::string_view title) {
    return Windows1252ToUtf8(title);
}

bool ReportTitleCheck(std::string_view title, TitleCheck check) {
    const char* reason = nullptr;
    switch (check) {
        case TitleCheck::kValid:
            return true;
        case TitleCheck::kEmpty:
            reason = "A name is needed.";
            break;
        case TitleCheck::kTooLong:
            reason = "The name is too long.";
            break;
        case TitleCheck::kInvalidCharacters:
            reason = "The name contains invalid characters.";
            break;
    }
    std::fprintf(stderr, "tqtool: \"%s\": %s\n", PrintedTitle(title).c_str(), reason);
    return false;
}

std::vector<std::string> ListedTitles(const std::string& folder) {
    return LoadCollectionTitles(folder.c_str()).titles;
}

bool FindListedTitle(const std::vector<std::string>& titles, const std::string& title, std::string& listed) {
    const int index = FindPictureIndex(titles, title);
    if (index >= 0) {
        listed = titles[static_cast<size_t>(index)];
        return true;
    }
    std::fprintf(stderr, "tqtool: the collection has no picture \"%s\"\n", PrintedTitle(title).c_str());
    return false;
}

bool ListedTitleArgument(const CollectionArguments& arguments, const std::string& utf8, std::string& listed) {
    std::string title;
    return TitleArgument(utf8, title) && FindListedTitle(ListedTitles(arguments.folder), title, listed);
}
