#include "app/main_window/hotkey_names.h"

#include <cstdio>

namespace {

constexpr uint8_t kStoredShift = 1;
constexpr uint8_t kStoredCtrl = 2;
constexpr uint8_t kStoredAlt = 4;

constexpr unsigned kModAlt = 1;
constexpr unsigned kModControl = 2;
constexpr unsigned kModShift = 4;

struct ModifierPrefix {
    uint8_t modifiers;
    const char* menu;
    const char* shortForm;  // fits the settings page's narrow column
};

constexpr ModifierPrefix kPrefixes[] = {
    {kStoredCtrl, "Ctrl+", "Ctrl + "},
    {kStoredCtrl | kStoredShift, "Ctrl+Shift+", "Ctrl + Sh + "},
    {kStoredCtrl | kStoredAlt, "Ctrl+Alt+", "Ctrl + Alt + "},
    {kStoredCtrl | kStoredAlt | kStoredShift, "Ctrl+Alt+Shift+", "Ct+Alt+Sh+"},
};

std::string KeyName(uint8_t virtualKey) {
    char name[8];
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
        std::snprintf(name, sizeof name, "%c", virtualKey);
    } else if (virtualKey >= 0x60 && virtualKey <= 0x69) {
        std::snprintf(name, sizeof name, "NP%d", virtualKey - 0x60);
    } else if (virtualKey >= 0x70 && virtualKey <= 0x87) {
        std::snprintf(name, sizeof name, "F%d", virtualKey - 0x70 + 1);
    } else {
        return "?";
    }
    return name;
}

}  // namespace

std::string HotkeyName(Hotkey hotkey, HotkeyNameForm form) {
    if (hotkey.virtualKey == 0) return {};
    std::string name;
    for (const ModifierPrefix& prefix : kPrefixes) {
        if (prefix.modifiers == hotkey.modifiers) name = form == HotkeyNameForm::Menu ? prefix.menu : prefix.shortForm;
    }
    return name + KeyName(hotkey.virtualKey);
}

std::string MenuTextWithHotkey(std::string_view menuText,
                               bool registered,
                               bool blankAfterTab,
                               std::string_view hotkeyName) {
    std::string text(menuText);
    if (!registered) return text;
    text += blankAfterTab ? "\t " : "\t";
    text += hotkeyName;
    return text;
}

unsigned RegistrationModifiers(uint8_t storedModifiers) {
    unsigned modifiers = 0;
    if (storedModifiers & kStoredShift) modifiers |= kModShift;
    if (storedModifiers & kStoredCtrl) modifiers |= kModControl;
    if (storedModifiers & kStoredAlt) modifiers |= kModAlt;
    return modifiers;
}
