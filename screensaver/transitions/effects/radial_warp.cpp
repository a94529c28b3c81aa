#include "screensaver/transitions/effects/radial_warp.h"

#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/pixel_math.h"

namespace {

// The warp is computed exactly at the nodes of a grid and interpolated linearly in between,
// so a pixel costs a few additions and its samples instead of a square root, a rotation and
// conversions. Grid cells are at most 8 pixels (about 1/128 of the frame's half-diagonal, so
// small frames keep their detail); strips of columns bound the nodes held at once.
constexpr int kLargestCell = 8;
constexpr int kStripCells = 64;

// Everything interpolated across a cell, in 16.16 fixed point: where each picture is
// sampled, the share of the new picture (0 to 256) and the shading (0 to 256).
struct WarpNode {
    int32_t fromX, fromY, toX, toY, toWeight, shade;
};
constexpr int kNodeValues = 6;

int32_t* Values(WarpNode& node) {
    return &node.fromX;
}
const int32_t* Values(const WarpNode& node) {
    return &node.fromX;
}

WarpPlacement Between(const WarpPlacement& a, const WarpPlacement& b, float t) {
    return {a.scale + (b.scale - a.scale) * t, a.cosine + (b.cosine - a.cosine) * t, a.sine + (b.sine - a.sine) * t};
}

// The warp at the offset (dx, dy) from the centre, between the two nearest rings.
WarpNode NodeAt(const RadialWarp& warp, float cx, float cy, float dx, float dy) {
    float position = std::sqrt(dx * dx + dy * dy) * (kWarpRings / warp.farthest) - 0.5f;
    position = std::clamp(position, 0.0f, float(kWarpRings - 1));
    int inner = std::min(int(position), kWarpRings - 2);
    float t = position - float(inner);
    const WarpRing& a = warp.rings[inner];
    const WarpRing& b = warp.rings[inner + 1];
    WarpPlacement from = Between(a.from, b.from, t), to = Between(a.to, b.to, t);
    auto placeX = [&](const WarpPlacement& p) { return ToFixed(cx + (dx * p.cosine - dy * p.sine) * p.scale - 0.5f); };
    auto placeY = [&](const WarpPlacement& p) { return ToFixed(cy + (dx * p.sine + dy * p.cosine) * p.scale - 0.5f); };
    auto blend = [&](uint32_t x, uint32_t y) { return int32_t((float(x) + (float(y) - float(x)) * t) * 65536.0f); };
    return {placeX(from), placeY(from), placeX(to), placeY(to), blend(a.toWeight, b.toWeight), blend(a.shade, b.shade)};
}

// The picture at a 16.16 position, or the off-frame choice; `fallback` is the other
// picture's pixel at the output position.
uint32_t SampleOrOff(const Frame& picture, int32_t x, int32_t y, OffFrame offFrame, uint32_t fallback) {
    if (offFrame != OffFrame::Edge && !IsOnFrame(picture, x, y)) {
        return offFrame == OffFrame::Black ? FramePixel(0, 0, 0) : fallback;
    }
    return SampleBilinear(picture, x, y);
}

// Draws the pixels [x0, x1) of row y, the warp running linearly from `left` at x0 to
// `right` at x1.
void DrawSpan(const EffectFrames& frames,
              const RadialWarp& warp,
              int y,
              int x0,
              int x1,
              const WarpNode& left,
              const WarpNode& right) {
    int32_t value[kNodeValues], step[kNodeValues];
    for (int i = 0; i < kNodeValues; ++i) {
        value[i] = Values(left)[i];
        step[i] = (Values(right)[i] - Values(left)[i]) / (x1 - x0);
    }
    // Most spans sample well inside the pictures; they skip every edge check.
    auto inside = [&](const Frame& picture, int first) {
        int32_t lastX = value[first] + step[first] * (x1 - x0 - 1);
        int32_t lastY = value[first + 1] + step[first + 1] * (x1 - x0 - 1);
        return IsInside(picture, value[first], value[first + 1], lastX, lastY);
    };
    bool fromInside = inside(frames.from, 0), toInside = inside(frames.to, 2);
    // The commonest span of all shows one picture, unshaded, from well inside it: a plain
    // run of samples.
    bool unshaded = step[5] == 0 && value[5] + 32768 >= (kFullWeight << 16);
    bool onlyFrom = step[4] == 0 && value[4] + 32768 < 65536, onlyTo = step[4] == 0 && value[4] >= (kFullWeight << 16);
    if (unshaded && ((onlyFrom && fromInside) || (onlyTo && toInside))) {
        const Frame& picture = onlyFrom ? frames.from : frames.to;
        int first = onlyFrom ? 0 : 2;
        int32_t sampleX = value[first], sampleY = value[first + 1];
        uint32_t* row = frames.out.Row(y);
        for (int x = x0; x < x1; ++x, sampleX += step[first], sampleY += step[first + 1]) {
            row[x] = SampleBilinearInside(picture, sampleX, sampleY);
        }
        return;
    }
    const uint32_t* from = frames.from.Row(y);
    const uint32_t* to = frames.to.Row(y);
    uint32_t* row = frames.out.Row(y);
    for (int x = x0; x < x1; ++x) {
        uint32_t toWeight = uint32_t(std::clamp(value[4] + 32768, 0, kFullWeight << 16) >> 16);
        uint32_t shade = uint32_t(std::clamp(value[5] + 32768, 0, kFullWeight << 16) >> 16);
        uint32_t oldPixel = 0, newPixel = 0;
        if (toWeight < uint32_t(kFullWeight)) {
            oldPixel = fromInside ? SampleBilinearInside(frames.from, value[0], value[1])
                                  : SampleOrOff(frames.from, value[0], value[1], warp.fromOffFrame, to[x]);
        }
        if (toWeight > 0) {
            newPixel = toInside ? SampleBilinearInside(frames.to, value[2], value[3])
                                : SampleOrOff(frames.to, value[2], value[3], warp.toOffFrame, from[x]);
        }
        uint32_t pixel = toWeight == 0                       ? oldPixel
                         : toWeight >= uint32_t(kFullWeight) ? newPixel
                                                             : LerpPixel(oldPixel, newPixel, toWeight);
        row[x] = shade >= uint32_t(kFullWeight) ? pixel : ScalePixel(pixel, shade);
        for (int i = 0; i < kNodeValues; ++i) value[i] += step[i];
    }
}

WarpNode Lerp(const WarpNode& a, const WarpNode& b, int numerator, int denominator) {
    WarpNode node;
    for (int i = 0; i < kNodeValues; ++i) {
        Values(node)[i] = Values(a)[i] + int32_t(int64_t(Values(b)[i] - Values(a)[i]) * numerator / denominator);
    }
    return node;
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
    int cell = std::clamp(int(warp.farthest / 128.0f), 1, kLargestCell);
    float cx = 0.5f * out.width, cy = 0.5f * out.height;
    WarpNode upper[kStripCells + 1], lower[kStripCells + 1];
    for (int stripLeft = 0; stripLeft < out.width; stripLeft += kStripCells * cell) {
        int columns = std::min(kStripCells, (out.width - stripLeft + cell - 1) / cell);
        auto nodeX = [&](int column) { return std::min(stripLeft + column * cell, out.width); };
        auto fillNodes = [&](WarpNode* nodes, int nodeY) {
            for (int column = 0; column <= columns; ++column) {
                nodes[column] = NodeAt(warp, cx, cy, float(nodeX(column)) + 0.5f - cx, float(nodeY) + 0.5f - cy);
            }
        };
        fillNodes(upper, 0);
        for (int top = 0; top < out.height; top += cell) {
            int bottom = std::min(top + cell, out.height);
            fillNodes(lower, bottom);
            for (int y = top; y < bottom; ++y) {
                for (int column = 0; column < columns; ++column) {
                    int x0 = nodeX(column), x1 = nodeX(column + 1);
                    if (x1 <= x0) continue;
                    DrawSpan(frames, warp, y, x0, x1, Lerp(upper[column], lower[column], y - top, bottom - top),
                             Lerp(upper[column + 1], lower[column + 1], y - top, bottom - top));
                }
            }
            std::copy(lower, lower + columns + 1, upper);
        }
    }
}
