#include "app/settings_sheet/settings_page_rules.h"

#include <climits>
#include <cstdio>

#include "screensaver/display/display_modes.h"
#include "ui/control_ids.h"
#include "ui/localization/text_table.h"

namespace {

// Virtual-key codes (the same on every system; the portable core has no <windows.h>).
constexpr uint8_t kKeyDigit0 = 0x30, kKeyDigit9 = 0x39;
constexpr uint8_t kKeyLetterA = 0x41, kKeyLetterZ = 0x5A;
constexpr uint8_t kKeyPad0 = 0x60, kKeyPad9 = 0x69;
constexpr uint8_t kKeyF1 = 0x70, kKeyF24 = 0x87;
constexpr uint8_t kControlModifier = 2;

bool InRange(uint32_t value, uint32_t first, uint32_t last) {
    return value >= first && value <= last;
}

bool IsAcceptableShortcut(Hotkey key) {
    if (InRange(key.virtualKey, kKeyF1, kKeyF24)) return true;
    const bool needsControl = InRange(key.virtualKey, kKeyDigit0, kKeyDigit9) ||
                              InRange(key.virtualKey, kKeyLetterA, kKeyLetterZ) ||
                              InRange(key.virtualKey, kKeyPad0, kKeyPad9);
    return needsControl && (key.modifiers & kControlModifier) != 0;
}

}  // namespace

uint8_t GeneralPageGroupOf(uint32_t controlId) {
    if (InRange(controlId, kGeneralRunAtStartup, kGeneralTrayIcon)) return kGeneralProgramBit;
    if (InRange(controlId, kGeneralNotifications, kGeneralNotWithFullScreen)) return kGeneralNotificationsBit;
    if (InRange(controlId, kGeneralCatalan, kGeneralFrench)) return kGeneralLanguageBit;
    return 0;
}

uint8_t WallpaperPageGroupOf(uint32_t controlId) {
    switch (controlId) {
        case kWallpaperEnableChanger:
            return kWallpaperChangerBit;
        case kWallpaperHours:
        case kWallpaperMinutes:
            return kWallpaperChangeModeBit;
        case kWallpaperAlphabetically:
        case kWallpaperRandomly:
            return kWallpaperSelectionBit;
        case kWallpaperShowImage:
        case kWallpaperPlaySound:
            return kWallpaperNotificationsBit;
        case kWallpaperWorkAreaOnly:
            return kWallpaperPresentationBit;
        case kWallpaperShowTitles:
        case kWallpaperBlackWhite:
            return kWallpaperImageBit;
        case kWallpaperTransparentIconText:
            return kWallpaperIconTextBit;
        default:
            break;
    }
    if (InRange(controlId, kWallpaperChangeNever, kWallpaperChangeEvery)) return kWallpaperChangeModeBit;
    if (InRange(controlId, kWallpaperTiled, kWallpaperFitted)) return kWallpaperPresentationBit;
    return 0;
}

uint8_t ScreensaverPageGroupOf(uint32_t controlId) {
    switch (controlId) {
        case kScreensaverEnable:
            return kScreensaverEnableBit;
        case kScreensaverAlphabetically:
        case kScreensaverRandomly:
            return kScreensaverSelectionBit;
        case kScreensaverSeconds:
            return kScreensaverDelayBit;
        case kScreensaverShowTitles:
        case kScreensaverBlackWhite:
            return kScreensaverImageBit;
        case kScreensaverTransitions:
        case kScreensaverVideoMode:
            return kScreensaverVideoBit;
        case kScreensaverPlayAudio:
            return kScreensaverAudioBit;
        default:
            break;
    }
    if (InRange(controlId, kScreensaverTiled, kScreensaverFitted)) return kScreensaverPresentationBit;
    return 0;
}

