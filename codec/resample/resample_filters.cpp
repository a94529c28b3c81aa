#include "codec/resample/resample_filters.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= kPi;
    return std::sin(x) / x;
}

double Box(double x) {
    return (x > -0.5 && x <= 0.5) ? 1.0 : 0.0;
}

double Triangle(double x) {
    x = std::fabs(x);
    return x < 1.0 ? 1.0 - x : 0.0;
}

double Hamming(double x) {
    return std::fabs(x) < 1.0 ? 0.54 + 0.46 * std::cos(kPi * x) : 0.0;
}

double Gaussian(double x) {
    return std::fabs(x) < 1.25 ? std::exp(-2.0 * x * x) * std::sqrt(2.0 / kPi) : 0.0;
}

double Bell(double x) {
    x = std::fabs(x);
    if (x < 0.5) return 0.75 - x * x;
    if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
    return 0.0;
}

double BSpline(double x) {
    x = std::fabs(x);
    if (x < 1.0) return 0.5 * x * x * x - x * x + 2.0 / 3.0;
    if (x < 2.0) {
        x = 2.0 - x;
        return x * x * x / 6.0;
    }
    return 0.0;
}

double Hermite(double x) {
    x = std::fabs(x);
    return x < 1.0 ? (2.0 * x - 3.0) * x * x + 1.0 : 0.0;
}

double Lanczos3(double x) {
    return std::fabs(x) < 3.0 ? Sinc(x) * Sinc(x / 3.0) : 0.0;
}

// The family of cubic filters of Mitchell and Netravali.
double Cubic(double x, double b, double c) {
    x = std::fabs(x);
    if (x < 1.0) {
        return ((12.0 - 9.0 * b - 6.0 * c) * x * x * x + (-18.0 + 12.0 * b + 6.0 * c) * x * x + (6.0 - 2.0 * b)) / 6.0;
    }
    if (x < 2.0) {
        return ((-b - 6.0 * c) * x * x * x + (6.0 * b + 30.0 * c) * x * x + (-12.0 * b - 48.0 * c) * x +
                (8.0 * b + 24.0 * c)) /
               6.0;
    }
    return 0.0;
}

double Mitchell(double x) {
    return Cubic(x, 1.0 / 3.0, 1.0 / 3.0);
}

double CatmullRom(double x) {
    return Cubic(x, 0.0, 0.5);
}

double SincFilter(double x) {
    return std::fabs(x) < 4.0 ? Sinc(x) : 0.0;
}

double Hanning(double x) {
    return std::fabs(x) < 1.0 ? (1.0 + std::cos(kPi * x)) / 2.0 : 0.0;
}

constexpr ResampleKernel kKernels[] = {
    {Box, 0.5},        {Triangle, 1.0}, {Hamming, 1.0}, {Gaussian, 1.25},  {Bell, 1.5},
    {BSpline, 2.0},    {Hermite, 1.0},  {BSpline, 2.0}, {Lanczos3, 3.0},   {Mitchell, 2.0},
    {SincFilter, 4.0}, {Hermite, 1.0},  {Hanning, 1.0}, {CatmullRom, 2.0},
};

}  // namespace

const ResampleKernel* FindResampleKernel(int filter) {
    if (filter < 0 || filter >= static_cast<int>(sizeof kKernels / sizeof kKernels[0])) return nullptr;
    return &kKernels[filter];
}
