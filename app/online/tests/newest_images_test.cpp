#include "app/online/newest_images.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/online/service_pages.h"
#include "settings/memory_store.h"
#include "settings/settings_loader.h"

namespace {

std::string Entries(int count) {
    std::string reply = kNewestListPrefix;
    for (int i = 0; i < count; ++i) {
        reply += "\r\nNature/Alps/Peak" + std::to_string(i) + " \"Peak number " + std::to_string(i) + "\"";
    }
    return reply;
}

struct ReplyCase {
    const char* what;
    std::string reply;
    bool accepted;
    int count;
    const char* firstIdentifier;
    const char* firstDescription;
};

TEST(NewestListReply, GrammarCountsWholeEntriesAndStopsAtTheFirstMalformedOne) {
    const std::string longText(300, 'x');
    const ReplyCase cases[] = {
        {"one entry", Entries(1), true, 1, "Nature/Alps/Peak0", "Peak number 0"},
        {"a ninth entry is ignored", Entries(9), true, 8, "Nature/Alps/Peak0", "Peak number 0"},
        {"prefix alone", kNewestListPrefix, true, 0, "", ""},
        {"prefix in another case", "getnewestimages_ok:\r\nA/B/C \"d\"", false, 0, "", ""},
        {"no prefix", "ERROR_SERVER", false, 0, "", ""},
        {"entry right after the prefix, tabs between", "GETNEWESTIMAGES_OK:A/B/C\t\"two words\"", true, 1, "A/B/C",
         "two words"},
        {"empty description: identifier kept, not counted", "GETNEWESTIMAGES_OK: A/B/C \"\" D/E/F \"g\"", true, 0,
         "A/B/C", ""},
        {"missing closing quote", "GETNEWESTIMAGES_OK: A/B/C \"open", true, 0, "A/B/C", ""},
        {"quote glued to the identifier", "GETNEWESTIMAGES_OK: A/B/C\"d\"", true, 0, "A/B/C\"d\"", ""},
        {"line breaks inside a description", "GETNEWESTIMAGES_OK: A/B/C \"one\r\ntwo\" X \"y\"", true, 2, "A/B/C",
         "one\r\ntwo"},
        {"a NUL ends the reply", std::string("GETNEWESTIMAGES_OK: A/B/C \"d\" ") + '\0' + "E/F/G \"h\"", true, 1,
         "A/B/C", "d"},
        {"long description cut to its slot", "GETNEWESTIMAGES_OK: A/B/C \"" + longText + "\"", true, 1, "A/B/C",
         nullptr},
        {"long identifier ends the list", "GETNEWESTIMAGES_OK: " + longText + " \"d\"", true, 0, "", ""},
    };
    for (const ReplyCase& c : cases) {
        NewestList list;
        EXPECT_EQ(ParseNewestListReply(c.reply, list), c.accepted) << c.what;
        EXPECT_EQ(list.count, c.count) << c.what;
        EXPECT_EQ(list.identifier[0], c.firstIdentifier) << c.what;
        if (c.firstDescription != nullptr) {
            EXPECT_EQ(list.description[0], c.firstDescription) << c.what;
        } else {
            EXPECT_EQ(list.description[0], std::string(kNewestImageTextLength, 'x')) << c.what;
        }
    }
    NewestList nine;
    ASSERT_TRUE(ParseNewestListReply(Entries(9), nine));
    EXPECT_EQ(nine.identifier[7], "Nature/Alps/Peak7");
    EXPECT_EQ(nine.description[7], "Peak number 7");
}

TEST(NewestListReply, ANewListReplacesAllSlotsAndAnUnchangedFirstEntryNothing) {
    Settings settings = DefaultSettings();
    ASSERT_TRUE(UpdateNewestImages(settings, Entries(8)));
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 255);
    MarkNewestImageShown(settings, 3);
    MarkNewestImageShown(settings, 8);  // no such picture: nothing
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 255 - 8);

    // The same first entry in another case, later entries different: the list is not new.
    EXPECT_FALSE(UpdateNewestImages(settings, "GETNEWESTIMAGES_OK: NATURE/alps/peak0 \"PEAK NUMBER 0\" X/Y/Z \"new\""));
    EXPECT_STREQ(settings.szNewestImageIdString[1], "Nature/Alps/Peak1");
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 255 - 8);
    EXPECT_FALSE(UpdateNewestImages(settings, "GETNEWESTIMAGES_ok: A/B/C \"d\"")) << "no prefix, no change";

    // A new first entry: one picture, the seven other slots emptied.
    ASSERT_TRUE(UpdateNewestImages(settings, "GETNEWESTIMAGES_OK:\r\nNature/Alps/Eiger \"The Eiger\"\r\n"));
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 1);
    EXPECT_STREQ(settings.szNewestImageDescription[0], "The Eiger");
    EXPECT_STREQ(settings.szNewestImageIdString[7], "");

    // What is written is what the next start reads.
    MemoryStore store;
    ASSERT_TRUE(WriteNewestImages(store, settings));
    Settings loaded = DefaultSettings();
    LoadApplicationSettings(store, loaded);
    EXPECT_EQ(loaded.btNewestImagesNotShownYet, 1);
    EXPECT_STREQ(loaded.szNewestImageIdString[0], "Nature/Alps/Eiger");
    EXPECT_STREQ(loaded.szNewestImageDescription[0], "The Eiger");
    EXPECT_STREQ(loaded.szNewestImageDescription[1], "");
}

