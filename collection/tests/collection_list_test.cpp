#include "collection/collection_list.h"

#include <gtest/gtest.h>

#include <cstring>

#include "collection/tqi_file.h"
#include "tests/support/test_support.h"

namespace {

void WritePicture(const std::string& path, const char* title) {
    PictureRecord record;
    std::strcpy(record.title, title);
    unsigned char jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
    record.payload = jpeg;
    record.payloadSize = sizeof jpeg;
    ASSERT_EQ(WritePictureFile(path.c_str(), record), 0) << path;
}

TEST(CollectionList, ListsStoredTitlesSortedOnceSkippingDamagedFiles) {
    test_support::TempDir folder;
    WritePicture(folder.File("Harbour.tqi"), "harbour");  // listed under its stored title
    WritePicture(folder.File("b.tqi"), "\xC9glise");
    WritePicture(folder.File("c.tqi"), "eau");
    WritePicture(folder.File("d.TQI"), "Zebra");
    WritePicture(folder.File("e.tqi"), "\xE9glise");  // the same title in other letter case
    WritePicture(folder.File("notes.txt"), "Not in the collection");
    test_support::WriteFileBytes(folder.File("damaged.tqi"), test_support::PseudoRandomBytes(300, 1));
    test_support::Bytes cut = test_support::ReadFileBytes(folder.File("c.tqi"));
    cut.resize(30);
    test_support::WriteFileBytes(folder.File("cut.tqi"), cut);

    std::vector<int> percents;
    CollectionTitles listed =
        LoadCollectionTitles(folder.Path().c_str(), [&](int percent) { percents.push_back(percent); });
    EXPECT_EQ(listed.titles, (std::vector<std::string>{"eau", "harbour", "Zebra", "\xC9glise"}));
    EXPECT_EQ(listed.skipped, 2);
    // 7 files, 5 of them pictures: from 5 % to 5 + 5 x 95 / 7, each step reported once.
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.front(), 5);
    EXPECT_EQ(percents.back(), 72);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()) &&
                std::adjacent_find(percents.begin(), percents.end()) == percents.end());

    EXPECT_EQ(TitleInsertPosition(listed.titles, "Fjord"), 1u);
    EXPECT_EQ(TitleInsertPosition(listed.titles, "\xFFtoile"), 4u);

    EXPECT_TRUE(LoadCollectionTitles(folder.File("missing").c_str()).titles.empty());
}

}  // namespace
