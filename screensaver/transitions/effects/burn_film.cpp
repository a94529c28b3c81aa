// The old picture burns away like film stuck in a hot projector: a ragged hole opens near
// the middle and spreads, its edge glowing white, orange and then charred, with the film
// scorched brown just ahead of it. The new picture shows through the hole.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/smooth_noise.h"

namespace {

// The glowing edge is thin: each pixel passes through it in a moment, like a real flame front.
constexpr float kGlow = 0.015f;   // width of the glowing edge, in field units
constexpr float kScorch = 0.11f;  // distance ahead of the hole at which scorching begins
constexpr float kOriginX = 0.42f, kOriginY = 0.55f;
constexpr uint32_t kNoiseSeed = 0x6B75726E;

constexpr uint32_t kWhiteHot = FramePixel(255, 244, 190);
constexpr uint32_t kFlame = FramePixel(255, 128, 16);
constexpr uint32_t kChar = FramePixel(48, 20, 6);

// The colour of the glowing edge at `depth` (0 at the hole, 1 where it meets the scorch).
uint32_t GlowColour(float depth) {
    return depth < 0.4f ? LerpPixel(kWhiteHot, kFlame, WeightOf(depth / 0.4f))
                        : LerpPixel(kFlame, kChar, WeightOf((depth - 0.4f) / 0.6f));
}

}  // namespace

void DrawBurnFilm(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    // Field values run 0 to 1; the hole takes every pixel whose value is below `level`,
    // which runs from just beneath the lowest value (nothing burnt, nothing scorched) to
    // the highest.
    float level = progress * (1.0f + kScorch) - kScorch;
    float originX = kOriginX * out.width, originY = kOriginY * out.height;
    float farthest = std::hypot(std::max(originX, out.width - originX), std::max(originY, out.height - originY));
    for (int y = 0; y < out.height; ++y) {
        float down = (float(y) + 0.5f) / out.height;
        NoiseRow coarse = MakeNoiseRow(6, down, kNoiseSeed);
        NoiseRow fine = MakeNoiseRow(20, down, kNoiseSeed + 1);
        float dy = float(y) + 0.5f - originY;
        const uint32_t* from = frames.from.Row(y);
        const uint32_t* to = frames.to.Row(y);
        uint32_t* row = out.Row(y);
        for (int x = 0; x < out.width; ++x) {
            float across = (float(x) + 0.5f) / out.width;
            float dx = float(x) + 0.5f - originX;
            float field = 0.55f * std::sqrt(dx * dx + dy * dy) / farthest + 0.3f * NoiseAt(coarse, across) +
                          0.15f * NoiseAt(fine, across);
            float ahead = field - level;
            if (ahead < 0.0f) {
                row[x] = to[x];
            } else if (ahead < kGlow) {
                row[x] = LerpPixel(from[x], GlowColour(ahead / kGlow), WeightOf(0.92f));
            } else if (ahead < kScorch) {
                float scorch = 1.0f - (ahead - kGlow) / (kScorch - kGlow);
                row[x] = LerpPixel(from[x], kChar, WeightOf(0.92f * scorch));
            } else {
                row[x] = from[x];
            }
        }
    }
}
