// Effects in which whole pictures move: doors sliding apart, one picture pushing the other
// out, the new picture stretching in, curtains drawn aside, a flowing push.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr float kFlowLag = 0.35f;       // how far, in widths, the slowest row trails the fastest
constexpr float kFlowSeam = 1.0f / 24;  // width of the blurred seam between the pictures, in widths
constexpr float kCurtainFoldsPerHalf = 7.0f;
constexpr float kCurtainFoldDepth = 0.5f;  // darkness of a fold's crease when fully gathered

// Columns [sourceX0, sourceX1) of a row of `source` squeezed or stretched into [x0, x1) of
// the output row, sampled with linear interpolation so a slow stretch glides instead of
// stepping.
void StretchSpan(const Frame& out, int y, int x0, int x1, const Frame& source, int sourceX0, int sourceX1) {
    if (x1 <= x0 || sourceX1 <= sourceX0) return;
    const uint32_t* from = source.Row(y);
    uint32_t* row = out.Row(y);
    int last = sourceX1 - 1;
    // 16.16 source position of each output pixel's centre.
    int64_t step = (int64_t(sourceX1 - sourceX0) << 16) / (x1 - x0);
    int64_t position = (int64_t(sourceX0) << 16) + step / 2 - 32768;
    for (int x = x0; x < x1; ++x, position += step) {
        int64_t clamped = std::clamp<int64_t>(position, int64_t(sourceX0) << 16, int64_t(last) << 16);
        int column = int(clamped >> 16);
        uint32_t weight = uint32_t(clamped >> 8) & 0xFF;
        row[x] = weight == 0 ? from[column] : LerpPixel(from[column], from[column + 1], weight);
    }
}

// Darkens the creases of a gathered curtain occupying [x0, x1) that holds `sourceWidth`
// columns of cloth: the more it is gathered, the deeper its folds.
void ShadeFolds(const Frame& out, int y, int x0, int x1, int sourceWidth, float gathered) {
    if (x1 <= x0) return;
    uint32_t* row = out.Row(y);
    float foldsPerPixel = kCurtainFoldsPerHalf / float(x1 - x0);
    float depth = kCurtainFoldDepth * gathered * (1.0f - float(x1 - x0) / float(std::max(sourceWidth, 1)));
    for (int x = x0; x < x1; ++x) {
        float phase = (float(x - x0) + 0.5f) * foldsPerPixel;
        float crease = std::fabs(2.0f * (phase - std::floor(phase)) - 1.0f);  // 1 at a crease, 0 between
        row[x] = ScalePixel(row[x], ShadeOf(1.0f - depth * SmoothStep(0.3f, 1.0f, crease)));
    }
}

}  // namespace

// The old picture splits down the middle and its halves slide apart like barn doors,
// uncovering the new one.
void DrawBarn(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    int half = out.width / 2;
    int opening = std::clamp(int(std::lround(progress * float(out.width - half))), 0, out.width - half);
    int leftDoor = std::max(half - opening, 0);  // columns of the left door still on screen
    int rightDoor = std::min(half + opening, out.width);
    for (int y = 0; y < out.height; ++y) {
        CopySpan(out, y, 0, leftDoor, frames.from, y, half - leftDoor);
        CopySpan(out, y, leftDoor, rightDoor, frames.to);
        CopySpan(out, y, rightDoor, out.width, frames.from, y, half);
    }
}

// The new picture comes in from the right and pushes the old one out to the left.
void DrawSlide(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    int pushed = std::clamp(int(std::lround(progress * float(out.width))), 0, out.width);
    for (int y = 0; y < out.height; ++y) {
        CopySpan(out, y, 0, out.width - pushed, frames.from, y, pushed);
        CopySpan(out, y, out.width - pushed, out.width, frames.to, y, 0);
    }
}

// The new picture stretches in from the left edge while the old one is squeezed to the right.
void DrawStretch(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    int split = std::clamp(int(std::lround(progress * float(out.width))), 0, out.width);
    for (int y = 0; y < out.height; ++y) {
        StretchSpan(out, y, 0, split, frames.to, 0, out.width);
        StretchSpan(out, y, split, out.width, frames.from, 0, out.width);
    }
}

// The old picture parts in the middle like a theatre curtain: each half is gathered towards
// its side of the frame in ever deeper folds, uncovering the new picture.
void DrawCurtains(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    int half = out.width / 2;
    float open = SmoothStep(0.0f, 1.0f, progress);
    int left = std::clamp(int(std::lround((1.0f - open) * float(half))), 0, half);
    int right =
        std::clamp(int(std::lround(float(out.width) - (1.0f - open) * float(out.width - half))), half, out.width);
    for (int y = 0; y < out.height; ++y) {
        StretchSpan(out, y, 0, left, frames.from, 0, half);
        ShadeFolds(out, y, 0, left, half, open);
        CopySpan(out, y, left, right, frames.to);
        StretchSpan(out, y, right, out.width, frames.from, half, out.width);
        ShadeFolds(out, y, right, out.width, out.width - half, open);
    }
}

// The new picture flows in from the left and pushes the old one out, its rows trailing one
// another in a wave and the seam between the pictures blurred as if by speed.
void DrawFlowMotion(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float width = float(out.width);
    float seam = std::max(kFlowSeam * width, 1.0f);
    float lag = kFlowLag * width;
    for (int y = 0; y < out.height; ++y) {
        float wave = 0.5f + 0.5f * std::sin(2.0f * kPi * (float(y) + 0.5f) / float(out.height) * 1.25f);
        // The seam's centre: it starts a seam's width left of the frame and ends one right of it.
        float edge = progress * (width + lag + 2.0f * seam) - lag * wave - seam;
        // Both pictures move with the seam while it crosses the frame and rest outside it.
        int shift = std::clamp(int(std::lround(edge)), 0, out.width);
        int blendStart = std::clamp(int(std::lround(edge - seam)), 0, out.width);
        int blendEnd = std::clamp(int(std::lround(edge + seam)), 0, out.width);
        // The new picture's right edge and the old picture's left edge both sit at the seam.
        CopySpan(out, y, 0, blendStart, frames.to, y, out.width - shift);
        CopySpan(out, y, blendEnd, out.width, frames.from, y, blendEnd - shift);
        const uint32_t* from = frames.from.Row(y);
        const uint32_t* to = frames.to.Row(y);
        uint32_t* row = out.Row(y);
        for (int x = blendStart; x < blendEnd; ++x) {
            uint32_t oldPixel = from[std::clamp(x - shift, 0, out.width - 1)];
            uint32_t newPixel = to[std::clamp(x + out.width - shift, 0, out.width - 1)];
            row[x] = LerpPixel(newPixel, oldPixel, WeightOf((float(x) + 0.5f - (edge - seam)) / (2.0f * seam)));
        }
    }
}
