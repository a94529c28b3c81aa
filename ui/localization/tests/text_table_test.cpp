#include "ui/localization/text_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "ui/localization/language.h"
#include "ui/localization/tests/cp1252_check.h"

namespace {

const char* const kLanguageNames[kLanguageCount] = {"Catalan", "English", "Spanish", "French"};

TextId IdAt(int index) {
    return static_cast<TextId>(index);
}

bool IsFilterList(TextId id) {
    return id == TextId::ImageFilterList || id == TextId::AudioFilterList;
}

// The bytes of a text; a filter list runs up to its closing pair of NULs.
std::string TextBytes(TextId id, int language) {
    const char* text = TextIn(id, language);
    if (!IsFilterList(id)) return text;
    size_t length = 0;
    while (text[length] != '\0' || text[length + 1] != '\0') ++length;
    return std::string(text, length + 1);
}

std::vector<std::string> FilterItems(TextId id, int language) {
    std::vector<std::string> items;
    for (const char* item = TextIn(id, language); *item != '\0'; item += std::strlen(item) + 1) {
        items.emplace_back(item);
    }
    return items;
}

// The printf conversions of a text in order, "%%" included.
std::vector<std::string> Placeholders(const std::string& text) {
    std::vector<std::string> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        size_t end = i + 1;
        while (end < text.size() && std::strchr("-+ #0123456789.", text[end]) != nullptr) ++end;
        found.push_back(text.substr(i, end - i + 1));
        i = end;
    }
    return found;
}

std::string Describe(TextId id, int language) {
    return std::string(TextIdName(id)) + " in " + kLanguageNames[language];
}

// English texts kept by hand in tests/english_texts.txt: identifier, then one quoted string,
// or several for a filter list (its items).
std::map<std::string, std::string> ReadExpectedEnglish() {
    std::map<std::string, std::string> expected;
    std::ifstream file("tests/english_texts.txt", std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        size_t blank = line.find(' ');
        std::string name = line.substr(0, blank);
        std::vector<std::string> items;
        for (size_t i = blank; i < line.size(); ++i) {
            if (line[i] != '"') continue;
            std::string item;
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    char escaped = line[++i];
                    item += escaped == 'n' ? '\n' : escaped;
                } else {
                    item += line[i];
                }
            }
            items.push_back(item);
        }
        std::string text;
        if (items.size() == 1) {
            text = items[0];
        } else {
            for (const std::string& item : items) text += item + '\0';
        }
        expected[name] = text;
    }
    return expected;
}

}  // namespace

TEST(TextTable, EveryTextExistsInEveryLanguageAsCodePage1252) {
    for (int index = 0; index < kTextCount; ++index) {
        TextId id = IdAt(index);
        ASSERT_STRNE(TextIdName(id), "") << index;
        for (int language = 0; language < kLanguageCount; ++language) {
            std::string bytes = TextBytes(id, language);
            EXPECT_FALSE(bytes.empty()) << Describe(id, language);
            std::string allowed = IsFilterList(id) ? std::string("\n\0", 2) : std::string("\n");
            EXPECT_EQ(cp1252_check::FirstProblem(bytes, allowed), "") << Describe(id, language);
        }
    }
}

TEST(TextTable, TranslationsKeepPlaceholdersAndLineBreaks) {
    for (int index = 0; index < kTextCount; ++index) {
        TextId id = IdAt(index);
        std::string english = TextBytes(id, kLanguageEnglish);
        for (int language = 0; language < kLanguageCount; ++language) {
            std::string text = TextBytes(id, language);
            EXPECT_EQ(Placeholders(text), Placeholders(english)) << Describe(id, language);
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(english.begin(), english.end(), '\n'))
                << Describe(id, language);
        }
    }
}

TEST(TextTable, EnglishIsTheProductWording) {
    std::map<std::string, std::string> expected = ReadExpectedEnglish();
    ASSERT_EQ(expected.size(), static_cast<size_t>(kTextCount)) << "tests/english_texts.txt is incomplete";
    for (int index = 0; index < kTextCount; ++index) {
        TextId id = IdAt(index);
        auto found = expected.find(TextIdName(id));
        ASSERT_NE(found, expected.end()) << TextIdName(id);
        EXPECT_EQ(TextBytes(id, kLanguageEnglish), found->second) << TextIdName(id);
    }
}

// A translation column copied from English would pass every other check; only these texts are
// legitimately the same in another language.
TEST(TextTable, OtherLanguagesAreTranslated) {
    struct SameAsEnglish {
        TextId id;
        int language;
    };
    const SameAsEnglish allowed[] = {
        {TextId::ImageDetails, kLanguageCatalan},
        {TextId::ImageDetails, kLanguageSpanish},
        {TextId::ImageCountPlural, kLanguageFrench},
        {TextId::ImageCountSingular, kLanguageFrench},
    };
    for (int index = 0; index < kTextCount; ++index) {
        TextId id = IdAt(index);
        if (id >= TextId::DialogWelcome) continue;  // template names differ only by their code
        for (int language : {kLanguageCatalan, kLanguageSpanish, kLanguageFrench}) {
            bool same = TextBytes(id, language) == TextBytes(id, kLanguageEnglish);
            bool expectedSame = false;
            for (const SameAsEnglish& entry : allowed) {
                expectedSame = expectedSame || (entry.id == id && entry.language == language);
            }
            EXPECT_EQ(same, expectedSame) << Describe(id, language);
        }
    }
}

