// The titles of the collection, as the main window's picture list shows them: read from the
// headers of the .tqi files in the collection folder (the pictures themselves are not read),
// in alphabetical order without regard to letter case, each title once.
//
// The list box is filled in this order without sorting of its own, so the alphabetical
// change order is the same on every system and in the tests. Titles added later go to
// TitleInsertPosition.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct CollectionTitles {
    std::vector<std::string> titles;
    int skipped = 0;  // files that could not be read as pictures
};

// Lists the titles of every .tqi file in `folder`. A file that cannot be read or is damaged
// is skipped; a folder that cannot be read gives an empty list. `progress`, when given, hears
// the start-up percentage after the files are counted and whenever it grows: 5 plus 95 parts
// of the pictures read so far.
[[nodiscard]] CollectionTitles LoadCollectionTitles(const char* folder,
                                                    const std::function<void(int percent)>& progress = {});

// Whether `a` comes before `b` in the list: Windows-1252 letters folded to lower case, and
// titles that differ only in letter case ordered by their bytes, so the order is total.
[[nodiscard]] bool TitleBefore(std::string_view a, std::string_view b);

// Where `title` belongs in a list sorted by TitleBefore.
[[nodiscard]] size_t TitleInsertPosition(const std::vector<std::string>& titles, std::string_view title);
