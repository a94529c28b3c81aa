// Fixed-point convolution: weights are 16-bit integers summing to 2^bits, sums are 32-bit
// with a rounding half added, results are shifted down and clamped to 0..255. The vector
// forms multiply pairs of taps at once with pmaddwd.
#include "codec/resample/resample_passes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TQ_RESAMPLE_X86 1
#endif

namespace {

bool g_vectorCodeEnabled = true;

inline unsigned char ClampToByte(int32_t value) {
    return value < 0 ? 0 : (value > 255 ? 255 : static_cast<unsigned char>(value));
}

void ConvolvePixelPortable(const unsigned char* in, const int16_t* w, int taps, int bits, unsigned char* out) {
    int32_t red = 1 << (bits - 1), green = red, blue = red;
    for (int k = 0; k < taps; ++k, in += 3) {
        red += w[k] * in[0];
        green += w[k] * in[1];
        blue += w[k] * in[2];
    }
    out[0] = ClampToByte(red >> bits);
    out[1] = ClampToByte(green >> bits);
    out[2] = ClampToByte(blue >> bits);
}

void ConvolveRowPortable(const unsigned char* row, unsigned char* out, const AxisWeights& weights, int from) {
    for (int i = from; i < weights.targetSize; ++i) {
        ConvolvePixelPortable(row + static_cast<size_t>(weights.start[i]) * 3, weights.WeightsOf(i), weights.taps,
                              weights.bits, out + static_cast<size_t>(i) * 3);
    }
}

void ConvolveColumnsPortable(const unsigned char* const* rows,
                             const int16_t* w,
                             int taps,
                             int bits,
                             size_t from,
                             size_t rowBytes,
                             unsigned char* out) {
    for (size_t x = from; x < rowBytes; ++x) {
        int32_t sum = 1 << (bits - 1);
        for (int k = 0; k < taps; ++k) sum += w[k] * rows[k][x];
        out[x] = ClampToByte(sum >> bits);
    }
}

#ifdef TQ_RESAMPLE_X86

bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

inline int32_t WeightPair(const int16_t* w) {
    return static_cast<int32_t>(static_cast<uint16_t>(w[0]) |
                                (static_cast<uint32_t>(static_cast<uint16_t>(w[1])) << 16));
}

// One row: pixels whose taps (read 4 bytes beyond their last byte) stay below `readable`
// bytes use the vector loop, the others the portable one.
__attribute__((target("ssse3"))) void ConvolveRowSsse3(const unsigned char* row,
                                                       size_t readable,
                                                       unsigned char* out,
                                                       const AxisWeights& weights) {
    const int taps = weights.taps;
    const int bits = weights.bits;
    // Spread two neighbouring pixels into 16-bit pairs (red, red'), (green, green'), (blue, blue'), 0.
    const __m128i firstPair = _mm_setr_epi8(0, -1, 3, -1, 1, -1, 4, -1, 2, -1, 5, -1, -1, -1, -1, -1);
    const __m128i secondPair = _mm_setr_epi8(6, -1, 9, -1, 7, -1, 10, -1, 8, -1, 11, -1, -1, -1, -1, -1);
    const __m128i rounding = _mm_set1_epi32(1 << (bits - 1));
    const int targetSize = weights.targetSize;
    int i = 0;
    for (; i < targetSize; ++i) {
        size_t start = static_cast<size_t>(weights.start[i]);
        if ((start + taps) * 3 + 4 > readable) break;
        const unsigned char* in = row + start * 3;
        const int16_t* w = weights.WeightsOf(i);
        __m128i sum = rounding;
        int k = 0;
        for (; k + 4 <= taps; k += 4, in += 12) {
            __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
            __m128i low = _mm_madd_epi16(_mm_shuffle_epi8(pixels, firstPair), _mm_set1_epi32(WeightPair(w + k)));
            __m128i high = _mm_madd_epi16(_mm_shuffle_epi8(pixels, secondPair), _mm_set1_epi32(WeightPair(w + k + 2)));
            sum = _mm_add_epi32(sum, _mm_add_epi32(low, high));
        }
        for (; k + 2 <= taps; k += 2, in += 6) {
            __m128i pixels = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in));
            sum = _mm_add_epi32(sum,
                                _mm_madd_epi16(_mm_shuffle_epi8(pixels, firstPair), _mm_set1_epi32(WeightPair(w + k))));
        }
        if (k < taps) {
            int32_t three;
            std::memcpy(&three, in, 4);
            __m128i pixels = _mm_cvtsi32_si128(three);
            sum = _mm_add_epi32(
                sum, _mm_madd_epi16(_mm_shuffle_epi8(pixels, firstPair), _mm_set1_epi32(static_cast<uint16_t>(w[k]))));
        }
        sum = _mm_srai_epi32(sum, bits);
        __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(sum, sum), sum);
        int32_t packed = _mm_cvtsi128_si32(bytes);
        unsigned char* target = out + static_cast<size_t>(i) * 3;
        if (i + 1 < targetSize) {
            std::memcpy(target, &packed, 4);  // the fourth byte is overwritten by the next pixel
        } else {
            std::memcpy(target, &packed, 3);
        }
    }
    ConvolveRowPortable(row, out, weights, i);
}

