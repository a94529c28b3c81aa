#include "screensaver/transitions/transition_choice.h"

#include <cmath>
#include <cstring>

#include "base/text_case.h"

AvailableTransitions FindAvailableTransitions(const TransitionTable& table,
                                              CanCreateTransition canCreate,
                                              void* context) {
    AvailableTransitions available;
    for (int i = 0; i < kTransitionCount; ++i) {
        if (table[i].enable != 0 && canCreate(i, context)) available.entries[available.count++] = i;
    }
    return available;
}

int FindTransitionByName(const char* name) {
    if (name == nullptr) return -1;
    for (int i = 0; i < kTransitionCount; ++i) {
        if (EqualNoCaseAscii(TransitionCatalogue(i).name, name)) return i;
    }
    return -1;
}

int ForcedFirstTransition(bool forceFade, CanCreateTransition canCreate, void* context) {
    if (!forceFade) return -1;
    int fade = FindTransitionByName("Fade");
    return fade >= 0 && canCreate(fade, context) ? fade : -1;
}

bool RunsBackwards(uint8_t enable, int directionToggle) {
    if (directionToggle == 0) return (enable & kTransitionForwards) == 0;
    return (enable & kTransitionBackwards) != 0;
}

TransitionChoice ChooseTransition(TransitionChoiceState& state,
                                  const AvailableTransitions& available,
                                  const TransitionTable& table,
                                  int prepared,
                                  uint8_t selectionMode,
                                  RandomState& random) {
    if (prepared == 0 && state.first >= 0) {
        return {state.first, false, table[state.first].duration};
    }
    if (available.count <= 0) return {};
    int index = 0;
    if (selectionMode != 0 && available.count != 1) {
        do {
            index = Random(random, available.count);
        } while (index == state.previous);
        state.directionToggle = Random(random, 2);
    } else {
        index = state.previous + 1;
        if (index >= available.count) {
            index = 0;
            state.directionToggle ^= 1;
        }
    }
    state.previous = index;
    int entry = available.entries[index];
    return {entry, RunsBackwards(table[entry].enable, state.directionToggle), table[entry].duration};
}

int WipeStyleOfEntry(int index) {
    if (index < 0 || index >= kTransitionCount) return -1;
    const char* name = TransitionCatalogue(index).name;
    if (std::strcmp(name, "Wipe Horizontal") == 0) return 0;
    if (std::strcmp(name, "Wipe Vertical") == 0) return 1;
    return -1;
}

float FrameProgress(uint32_t elapsed, uint32_t duration, bool hasTransition) {
    if (!hasTransition) return 1.0f;
    float progress = float(elapsed) / float(duration);
    if (std::isnan(progress) || progress < 0.0f || progress > 1.0f) return 1.0f;
    return progress;
}

float EffectProgress(float progress, bool backwards) {
    return backwards ? 1.0f - progress : progress;
}
