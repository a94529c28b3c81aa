// Weight tables: contributions are first gathered in doubles per target index, folded onto
// the source indices they land on after the edge rule, normalised, then rounded to 14-bit
// (or coarser, for very large weights) fixed point.
#include "codec/resample/resample_weights.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxBits = 14;

int MirrorIndex(long long j, int size) {
    // Mirrored once as the edge rule says; a window wider than a tiny source can still fall
    // outside after that, so the result is clamped as well.
    if (j < 0) j = -j;
    if (j >= size) j = 2LL * size - j - 1;
    if (j < 0) j = 0;
    if (j >= size) j = size - 1;
    return static_cast<int>(j);
}

int ClampIndex(long long j, int size) {
    return j < 0 ? 0 : (j >= size ? size - 1 : static_cast<int>(j));
}

// Raw contributions of one target index: `count` doubles over source indices [low, low+count).
struct Contributions {
    int low;
    int count;
};

// Gathers per target index into `scratch` (targetSize × span doubles), then converts.
class TableBuilder {
public:
    TableBuilder(int sourceSize, int targetSize, int span)
        : sourceSize_(sourceSize), targetSize_(targetSize), span_(span) {}

    bool Allocate() {
        scratch_ = AllocateWorkArray<double>(static_cast<size_t>(targetSize_) * static_cast<size_t>(span_));
        windows_ = AllocateWorkArray<Contributions>(static_cast<size_t>(targetSize_));
        return scratch_ != nullptr && windows_ != nullptr;
    }

    // Starts target index i; `low` is the smallest source index any of its taps can land on.
    void Begin(int i, int low) {
        windows_[i].low = low;
        windows_[i].count = 0;
        current_ = i;
    }
    void Add(int sourceIndex, double weight) {
        Contributions& window = windows_[current_];
        int offset = sourceIndex - window.low;
        if (offset < 0 || offset >= span_) return;  // cannot happen with a correct span; stay inside
        Row(current_)[offset] += weight;
        if (offset + 1 > window.count) window.count = offset + 1;
    }

    bool Finish(AxisWeights& out) {
        out = AxisWeights{};
        out.targetSize = targetSize_;
        out.sourceSize = sourceSize_;
        // Trim every window to its non-zero weights; taps is the widest window.
        int taps = 1;
        for (int i = 0; i < targetSize_; ++i) {
            double* row = Row(i);
            Contributions& window = windows_[i];
            int first = 0;
            while (first < window.count && row[first] == 0.0) ++first;
            int last = window.count - 1;
            while (last > first && row[last] == 0.0) --last;
            if (first >= window.count) {
                // Nothing contributed (a kernel narrower than the spacing): take the first.
                first = last = 0;
                row[0] = 1.0;
                window.count = 1;
            }
            if (first > 0) std::memmove(row, row + first, static_cast<size_t>(last - first + 1) * sizeof(double));
            window.low += first;
            window.count = last - first + 1;
            if (window.count > taps) taps = window.count;
        }
        if (taps > sourceSize_) taps = sourceSize_;
        out.taps = taps;
        out.start = AllocateWorkArray<int>(static_cast<size_t>(targetSize_));
        out.weights = AllocateWorkArray<int16_t>(static_cast<size_t>(targetSize_) * static_cast<size_t>(taps));
        if (out.start == nullptr || out.weights == nullptr) {
            out = AxisWeights{};
            return false;
        }
        double largest = 0.0;
        for (int i = 0; i < targetSize_; ++i) {
            double* row = Row(i);
            double sum = 0.0;
            for (int k = 0; k < windows_[i].count; ++k) sum += row[k];
            if (sum == 0.0) sum = 1.0;
            for (int k = 0; k < windows_[i].count; ++k) {
                row[k] /= sum;
                if (std::fabs(row[k]) > largest) largest = std::fabs(row[k]);
            }
        }
        int bits = kMaxBits;
        while (bits > 6 && largest * (1 << bits) > 32000.0) --bits;
        out.bits = bits;
        out.identity = targetSize_ == sourceSize_;
        for (int i = 0; i < targetSize_; ++i) {
            const double* row = Row(i);
            const Contributions& window = windows_[i];
            // Keep the window inside the source, shifting it left at the far edge.
            int start = window.low;
            if (start + taps > sourceSize_) start = sourceSize_ - taps;
            out.start[i] = start;
            int16_t* weights = out.weights.get() + static_cast<size_t>(i) * taps;
            int total = 0, largestAt = 0;
            for (int k = 0; k < window.count; ++k) {
                int value = static_cast<int>(std::lround(row[k] * (1 << bits)));
                int at = window.low - start + k;
                weights[at] = static_cast<int16_t>(value);
                total += value;
                if (std::abs(value) > std::abs(weights[largestAt])) largestAt = at;
            }
            // Rounding may leave the sum off by a little; the largest weight absorbs it.
            weights[largestAt] = static_cast<int16_t>(weights[largestAt] + ((1 << bits) - total));
            if (out.identity) {
                for (int k = 0; k < taps; ++k) {
                    int expected = (start + k == i) ? (1 << bits) : 0;
                    if (weights[k] != expected) out.identity = false;
                }
            }
        }
        return true;
    }

private:
    double* Row(int i) { return scratch_.get() + static_cast<size_t>(i) * static_cast<size_t>(span_); }

