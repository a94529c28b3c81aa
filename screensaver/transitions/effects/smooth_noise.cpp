#include "screensaver/transitions/effects/smooth_noise.h"

#include <algorithm>
#include <cmath>

namespace {

// A well-mixed 32-bit hash of a lattice corner, as a value in [0, 1).
float CornerValue(int column, int row, uint32_t seed) {
    uint32_t h = uint32_t(column) * 0x8DA6B343u ^ uint32_t(row) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return float(h >> 8) / float(1u << 24);
}

}  // namespace

NoiseRow MakeNoiseRow(int cells, float down, uint32_t seed) {
    NoiseRow row;
    row.cells = std::clamp(cells, 1, kMaxNoiseCells);
    float position = std::clamp(down, 0.0f, 1.0f) * float(row.cells);
    int cell = std::min(int(position), row.cells - 1);
    float t = position - float(cell);
    t = t * t * (3.0f - 2.0f * t);
    for (int column = 0; column <= row.cells; ++column) {
        float upper = CornerValue(column, cell, seed);
        float lower = CornerValue(column, cell + 1, seed);
        row.values[column] = upper + (lower - upper) * t;
    }
    return row;
}
