#include "base/text_case.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

namespace {

// Every capital of Windows-1252 and its small letter, written out from the code page's chart.
const std::pair<unsigned char, unsigned char> kAsciiPairs[] = {
    {'A', 'a'}, {'B', 'b'}, {'C', 'c'}, {'D', 'd'}, {'E', 'e'}, {'F', 'f'}, {'G', 'g'}, {'H', 'h'}, {'I', 'i'},
    {'J', 'j'}, {'K', 'k'}, {'L', 'l'}, {'M', 'm'}, {'N', 'n'}, {'O', 'o'}, {'P', 'p'}, {'Q', 'q'}, {'R', 'r'},
    {'S', 's'}, {'T', 't'}, {'U', 'u'}, {'V', 'v'}, {'W', 'w'}, {'X', 'x'}, {'Y', 'y'}, {'Z', 'z'},
};
const std::pair<unsigned char, unsigned char> kAccentedPairs[] = {
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF},  // Š Œ Ž Ÿ
    {0xC0, 0xE0}, {0xC1, 0xE1}, {0xC2, 0xE2}, {0xC3, 0xE3}, {0xC4, 0xE4}, {0xC5, 0xE5}, {0xC6, 0xE6}, {0xC7, 0xE7},
    {0xC8, 0xE8}, {0xC9, 0xE9}, {0xCA, 0xEA}, {0xCB, 0xEB}, {0xCC, 0xEC}, {0xCD, 0xED}, {0xCE, 0xEE}, {0xCF, 0xEF},
    {0xD0, 0xF0}, {0xD1, 0xF1}, {0xD2, 0xF2}, {0xD3, 0xF3}, {0xD4, 0xF4}, {0xD5, 0xF5}, {0xD6, 0xF6}, {0xD8, 0xF8},
    {0xD9, 0xF9}, {0xDA, 0xFA}, {0xDB, 0xFB}, {0xDC, 0xFC}, {0xDD, 0xFD}, {0xDE, 0xFE},
};

std::string Byte(int value) {
    return std::string(1, static_cast<char>(value));
}

TEST(TextCaseTest, EachRuleFoldsExactlyItsLettersAndOrdersByFoldedBytes) {
    std::set<std::pair<int, int>> asciiEqual, cp1252Equal;
    std::map<int, int> smallLetterOf;
    for (const auto& [upper, lower] : kAsciiPairs) {
        asciiEqual.insert({upper, lower});
        asciiEqual.insert({lower, upper});
    }
    cp1252Equal = asciiEqual;
    for (const auto& [upper, lower] : kAccentedPairs) {
        cp1252Equal.insert({upper, lower});
        cp1252Equal.insert({lower, upper});
    }
    for (const auto& pair : cp1252Equal) {
        if (pair.first < pair.second) smallLetterOf[pair.first] = pair.second;
    }
    // Every pair of bytes: equal when identical or a capital and its small letter, never else
    // (the signs 0xD7 and 0xF7, sharp s 0xDF, micro 0xB5 and the C1 range stay apart).
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            bool ascii = a == b || asciiEqual.count({a, b}) != 0;
            bool cp1252 = a == b || cp1252Equal.count({a, b}) != 0;
            ASSERT_EQ(EqualNoCaseAscii(Byte(a), Byte(b)), ascii) << a << " " << b;
            ASSERT_EQ(EqualNoCaseCp1252(Byte(a), Byte(b)), cp1252) << a << " " << b;
            ASSERT_EQ(CompareNoCaseCp1252(Byte(a), Byte(b)) == 0, cp1252) << a << " " << b;
        }
        // Folding takes a capital to its small letter and leaves every other byte alone.
        int folded = smallLetterOf.count(a) != 0 ? smallLetterOf[a] : a;
        EXPECT_EQ(static_cast<unsigned char>(FoldCaseCp1252(static_cast<char>(a))), folded) << a;
    }

    const struct {
        const char* a;
        const char* b;
        int order;  // sign of CompareNoCaseCp1252
    } texts[] = {
        {"\xC9glise Saint-Pierre", "\xE9GLISE SAINT-PIERRE", 0},
        {"\x8Akoda \x8C"
         "uvre \x8E"
         "elva \x9F",
         "\x9Akoda \x9C"
         "uvre \x9E"
         "elva \xFF",
         0},
        {"Sunset", "sunset", 0},
        {"Sun", "Sunset", -1},         // a prefix comes first
        {"zebra", "\xC9t\xE9", -1},    // accented letters after the ASCII ones, whatever the case
        {"a_b", "AZB", -1},            // folded to lower case: '_' before 'z'
        {"2 \xD7 3", "2 \xF7 3", -1},  // the two signs are not a letter pair
        {"Stra\xDF"
         "e",
         "STRASSE", 1},
        {"", "", 0},
    };
    for (const auto& t : texts) {
        int order = CompareNoCaseCp1252(t.a, t.b);
        EXPECT_EQ((order > 0) - (order < 0), t.order) << t.a << " / " << t.b;
        int reversed = CompareNoCaseCp1252(t.b, t.a);
        EXPECT_EQ((reversed > 0) - (reversed < 0), -t.order) << t.b << " / " << t.a;
        EXPECT_EQ(EqualNoCaseCp1252(t.a, t.b), t.order == 0) << t.a << " / " << t.b;
    }
    EXPECT_FALSE(EqualNoCaseAscii("\xC9t\xE9", "\xE9T\xE9"));
    EXPECT_TRUE(EqualNoCaseAscii("SkinDefault", "skindefault"));
}

}  // namespace
