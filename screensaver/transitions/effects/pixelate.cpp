// The old picture coarsens into ever larger squares, the squares cross-fade to those of the
// new picture, and the new picture sharpens out of them.
//
// Square sizes are whole pixels, so a size that simply stepped would make the picture jump
// at every step; instead each frame blends the two whole sizes around the exact one.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr float kCoarsening = 0.4f;  // share of the progress spent coarsening (and sharpening)
constexpr int kSquaresAcross = 24;   // squares across the shorter side at the coarsest

// Paints `source` as squares of `size` pixels, each the mean of the pixels it covers,
// blended over what the output holds with `weight` (256 replaces it).
void PaintSquares(const Frame& out, const Frame& source, int size, uint32_t weight) {
    for (int top = 0; top < out.height; top += size) {
        int bottom = std::min(top + size, out.height);
        for (int left = 0; left < out.width; left += size) {
            int right = std::min(left + size, out.width);
            uint32_t red = 0, green = 0, blue = 0;
            for (int y = top; y < bottom; ++y) {
                const uint32_t* row = source.Row(y);
                for (int x = left; x < right; ++x) {
                    red += (row[x] >> 16) & 0xFF;
                    green += (row[x] >> 8) & 0xFF;
                    blue += row[x] & 0xFF;
                }
            }
            uint32_t count = uint32_t((bottom - top) * (right - left));
            uint32_t mean = FramePixel(uint8_t((red + count / 2) / count), uint8_t((green + count / 2) / count),
                                       uint8_t((blue + count / 2) / count));
            for (int y = top; y < bottom; ++y) {
                uint32_t* row = out.Row(y);
                if (weight >= uint32_t(kFullWeight)) {
                    std::fill(row + left, row + right, mean);
                } else {
                    for (int x = left; x < right; ++x) row[x] = LerpPixel(row[x], mean, weight);
                }
            }
        }
    }
}

// `source` at a square size between 1 and the coarsest, blending the neighbouring sizes.
void PaintPixelated(const Frame& out, const Frame& source, float size) {
    int smaller = std::max(int(size), 1);
    float between = size - float(smaller);
    if (smaller == 1) {
        for (int y = 0; y < out.height; ++y) CopySpan(out, y, 0, out.width, source);
    } else {
        PaintSquares(out, source, smaller, kFullWeight);
    }
    uint32_t weight = WeightOf(between);
    if (weight > 0) PaintSquares(out, source, smaller + 1, weight);
}

}  // namespace

void DrawPixelate(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    // A whole size, so the coarsening ends on exactly the squares that then cross-fade.
    int coarsest = std::max(std::min(out.width, out.height) / kSquaresAcross, 2);
    if (progress < kCoarsening || progress > 1.0f - kCoarsening) {
        bool sharpening = progress > 0.5f;
        float phase = sharpening ? (1.0f - progress) / kCoarsening : progress / kCoarsening;
        // Sizes grow geometrically (each step looks as large as the last), and fast at first
        // so that the squares show early.
        float size = std::min(std::pow(float(coarsest), std::sqrt(phase)), float(coarsest));
        PaintPixelated(out, sharpening ? frames.to : frames.from, size);
        return;
    }
    float across = (progress - kCoarsening) / (1.0f - 2.0f * kCoarsening);
    PaintSquares(out, frames.from, coarsest, kFullWeight);
    PaintSquares(out, frames.to, coarsest, WeightOf(across));
}
