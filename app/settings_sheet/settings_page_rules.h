// The settings pages' decisions, free of windows: which change marks which group of settings
// for writing, which controls are available, whether the number fields hold values the
// programs accept, which key combinations may become shortcuts and what a language choice
// does to the open sheet. The page procedures gather the controls' states, call these and
// apply the answers; they do not re-decide.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

// The groups of each page that an apply writes, one bit per group, set by the group's controls.
enum GeneralPageGroup : uint8_t {
    kGeneralProgramBit = 0x01,        // start with Windows, open automatically, tray icon
    kGeneralNotificationsBit = 0x02,  // new-image notifications
    kGeneralShortcutsBit = 0x04,
    kGeneralLanguageBit = 0x08,
};
enum WallpaperPageGroup : uint8_t {
    kWallpaperChangerBit = 0x01,
    kWallpaperChangeModeBit = 0x02,  // mode, hours, minutes
    kWallpaperSelectionBit = 0x04,
    kWallpaperNotificationsBit = 0x08,
    kWallpaperPresentationBit = 0x10,  // presentation and work area
    kWallpaperImageBit = 0x20,         // titles, black and white
    kWallpaperIconTextBit = 0x40,
};
enum ScreensaverPageGroup : uint8_t {
    kScreensaverEnableBit = 0x01,
    kScreensaverSelectionBit = 0x02,
    kScreensaverDelayBit = 0x04,
    kScreensaverPresentationBit = 0x08,
    kScreensaverImageBit = 0x10,  // titles, black and white
    kScreensaverVideoBit = 0x20,  // transitions and video mode
    kScreensaverAudioBit = 0x40,
};

// The group bit a click or text change of the control sets; 0 for controls that change no
// setting (the hidden shortcut control, the audio library's buttons and list, launch).
[[nodiscard]] uint8_t GeneralPageGroupOf(uint32_t controlId);
[[nodiscard]] uint8_t WallpaperPageGroupOf(uint32_t controlId);
[[nodiscard]] uint8_t ScreensaverPageGroupOf(uint32_t controlId);

// A number field's text as a decimal integer: an optional minus sign and the leading digits;
// text that does not start as a number reads as 0, and a number too long reads as the
// largest long.
[[nodiscard]] long ReadDecimal(const char* text);

// The wallpaper interval: hours 0 to 360 and minutes 0 to 59, not both 0, whatever change
// mode is chosen. The field to put the focus in when refused.
enum class IntervalField { None, Hours, Minutes };
[[nodiscard]] IntervalField RefusedIntervalField(long hours, long minutes);

// The screensaver's delay between pictures: 1 to 300 seconds.
[[nodiscard]] bool IsValidScreensaverDelay(long seconds);

// Stores `entered` (or none when `clearing`) in row `row` of the page's working copy when the
// page accepts it: F1 to F24 alone or with modifiers, a digit, letter or keypad digit only
// with Control; never a combination one of the rows (the row itself included) already
// holds. Clearing is always accepted. True when the row was stored.
[[nodiscard]] bool EnterShortcut(std::array<Hotkey, kHotkeyCount>& working, int row, Hotkey entered, bool clearing);

// What the language buttons do on apply. `checked` is the chosen language (-1 for none).
struct LanguageApply {
    int pendingLanguage = -1;  // switched to once the sheet has closed; -1 none
    bool reopen = false;       // close the sheet now and open it again in that language
};
[[nodiscard]] LanguageApply DecideLanguageApply(int checked,
                                                int pendingLanguage,
                                                int currentLanguage,
                                                bool fromApplyButton);

// The wallpaper page: every control but the changer's switch and the group boxes follows the
// switch; the interval fields also need "every" chosen.
struct WallpaperEnabling {
    bool options = false;
    bool interval = false;
};
[[nodiscard]] WallpaperEnabling DecideWallpaperEnabling(bool changerOn, bool everyChosen);

struct ScreensaverPageFacts {
    bool screensaverOn = false;
    bool transitionsAvailable = false;
    bool transitionsOn = false;
    bool audioAvailable = false;
    bool audioOn = false;
    bool trackSelected = false;
    bool playing = false;
};
struct ScreensaverEnabling {
    bool options = false;      // selection, delay, presentation, titles, black and white
    bool transitions = false;  // its switch
    bool videoMode = false;    // label and list
    bool playAudio = false;    // its switch
    bool trackList = false;
    bool add = false, remove = false, play = false, stop = false;
};
[[nodiscard]] ScreensaverEnabling DecideScreensaverEnabling(const ScreensaverPageFacts& facts);

// The video-mode list: line 0 is the current system mode, line i + 1 is modes[i]. The line of
// the stored mode, 0 when the display no longer offers it (or it is the system's).
[[nodiscard]] int VideoModeLineOf(const std::vector<DisplayMode>& modes, const DisplayMode& stored);
// The mode a line stands for: all zero for line 0 or no line.
[[nodiscard]] DisplayMode VideoModeOfLine(const std::vector<DisplayMode>& modes, int line);
// A line's text in the current language: "%dx%d - %dbit - %dHz", without the rate when 0.
[[nodiscard]] std::string VideoModeText(const DisplayMode& mode);

// A data-resource bitmap of the settings pages in its colour style: `base` (ending in "_")
// with "32bpp" on systems with flat menus (XP and later), else "8bpp", then "_TrFF00FF".
[[nodiscard]] std::string ColourStyleEntryName(const char* base, bool flatMenus);

// The About box's hidden key sequence ("SHOWBUILD", matched against virtual-key codes): the
// match position after `key`. A key that does not continue the match starts it afresh, so a
// repeated first letter still begins it; the position equals the sequence's length once all
// of it was typed.
[[nodiscard]] size_t NextSequencePosition(std::string_view sequence, size_t position, unsigned key);
