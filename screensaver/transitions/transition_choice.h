// Which transition leads to each picture of the slideshow, in which direction, and how far
// along it each frame is: pure functions of the settings and the choice's state, so the
// screensaver's threads only carry out what they decide.
//
//     const TransitionTable& table = settings.transitions;      // loaded with the settings
//     AvailableTransitions available = FindAvailableTransitions(table, canCreate, context);
//     TransitionChoiceState state;                             // once per slideshow
//     state.first = ForcedFirstTransition(forceFade, canCreate);
//     TransitionChoice choice = ChooseTransition(state, available, table, prepared, mode, random);
//     ...
//     float p = FrameProgress(elapsed, choice.duration, hasEffect);
//     SetTransitionProgress(effect, EffectProgress(p, choice.backwards));
#pragma once

#include <cstdint>

#include "base/random.h"
#include "settings/settings.h"
#include "settings/transition_catalogue.h"

// The working table: every catalogue entry's enable and duration as the settings loaded
// them (Settings::transitions: the built-in values, overwritten from the registry).
using TransitionTable = TransitionSetting[kTransitionCount];

// Whether the effect of catalogue entry `index` can be created (tried once at set-up).
using CanCreateTransition = bool (*)(int index, void* context);

// The entries that may run: enabled ones whose effect can be created, in catalogue order.
struct AvailableTransitions {
    int count = 0;
    int entries[kTransitionCount] = {};  // catalogue indices
};
[[nodiscard]] AvailableTransitions FindAvailableTransitions(const TransitionTable& table,
                                                            CanCreateTransition canCreate,
                                                            void* context);

// The catalogue index of the entry named `name`, compared without regard to case; -1 when
// there is none.
[[nodiscard]] int FindTransitionByName(const char* name);

// The first picture's transition: "Fade" whatever its enable, when `forceFade` is set and
// its effect can be created; otherwise -1, none.
[[nodiscard]] int ForcedFirstTransition(bool forceFade, CanCreateTransition canCreate, void* context);

struct TransitionChoiceState {
    int first = -1;     // catalogue index of the forced first transition, or -1
    int previous = -1;  // index into the available list of the last choice
    int directionToggle = 0;
};

struct TransitionChoice {
    int entry = -1;  // catalogue index; -1 when nothing is available
    bool backwards = false;
    uint32_t duration = 0;  // milliseconds
};

// The transition leading to picture number `prepared` (0 the first):
//  - the first picture with a forced first transition: that entry, forwards;
//  - random mode (selectionMode non-zero) with more than one available: Random(count) drawn
//    until it differs from the previous choice, then the toggle set to Random(2);
//  - otherwise the next in the list, wrapping to the first and flipping the toggle.
// The direction follows RunsBackwards; the state remembers the choice (but not the forced
// first one).
[[nodiscard]] TransitionChoice ChooseTransition(TransitionChoiceState& state,
                                                const AvailableTransitions& available,
                                                const TransitionTable& table,
                                                int prepared,
                                                uint8_t selectionMode,
                                                RandomState& random);

// The direction: with the toggle at 0, forwards when the entry may run forwards (bit 0) and
// backwards otherwise; with the toggle at 1, backwards when it may run backwards (bit 1) and
// forwards otherwise.
[[nodiscard]] bool RunsBackwards(uint8_t enable, int directionToggle);

// The wipe style an entry sets on the wipe class: 0 for "Wipe Horizontal", 1 for "Wipe
// Vertical", -1 for every other entry.
[[nodiscard]] int WipeStyleOfEntry(int index);

// How far along a transition is after `elapsed` milliseconds of `duration`: elapsed /
// duration, or 1 when that is not a number, negative or above 1, and when the picture has
// no transition (it is then shown by a cut).
[[nodiscard]] float FrameProgress(uint32_t elapsed, uint32_t duration, bool hasTransition);

// The progress handed to the effect: p forwards, 1 - p backwards.
[[nodiscard]] float EffectProgress(float progress, bool backwards);
