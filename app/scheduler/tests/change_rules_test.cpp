#include "app/scheduler/change_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "settings/memory_store.h"
#include "settings/settings_loader.h"

namespace {

struct DueCase {
    const char* description;
    uint8_t mode;
    uint32_t hours, minutes;
    SystemTime stamp;
    SystemTime now;
    bool due;
};

TEST(ChangeRulesTest, ChangeIsDueByModeDayAndInterval) {
    const SystemTime kStamp = MakeUtcTime(2026, 3, 1, 9, 59, 50);  // a change at 10:00:00, stored 10 s early
    const DueCase cases[] = {
        {"never", 0, 0, 30, kDefaultTimeStamp, MakeUtcTime(2026, 3, 1, 12, 0, 0), false},
        {"at start only", 1, 0, 30, kDefaultTimeStamp, MakeUtcTime(2026, 3, 1, 12, 0, 0), false},
        {"unknown mode", 7, 0, 30, kDefaultTimeStamp, MakeUtcTime(2026, 3, 1, 12, 0, 0), false},
        {"interval not reached", 3, 0, 30, kStamp, MakeUtcTime(2026, 3, 1, 10, 29, 49, 999), false},
        {"interval reached", 3, 0, 30, kStamp, MakeUtcTime(2026, 3, 1, 10, 29, 50), true},
        {"hours and minutes", 3, 2, 15, kStamp, MakeUtcTime(2026, 3, 1, 12, 14, 49), false},
        {"hours and minutes reached", 3, 2, 15, kStamp, MakeUtcTime(2026, 3, 1, 12, 14, 50), true},
        {"stamp in the future", 3, 0, 1, MakeUtcTime(2026, 3, 2, 0, 0, 0), MakeUtcTime(2026, 3, 1, 10, 0, 0), false},
        {"default stamp, interval", 3, 360, 59, kDefaultTimeStamp, MakeUtcTime(2026, 12, 7, 7, 0, 0), true},
        {"damaged stamp counts as long past", 3, 0, 30, MakeUtcTime(2026, 13, 40, 99, 0, 0),
         MakeUtcTime(2026, 3, 1, 10, 0, 0), true},
        {"interval beyond the loaded bounds", 3, 0xFFFFFFFF, 0, kStamp, MakeUtcTime(2026, 3, 1, 10, 0, 0), false},
        {"same UTC day", 2, 0, 30, MakeUtcTime(2026, 3, 1, 23, 59, 55), MakeUtcTime(2026, 3, 1, 23, 59, 59), false},
        {"next UTC day", 2, 0, 30, MakeUtcTime(2026, 3, 1, 23, 59, 55), MakeUtcTime(2026, 3, 2, 0, 0, 0), true},
        {"same day of another month", 2, 0, 30, MakeUtcTime(2026, 3, 1, 8, 0, 0), MakeUtcTime(2026, 4, 1, 8, 0, 0),
         true},
        {"same day of another year", 2, 0, 30, MakeUtcTime(2025, 3, 1, 8, 0, 0), MakeUtcTime(2026, 3, 1, 8, 0, 0),
         true},
        {"default stamp, new day", 2, 0, 30, kDefaultTimeStamp, MakeUtcTime(2026, 12, 7, 7, 0, 0), true},
        {"day rule ignores the interval", 2, 0, 1, MakeUtcTime(2026, 3, 1, 0, 0, 0), MakeUtcTime(2026, 3, 1, 23, 0, 0),
         false},
    };
    for (const DueCase& c : cases) {
        Settings settings = DefaultSettings();
        settings.btChangeWallpaper = c.mode;
        settings.dwChangeWallpaperHours = c.hours;
        settings.dwChangeWallpaperMinutes = c.minutes;
        settings.stLastWallpaperChange = c.stamp;
        EXPECT_EQ(IsChangeDueAt(settings, c.now), c.due) << c.description;
    }

    // 0 h 0 min as the registry holds it: loaded as a 1-minute interval.
    MemoryStore store;
    const char* wallpaperKey = SettingsKeyPath(SettingsKey::Wallpaper);
    store.Put(RegistryRoot::CurrentUser, wallpaperKey, "btChangeWallpaper", kRegistryBinary, {3});
    store.Put(RegistryRoot::CurrentUser, wallpaperKey, "dwChangeWallpaperHours", kRegistryBinary, {0, 0, 0, 0});
    store.Put(RegistryRoot::CurrentUser, wallpaperKey, "dwChangeWallpaperMinutes", kRegistryBinary, {0, 0, 0, 0});
    Settings loaded = DefaultSettings();
    LoadApplicationSettings(store, loaded);
    loaded.stLastWallpaperChange = kStamp;
    EXPECT_FALSE(IsChangeDueAt(loaded, MakeUtcTime(2026, 3, 1, 10, 0, 49, 999))) << "0 h 0 min";
    EXPECT_TRUE(IsChangeDueAt(loaded, MakeUtcTime(2026, 3, 1, 10, 0, 50))) << "0 h 0 min";
}

TEST(ChangeRulesTest, AScheduledChangeStoresNowMinusTenSeconds) {
    MemoryStore store;
    Settings settings = DefaultSettings();
    RecordScheduledChange(store, settings, MakeUtcTime(2026, 3, 1, 10, 0, 0, 250));
    const SystemTime expected = {2026, 3, 0, 1, 9, 59, 50, 250};  // 1 March 2026 is a Sunday
    EXPECT_EQ(std::memcmp(&settings.stLastWallpaperChange, &expected, sizeof expected), 0);
    const MemoryStore::Value* value =
        store.Find(RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Variables", "stLastWallpaperChange");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, kRegistryBinary);
    EXPECT_EQ(value->data.size(), 16u);

    // The interval counts from the stored stamp: due at 10:29:50 for 30 minutes.
    settings.btChangeWallpaper = 3;
    settings.dwChangeWallpaperMinutes = 30;
    EXPECT_FALSE(IsChangeDueAt(settings, MakeUtcTime(2026, 3, 1, 10, 29, 49)));
    EXPECT_TRUE(IsChangeDueAt(settings, MakeUtcTime(2026, 3, 1, 10, 29, 50, 250)));

    // A failed write still moves the stamp in memory.
    store.SetWritesFail(true);
    RecordScheduledChange(store, settings, MakeUtcTime(2026, 3, 2, 0, 0, 5));
    EXPECT_EQ(settings.stLastWallpaperChange.wDay, 1);
    EXPECT_EQ(settings.stLastWallpaperChange.wHour, 23);
    EXPECT_EQ(settings.stLastWallpaperChange.wSecond, 55);
}

TEST(ChangeRulesTest, PictureNamesMatchWholeEntriesInAnyCase) {
    const std::vector<std::string> names = {"A", "b", "C", "Boat", "\xC9glise \x8Ekofja Loka"};
    EXPECT_EQ(FindPictureIndex(names, "a"), 0);
    EXPECT_EQ(FindPictureIndex(names, "\xE9GLISE \x9EKOFJA LOKA"), 4) << "titles in Windows-1252, accents included";
    EXPECT_EQ(FindPictureIndex(names, "B"), 1);
    EXPECT_EQ(FindPictureIndex(names, "BOAT"), 3);
    EXPECT_EQ(FindPictureIndex(names, "Bo"), -1);
    EXPECT_EQ(FindPictureIndex(names, "Boats"), -1);
    EXPECT_EQ(FindPictureIndex(names, ""), -1);
}

struct NextCase {
    const char* description;
    int count;
    const char* current;
    uint8_t mode;
    int expected;  // -1: no change; -2: random, checked separately
};

TEST(ChangeRulesTest, NextPictureFollowsTheSelectionRules) {
    const std::vector<std::string> all = {"A", "b", "C"};
    const NextCase cases[] = {
        {"alphabetical wraps around", 3, "C", 0, 0},
        {"alphabetical next", 3, "b", 0, 2},
        {"alphabetical, any case", 3, "a", 0, 1},
        {"empty collection", 0, "", 0, -1},
        {"empty collection, random", 0, "", 1, -1},
        {"one picture already current", 1, "A", 0, -1},
        {"one picture already current, random", 1, "A", 1, -1},
        {"one picture and no current one", 1, "", 0, 0},
        {"one picture and no current one, random", 1, "", 1, 0},
    };
    for (const NextCase& c : cases) {
        std::vector<std::string> names(all.begin(), all.begin() + c.count);
        RandomState random;
        random.state = 4242;
        int current = FindPictureIndex(names, c.current);
        EXPECT_EQ(ChooseNextPicture(c.count, current, c.current[0] != 0, c.mode, random), c.expected) << c.description;
    }
}

TEST(ChangeRulesTest, RandomChoicesNeverRepeatTheCurrentPicture) {
    for (uint8_t mode : {uint8_t{1}, uint8_t{2}, uint8_t{255}}) {
        RandomState random;
        random.state = 99;
        // Two pictures: always the other one.
        for (int i = 0; i < 200; ++i) {
            ASSERT_EQ(ChooseNextPicture(2, 0, true, mode, random), 1);
            ASSERT_EQ(ChooseNextPicture(2, 1, true, mode, random), 0);
        }
        // Five pictures: never the current one, and every other one turns up.
        std::set<int> seen;
        for (int i = 0; i < 500; ++i) {
            int next = ChooseNextPicture(5, 2, true, mode, random);
            ASSERT_NE(next, 2);
            ASSERT_GE(next, 0);
            ASSERT_LT(next, 5);
            seen.insert(next);
        }
        EXPECT_EQ(seen, (std::set<int>{0, 1, 3, 4}));
    }
    // Alphabetical without a current picture (or with one no longer listed) picks at random.
    RandomState random;
    random.state = 7;
    std::set<int> seen;
    for (int i = 0; i < 300; ++i) seen.insert(ChooseNextPicture(3, -1, false, 0, random));
    for (int i = 0; i < 300; ++i) seen.insert(ChooseNextPicture(3, -1, true, 0, random));
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2}));
}

