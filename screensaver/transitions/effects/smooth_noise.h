// A smooth random field for effects that want an irregular, natural edge (a burn, drips):
// value noise on a lattice of cells with random values at the corners, interpolated with a
// smooth curve. The same seed always gives the same field, so frames agree with each other.
//
// The field is evaluated a row at a time: the lattice is interpolated down to the row once,
// and each pixel then costs one interpolation along the row.
#pragma once

#include <cstdint>

constexpr int kMaxNoiseCells = 32;

struct NoiseRow {
    float values[kMaxNoiseCells + 1];
    int cells;
};

// The field along the row at `down` (0 top to 1 bottom of the frame) with `cells` cells
// across each side (1 to kMaxNoiseCells).
[[nodiscard]] NoiseRow MakeNoiseRow(int cells, float down, uint32_t seed);

// The field's value, 0 to 1, at `across` (0 left to 1 right of the frame).
[[nodiscard]] inline float NoiseAt(const NoiseRow& row, float across) {
    float position = across * float(row.cells);
    int cell = int(position);
    if (cell < 0) cell = 0;
    if (cell > row.cells - 1) cell = row.cells - 1;
    float t = position - float(cell);
    t = t * t * (3.0f - 2.0f * t);
    return row.values[cell] + (row.values[cell + 1] - row.values[cell]) * t;
}