void ConvolveColumnsSse2(const unsigned char* const* rows,
                         const int16_t* w,
                         int taps,
                         int bits,
                         size_t rowBytes,
                         unsigned char* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i rounding = _mm_set1_epi32(1 << (bits - 1));
    size_t x = 0;
    for (; x + 16 <= rowBytes; x += 16) {
        __m128i sum0 = rounding, sum1 = rounding, sum2 = rounding, sum3 = rounding;
        int k = 0;
        for (; k < taps; k += 2) {
            __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + x));
            __m128i b = zero;
            __m128i weight;
            if (k + 1 < taps) {
                b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + x));
                weight = _mm_set1_epi32(WeightPair(w + k));
            } else {
                weight = _mm_set1_epi32(static_cast<uint16_t>(w[k]));
            }
            __m128i low = _mm_unpacklo_epi8(a, b);
            __m128i high = _mm_unpackhi_epi8(a, b);
            sum0 = _mm_add_epi32(sum0, _mm_madd_epi16(_mm_unpacklo_epi8(low, zero), weight));
            sum1 = _mm_add_epi32(sum1, _mm_madd_epi16(_mm_unpackhi_epi8(low, zero), weight));
            sum2 = _mm_add_epi32(sum2, _mm_madd_epi16(_mm_unpacklo_epi8(high, zero), weight));
            sum3 = _mm_add_epi32(sum3, _mm_madd_epi16(_mm_unpackhi_epi8(high, zero), weight));
        }
        __m128i first = _mm_packs_epi32(_mm_srai_epi32(sum0, bits), _mm_srai_epi32(sum1, bits));
        __m128i second = _mm_packs_epi32(_mm_srai_epi32(sum2, bits), _mm_srai_epi32(sum3, bits));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(first, second));
    }
    ConvolveColumnsPortable(rows, w, taps, bits, x, rowBytes, out);
}

#endif

}  // namespace

void SetResampleVectorCode(bool enabled) {
    g_vectorCodeEnabled = enabled;
}

void ConvolveRows(const unsigned char* source,
                  size_t sourceStride,
                  int rows,
                  unsigned char* target,
                  size_t targetStride,
                  const AxisWeights& weights,
                  bool slackAfterLastRow) {
    size_t rowBytes = static_cast<size_t>(weights.sourceSize) * 3;
    for (int y = 0; y < rows; ++y) {
        const unsigned char* row = source + sourceStride * static_cast<size_t>(y);
        unsigned char* out = target + targetStride * static_cast<size_t>(y);
#ifdef TQ_RESAMPLE_X86
        if (g_vectorCodeEnabled && HasSsse3()) {
            // Rows before the last may read into the next row; the last one only into slack.
            bool roomBehind = y + 1 < rows || slackAfterLastRow;
            ConvolveRowSsse3(row, roomBehind ? rowBytes + 16 : rowBytes, out, weights);
            continue;
        }
#endif
        ConvolveRowPortable(row, out, weights, 0);
    }
}

bool ConvolveColumns(const unsigned char* source,
                     size_t sourceStride,
                     size_t rowBytes,
                     unsigned char* target,
                     size_t targetStride,
                     const AxisWeights& weights,
                     int firstTarget,
                     int targetCount) {
    constexpr int kMaxStackTaps = 256;
    const unsigned char* stackRows[kMaxStackTaps];
    const unsigned char** rows = stackRows;
    WorkArray<const unsigned char*> heapRows;
    if (weights.taps > kMaxStackTaps) {
        heapRows = AllocateWorkArray<const unsigned char*>(static_cast<size_t>(weights.taps));
        if (heapRows == nullptr) return false;
        rows = heapRows.get();
    }
    for (int i = firstTarget; i < firstTarget + targetCount; ++i) {
        for (int k = 0; k < weights.taps; ++k) {
            rows[k] = source + sourceStride * static_cast<size_t>(weights.start[i] + k);
        }
        const int16_t* w = weights.WeightsOf(i);
        unsigned char* out = target + targetStride * static_cast<size_t>(i - firstTarget);
#ifdef TQ_RESAMPLE_X86
        if (g_vectorCodeEnabled) {
            ConvolveColumnsSse2(rows, w, weights.taps, weights.bits, rowBytes, out);
            continue;
        }
#endif
        ConvolveColumnsPortable(rows, w, weights.taps, weights.bits, 0, rowBytes, out);
    }
    return true;
}
