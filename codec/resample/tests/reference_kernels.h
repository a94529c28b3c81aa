// The resampling kernels written from their mathematical definitions, apart from the
// production table, so that a wrong coefficient or support there fails a test: the B-splines
// of orders 1 to 4 (box, triangle, bell, cubic) by the Cox-de Boor recursion, the cubic
// convolution kernels from Keys' formula, Mitchell-Netravali as the blend of those it is made
// of, the windows and sinc filters from their closed forms.
#pragma once

#include <cmath>
#include <numbers>

namespace reference_kernels {

// The centred cardinal B-spline of order n (n boxes convolved): 1 on (-1/2, 1/2] for n = 1.
inline double CardinalBSpline(int order, double x) {
    if (order == 1) return (x > -0.5 && x <= 0.5) ? 1.0 : 0.0;
    double half = order / 2.0;
    return ((x + half) * CardinalBSpline(order - 1, x + 0.5) + (half - x) * CardinalBSpline(order - 1, x - 0.5)) /
           (order - 1);
}

inline double NormalizedSinc(double x) {
    return x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}

// Keys' cubic convolution kernel with parameter a (a = -0.5 is Catmull-Rom, a = -1 the
// sharper bicubic).
inline double KeysCubic(double a, double x) {
    x = std::fabs(x);
    if (x <= 1.0) return (a + 2.0) * x * x * x - (a + 3.0) * x * x + 1.0;
    if (x < 2.0) return a * x * x * x - 5.0 * a * x * x + 8.0 * a * x - 4.0 * a;
    return 0.0;
}

// The cubic Hermite basis that starts at 1 with slope 0 and ends at 0 with slope 0.
inline double HermiteBasis(double x) {
    x = std::fabs(x);
    if (x >= 1.0) return 0.0;
    double smoothstep = x * x * (3.0 - 2.0 * x);
    return 1.0 - smoothstep;
}

// Mitchell-Netravali's family is affine in B and C: B blends the cubic B-spline in for the
// Hermite basis, C is Keys' kernel with a = -C.
inline double MitchellNetravali(double b, double c, double x) {
    return KeysCubic(-c, x) + b * (CardinalBSpline(4, x) - HermiteBasis(x));
}

inline double Box(double x) {
    return CardinalBSpline(1, x);
}
inline double Triangle(double x) {
    return CardinalBSpline(2, x);
}
inline double HammingWindow(double x) {
    return std::fabs(x) < 1.0 ? 0.54 + 0.46 * std::cos(std::numbers::pi * x) : 0.0;
}
// A normal density with standard deviation 1/2, cut off at 2.5 deviations.
inline double Gaussian(double x) {
    constexpr double sigma = 0.5;
    if (std::fabs(x) >= 2.5 * sigma) return 0.0;
    return std::exp(-x * x / (2.0 * sigma * sigma)) / (sigma * std::sqrt(2.0 * std::numbers::pi));
}
inline double Bell(double x) {
    return CardinalBSpline(3, x);
}
inline double CubicBSpline(double x) {
    return CardinalBSpline(4, x);
}
inline double Lanczos3(double x) {
    return std::fabs(x) < 3.0 ? NormalizedSinc(x) * NormalizedSinc(x / 3.0) : 0.0;
}
inline double Mitchell(double x) {
    return MitchellNetravali(1.0 / 3.0, 1.0 / 3.0, x);
}
inline double Sinc4(double x) {
    return std::fabs(x) < 4.0 ? NormalizedSinc(x) : 0.0;
}
inline double HanningWindow(double x) {
    double c = std::cos(std::numbers::pi * x / 2.0);
    return std::fabs(x) < 1.0 ? c * c : 0.0;
}
inline double CatmullRom(double x) {
    return KeysCubic(-0.5, x);
}

struct Kernel {
    const char* name;
    double (*function)(double);
    double support;  // the kernel is zero from here outwards
};

// By filter index.
inline constexpr Kernel kKernels[] = {
    {"box", Box, 0.5},
    {"triangle", Triangle, 1.0},
    {"Hamming", HammingWindow, 1.0},
    {"Gaussian", Gaussian, 1.25},
    {"bell", Bell, 1.5},
    {"cubic B-spline", CubicBSpline, 2.0},
    {"Hermite", HermiteBasis, 1.0},
    {"cubic B-spline (second index)", CubicBSpline, 2.0},
    {"Lanczos 3", Lanczos3, 3.0},
    {"Mitchell", Mitchell, 2.0},
    {"sinc", Sinc4, 4.0},
    {"Hermite (second index)", HermiteBasis, 1.0},
    {"Hanning", HanningWindow, 1.0},
    {"Catmull-Rom", CatmullRom, 2.0},
};

}  // namespace reference_kernels
