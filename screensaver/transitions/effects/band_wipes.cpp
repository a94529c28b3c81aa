// Wipes whose edge is a soft band: across the band the new picture blends in over the old.
// The light wipe also brightens the band, as if a bar of light carried the new picture in.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr float kWipeBand = 0.25f;  // width of the soft edge, in frame widths (or heights)
constexpr float kLightWipeBand = 0.2f;
constexpr float kLightWipeGlow = 0.75f;  // how close to white the middle of the light bar gets

struct Band {
    float start;  // where the band begins: before it the new picture, after it the old
    float size;
    float glow;
};

// The band sweeps from just before the frame to just beyond it, so every position is
// crossed by the whole band between the ends.
Band BandAt(float progress, float length, float fraction, float glow) {
    float size = std::max(fraction * length, 1.0f);
    return {progress * (length + size) - size, size, glow};
}

// How close to white the light makes a point `across` the band (0 at its new side, 1 at
// its old side): brightest in the middle.
uint32_t LightAt(const Band& band, float across) {
    return WeightOf(band.glow * (1.0f - std::fabs(2.0f * Clamp01(across) - 1.0f)));
}

// The pixel at `position` (its centre, in pixels along the wipe): the share of the new
// picture, then the light over it.
uint32_t BandPixel(const Band& band, float position, uint32_t oldPixel, uint32_t newPixel) {
    float across = (position - band.start) / band.size;
    uint32_t pixel = LerpPixel(newPixel, oldPixel, WeightOf(across));
    return band.glow <= 0.0f ? pixel : LerpPixel(pixel, FramePixel(255, 255, 255), LightAt(band, across));
}

void WipeAcross(const EffectFrames& frames, const Band& band) {
    const Frame& out = frames.out;
    int bandStart = std::clamp(int(std::floor(band.start)), 0, out.width);
    int bandEnd = std::clamp(int(std::ceil(band.start + band.size)), 0, out.width);
    for (int y = 0; y < out.height; ++y) {
        CopySpan(out, y, 0, bandStart, frames.to);
        const uint32_t* from = frames.from.Row(y);
        const uint32_t* to = frames.to.Row(y);
        uint32_t* row = out.Row(y);
        for (int x = bandStart; x < bandEnd; ++x) row[x] = BandPixel(band, float(x) + 0.5f, from[x], to[x]);
        CopySpan(out, y, bandEnd, out.width, frames.from);
    }
}

void WipeDown(const EffectFrames& frames, const Band& band) {
    const Frame& out = frames.out;
    for (int y = 0; y < out.height; ++y) {
        float across = (float(y) + 0.5f - band.start) / band.size;
        if (across <= 0.0f || across >= 1.0f) {
            CopySpan(out, y, 0, out.width, across <= 0.0f ? frames.to : frames.from);
            continue;
        }
        BlendRow(out.Row(y), frames.to.Row(y), frames.from.Row(y), out.width, WeightOf(across));
        if (band.glow > 0.0f) {
            BlendRowToColour(out.Row(y), out.Row(y), FramePixel(255, 255, 255), out.width, LightAt(band, across));
        }
    }
}

}  // namespace

void DrawWipeHorizontal(const EffectFrames& frames, float progress) {
    WipeAcross(frames, BandAt(progress, float(frames.out.width), kWipeBand, 0.0f));
}

void DrawWipeVertical(const EffectFrames& frames, float progress) {
    WipeDown(frames, BandAt(progress, float(frames.out.height), kWipeBand, 0.0f));
}

void DrawLightWipe(const EffectFrames& frames, float progress) {
    WipeAcross(frames, BandAt(progress, float(frames.out.width), kLightWipeBand, kLightWipeGlow));
}
