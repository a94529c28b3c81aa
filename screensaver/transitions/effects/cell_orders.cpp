// Effects that lay the new picture down cell by cell over a 16 x 16 grid, each in its own
// order. The cell being laid grows from its left edge, so the picture moves on with every
// frame instead of in cell-sized jumps.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr int kCells = 16;  // along each side

using CellRank = int (*)(int column, int row);

// Clockwise from the top left corner, ring by ring towards the middle.
int SpiralRank(int column, int row) {
    int ring = std::min({column, row, kCells - 1 - column, kCells - 1 - row});
    int side = kCells - 2 * ring;  // cells along one side of this ring
    int before = kCells * kCells - side * side;
    int last = kCells - 1 - ring;
    if (side == 1) return before;
    if (row == ring) return before + (column - ring);
    if (column == last) return before + (side - 1) + (row - ring);
    if (row == last) return before + 2 * (side - 1) + (last - column);
    return before + 3 * (side - 1) + (last - row);
}

// Row by row, left to right and then right to left.
int ZigzagRank(int column, int row) {
    return row * kCells + (row % 2 == 0 ? column : kCells - 1 - column);
}

void LayCells(const EffectFrames& frames, float progress, CellRank rank) {
    const Frame& out = frames.out;
    float laid = progress * kCells * kCells;
    int whole = int(laid);
    float partial = laid - float(whole);
    for (int y = 0; y < out.height; ++y) {
        int row = y * kCells / out.height;
        for (int column = 0; column < kCells; ++column) {
            int left = column * out.width / kCells;
            int right = (column + 1) * out.width / kCells;
            int order = rank(column, row);
            int split = order < whole ? right : order > whole ? left : left + int(partial * float(right - left));
            CopySpan(out, y, left, split, frames.to);
            CopySpan(out, y, split, right, frames.from);
        }
    }
}

}  // namespace

void DrawSpiral(const EffectFrames& frames, float progress) {
    LayCells(frames, progress, SpiralRank);
}

void DrawZigzag(const EffectFrames& frames, float progress) {
    LayCells(frames, progress, ZigzagRank);
}
