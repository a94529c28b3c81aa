// Rounding used by every position and size computation of the picture layout: the nearer of
// floor(x) and ceil(x), and floor(x) when x lies exactly half-way (0.5 gives 0, -0.5 gives -1,
// 2.6 gives 3). Values outside the int range saturate instead of overflowing.
#pragma once

#include <climits>
#include <cmath>

[[nodiscard]] inline int RoundHalfDown(double x) {
    if (std::isnan(x)) return 0;
    double below = std::floor(x);
    double rounded = (x - below > 0.5) ? below + 1.0 : below;
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(rounded);
}
