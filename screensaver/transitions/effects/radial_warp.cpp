#include "screensaver/transitions/effects/radial_warp.h"

#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/pixel_math.h"

namespace {

// The picture at the placement of the offset (dx, dy) from the centre (cx, cy), or the
// off-frame choice; `fallback` is the other picture's pixel at the output position.
uint32_t SamplePlaced(const Frame& picture,
                      const WarpPlacement& placement,
                      float cx,
                      float cy,
                      float dx,
                      float dy,
                      OffFrame offFrame,
                      uint32_t fallback) {
    float x = cx + (dx * placement.cosine - dy * placement.sine) * placement.scale - 0.5f;
    float y = cy + (dx * placement.sine + dy * placement.cosine) * placement.scale - 0.5f;
    int32_t fixedX = ToFixed(x), fixedY = ToFixed(y);
    if (offFrame != OffFrame::Edge && !IsOnFrame(picture, fixedX, fixedY)) {
        return offFrame == OffFrame::Black ? FramePixel(0, 0, 0) : fallback;
    }
    return SampleBilinear(picture, fixedX, fixedY);
}

}  // namespace

float WarpFarthest(const Frame& frame) {
    return std::max(0.5f * std::hypot(float(frame.width), float(frame.height)), 1.0f);
}

float RingRadius(const RadialWarp& warp, int ring) {
    return (float(ring) + 0.5f) * warp.farthest / kWarpRings;
}

WarpPlacement Placement(float radius, float sampledRadius, float angle) {
    return {sampledRadius / std::max(radius, 1e-3f), std::cos(angle), std::sin(angle)};
}

void DrawRadialWarp(const EffectFrames& frames, const RadialWarp& warp) {
    const Frame& out = frames.out;
    float cx = 0.5f * out.width, cy = 0.5f * out.height;
    float ringsPerPixel = kWarpRings / warp.farthest;
    for (int y = 0; y < out.height; ++y) {
        const uint32_t* from = frames.from.Row(y);
        const uint32_t* to = frames.to.Row(y);
        uint32_t* row = out.Row(y);
        float dy = float(y) + 0.5f - cy;
        for (int x = 0; x < out.width; ++x) {
            float dx = float(x) + 0.5f - cx;
            int index = std::min(int(std::sqrt(dx * dx + dy * dy) * ringsPerPixel), kWarpRings - 1);
            const WarpRing& ring = warp.rings[index];
            uint32_t oldPixel = 0, newPixel = 0;
            if (ring.toWeight < uint32_t(kFullWeight)) {
                oldPixel = SamplePlaced(frames.from, ring.from, cx, cy, dx, dy, warp.fromOffFrame, to[x]);
            }
            if (ring.toWeight > 0) {
                newPixel = SamplePlaced(frames.to, ring.to, cx, cy, dx, dy, warp.toOffFrame, from[x]);
            }
            uint32_t pixel = ring.toWeight == 0                       ? oldPixel
                             : ring.toWeight >= uint32_t(kFullWeight) ? newPixel
                                                                      : LerpPixel(oldPixel, newPixel, ring.toWeight);
            row[x] = ring.shade >= uint32_t(kFullWeight) ? pixel : ScalePixel(pixel, ring.shade);
        }
    }
}
