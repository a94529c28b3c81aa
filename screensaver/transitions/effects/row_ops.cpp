#include "screensaver/transitions/effects/row_ops.h"

#include <algorithm>
#include <cstring>

#include "screensaver/transitions/effects/pixel_math.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Four pixels of a and b blended as 16-bit lanes: (a * (256 - w) + b * w) >> 8, which is
// LerpPixel's arithmetic, so both paths agree to the bit.
inline __m128i BlendFour(__m128i a, __m128i b, __m128i keep, __m128i weight) {
    const __m128i zero = _mm_setzero_si128();
    __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), keep),
                                _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), weight));
    __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), keep),
                                 _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), weight));
    return _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8));
}
#endif

}  // namespace

void BlendRow(uint32_t* out, const uint32_t* a, const uint32_t* b, int count, uint32_t weight) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i keep = _mm_set1_epi16(short(kFullWeight - weight));
    const __m128i share = _mm_set1_epi16(short(weight));
    for (; i + 4 <= count; i += 4) {
        __m128i pixelsA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        __m128i pixelsB = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), BlendFour(pixelsA, pixelsB, keep, share));
    }
#endif
    for (; i < count; ++i) out[i] = LerpPixel(a[i], b[i], weight);
}

void BlendRowToColour(uint32_t* out, const uint32_t* a, uint32_t colour, int count, uint32_t weight) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i keep = _mm_set1_epi16(short(kFullWeight - weight));
    const __m128i share = _mm_set1_epi16(short(weight));
    const __m128i colours = _mm_set1_epi32(int(colour));
    for (; i + 4 <= count; i += 4) {
        __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), BlendFour(pixels, colours, keep, share));
    }
#endif
    for (; i < count; ++i) out[i] = LerpPixel(a[i], colour, weight);
}

void CopySpan(const Frame& out, int y, int x0, int x1, const Frame& source, int sourceY, int sourceX) {
    if (x1 <= x0) return;
    std::memcpy(out.Row(y) + x0, source.Row(sourceY) + sourceX, size_t(x1 - x0) * 4);
}

void SplitRow(const Frame& out, int y, int split, const Frame& left, const Frame& right) {
    split = std::clamp(split, 0, out.width);
    CopySpan(out, y, 0, split, left);
    CopySpan(out, y, split, out.width, right);
}
