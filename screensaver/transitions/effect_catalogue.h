// The engine's side of the transitions catalogue: for each of the 36 entries of the
// settings' catalogue (settings/transition_catalogue.h), by the same index, the class
// identifier that names its effect and the function that draws it. The factory
// (transition_effect.h) creates effects by class identifier through this table.
#pragma once

#include "screensaver/transitions/effects/effect_frames.h"
#include "screensaver/transitions/transition_class_id.h"

// The one class shared by two entries, "Wipe Horizontal" and "Wipe Vertical", told apart by
// the wipe style set on the effect.
inline constexpr TransitionClassId kWipeClassId = ParseTransitionClassId("{AF279B30-86EB-11D1-81BF-0000F87557DB}");

struct EffectCatalogueEntry {
    TransitionClassId classId;
    EffectFunction draw;
};

// Entry `index` (0 to kTransitionCount - 1); an index out of range gives entry 0.
[[nodiscard]] const EffectCatalogueEntry& EffectCatalogue(int index);

// The first entry with this class identifier, or -1 when no effect has it.
[[nodiscard]] int FindEffectClass(const TransitionClassId& classId);
