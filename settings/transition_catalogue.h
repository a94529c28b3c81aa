// The catalogue of the screensaver's 36 transitions as the settings see it: each entry's
// group, display name and built-in enable and duration. The registry value names are made
// from them when the program is compiled: "btEnable" / "dwDuration" + group word +
// "Transition" + name without blanks ("btEnableSimpleTransitionRadialWipe"). The settings
// table takes its Transitions rows from here; the screensaver's effect engine pairs each
// entry, by index, with its effect.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum class TransitionGroup : uint8_t { Simple, Smooth, Advanced };

// Enable bits: the effect may run forwards (1), backwards (2); 0 is off.
constexpr uint8_t kTransitionForwards = 1;
constexpr uint8_t kTransitionBackwards = 2;

constexpr int kTransitionCount = 36;
constexpr uint32_t kTransitionMinimumDuration = 500;    // milliseconds
constexpr uint32_t kTransitionMaximumDuration = 30000;  // milliseconds

struct TransitionCatalogueEntry {
    TransitionGroup group;
    const char* name;
    uint8_t defaultEnable;
    uint32_t defaultDuration;  // milliseconds
};

// In catalogue order, index 0 "Barn" to 35 "Worm Hole".
inline constexpr TransitionCatalogueEntry kTransitionCatalogue[kTransitionCount] = {
    {TransitionGroup::Simple, "Barn", 3, 2000},
    {TransitionGroup::Simple, "Blinds", 3, 2000},
    {TransitionGroup::Simple, "Inset", 3, 2000},
    {TransitionGroup::Simple, "Iris", 3, 2000},
    {TransitionGroup::Simple, "Radial Wipe", 3, 2000},
    {TransitionGroup::Simple, "Slide", 3, 2000},
    {TransitionGroup::Simple, "Spiral", 3, 2000},
    {TransitionGroup::Simple, "Stretch", 3, 2000},
    {TransitionGroup::Simple, "Wheel", 3, 2000},
    {TransitionGroup::Simple, "Zigzag", 3, 2000},
    {TransitionGroup::Smooth, "Fade", 1, 2000},
    {TransitionGroup::Smooth, "Pixelate", 1, 3000},
    {TransitionGroup::Smooth, "Wipe Horizontal", 3, 3000},
    {TransitionGroup::Smooth, "Wipe Vertical", 3, 3000},
    {TransitionGroup::Advanced, "Burn Film", 3, 4000},
    {TransitionGroup::Advanced, "Center Curls", 3, 3000},
    {TransitionGroup::Advanced, "Color Fade", 1, 2000},
    {TransitionGroup::Advanced, "Curls", 3, 3000},
    {TransitionGroup::Advanced, "Curtains", 3, 3000},
    {TransitionGroup::Advanced, "Fade White", 1, 2000},
    {TransitionGroup::Advanced, "Flow Motion", 3, 3000},
    {TransitionGroup::Advanced, "Glass Block", 3, 3000},
    {TransitionGroup::Advanced, "Grid", 3, 3000},
    {TransitionGroup::Advanced, "Jaws", 3, 3000},
    {TransitionGroup::Advanced, "Lens", 1, 4000},
    {TransitionGroup::Advanced, "Light Wipe", 1, 3000},
    {TransitionGroup::Advanced, "Liquid", 1, 4000},
    {TransitionGroup::Advanced, "Page Curl", 3, 3000},
    {TransitionGroup::Advanced, "Peel ABCD", 1, 3000},
    {TransitionGroup::Advanced, "Ripple", 1, 4000},
    {TransitionGroup::Advanced, "Roll Down", 3, 3000},
    {TransitionGroup::Advanced, "Threshold", 1, 2000},
    {TransitionGroup::Advanced, "Twister", 3, 4000},
    {TransitionGroup::Advanced, "Vacuum", 3, 3000},
    {TransitionGroup::Advanced, "Water", 3, 4000},
    {TransitionGroup::Advanced, "Worm Hole", 3, 4000},
};

// The entry at `index` (index 0 for one outside the catalogue).
[[nodiscard]] constexpr const TransitionCatalogueEntry& TransitionCatalogue(int index) {
    return kTransitionCatalogue[index >= 0 && index < kTransitionCount ? index : 0];
}

namespace transition_names_detail {

struct GroupNames {
    const char* word;
    const char* label;
};
inline constexpr GroupNames kGroupNames[] = {
    {"Simple", "Simple transitions"},
    {"Smooth", "Smooth transitions"},
    {"Advanced", "Advanced effects"},
};

}  // namespace transition_names_detail

// "Simple", "Smooth" or "Advanced": the group's word in the value names.
[[nodiscard]] constexpr const char* TransitionGroupWord(TransitionGroup group) {
    return transition_names_detail::kGroupNames[static_cast<int>(group)].word;
}
// "Simple transitions", "Smooth transitions" or "Advanced effects".
[[nodiscard]] constexpr const char* TransitionGroupLabel(TransitionGroup group) {
    return transition_names_detail::kGroupNames[static_cast<int>(group)].label;
}

// An entry's two registry value names.
constexpr size_t kTransitionValueNameSize = 64;
struct TransitionValueNames {
    char enable[kTransitionValueNameSize] = {};    // "btEnable…"
    char duration[kTransitionValueNameSize] = {};  // "dwDuration…"
};

namespace transition_names_detail {

// Appends `text` (without its blanks when asked) at `length`; false when the name would not
// leave room for its NUL.
constexpr bool Append(char (&name)[kTransitionValueNameSize], size_t& length, const char* text, bool skipBlanks) {
    for (; *text != '\0'; ++text) {
        if (skipBlanks && *text == ' ') continue;
        if (length + 1 >= kTransitionValueNameSize) return false;
        name[length++] = *text;
    }
    return true;
}

constexpr bool MakeName(char (&name)[kTransitionValueNameSize],
                        const char* prefix,
                        const TransitionCatalogueEntry& entry) {
    size_t length = 0;
    return Append(name, length, prefix, false) && Append(name, length, TransitionGroupWord(entry.group), false) &&
           Append(name, length, "Transition", false) && Append(name, length, entry.name, true);
}

constexpr bool AllNamesFit() {
    for (const TransitionCatalogueEntry& entry : kTransitionCatalogue) {
        TransitionValueNames names;
        if (!MakeName(names.enable, "btEnable", entry) || !MakeName(names.duration, "dwDuration", entry)) return false;
    }
    return true;
}
static_assert(AllNamesFit(), "a transition's value name does not fit kTransitionValueNameSize");

constexpr std::array<TransitionValueNames, kTransitionCount> MakeAllNames() {
    std::array<TransitionValueNames, kTransitionCount> names{};
    for (int index = 0; index < kTransitionCount; ++index) {
        (void)MakeName(names[index].enable, "btEnable", kTransitionCatalogue[index]);
        (void)MakeName(names[index].duration, "dwDuration", kTransitionCatalogue[index]);
    }
    return names;
}

}  // namespace transition_names_detail

// Every entry's value names, by catalogue index, made when the program is compiled.
inline constexpr std::array<TransitionValueNames, kTransitionCount> kTransitionValueNames =
    transition_names_detail::MakeAllNames();
