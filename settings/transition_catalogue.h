// The catalogue of the screensaver's 36 transitions as the settings see it: each entry's
// group, display name and built-in enable and duration. The registry value names are made
// from them: "btEnable" / "dwDuration" + group word + "Transition" + name without blanks
// ("btEnableSimpleTransitionRadialWipe"). The screensaver's effect engine pairs each entry,
// by index, with its effect.
#pragma once

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

// The entries in catalogue order (index 0 "Barn" to 35 "Worm Hole").
[[nodiscard]] const TransitionCatalogueEntry& TransitionCatalogue(int index);

// "Simple", "Smooth" or "Advanced": the group's word in the value names.
[[nodiscard]] const char* TransitionGroupWord(TransitionGroup group);
// "Simple transitions", "Smooth transitions" or "Advanced effects".
[[nodiscard]] const char* TransitionGroupLabel(TransitionGroup group);

// The entry's registry value names ("btEnable…" and "dwDuration…"), written into `out`.
// False when they do not fit in `size` characters with the NUL; every name fits in 64.
[[nodiscard]] bool TransitionEnableValueName(int index, char* out, size_t size);
[[nodiscard]] bool TransitionDurationValueName(int index, char* out, size_t size);
