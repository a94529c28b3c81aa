#include "codec/pixels/rgb_to_frame.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define TQ_HAVE_SSSE3_PATH 1
#endif

namespace {

void ConvertRowPortable(const unsigned char* in, uint32_t* out, int width) {
    for (int x = 0; x < width; ++x, in += 3) out[x] = FramePixel(in[0], in[1], in[2]);
}

#ifdef TQ_HAVE_SSSE3_PATH
// Sixteen pixels (48 bytes) per step: each group of four is moved to the start of a register
// and spread to four bytes per pixel, red and blue exchanged, by one byte shuffle.
__attribute__((target("ssse3"))) void ConvertRowSsse3(const unsigned char* in, uint32_t* out, int width) {
    const __m128i spread = _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
    int x = 0;
    for (; x + 16 <= width; x += 16, in += 48) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16));
        const __m128i third = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 32));
        __m128i* target = reinterpret_cast<__m128i*>(out + x);
        _mm_storeu_si128(target, _mm_shuffle_epi8(first, spread));
        _mm_storeu_si128(target + 1, _mm_shuffle_epi8(_mm_alignr_epi8(second, first, 12), spread));
        _mm_storeu_si128(target + 2, _mm_shuffle_epi8(_mm_alignr_epi8(third, second, 8), spread));
        _mm_storeu_si128(target + 3, _mm_shuffle_epi8(_mm_srli_si128(third, 4), spread));
    }
    ConvertRowPortable(in, out + x, width - x);
}
#endif

using ConvertRow = void (*)(const unsigned char*, uint32_t*, int);

ConvertRow ChooseConvertRow() {
#ifdef TQ_HAVE_SSSE3_PATH
    __builtin_cpu_init();
    if (__builtin_cpu_supports("ssse3")) return ConvertRowSsse3;
#endif
    return ConvertRowPortable;
}

}  // namespace

void ConvertRgbToFrame(const ConstRgbView& picture, const Frame& frame) {
    if (picture.pixels == nullptr || frame.IsEmpty()) return;
    static const ConvertRow convertRow = ChooseConvertRow();
    const int width = std::min(picture.width, frame.width);
    const int height = std::min(picture.height, frame.height);
    for (int y = 0; y < height; ++y) {
        convertRow(picture.pixels + static_cast<ptrdiff_t>(y) * picture.stride, frame.Row(y), width);
    }
}
