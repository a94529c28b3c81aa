// Water rises from the bottom of the frame with the new picture under it: a wavy surface
// with a line of foam, and the picture beneath rippling and tinted until the water has
// settled over the whole frame.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr float kSwell = 0.035f;        // height of the surface waves, of the frame's height
constexpr float kSurfaceWaves = 2.5f;   // waves across the frame
constexpr float kRippleShift = 0.012f;  // sideways ripple under water, of the frame's width
constexpr float kFoam = 3.0f;           // pixels of foam along the surface
constexpr uint32_t kWaterTint = FramePixel(24, 70, 100);

// Row y of `source` moved `shift` pixels to the right (any fraction), edge pixels repeated.
void ShiftedRow(uint32_t* out, const Frame& source, int y, float shift) {
    const uint32_t* row = source.Row(y);
    int whole = int(std::floor(shift));
    uint32_t weight = WeightOf(1.0f - (shift - float(whole)));  // towards the pixel on the left
    int last = source.width - 1;
    for (int x = 0; x < source.width; ++x) {
        uint32_t right = row[std::clamp(x - whole, 0, last)];
        uint32_t left = row[std::clamp(x - whole - 1, 0, last)];
        out[x] = weight == 0 ? right : LerpPixel(right, left, weight);
    }
}

}  // namespace

void DrawWater(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float height = float(out.height);
    float swell = kSwell * height;
    // The still level rises from below the frame to above it by a swell and the foam, so no
    // foam shows at either end.
    float margin = swell + kFoam;
    float level = height + margin - progress * (height + 2.0f * margin);
    float calm = std::sin(kPi * progress);  // the water settles at the end
    float wavePhase = 4.0f * kPi * progress;
    float waveStep = 2.0f * kPi * kSurfaceWaves / float(out.width);
    uint32_t tint = WeightOf(0.2f * calm);
    for (int y = 0; y < out.height; ++y) {
        float yCentre = float(y) + 0.5f;
        if (yCentre < level - swell - kFoam) {
            CopySpan(out, y, 0, out.width, frames.from);
            continue;
        }
        uint32_t* row = out.Row(y);
        float shift = kRippleShift * float(out.width) * calm * std::sin(yCentre * 0.05f + wavePhase);
        ShiftedRow(row, frames.to, y, shift);
        BlendRowToColour(row, row, kWaterTint, out.width, tint);
        if (yCentre > level + swell + kFoam) continue;
        const uint32_t* from = frames.from.Row(y);
        for (int x = 0; x < out.width; ++x) {
            float surface = level + swell * std::sin(waveStep * (float(x) + 0.5f) + wavePhase);
            float below = yCentre - surface;
            if (below < -kFoam) {
                row[x] = from[x];
            } else if (below < kFoam) {
                // Foam: whiter in the middle of the line, blending into air and water at its sides.
                uint32_t under = below < 0.0f ? from[x] : row[x];
                row[x] =
                    LerpPixel(under, FramePixel(255, 255, 255), WeightOf(0.6f * (1.0f - std::fabs(below) / kFoam)));
            }
        }
    }
}
