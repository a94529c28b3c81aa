// What tqtool's collection commands share: the "--collection DIR" argument (and
// "--overwrite" where a command takes it), titles read from the command line in UTF-8 and
// kept in Windows-1252 like every title of the collection, and titles printed back in UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "collection/picture_title.h"

struct CollectionArguments {
    std::string folder;
    bool overwrite = false;
    std::vector<std::string> operands;  // everything else, in order
};

// False, after printing why, when --collection is missing or an option is unknown.
[[nodiscard]] bool ParseCollectionArguments(int argc, char** argv, bool takesOverwrite, CollectionArguments& arguments);

// `utf8` in Windows-1252; false, after printing why, when it has no such form.
[[nodiscard]] bool TitleArgument(const std::string& utf8, std::string& title);

// The title for printing, in UTF-8.
[[nodiscard]] std::string PrintedTitle(std::string_view title);

// Prints why `title` is refused as the check found it, unless the check passed; true when it passed.
[[nodiscard]] bool ReportTitleCheck(std::string_view title, TitleCheck check);

// The collection's titles in the order of the main window's list.
[[nodiscard]] std::vector<std::string> ListedTitles(const std::string& folder);

// The listed form of `title` in any letter case; false, after printing why, when it is not listed.
[[nodiscard]] bool FindListedTitle(const std::vector<std::string>& titles,
                                   const std::string& title,
                                   std::string& listed);

// The listed form of the title given as the command-line argument `utf8`; false, after
// printing why, when it has no Windows-1252 form or is not listed.
[[nodiscard]] bool ListedTitleArgument(const CollectionArguments& arguments,
                                       const std::string& utf8,
                                       std::string& listed);
