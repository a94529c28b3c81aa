// Arithmetic on frame pixels (0x00RRGGBB) shared by the effects: blending with 8-bit
// weights, shading, luminance, and bilinear sampling in 16.16 fixed point.
//
// Blends handle two channels per 32-bit multiply (red with blue, green with the unused
// byte), which keeps the scalar paths cheap enough for whole frames.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "codec/pixels/frame.h"

constexpr int kFullWeight = 256;

// a where weight is 0, b where it is 256, bit-exact at both ends.
[[nodiscard]] inline uint32_t LerpPixel(uint32_t a, uint32_t b, uint32_t weight) {
    uint32_t keep = kFullWeight - weight;
    uint32_t redBlue = ((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight) >> 8;
    uint32_t greenUnused = ((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * weight;
    return (redBlue & 0x00FF00FFu) | (greenUnused & 0xFF00FF00u);
}

// The pixel's brightness scaled by scale / 256 (0 black, 256 unchanged).
[[nodiscard]] inline uint32_t ScalePixel(uint32_t pixel, uint32_t scale) {
    uint32_t redBlue = ((pixel & 0x00FF00FFu) * scale) >> 8;
    uint32_t greenUnused = ((pixel >> 8) & 0x00FF00FFu) * scale;
    return (redBlue & 0x00FF00FFu) | (greenUnused & 0xFF00FF00u);
}

// A fraction 0..1 as a blend weight 0..256; out-of-range and NaN fractions are clamped.
[[nodiscard]] inline uint32_t WeightOf(float fraction) {
    if (!(fraction > 0.0f)) return 0;
    if (fraction >= 1.0f) return kFullWeight;
    return uint32_t(fraction * kFullWeight + 0.5f);
}

// Shading factor: brightness 0..1 (and a little above, clamped) as a ScalePixel scale.
[[nodiscard]] inline uint32_t ShadeOf(float brightness) {
    return WeightOf(brightness);
}

// Perceived brightness, 0..255.
[[nodiscard]] inline uint32_t Luminance(uint32_t pixel) {
    return (((pixel >> 16) & 0xFF) * 77 + ((pixel >> 8) & 0xFF) * 150 + (pixel & 0xFF) * 29) >> 8;
}

[[nodiscard]] inline float Clamp01(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}

// 0 below `edge0`, 1 above `edge1`, a smooth S in between.
[[nodiscard]] inline float SmoothStep(float edge0, float edge1, float value) {
    float t = Clamp01((value - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

constexpr float kPi = 3.14159265f;

// A coordinate in 16.16 fixed point, rounded down. Far-away coordinates are pulled in first
// so the conversion never overflows (sampling clamps them to the edge anyway); the offset
// makes truncation round down without a call to floor, which SSE2 lacks an instruction for.
[[nodiscard]] inline int32_t ToFixed(float coordinate) {
    constexpr float kOffset = 4.0f * 65536.0f;
    coordinate = std::clamp(coordinate, -4.0f, 32000.0f);
    return int32_t(coordinate * 65536.0f + kOffset) - int32_t(kOffset);
}

// The picture at (x, y) in 16.16 fixed point, interpolated between the four nearest pixels;
// positions beyond the edge take the edge's pixels. Whole-pixel positions return the pixel
// itself exactly.
[[nodiscard]] inline uint32_t SampleBilinear(const Frame& frame, int32_t x, int32_t y) {
    int column = x >> 16;
    int row = y >> 16;
    uint32_t weightX = (uint32_t(x) >> 8) & 0xFF;
    uint32_t weightY = (uint32_t(y) >> 8) & 0xFF;
    if (column < 0) column = 0, weightX = 0;
    if (column >= frame.width - 1) column = frame.width - 1, weightX = 0;
    if (row < 0) row = 0, weightY = 0;
    if (row >= frame.height - 1) row = frame.height - 1, weightY = 0;
    const uint32_t* top = frame.Row(row) + column;
    uint32_t upper = weightX == 0 ? top[0] : LerpPixel(top[0], top[1], weightX);
    if (weightY == 0) return upper;
    const uint32_t* bottom = frame.Row(row + 1) + column;
    uint32_t lower = weightX == 0 ? bottom[0] : LerpPixel(bottom[0], bottom[1], weightX);
    return LerpPixel(upper, lower, weightY);
}

// SampleBilinear for positions known to have all four pixels on the frame (x below
// width - 1 and y below height - 1, neither negative): no edge checks and no branches.
[[nodiscard]] inline uint32_t SampleBilinearInside(const Frame& frame, int32_t x, int32_t y) {
    const uint32_t* top = frame.Row(y >> 16) + (x >> 16);
    const uint32_t* bottom = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(top) + frame.stride);
    uint32_t weightX = (uint32_t(x) >> 8) & 0xFF;
    return LerpPixel(LerpPixel(top[0], top[1], weightX), LerpPixel(bottom[0], bottom[1], weightX),
                     (uint32_t(y) >> 8) & 0xFF);
}

// Whether every position on the line from (x0, y0) to (x1, y1) can use SampleBilinearInside.
[[nodiscard]] inline bool IsInside(const Frame& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    int64_t limitX = int64_t(frame.width - 1) << 16, limitY = int64_t(frame.height - 1) << 16;
    return std::min(x0, x1) >= 0 && std::max(x0, x1) < limitX && std::min(y0, y1) >= 0 && std::max(y0, y1) < limitY;
}

// Whether a 16.16 position lies on the frame (within half a pixel of its outer pixels).
[[nodiscard]] inline bool IsOnFrame(const Frame& frame, int32_t x, int32_t y) {
    return x >= -32768 && y >= -32768 && (x >> 16) < frame.width && (y >> 16) < frame.height;
}