    int sourceSize_;
    int targetSize_;
    int span_;
    WorkArray<double> scratch_;
    WorkArray<Contributions> windows_;
    int current_ = 0;
};

}  // namespace

bool BuildFilterWeights(int sourceSize,
                        int targetSize,
                        double (*kernel)(double),
                        double support,
                        AxisWeights& weights) {
    weights = AxisWeights{};
    if (sourceSize <= 0 || targetSize <= 0) return false;
    double scale = static_cast<double>(targetSize) / sourceSize;
    double filterScale = scale < 1.0 ? scale : 1.0;
    double width = support / filterScale;
    // Every tap lands within [low, low + span) of its window, mirrored or not, clamped to the
    // source size.
    int span = static_cast<int>(std::ceil(2.0 * width)) + 2;
    if (span > sourceSize) span = sourceSize;
    // Windows of mirrored taps can reach anywhere in a small source; the table then spans all
    // of it. A big source gets windows of their own width.
    bool whole = static_cast<long long>(sourceSize) <= 2LL * span;
    if (whole) span = sourceSize;
    TableBuilder table(sourceSize, targetSize, span);
    if (!table.Allocate()) return false;
    for (int i = 0; i < targetSize; ++i) {
        double centre = (i + 0.5) / scale - 0.5;
        long long first = static_cast<long long>(std::floor(centre - width));
        long long last = static_cast<long long>(std::ceil(centre + width));
        int low = 0;
        if (!whole) {
            low = sourceSize;
            for (long long j = first; j <= last; ++j) {
                int m = MirrorIndex(j, sourceSize);
                if (m < low) low = m;
            }
        }
        table.Begin(i, low);
        for (long long j = first; j <= last; ++j) {
            double weight = kernel((centre - static_cast<double>(j)) * filterScale) * filterScale;
            if (weight != 0.0) table.Add(MirrorIndex(j, sourceSize), weight);
        }
    }
    return table.Finish(weights);
}

bool BuildBicubicWeights(int sourceSize, int targetSize, AxisWeights& weights) {
    weights = AxisWeights{};
    if (sourceSize <= 0 || targetSize <= 0) return false;
    TableBuilder table(sourceSize, targetSize, 4);
    if (!table.Allocate()) return false;
    double ratio = static_cast<double>(sourceSize) / targetSize;
    for (int i = 0; i < targetSize; ++i) {
        double u = i * ratio;
        long long base = static_cast<long long>(std::floor(u));
        double t = u - static_cast<double>(base);
        const double w[4] = {-t * (1 - t) * (1 - t), 1 - 2 * t * t + t * t * t, t + t * t - t * t * t,
                             -t * t * (1 - t)};
        table.Begin(i, ClampIndex(base - 1, sourceSize));
        for (int k = 0; k < 4; ++k) {
            if (w[k] != 0.0) table.Add(ClampIndex(base - 1 + k, sourceSize), w[k]);
        }
    }
    return table.Finish(weights);
}
