#include <gtest/gtest.h>

#include "app/settings_sheet/settings_page_rules.h"
#include "ui/control_ids.h"
#include "ui/localization/language.h"

namespace {

constexpr uint8_t kShift = 1, kCtrl = 2, kAlt = 4;
constexpr uint8_t kF5 = 0x74, kNumpad3 = 0x63, kDelete = 0x2E;

TEST(SettingsPageRules, ShortcutsTheListAcceptsAndRefuses) {
    std::array<Hotkey, kHotkeyCount> rows = {};
    rows[3] = {'T', kCtrl | kAlt};
    struct Case {
        Hotkey entered;
        bool clearing;
        bool stored;
    };
    const Case cases[] = {
        {{'P', kCtrl | kAlt}, false, true},   {{'P', 0}, false, false},          // a letter needs Control
        {{'P', kShift | kAlt}, false, false}, {{kF5, 0}, false, true},           // function keys stand alone
        {{kNumpad3, kCtrl}, false, true},     {{kDelete, kCtrl}, false, false},  // not a shortcut key at all
        {{'T', kCtrl | kAlt}, false, false},                                     // row 3 holds it already
        {{'P', kCtrl | kAlt}, true, true},                                       // clearing ignores what was typed
    };
    for (const Case& test : cases) {
        std::array<Hotkey, kHotkeyCount> working = rows;
        working[0] = {'9', kCtrl};
        EXPECT_EQ(EnterShortcut(working, 0, test.entered, test.clearing), test.stored) << int(test.entered.virtualKey);
        const Hotkey expected = !test.stored ? Hotkey{'9', kCtrl} : test.clearing ? Hotkey{} : test.entered;
        EXPECT_EQ(working[0].virtualKey, expected.virtualKey);
        EXPECT_EQ(working[0].modifiers, expected.modifiers);
        EXPECT_EQ(working[3].virtualKey, 'T');
    }
    std::array<Hotkey, kHotkeyCount> working = rows;
    EXPECT_FALSE(EnterShortcut(working, 3, {'T', kCtrl | kAlt}, false));  // the row's own combination
    EXPECT_FALSE(EnterShortcut(working, -1, {kF5, 0}, false));
}

TEST(SettingsPageRules, IntervalAndDelayBounds) {
    struct Case {
        const char* hours;
        const char* minutes;
        IntervalField refused;
    };
    const Case cases[] = {
        {"0", "0", IntervalField::Minutes},
        {"360", "59", IntervalField::None},
        {"361", "0", IntervalField::Hours},
        {"-1", "5", IntervalField::Hours},
        {"0", "60", IntervalField::Minutes},
        {"0", "1", IntervalField::None},
        {"abc", "", IntervalField::Minutes},  // not numbers: 0 and 0
        {"99999999999999999999", "1", IntervalField::Hours},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(RefusedIntervalField(ReadDecimal(test.hours), ReadDecimal(test.minutes)), test.refused)
            << test.hours << " " << test.minutes;
    }
    EXPECT_EQ(ReadDecimal("12x"), 12);
    for (long seconds : {1L, 300L}) EXPECT_TRUE(IsValidScreensaverDelay(seconds));
    for (long seconds : {0L, 301L, -5L}) EXPECT_FALSE(IsValidScreensaverDelay(seconds));
}

TEST(SettingsPageRules, ChangesMarkTheirGroupsOnly) {
    EXPECT_EQ(GeneralPageGroupOf(kGeneralOpenAutomatically), kGeneralProgramBit);
    EXPECT_EQ(GeneralPageGroupOf(kGeneralNotWithFullScreen), kGeneralNotificationsBit);
    EXPECT_EQ(GeneralPageGroupOf(kGeneralFrench), kGeneralLanguageBit);
    EXPECT_EQ(GeneralPageGroupOf(kGeneralShortcutKey), 0);
    EXPECT_EQ(WallpaperPageGroupOf(kWallpaperChangeEvery), kWallpaperChangeModeBit);
    EXPECT_EQ(WallpaperPageGroupOf(kWallpaperMinutes), kWallpaperChangeModeBit);
    EXPECT_EQ(WallpaperPageGroupOf(kWallpaperWorkAreaOnly), kWallpaperPresentationBit);
    EXPECT_EQ(WallpaperPageGroupOf(kWallpaperTransparentIconText), kWallpaperIconTextBit);
    EXPECT_EQ(WallpaperPageGroupOf(kWallpaperChangeGroup), 0);
    EXPECT_EQ(ScreensaverPageGroupOf(kScreensaverVideoMode), kScreensaverVideoBit);
    EXPECT_EQ(ScreensaverPageGroupOf(kScreensaverFitted), kScreensaverPresentationBit);
    for (uint32_t library : {kScreensaverAddTrack, kScreensaverStopTrack, kScreensaverTrackList, kScreensaverLaunch}) {
        EXPECT_EQ(ScreensaverPageGroupOf(library), 0) << library;
    }
}

TEST(SettingsPageRules, LanguageChoiceSwitchesAfterTheSheetAndReopensOnlyFromApply) {
    const LanguageApply same = DecideLanguageApply(1, -1, 1, true);
    EXPECT_EQ(same.pendingLanguage, -1);
    EXPECT_FALSE(same.reopen);
    const LanguageApply throughApply = DecideLanguageApply(2, -1, 1, true);
    EXPECT_EQ(throughApply.pendingLanguage, 2);
    EXPECT_TRUE(throughApply.reopen);
    const LanguageApply throughOk = DecideLanguageApply(3, -1, 1, false);
    EXPECT_EQ(throughOk.pendingLanguage, 3);
    EXPECT_FALSE(throughOk.reopen);
}

TEST(SettingsPageRules, ScreensaverControlsFollowTheirSwitches) {
    ScreensaverPageFacts facts;
    facts.screensaverOn = facts.audioAvailable = facts.audioOn = facts.trackSelected = true;
    ScreensaverEnabling enabling = DecideScreensaverEnabling(facts);
    EXPECT_TRUE(enabling.options && enabling.add && enabling.remove && enabling.play);
    EXPECT_FALSE(enabling.stop || enabling.transitions || enabling.videoMode);  // no DirectX video
    facts.playing = true;  // nothing is added or deleted while a preview plays
    enabling = DecideScreensaverEnabling(facts);
    EXPECT_TRUE(enabling.stop);
    EXPECT_FALSE(enabling.add || enabling.remove || enabling.play);
    facts.screensaverOn = false;
    enabling = DecideScreensaverEnabling(facts);
    EXPECT_FALSE(enabling.options || enabling.playAudio || enabling.trackList || enabling.stop);
    facts = {true, true, true, false, false, false, false};
    enabling = DecideScreensaverEnabling(facts);
    EXPECT_TRUE(enabling.transitions && enabling.videoMode);
    EXPECT_FALSE(enabling.playAudio);
}

TEST(SettingsPageRules, VideoModeLines) {
    (void)SetLanguageIndex(1);
    const std::vector<DisplayMode> modes = {{800, 600, 16, 0}, {1024, 768, 32, 60}};
    EXPECT_EQ(VideoModeLineOf(modes, {1024, 768, 32, 60}), 2);
    EXPECT_EQ(VideoModeLineOf(modes, {1024, 768, 32, 75}), 0);  // no longer offered
    EXPECT_EQ(VideoModeLineOf(modes, {}), 0);
    EXPECT_EQ(VideoModeOfLine(modes, 1).width, 800u);
    EXPECT_EQ(VideoModeOfLine(modes, 0).width, 0u);
    EXPECT_EQ(VideoModeOfLine(modes, 3).width, 0u);
    EXPECT_EQ(VideoModeText(modes[0]), "800x600 - 16bit");
    EXPECT_EQ(VideoModeText(modes[1]), "1024x768 - 32bit - 60Hz");
    EXPECT_EQ(ColourStyleEntryName("BitmapSettingsGeneralProgram_", true),
              "BitmapSettingsGeneralProgram_32bpp_TrFF00FF");
    EXPECT_EQ(ColourStyleEntryName("BitmapSettingsGeneralProgram_", false),
              "BitmapSettingsGeneralProgram_8bpp_TrFF00FF");
}

TEST(SettingsPageRules, HiddenBuildSequence) {
    auto type = [](const char* keys) {
        size_t position = 0;
        int completions = 0;
        for (const char* key = keys; *key != '\0'; ++key) {
            position = NextSequencePosition("SHOWBUILD", position, static_cast<unsigned char>(*key));
            if (position == 9) ++completions;
        }
        return completions;
    };
    EXPECT_EQ(type("SHOWBUILD"), 1);
    EXPECT_EQ(type("SSHOWBUILD"), 1);
    EXPECT_EQ(type("SHOWBUIL"), 0);
    EXPECT_EQ(type("SHOWXBUILD"), 0);
    EXPECT_EQ(type("SHOWBUILDSHOWBUILD"), 2);
}

}  // namespace
