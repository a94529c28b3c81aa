// The kernels of the filtered resampler, by filter index: the function and its support.
#pragma once

struct ResampleKernel {
    double (*function)(double x);
    double support;
};

// Null for an index outside 0..13.
[[nodiscard]] const ResampleKernel* FindResampleKernel(int filter);
