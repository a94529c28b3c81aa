#include "screensaver/transitions/transition_effect.h"

#include <cstring>

#include "screensaver/transitions/effect_catalogue.h"
#include "screensaver/transitions/effects/effects.h"

namespace {

bool SameSize(const Frame& a, const Frame& b) {
    return a.width == b.width && a.height == b.height;
}

void CopyFrame(const Frame& out, const Frame& source) {
    for (int y = 0; y < out.height; ++y) std::memcpy(out.Row(y), source.Row(y), size_t(out.width) * 4);
}

}  // namespace

bool CreateTransitionEffect(const TransitionClassId& classId,
                            const Frame& from,
                            const Frame& to,
                            const Frame& out,
                            TransitionEffect& effect) {
    int index = FindEffectClass(classId);
    if (index < 0 || from.IsEmpty() || to.IsEmpty() || out.IsEmpty() || !SameSize(from, out) || !SameSize(to, out)) {
        return false;
    }
    // Effects read the pictures while they write the output, so it must be a frame of its own.
    if (out.pixels == from.pixels || out.pixels == to.pixels) return false;
    effect = {};
    effect.draw = EffectCatalogue(index).draw;
    effect.frames = {from, to, out};
    effect.isWipe = classId == kWipeClassId;
    return true;
}

void SetTransitionProgress(TransitionEffect& effect, float progress) {
    effect.progress = progress > 0.0f ? (progress < 1.0f ? progress : 1.0f) : 0.0f;
}

bool SetWipeStyle(TransitionEffect& effect, int style) {
    if (!effect.isWipe || (style != kWipeHorizontal && style != kWipeVertical)) return false;
    effect.draw = style == kWipeHorizontal ? DrawWipeHorizontal : DrawWipeVertical;
    return true;
}

void ExecuteTransition(const TransitionEffect& effect) {
    if (effect.draw == nullptr) return;
    if (effect.progress <= 0.0f) {
        CopyFrame(effect.frames.out, effect.frames.from);
    } else if (effect.progress >= 1.0f) {
        CopyFrame(effect.frames.out, effect.frames.to);
    } else {
        effect.draw(effect.frames, effect.progress);
    }
}
