// The two convolution passes of the separable resamplers over 3-byte pixels, in fixed point
// with the weights of an AxisWeights table. Each has a portable loop and an SSE2/SSSE3 form
// chosen at run time on x86 processors.
#pragma once

#include <cstddef>

#include "codec/resample/resample_weights.h"

// Filters `rows` rows from source width to weights.targetSize along each row.
// `slackAfterLastRow` tells whether at least 16 readable bytes follow the last source row
// (true for the resampler's own buffers), which lets the vector loop run to the row's end.
void ConvolveRows(const unsigned char* source,
                  size_t sourceStride,
                  int rows,
                  unsigned char* target,
                  size_t targetStride,
                  const AxisWeights& weights,
                  bool slackAfterLastRow);

// Filters whole rows of `rowBytes` bytes from weights.sourceSize rows to the target rows
// firstTarget .. firstTarget + targetCount - 1, written from `target` on (each byte of a row
// is one sample; the pixel layout does not matter here). False when memory runs out.
[[nodiscard]] bool ConvolveColumns(const unsigned char* source,
                                   size_t sourceStride,
                                   size_t rowBytes,
                                   unsigned char* target,
                                   size_t targetStride,
                                   const AxisWeights& weights,
                                   int firstTarget,
                                   int targetCount);

// Forces the portable loops (for tests that compare both forms).
void SetResampleVectorCode(bool enabled);
