// Warps around the frame's centre, for effects whose geometry depends only on the distance
// from the centre: lenses, ripples, swirls, a vacuum, a worm hole.
//
// An effect fills one ring entry per narrow ring of radii with where each picture is to be
// sampled (turned by an angle and scaled about the centre), how much of the new picture
// shows, and a shading; DrawRadialWarp then draws every pixel from the entry of its ring.
// The sines, cosines and curves are thus computed once per ring instead of once per pixel.
#pragma once

#include <cstdint>

#include "screensaver/transitions/effects/effect_frames.h"

constexpr int kWarpRings = 2048;

// What a picture shows where its warped position falls off the frame.
enum class OffFrame : uint8_t {
    Edge,          // the nearest edge pixel
    OtherPicture,  // the other picture, unwarped (something beneath it shows through)
    Black,
};

struct WarpPlacement {
    float scale = 1.0f;  // sampled at centre + turn(offset) * scale
    float cosine = 1.0f;
    float sine = 0.0f;
};

struct WarpRing {
    WarpPlacement from;
    WarpPlacement to;
    uint32_t toWeight = 0;  // 0 the old picture only, 256 the new picture only
    uint32_t shade = 256;   // ScalePixel factor
};

struct RadialWarp {
    WarpRing rings[kWarpRings];
    float farthest = 1.0f;  // the largest radius on the frame (half its diagonal)
    OffFrame fromOffFrame = OffFrame::Edge;
    OffFrame toOffFrame = OffFrame::Edge;
};

// Half the frame's diagonal, and the radius at the middle of `ring`.
[[nodiscard]] float WarpFarthest(const Frame& frame);
[[nodiscard]] float RingRadius(const RadialWarp& warp, int ring);

// A placement turned by `angle` radians and sampling at `sampledRadius` for `radius`.
[[nodiscard]] WarpPlacement Placement(float radius, float sampledRadius, float angle);

void DrawRadialWarp(const EffectFrames& frames, const RadialWarp& warp);