TEST(NewestListReply, IdentifiersSplitIntoThreePartsAndErrorTokensIgnoreCase) {
    struct SplitCase {
        const char* identifier;
        bool splits;
        const char* image;
    };
    for (const SplitCase& c : {SplitCase{"Nature/Alps/Eiger", true, "Eiger"}, SplitCase{"a/b/c/d", true, "c"},
                               SplitCase{"Nature/Alps", false, ""}, SplitCase{"a//c", false, ""},
                               SplitCase{"/b/c", false, ""}, SplitCase{"a/b/", false, ""}, SplitCase{"", false, ""}}) {
        PictureIdentifierParts parts;
        EXPECT_EQ(SplitPictureIdentifier(c.identifier, parts), c.splits) << c.identifier;
        if (c.splits) {
            EXPECT_EQ(parts.image, c.image) << c.identifier;
        }
    }
    for (const char* token : {"ERROR_DOWNLOADS", "error_file", "Error_TQClientID", "eRRoR_SeRVeR"}) {
        EXPECT_TRUE(IsServiceErrorToken(token)) << token;
    }
    for (const char* reply : {"ERROR_FILES", "ERROR_SERVER\r\n", "", "TQI"}) {
        EXPECT_FALSE(IsServiceErrorToken(reply)) << reply;
    }
}

TEST(NewestListReply, TransferAddressesCarryTheClientAndKeepHostileTextInItsPart) {
    Settings settings = DefaultSettings();
    std::strcpy(settings.ServiceBaseAddress, "http://pictures.example/tq");
    EXPECT_EQ(NewestListAddress(settings),
              "http://pictures.example/tq/TQClient/TQClient_GetNewestImages.php?TQClientVersion=Win1001&MaxImages=8");
    EXPECT_EQ(ThumbnailAddress(settings, "Nature/Alps"),
              "http://pictures.example/tq/Wallpapers/Nature/Alps_Thumbnail.jpg");
    EXPECT_EQ(PictureFileAddress(settings, "Nature", "Alps", "Eiger"),
              "http://pictures.example/tq/TQClient/TQClient_GetTQIFile.php?TQClientVersion=Win1001&TQClientID=---"
              "&Category=Nature&Gallery=Alps&Image=Eiger");
    EXPECT_EQ(ThumbnailAddress(settings, "a b/c?d#e"),
              "http://pictures.example/tq/Wallpapers/a%20b/c%3Fd%23e_Thumbnail.jpg");
    std::strcpy(settings.TQClientID, "id&x");
    EXPECT_EQ(PictureFileAddress(settings, "N", "A&Image=x", "\xC9"),
              "http://pictures.example/tq/TQClient/TQClient_GetTQIFile.php?TQClientVersion=Win1001&TQClientID=id%26x"
              "&Category=N&Gallery=A%26Image%3Dx&Image=%C9");
}

struct TickCase {
    const char* what;
    uint8_t enabled;
    OnlineState state;
    SystemTime lastCheck;
    SystemTime lastPopup;
    uint8_t mask;
    OnlineStart start;
};

TEST(OnlineTick, ListEverySixHoursAnnouncementEveryHourOnlyWhenIdle) {
    const SystemTime now = MakeUtcTime(2026, 12, 7, 18, 0, 0);
    const SystemTime recent = MakeUtcTime(2026, 12, 7, 17, 0, 0);
    const TickCase cases[] = {
        {"never checked", 1, OnlineState::Idle, kDefaultTimeStamp, kDefaultTimeStamp, 0, OnlineStart::NewestList},
        {"notifications off", 0, OnlineState::Idle, kDefaultTimeStamp, kDefaultTimeStamp, 1, OnlineStart::Nothing},
        {"a transfer runs", 1, OnlineState::Thumbnail, kDefaultTimeStamp, kDefaultTimeStamp, 1, OnlineStart::Nothing},
        {"list checked 21 599 s ago", 1, OnlineState::Idle, MakeUtcTime(2026, 12, 7, 12, 0, 1), now, 1,
         OnlineStart::Nothing},
        {"list checked 21 600 s ago", 1, OnlineState::Idle, MakeUtcTime(2026, 12, 7, 12, 0, 0), now, 1,
         OnlineStart::NewestList},
        {"damaged check stamp", 1, OnlineState::Idle, MakeUtcTime(2026, 13, 1), now, 1, OnlineStart::NewestList},
        {"popup 3 599 s ago", 1, OnlineState::Idle, recent, MakeUtcTime(2026, 12, 7, 17, 0, 1), 1,
         OnlineStart::Nothing},
        {"popup 3 600 s ago", 1, OnlineState::Idle, recent, recent, 1, OnlineStart::Thumbnail},
        {"every picture shown", 1, OnlineState::Idle, recent, recent, 0, OnlineStart::Nothing},
    };
    for (const TickCase& c : cases) {
        Settings settings = DefaultSettings();
        settings.btNewImageNotifications = c.enabled;
        settings.stLastCheckNewestImages = c.lastCheck;
        settings.stLastPopupNewestImages = c.lastPopup;
        settings.btNewestImagesNotShownYet = c.mask;
        RandomState random;
        EXPECT_EQ(DecideOnlineTick(settings, now, c.state, random).start, c.start) << c.what;
    }

    // The announced picture is always one not shown yet, whatever the generator draws.
    Settings settings = DefaultSettings();
    settings.stLastCheckNewestImages = recent;
    settings.stLastPopupNewestImages = kDefaultTimeStamp;
    for (uint8_t mask : {0x80, 0x05, 0x01}) {
        settings.btNewestImagesNotShownYet = mask;
        RandomState random;
        SeedRandom(random, now);
        for (int draw = 0; draw < 50; ++draw) {
            const OnlineTickAction action = DecideOnlineTick(settings, now, OnlineState::Idle, random);
            ASSERT_EQ(action.start, OnlineStart::Thumbnail);
            EXPECT_NE(mask & (1 << action.index), 0) << "mask " << int(mask) << " index " << action.index;
        }
    }
}

}  // namespace
