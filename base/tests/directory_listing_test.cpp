#include "base/directory_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/test_support.h"

using test_support::TempDir;

TEST(DirectoryListing, ListsFilesOfOneExtensionInAnyCase) {
    TempDir folder;
    for (const char* name : {"Sunset.tqi", "HARBOUR.TQI", "notes.txt", "archive.tqix", "tqi", ".tqi"}) {
        test_support::WriteFileBytes(folder.File(name), {1});
    }
    std::filesystem::create_directory(folder.File("Folder.tqi"));

    std::vector<std::string> names = {"left over"};
    ASSERT_TRUE(ListFilesWithExtension(folder.Path().c_str(), ".tqi", names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".tqi", "HARBOUR.TQI", "Sunset.tqi"}));

    std::filesystem::create_directory(folder.File("empty"));
    EXPECT_TRUE(ListFilesWithExtension(folder.File("empty").c_str(), ".tqi", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(ListFilesWithExtension(folder.File("missing").c_str(), ".tqi", names));

    // A joined path reaches the listed file, with or without a separator after the folder.
    std::string path = PathInFolder(folder.Path(), "Sunset.tqi");
    EXPECT_TRUE(test_support::FileExists(path)) << path;
    EXPECT_EQ(PathInFolder(folder.Path() + path[folder.Path().size()], "Sunset.tqi"), path);
}