long ReadDecimal(const char* text) {
    if (text == nullptr) return 0;
    const bool negative = *text == '-';
    if (negative) ++text;
    long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const int digit = *text - '0';
        if (value > (LONG_MAX - digit) / 10) return LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

IntervalField RefusedIntervalField(long hours, long minutes) {
    if (hours < 0 || hours > 360) return IntervalField::Hours;
    if (minutes < 0 || minutes > 59 || (hours == 0 && minutes == 0)) return IntervalField::Minutes;
    return IntervalField::None;
}

bool IsValidScreensaverDelay(long seconds) {
    return seconds >= 1 && seconds <= 300;
}

bool EnterShortcut(std::array<Hotkey, kHotkeyCount>& working, int row, Hotkey entered, bool clearing) {
    if (row < 0 || row >= kHotkeyCount) return false;
    if (clearing) {
        entered = Hotkey{};
    } else {
        if (!IsAcceptableShortcut(entered)) return false;
        for (const Hotkey& held : working) {
            if (held.virtualKey == entered.virtualKey && held.modifiers == entered.modifiers) return false;
        }
    }
    working[static_cast<size_t>(row)] = entered;
    return true;
}

LanguageApply DecideLanguageApply(int checked, int pendingLanguage, int currentLanguage, bool fromApplyButton) {
    LanguageApply decision;
    decision.pendingLanguage = checked >= 0 ? checked : pendingLanguage;
    if (decision.pendingLanguage == currentLanguage) {
        decision.pendingLanguage = -1;
    } else if (decision.pendingLanguage >= 0) {
        decision.reopen = fromApplyButton;
    }
    return decision;
}

WallpaperEnabling DecideWallpaperEnabling(bool changerOn, bool everyChosen) {
    return {changerOn, changerOn && everyChosen};
}

ScreensaverEnabling DecideScreensaverEnabling(const ScreensaverPageFacts& facts) {
    ScreensaverEnabling enabling;
    enabling.options = facts.screensaverOn;
    enabling.transitions = facts.screensaverOn && facts.transitionsAvailable;
    enabling.videoMode = enabling.transitions && facts.transitionsOn;
    enabling.playAudio = facts.screensaverOn && facts.audioAvailable;
    enabling.trackList = enabling.playAudio && facts.audioOn;
    const bool audio = enabling.trackList;
    enabling.add = audio && !facts.playing;
    enabling.remove = audio && !facts.playing && facts.trackSelected;
    enabling.play = enabling.remove;
    enabling.stop = audio && facts.playing;
    return enabling;
}

int VideoModeLineOf(const std::vector<DisplayMode>& modes, const DisplayMode& stored) {
    return FindDisplayMode(modes, stored) + 1;
}

DisplayMode VideoModeOfLine(const std::vector<DisplayMode>& modes, int line) {
    if (line < 1 || static_cast<size_t>(line) > modes.size()) return {};
    return modes[static_cast<size_t>(line) - 1];
}

std::string VideoModeText(const DisplayMode& mode) {
    char line[96];
    const int width = static_cast<int>(mode.width), height = static_cast<int>(mode.height);
    const int bits = static_cast<int>(mode.bitsPerPixel);
    if (mode.refreshRate == 0) {
        std::snprintf(line, sizeof line, Text(TextId::VideoMode), width, height, bits);
    } else {
        std::snprintf(line, sizeof line, Text(TextId::VideoModeWithRate), width, height, bits,
                      static_cast<int>(mode.refreshRate));
    }
    return line;
}

std::string ColourStyleEntryName(const char* base, bool flatMenus) {
    return std::string(base) + (flatMenus ? "32bpp" : "8bpp") + "_TrFF00FF";
}

size_t NextSequencePosition(std::string_view sequence, size_t position, unsigned key) {
    if (position < sequence.size() && key == static_cast<unsigned char>(sequence[position])) return position + 1;
    return !sequence.empty() && key == static_cast<unsigned char>(sequence[0]) ? 1 : 0;
}
