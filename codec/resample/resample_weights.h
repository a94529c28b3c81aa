// Per-axis weight tables of the resamplers, computed once per axis and used for every row
// or column. For each target index the table holds a window of `taps` consecutive source
// indices, starting at `start[i]` and lying inside the source, with fixed-point weights
// (scaled by 2^bits) that sum exactly to 2^bits, so a flat colour stays flat.
#pragma once

#include <cstdint>

#include "codec/codec_memory.h"

struct AxisWeights {
    int targetSize = 0;
    int sourceSize = 0;
    int taps = 0;
    int bits = 0;
    WorkArray<int> start;        // targetSize entries
    WorkArray<int16_t> weights;  // targetSize × taps entries
    bool identity = false;       // every target index takes its own source index unchanged

    [[nodiscard]] const int16_t* WeightsOf(int targetIndex) const {
        return weights.get() + static_cast<size_t>(targetIndex) * static_cast<size_t>(taps);
    }
};

// The filtered resampler's table: kernel evaluated around each target pixel's centre,
// widened and scaled down when shrinking, source indices mirrored at the edges.
[[nodiscard]] bool BuildFilterWeights(int sourceSize,
                                      int targetSize,
                                      double (*kernel)(double),
                                      double support,
                                      AxisWeights& weights);
// The bicubic table: u = i × source/target, four taps with a = -1, indices clamped.
[[nodiscard]] bool BuildBicubicWeights(int sourceSize, int targetSize, AxisWeights& weights);
