#include "ui/localization/language.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/localization/text_table.h"

namespace {

// The language is process-wide; every test starts and ends with English.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { LoadLanguage(nullptr); }
    void TearDown() override { LoadLanguage(nullptr); }
};

struct StoredCase {
    const char* stored;
    int index;
    const char* code;
};

}  // namespace

TEST_F(LanguageTest, StoredValueChoosesTheLanguage) {
    const StoredCase cases[] = {
        {"CA", 0, "CA"},  {"ca", 0, "CA"},  {"En", 1, "EN"},  {"es", 2, "ES"}, {"eS", 2, "ES"},    {"FR", 3, "FR"},
        {"fr", 3, "FR"},  {"DE", 1, "EN"},  {"de", 1, "EN"},  {"", 1, "EN"},   {nullptr, 1, "EN"}, {"F", 1, "EN"},
        {"FRA", 1, "EN"}, {"fr ", 1, "EN"}, {" fr", 1, "EN"}, {"C", 1, "EN"},  {"\xC9S", 1, "EN"}, {"CA\0X", 0, "CA"},
    };
    for (const StoredCase& c : cases) {
        // Start from another language each time: a value that matches nothing must still give
        // English, not leave the previous choice in place.
        ASSERT_TRUE(SetLanguageIndex(kLanguageSpanish));
        LoadLanguage(c.stored);
        SCOPED_TRACE(c.stored == nullptr ? "(missing)" : c.stored);
        EXPECT_EQ(LanguageIndex(), c.index);
        EXPECT_STREQ(LanguageCode(), c.code);
    }
}

TEST_F(LanguageTest, CodesFollowTheIndexOrder) {
    const char* const expected[kLanguageCount] = {"CA", "EN", "ES", "FR"};
    for (int index = 0; index < kLanguageCount; ++index) {
        EXPECT_STREQ(LanguageCodeAt(index), expected[index]);
        EXPECT_EQ(FindLanguageByCode(expected[index]), index);
        ASSERT_TRUE(SetLanguageIndex(index));
        EXPECT_EQ(LanguageIndex(), index);
        EXPECT_STREQ(LanguageCode(), expected[index]);
    }
    EXPECT_EQ(LanguageCodeAt(-1), nullptr);
    EXPECT_EQ(LanguageCodeAt(kLanguageCount), nullptr);
}

TEST_F(LanguageTest, OutOfRangeIndexChangesNothing) {
    ASSERT_TRUE(SetLanguageIndex(kLanguageFrench));
    for (int index : {-1, 4, 100, -2147483647 - 1}) {
        EXPECT_FALSE(SetLanguageIndex(index)) << index;
        EXPECT_EQ(LanguageIndex(), kLanguageFrench);
        EXPECT_STREQ(LanguageCode(), "FR");
    }
}

TEST_F(LanguageTest, TextsFollowTheCurrentLanguage) {
    for (int index = 0; index < kLanguageCount; ++index) {
        ASSERT_TRUE(SetLanguageIndex(index));
        EXPECT_STREQ(Text(TextId::UnknownError), TextIn(TextId::UnknownError, index));
        EXPECT_EQ(std::string(DialogTemplate(TextId::DialogAbout)), std::string("DIALOGABOUT_") + LanguageCode());
    }
    LoadLanguage("fr");
    EXPECT_STREQ(Text(TextId::NewImageAvailable), "Nouvelle image disponible :");
    LoadLanguage("DE");
    EXPECT_STREQ(Text(TextId::NewImageAvailable), "New image available:");
}
