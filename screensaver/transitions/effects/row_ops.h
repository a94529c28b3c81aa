// Whole-row operations of the effects: copies of spans and blends of rows. The blends are
// the inner loop of every fading effect, so they have an SSE2 path (always present on
// x86-64) that gives the same bits as LerpPixel.
#pragma once

#include <cstdint>

#include "codec/pixels/frame.h"

// out[i] = LerpPixel(a[i], b[i], weight) for `count` pixels; out may be a or b.
void BlendRow(uint32_t* out, const uint32_t* a, const uint32_t* b, int count, uint32_t weight);

// out[i] = LerpPixel(a[i], colour, weight).
void BlendRowToColour(uint32_t* out, const uint32_t* a, uint32_t colour, int count, uint32_t weight);

// Copies pixels [sourceX, sourceX + (x1 - x0)) of the source row `sourceY` to [x0, x1) of
// the output row `y`. Empty when x1 <= x0; the caller keeps both spans on their frames.
void CopySpan(const Frame& out, int y, int x0, int x1, const Frame& source, int sourceY, int sourceX);

// The common case: the same span of the same row.
inline void CopySpan(const Frame& out, int y, int x0, int x1, const Frame& source) {
    CopySpan(out, y, x0, x1, source, y, x0);
}

// Draws `from` and `to` side by side in row y: [0, split) from `left`, [split, width) from
// `right`, each at its own position; split is clamped to the row.
void SplitRow(const Frame& out, int y, int split, const Frame& left, const Frame& right);
