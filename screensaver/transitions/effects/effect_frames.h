// What every transition effect draws with: the picture it starts from, the picture it ends
// on and the frame it draws into, all three of one size (the factory refuses anything else;
// strides may differ). An effect is a pure function of the two pictures and the progress:
// it keeps no state between frames and allocates nothing, so one call draws one complete
// frame and any progress can be drawn in any order.
//
// Effects are only called with 0 < progress < 1: ExecuteTransition copies the pictures themselves
// at the two ends, so the ends are exact whatever an effect's arithmetic rounds to. Each
// effect must tend to its `from` picture as the progress falls to 0 and to `to` as it rises
// to 1, and move continuously in between.
#pragma once

#include "codec/pixels/frame.h"

struct EffectFrames {
    Frame from;
    Frame to;
    Frame out;
};

using EffectFunction = void (*)(const EffectFrames& frames, float progress);
