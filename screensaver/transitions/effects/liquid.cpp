// The old picture melts and runs down out of the frame in drips of uneven length, a glossy
// highlight along its running edge, uncovering the new picture from the top.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/row_ops.h"
#include "screensaver/transitions/effects/smooth_noise.h"

namespace {

constexpr float kDripSpread = 0.6f;  // how far the longest drip leads the shortest, of the height
constexpr float kGloss = 0.02f;      // depth of the highlight along the edge, of the height
constexpr int kStripColumns = 256;   // columns whose drops are computed together
constexpr uint32_t kNoiseSeed = 0x6C697164;

}  // namespace

void DrawLiquid(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float height = float(out.height);
    float spread = kDripSpread * height;
    float gloss = std::max(kGloss * height, 1.0f);
    // Gravity: slow to start, faster towards the end.
    float fall = progress * (0.4f + 0.6f * progress) * (height + spread);
    NoiseRow broad = MakeNoiseRow(7, 0.0f, kNoiseSeed);
    NoiseRow narrow = MakeNoiseRow(kMaxNoiseCells, 0.0f, kNoiseSeed + 1);
    float drops[kStripColumns];
    for (int stripStart = 0; stripStart < out.width; stripStart += kStripColumns) {
        int stripEnd = std::min(stripStart + kStripColumns, out.width);
        for (int x = stripStart; x < stripEnd; ++x) {
            float across = (float(x) + 0.5f) / float(out.width);
            float lead = 0.65f * NoiseAt(broad, across) + 0.35f * NoiseAt(narrow, across);
            // Every column has fallen out of the frame at the end, and none has moved at the start.
            drops[x - stripStart] = std::max(fall - spread * (1.0f - lead), 0.0f);
        }
        for (int y = 0; y < out.height; ++y) {
            const uint32_t* to = frames.to.Row(y);
            uint32_t* row = out.Row(y);
            for (int x = stripStart; x < stripEnd; ++x) {
                float drop = drops[x - stripStart];
                float sourceY = float(y) - drop;
                if (sourceY < 0.0f) {
                    row[x] = to[x];
                    continue;
                }
                int sourceRow = int(sourceY);
                uint32_t weight = WeightOf(sourceY - float(sourceRow));
                uint32_t pixel = frames.from.Row(sourceRow)[x];
                if (weight > 0 && sourceRow + 1 < out.height) {
                    pixel = LerpPixel(pixel, frames.from.Row(sourceRow + 1)[x], weight);
                }
                if (drop > 0.0f && sourceY < gloss) {
                    pixel = LerpPixel(pixel, FramePixel(255, 255, 255), WeightOf(0.45f * (1.0f - sourceY / gloss)));
                }
                row[x] = pixel;
            }
        }
    }
}
