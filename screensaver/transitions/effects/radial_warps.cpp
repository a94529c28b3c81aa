// Effects that warp the pictures around the frame's centre (radial_warp.h).
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/radial_warp.h"

namespace {

// Lens: a glass circle that grows from the centre, the new picture magnified inside it.
constexpr float kLensMagnification = 0.45f;  // how much nearer the centre the middle samples, at the start
constexpr float kLensRim = 0.04f;            // width of the darker glass edge, of the largest radius

// Ripple: a wave front running out from the centre with the new picture behind it.
constexpr float kRippleTrain = 0.35f;       // length of the wave train behind the front, of the largest radius
constexpr float kRippleAmplitude = 0.012f;  // of the largest radius
constexpr float kRippleWavelength = 0.06f;

// Twister: both pictures swirl about the centre, cross-fading at the height of the swirl.
constexpr float kTwistTurns = 1.5f;  // half turns at the centre at the height of the swirl

// Vacuum: the old picture is drawn into the centre with a spin.
constexpr float kVacuumSpin = 1.5f * kPi;

// Worm hole: a spinning tunnel opens in the middle, the new picture coming out of it.
constexpr float kWormHoleSpin = 2.0f * kPi;
constexpr float kWormHoleRim = 0.06f;  // width of the shadow around the hole, of the largest radius

}  // namespace

void DrawLens(const EffectFrames& frames, float progress) {
    RadialWarp warp;
    warp.farthest = WarpFarthest(frames.out);
    float rim = kLensRim * warp.farthest;
    float lens = progress * (warp.farthest + rim);
    float magnification = kLensMagnification * (1.0f - progress);
    for (int ring = 0; ring < kWarpRings; ++ring) {
        float radius = RingRadius(warp, ring);
        WarpRing& entry = warp.rings[ring];
        float inside = Clamp01(lens - radius);  // a pixel of soft edge
        entry.toWeight = WeightOf(inside);
        if (inside <= 0.0f) continue;
        float across = radius / std::max(lens, 1.0f);
        entry.to = Placement(radius, radius * (1.0f - magnification * (1.0f - across * across)), 0.0f);
        entry.shade = ShadeOf(1.0f - 0.45f * SmoothStep(lens - rim, lens, radius));
    }
    DrawRadialWarp(frames, warp);
}

void DrawRipple(const EffectFrames& frames, float progress) {
    RadialWarp warp;
    warp.farthest = WarpFarthest(frames.out);
    float train = kRippleTrain * warp.farthest;
    float front = progress * (warp.farthest + train);
    float amplitude = kRippleAmplitude * warp.farthest;
    float wavelength = kRippleWavelength * warp.farthest;
    for (int ring = 0; ring < kWarpRings; ++ring) {
        float radius = RingRadius(warp, ring);
        WarpRing& entry = warp.rings[ring];
        float behind = front - radius;  // distance behind the front
        if (behind <= 0.0f || behind >= train) {
            entry.toWeight = behind <= 0.0f ? 0 : kFullWeight;
            continue;
        }
        float fading = 1.0f - behind / train;
        float phase = 2.0f * kPi * behind / wavelength;
        float shift = amplitude * fading * std::sin(phase);
        entry.from = entry.to = Placement(radius, radius + shift, 0.0f);
        entry.toWeight = WeightOf(SmoothStep(0.0f, 0.5f * wavelength, behind));
        entry.shade = ShadeOf(1.0f - 0.25f * fading * (0.5f + 0.5f * std::cos(phase)));
    }
    DrawRadialWarp(frames, warp);
}

void DrawTwister(const EffectFrames& frames, float progress) {
    RadialWarp warp;
    warp.farthest = WarpFarthest(frames.out);
    float twist = kTwistTurns * kPi * std::sin(kPi * progress);
    uint32_t toWeight = WeightOf(SmoothStep(0.3f, 0.7f, progress));
    for (int ring = 0; ring < kWarpRings; ++ring) {
        float radius = RingRadius(warp, ring);
        float falloff = 1.0f - radius / warp.farthest;
        WarpRing& entry = warp.rings[ring];
        entry.from = entry.to = Placement(radius, radius, twist * falloff * falloff);
        entry.toWeight = toWeight;
    }
    DrawRadialWarp(frames, warp);
}

void DrawVacuum(const EffectFrames& frames, float progress) {
    RadialWarp warp;
    warp.farthest = WarpFarthest(frames.out);
    warp.fromOffFrame = OffFrame::OtherPicture;
    // Each point shows the old picture from farther out, so the picture shrinks towards the
    // centre; the constant term empties the middle, and at the end every point looks beyond
    // the picture's corners.
    float growth = 1.0f + 2.0f * progress * progress;
    float suction = 1.02f * warp.farthest * progress * progress * progress;
    for (int ring = 0; ring < kWarpRings; ++ring) {
        float radius = RingRadius(warp, ring);
        WarpRing& entry = warp.rings[ring];
        entry.from = Placement(radius, radius * growth + suction,
                               kVacuumSpin * progress * progress * (1.0f - radius / warp.farthest));
    }
    DrawRadialWarp(frames, warp);
}

void DrawWormHole(const EffectFrames& frames, float progress) {
    RadialWarp warp;
    warp.farthest = WarpFarthest(frames.out);
    warp.toOffFrame = OffFrame::Black;  // the depths of the tunnel
    float rim = kWormHoleRim * warp.farthest;
    float hole = progress * (warp.farthest + rim);
    float distance = 1.0f - progress;  // how far down the tunnel the new picture still is
    for (int ring = 0; ring < kWarpRings; ++ring) {
        float radius = RingRadius(warp, ring);
        WarpRing& entry = warp.rings[ring];
        if (radius < hole) {
            float depth = 1.0f - radius / hole;
            entry.toWeight = WeightOf(hole - radius);
            entry.to = Placement(radius, radius * (1.0f + 3.0f * distance), kWormHoleSpin * distance * depth);
            entry.shade = ShadeOf(1.0f - 0.6f * distance * depth);
        }
        // The old picture is pushed outwards by the opening hole and dragged round by it.
        float outside = std::max(radius - hole, 0.0f);
        float pushed = outside * warp.farthest / std::max(warp.farthest - hole, 1.0f);
        entry.from = Placement(radius, pushed, kWormHoleSpin * 0.25f * progress * (1.0f - outside / warp.farthest));
        if (radius >= hole) entry.shade = ShadeOf(1.0f - 0.6f * (1.0f - SmoothStep(0.0f, rim, outside)) * progress);
    }
    DrawRadialWarp(frames, warp);
}