TEST(ChangeRulesTest, FullScreenForegroundArithmetic) {
    const struct {
        int width, height;
        bool topmost;
        bool expected;
    } cases[] = {
        {1024, 768, false, true},  {1280, 1024, false, true}, {1023, 768, false, false},
        {1024, 767, false, false}, {512, 384, false, false},  {512, 384, true, true},
        {511, 384, true, false},   {512, 383, true, false},   {0, 0, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFullScreenClientArea(c.width, c.height, c.topmost, 1024, 768), c.expected)
            << c.width << "x" << c.height << (c.topmost ? " topmost" : "");
    }
    // Integer halves of an odd screen: 1023 / 2 = 511.
    EXPECT_TRUE(IsFullScreenClientArea(511, 383, true, 1023, 767));
}

TEST(ChangeRulesTest, OnlyAutomaticChangesPlayTheSoundOrShowThePicture) {
    const struct {
        uint8_t sound, show;
        bool notify, fullScreen;
        bool expectSound, expectShow;
    } cases[] = {
        {1, 1, false, false, false, false},  // a manual change: neither
        {1, 1, true, false, true, true},    {1, 1, true, true, true, false},   {0, 1, true, false, false, true},
        {1, 0, true, false, true, false},   {0, 0, true, false, false, false},
    };
    for (const auto& c : cases) {
        Settings settings = DefaultSettings();
        settings.btWallpaperChangePlaySound = c.sound;
        settings.btWallpaperChangeShowImage = c.show;
        AfterChange after = DecideAfterChange(settings, c.notify, c.fullScreen);
        EXPECT_EQ(after.playSound, c.expectSound) << int(c.sound) << int(c.show) << c.notify << c.fullScreen;
        EXPECT_EQ(after.showPicture, c.expectShow) << int(c.sound) << int(c.show) << c.notify << c.fullScreen;
    }
}

TEST(ChangeRulesTest, StartUpChangesOrReappliesOnlyWithTheChangerOn) {
    const struct {
        uint8_t enabled, mode;
        bool requested;
        StartUpWallpaper expected;
    } cases[] = {
        {0, 1, false, StartUpWallpaper::Nothing},         {0, 3, true, StartUpWallpaper::Nothing},
        {1, 1, false, StartUpWallpaper::ScheduledChange}, {1, 0, false, StartUpWallpaper::ReapplyCurrent},
        {1, 2, false, StartUpWallpaper::ReapplyCurrent},  {1, 3, false, StartUpWallpaper::ReapplyCurrent},
        {1, 2, true, StartUpWallpaper::Nothing},          {1, 3, true, StartUpWallpaper::Nothing},
    };
    for (const auto& c : cases) {
        Settings settings = DefaultSettings();
        settings.btEnableWallpaperChanger = c.enabled;
        settings.btChangeWallpaper = c.mode;
        EXPECT_EQ(DecideStartUpWallpaper(settings, c.requested), c.expected)
            << int(c.enabled) << " " << int(c.mode) << " " << c.requested;
    }
}

}  // namespace
