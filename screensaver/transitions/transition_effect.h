// One transition effect, made ready to draw between two pictures:
//
//     TransitionEffect effect;
//     if (CreateTransitionEffect(classId, oldFrame, newFrame, outputFrame, effect)) {
//         SetWipeStyle(effect, kWipeVertical);   // only the wipe class takes a style
//         SetTransitionProgress(effect, 0.4f);
//         ExecuteTransition(effect);             // draws into outputFrame
//     }
//
// The effect borrows the three frames, which must outlive it; it owns nothing, so it needs
// no release. Drawing allocates nothing, and the same effect may be executed any number of
// times at any progress.
#pragma once

#include "codec/pixels/frame.h"
#include "screensaver/transitions/effects/effect_frames.h"
#include "screensaver/transitions/transition_class_id.h"

constexpr int kWipeHorizontal = 0;
constexpr int kWipeVertical = 1;

struct TransitionEffect {
    EffectFunction draw = nullptr;
    EffectFrames frames;
    float progress = 0.0f;
    bool isWipe = false;
};

// Creates the effect of the class `classId` drawing from `from` (progress 0) to `to`
// (progress 1) into `out`. False, leaving `effect` unusable, when no effect has that class,
// the frames are empty or not all of one size, or `out` is one of the pictures.
[[nodiscard]] bool CreateTransitionEffect(const TransitionClassId& classId,
                                          const Frame& from,
                                          const Frame& to,
                                          const Frame& out,
                                          TransitionEffect& effect);

// 0 is the old picture, 1 the new one; values beyond are clamped and NaN counts as 0.
void SetTransitionProgress(TransitionEffect& effect, float progress);

// The wipe class's direction: kWipeHorizontal (left to right, the default) or
// kWipeVertical (top to bottom). False for any other class or style, which are left as
// they were.
[[nodiscard]] bool SetWipeStyle(TransitionEffect& effect, int style);

// Draws the frame at the effect's progress into its output; progress 0 and 1 give copies of
// the two pictures, bit for bit.
void ExecuteTransition(const TransitionEffect& effect);
