// Effects that cut the frame into parts of the old and parts of the new picture with hard
// edges, both pictures standing still. Each row is a few spans copied whole.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr int kBlindsBands = 10;
constexpr int kGridCells = 8;  // cells along the frame's longer side
constexpr int kJawsTeeth = 16;

// Rounds a position to the nearest pixel boundary, clamped to [0, limit].
int PixelBoundary(float position, int limit) {
    return std::clamp(int(std::lround(position)), 0, limit);
}

}  // namespace

// Ten horizontal slats, each filling with the new picture from its top edge down.
void DrawBlinds(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    for (int y = 0; y < out.height; ++y) {
        // Position inside the slat, in units of height / bands, so slats of unequal whole
        // heights still fill at one speed.
        int within = (y * kBlindsBands) % out.height;
        bool filled = float(within) + 0.5f * kBlindsBands < progress * float(out.height);
        CopySpan(out, y, 0, out.width, filled ? frames.to : frames.from);
    }
}

// The new picture grows from the top left corner as a rectangle of the frame's proportions.
void DrawInset(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    int right = PixelBoundary(progress * out.width, out.width);
    int bottom = PixelBoundary(progress * out.height, out.height);
    for (int y = 0; y < out.height; ++y) {
        if (y < bottom) {
            SplitRow(out, y, right, frames.to, frames.from);
        } else {
            CopySpan(out, y, 0, out.width, frames.from);
        }
    }
}

// A circle of the new picture opens from the centre until it covers the corners.
void DrawIris(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float centreX = 0.5f * out.width, centreY = 0.5f * out.height;
    float radius = progress * std::sqrt(centreX * centreX + centreY * centreY);
    for (int y = 0; y < out.height; ++y) {
        float dy = float(y) + 0.5f - centreY;
        float halfChord = radius * radius - dy * dy;
        if (halfChord <= 0.0f) {
            CopySpan(out, y, 0, out.width, frames.from);
            continue;
        }
        halfChord = std::sqrt(halfChord);
        int left = PixelBoundary(centreX - halfChord, out.width);
        int right = PixelBoundary(centreX + halfChord, out.width);
        CopySpan(out, y, 0, left, frames.from);
        CopySpan(out, y, left, right, frames.to);
        CopySpan(out, y, right, out.width, frames.from);
    }
}

// Bars of the new picture grow out of the lines of a square grid until they close every cell.
void DrawGrid(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float cell = float(std::max(out.width, out.height)) / kGridCells;
    float half = 0.5f * progress * cell;  // half the width of a bar
    // Lines pass through the frame's centre so the pattern is symmetric.
    float originX = std::fmod(0.5f * out.width, cell), originY = std::fmod(0.5f * out.height, cell);
    for (int y = 0; y < out.height; ++y) {
        float offset = std::fmod(float(y) + 0.5f - originY + cell, cell);
        if (std::min(offset, cell - offset) < half) {
            CopySpan(out, y, 0, out.width, frames.to);
            continue;
        }
        CopySpan(out, y, 0, out.width, frames.from);
        for (float line = originX - cell; line - half < out.width; line += cell) {
            CopySpan(out, y, PixelBoundary(line - half, out.width), PixelBoundary(line + half, out.width), frames.to);
        }
    }
}

// Two jaws of the new picture close from the top and the bottom, their triangular teeth
// meshing in the middle.
void DrawJaws(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float tooth = float(out.width) / kJawsTeeth;
    float depth = 0.08f * out.height + 1.0f;  // height of a tooth
    // The gum line runs from just above the frame to the middle plus a tooth, so the teeth
    // interlock to cover every row at the end.
    float gum = progress * (0.5f * out.height + depth) - depth;
    for (int y = 0; y < out.height; ++y) {
        CopySpan(out, y, 0, out.width, frames.from);
        float yCentre = float(y) + 0.5f;
        // Each jaw: reach of its teeth into this row, as a fraction of a tooth's width.
        for (int jaw = 0; jaw < 2; ++jaw) {
            float intoJaw = jaw == 0 ? yCentre : float(out.height) - yCentre;
            float reach = 1.0f - (intoJaw - gum) / depth;  // 1 at the gum line, 0 at the tips
            if (reach <= 0.0f) continue;
            if (reach >= 1.0f) {
                CopySpan(out, y, 0, out.width, frames.to);
                break;
            }
            float shift = jaw == 0 ? 0.0f : 0.5f * tooth;  // the lower teeth sit between the upper
            for (float start = shift - tooth; start < out.width; start += tooth) {
                float tip = start + 0.5f * tooth;
                float halfWidth = 0.5f * tooth * reach;
                CopySpan(out, y, PixelBoundary(tip - halfWidth, out.width), PixelBoundary(tip + halfWidth, out.width),
                         frames.to);
            }
        }
    }
}
