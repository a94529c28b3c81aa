#include "base/windows1252_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(Windows1252Text, EveryByteRoundTripsAndOnlyTheCodePageComesIn) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        std::string back;
        ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(one), back)) << "byte " << byte;
        EXPECT_EQ(back, one) << "byte " << byte;
    }
    EXPECT_EQ(Windows1252ToUtf8("\x80t\xE9 \x9F"),
              "\xE2\x82\xAC"
              "t\xC3\xA9 \xC5\xB8");  // € é Ÿ

    std::string out = "kept";
    EXPECT_FALSE(Utf8ToWindows1252("\xC4\x80", out)) << "U+0100 has no byte";
    EXPECT_FALSE(Utf8ToWindows1252("\xE6\x97\xA5", out)) << "nor has a CJK character";
    EXPECT_FALSE(Utf8ToWindows1252("\xC3", out)) << "a cut sequence";
    EXPECT_FALSE(Utf8ToWindows1252("\xA9", out)) << "a lone continuation byte";
    EXPECT_EQ(out, "kept");
    ASSERT_TRUE(Utf8ToWindows1252("\xEF\xBB\xBF\xC3\x89t\xC3\xA9", out));
    EXPECT_EQ(out, "\xC9t\xE9") << "the byte-order mark goes";

    EXPECT_EQ(Utf8ToWindows1252Replacing("\xE6\x97\xA5 \xC3\xA9t\xC3\xA9 \xFF", '_'), "_ \xE9t\xE9 _");
}