TEST(TextTable, CountTextTakesTheSingularOnlyForOne) {
    struct CountCase {
        long long count;
        bool singular;
    };
    const CountCase cases[] = {{0, false},  {1, true},   {2, false},   {11, false},
                               {21, false}, {-1, false}, {101, false}, {4294967297LL, false}};
    const char* const singularOne[kLanguageCount] = {"1 imatge", "1 image", "1 imagen", "1 image"};
    const char* const pluralZero[kLanguageCount] = {"0 imatges", "0 images", "0 im\xE1genes", "0 images"};
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_TRUE(SetLanguageIndex(language));
        for (const CountCase& c : cases) {
            TextId expected = c.singular ? TextId::ImageCountSingular : TextId::ImageCountPlural;
            EXPECT_STREQ(CountText(TextId::ImageCountPlural, c.count), TextIn(expected, language))
                << c.count << " in " << kLanguageNames[language];
        }
        char label[64];
        std::snprintf(label, sizeof label, CountText(TextId::ImageCountPlural, 1), 1);
        EXPECT_STREQ(label, singularOne[language]);
        std::snprintf(label, sizeof label, CountText(TextId::ImageCountPlural, 0), 0);
        EXPECT_STREQ(label, pluralZero[language]);
    }
    LoadLanguage(nullptr);
}

TEST(TextTable, DialogTemplatesAreNamedByDialogAndCode) {
    struct DialogCase {
        TextId id;
        const char* name;
    };
    const DialogCase dialogs[] = {
        {TextId::DialogWelcome, "WELCOME"},
        {TextId::DialogSettingsGeneral, "SETTINGSGENERAL"},
        {TextId::DialogSettingsWallpaper, "SETTINGSWALLPAPER"},
        {TextId::DialogSettingsScreensaver, "SETTINGSSCREENSAVER"},
        {TextId::DialogRenameImage, "RENAMEIMAGE"},
        {TextId::DialogOpenTqiFile, "OPENTQIFILE"},
        {TextId::DialogImportFiles, "IMPORTFILES"},
        {TextId::DialogImageExported, "IMAGEEXPORTED"},
        {TextId::DialogAbout, "ABOUT"},
        {TextId::DialogInstall, "INSTALL"},
    };
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_TRUE(SetLanguageIndex(language));
        for (const DialogCase& dialog : dialogs) {
            EXPECT_EQ(std::string(DialogTemplate(dialog.id)),
                      std::string("DIALOG") + dialog.name + "_" + LanguageCodeAt(language));
        }
    }
    LoadLanguage(nullptr);
}

TEST(TextTable, FilterListsKeepTheirPatterns) {
    struct ListCase {
        TextId id;
        size_t pairs;
        const char* lastPattern;
    };
    const ListCase lists[] = {{TextId::ImageFilterList, 14, "*.*"}, {TextId::AudioFilterList, 5, "*.*"}};
    for (const ListCase& list : lists) {
        std::vector<std::string> english = FilterItems(list.id, kLanguageEnglish);
        ASSERT_EQ(english.size(), list.pairs * 2) << TextIdName(list.id);
        EXPECT_EQ(english.back(), list.lastPattern);
        for (int language = 0; language < kLanguageCount; ++language) {
            std::vector<std::string> items = FilterItems(list.id, language);
            ASSERT_EQ(items.size(), english.size()) << Describe(list.id, language);
            for (size_t i = 0; i < items.size(); ++i) {
                EXPECT_FALSE(items[i].empty()) << Describe(list.id, language) << " item " << i;
                // Patterns are what the dialog matches files with: never translated.
                if (i % 2 == 1) {
                    EXPECT_EQ(items[i], english[i]) << Describe(list.id, language) << " item " << i;
                }
            }
        }
    }
}

TEST(TextTable, MenuTextsHaveOneMnemonicAndActionNamesNone) {
    for (int index = static_cast<int>(TextId::ActionChangeWallpaper);
         index <= static_cast<int>(TextId::MenuDownloadImages); ++index) {
        TextId id = IdAt(index);
        bool menu = id >= TextId::MenuChangeWallpaperNow;
        for (int language = 0; language < kLanguageCount; ++language) {
            std::string text = TextIn(id, language);
            size_t ampersands = std::count(text.begin(), text.end(), '&');
            EXPECT_EQ(ampersands, menu ? 1u : 0u) << Describe(id, language);
            size_t mark = text.find('&');
            if (mark != std::string::npos) {
                ASSERT_LT(mark + 1, text.size()) << Describe(id, language);
                EXPECT_NE(text[mark + 1], ' ') << Describe(id, language);
            }
        }
    }
}

TEST(TextTable, IdentifiersOutsideTheTableGiveEmptyText) {
    for (int index : {-1, kTextCount, kTextCount + 50}) {
        EXPECT_STREQ(TextIn(IdAt(index), kLanguageEnglish), "") << index;
        EXPECT_STREQ(TextIdName(IdAt(index)), "") << index;
    }
    for (int language : {-1, kLanguageCount}) EXPECT_STREQ(TextIn(TextId::UnknownError, language), "");
}
