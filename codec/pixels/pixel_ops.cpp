#include "codec/pixels/pixel_ops.h"

#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TQ_PIXEL_OPS_X86 1
#endif

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"

namespace {

// Plain loops the compiler turns into vector code (this file is built with -O3).
void GreyRow3(unsigned char* row, int width, int first, int last) {
    for (int x = 0; x < width; ++x, row += 3) {
        unsigned grey = (306u * row[first] + 601u * row[1] + 117u * row[last]) >> 10;
        row[0] = row[1] = row[2] = static_cast<unsigned char>(grey);
    }
}

#ifdef TQ_PIXEL_OPS_X86
bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

// 16 pixels at a time: the 48 bytes are split into red, green and blue vectors, the sums
// 306 r + 601 g + 117 b are formed exactly in 32 bits (pmaddwd), and the grey bytes are
// spread back over the three channels. The rest of the row goes through GreyRow3.
__attribute__((target("ssse3"))) void GreyRow3Ssse3(unsigned char* row, int width, bool blueFirst) {
    // Byte k of channel c of pixel p sits at 3p + c; each mask gathers one channel's bytes
    // from one of the three 16-byte blocks (-1 leaves a zero).
    const __m128i take[3][3] = {
        {_mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
         _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1),
         _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13)},
        {_mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
         _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1),
         _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14)},
        {_mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
         _mm_setr_epi8(-1, -1, -1, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1),
         _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15)},
    };
    // Grey byte i goes to bytes 3i, 3i + 1, 3i + 2 of the output.
    const __m128i spread[3] = {
        _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5),
        _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10),
        _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15),
    };
    const __m128i redGreen = _mm_set1_epi32(306 | (601 << 16));
    const __m128i blueWeight = _mm_set1_epi32(117);
    const __m128i zero = _mm_setzero_si128();
    const int redAt = blueFirst ? 2 : 0;
    const int blueAt = 2 - redAt;
    int x = 0;
    for (; x + 16 <= width; x += 16, row += 48) {
        __m128i block[3];
        for (int i = 0; i < 3; ++i) block[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 16 * i));
        __m128i channel[3];
        for (int c = 0; c < 3; ++c) {
            channel[c] = _mm_or_si128(
                _mm_or_si128(_mm_shuffle_epi8(block[0], take[c][0]), _mm_shuffle_epi8(block[1], take[c][1])),
                _mm_shuffle_epi8(block[2], take[c][2]));
        }
        __m128i red = channel[redAt], green = channel[1], blue = channel[blueAt];
        __m128i halves[2];
        for (int h = 0; h < 2; ++h) {
            __m128i r = h == 0 ? _mm_unpacklo_epi8(red, zero) : _mm_unpackhi_epi8(red, zero);
            __m128i g = h == 0 ? _mm_unpacklo_epi8(green, zero) : _mm_unpackhi_epi8(green, zero);
            __m128i b = h == 0 ? _mm_unpacklo_epi8(blue, zero) : _mm_unpackhi_epi8(blue, zero);
            __m128i low = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(r, g), redGreen),
                                        _mm_madd_epi16(_mm_unpacklo_epi16(b, zero), blueWeight));
            __m128i high = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(r, g), redGreen),
                                         _mm_madd_epi16(_mm_unpackhi_epi16(b, zero), blueWeight));
            halves[h] = _mm_packs_epi32(_mm_srli_epi32(low, 10), _mm_srli_epi32(high, 10));
        }
        __m128i grey = _mm_packus_epi16(halves[0], halves[1]);
        for (int i = 0; i < 3; ++i) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 16 * i), _mm_shuffle_epi8(grey, spread[i]));
        }
    }
    GreyRow3(row, width - x, redAt, blueAt);
}
#endif

void GreyRow4(unsigned char* row, int width, int first, int last) {
    for (int x = 0; x < width; ++x, row += 4) {
        unsigned grey = (306u * row[first] + 601u * row[1] + 117u * row[last]) >> 10;
        row[0] = row[1] = row[2] = static_cast<unsigned char>(grey);
    }
}

void BlendRow(const unsigned char* source, unsigned char* target, size_t count, unsigned weight) {
    // target + (source - target) × weight / 256, rounded; weight is 1..255.
    for (size_t i = 0; i < count; ++i) {
        int difference = static_cast<int>(source[i]) - static_cast<int>(target[i]);
        target[i] = static_cast<unsigned char>(target[i] + ((difference * static_cast<int>(weight) + 128) >> 8));
    }
}

}  // namespace

bool GreyscaleRgb(unsigned char* pixels, int width, int height, int bytesPerPixel, int stride, bool blueFirst) {
    if (!BeginCodecCall()) return false;
    if (pixels == nullptr || width < 0 || height < 0 || (bytesPerPixel != 3 && bytesPerPixel != 4) ||
        (height > 0 && static_cast<long long>(stride) < static_cast<long long>(width) * bytesPerPixel)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    int first = blueFirst ? 2 : 0;  // where red sits
    int last = 2 - first;           // where blue sits
    for (int y = 0; y < height; ++y) {
        unsigned char* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride);
        if (bytesPerPixel == 3) {
#ifdef TQ_PIXEL_OPS_X86
            if (HasSsse3()) {
                GreyRow3Ssse3(row, width, blueFirst);
                continue;
            }
#endif
            GreyRow3(row, width, first, last);
        } else {
            GreyRow4(row, width, first, last);
        }
    }
    return true;
}

bool OverlayRgb(const unsigned char* source,
                int sourceWidth,
                int sourceHeight,
                int sourceStride,
                unsigned char* target,
                int targetWidth,
                int targetHeight,
                int targetStride,
                int x,
                int y,
                double opacity) {
    if (!BeginCodecCall()) return false;
    if (source == nullptr || target == nullptr || sourceWidth < 0 || sourceHeight < 0 || targetWidth < 0 ||
        targetHeight < 0 || static_cast<long long>(sourceStride) < sourceWidth * 3LL ||
        static_cast<long long>(targetStride) < targetWidth * 3LL) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    if (!(opacity > 0.0)) opacity = 0.0;  // also catches NaN
    if (opacity > 1.0) opacity = 1.0;
    auto weight = static_cast<unsigned>(opacity * 256.0 + 0.5);
    if (weight == 0) return true;

    // Clip in 64-bit arithmetic: x and y may lie far outside the target.
    long long left = x < 0 ? 0 : x;
    long long top = y < 0 ? 0 : y;
    long long right = static_cast<long long>(x) + sourceWidth;
    long long bottom = static_cast<long long>(y) + sourceHeight;
    if (right > targetWidth) right = targetWidth;
    if (bottom > targetHeight) bottom = targetHeight;
    if (left >= right || top >= bottom) return true;

    size_t count = static_cast<size_t>(right - left) * 3;
    for (long long row = top; row < bottom; ++row) {
        const unsigned char* in = source + static_cast<size_t>(row - y) * static_cast<size_t>(sourceStride) +
                                  static_cast<size_t>(left - x) * 3;
        unsigned char* out =
            target + static_cast<size_t>(row) * static_cast<size_t>(targetStride) + static_cast<size_t>(left) * 3;
        if (weight >= 256) {
            std::memcpy(out, in, count);
        } else {
            BlendRow(in, out, count, weight);
        }
    }
    return true;
}

int CreateRgbCanvas(int width, int height, uint32_t colour, RgbImage& out) {
    out = RgbImage{};
    if (width <= 0 || height <= 0) return kRgbImageFailed;
    size_t rowBytes = static_cast<size_t>(width) * 3;
    // The layer's allocation limit holds here too: no caller needs a bigger canvas.
    if (rowBytes > kCodecMaxAllocation / static_cast<size_t>(height)) return kRgbImageOutOfMemory;
    auto* pixels = static_cast<unsigned char*>(std::malloc(rowBytes * static_cast<size_t>(height)));
    if (pixels == nullptr) return kRgbImageOutOfMemory;
    const unsigned char rgb[3] = {static_cast<unsigned char>(colour), static_cast<unsigned char>(colour >> 8),
                                  static_cast<unsigned char>(colour >> 16)};
    for (size_t i = 0; i < rowBytes; i += 3) std::memcpy(pixels + i, rgb, 3);
    for (int y = 1; y < height; ++y) std::memcpy(pixels + rowBytes * static_cast<size_t>(y), pixels, rowBytes);
    out.pixels = pixels;
    out.width = width;
    out.height = height;
    return kRgbImageOk;
}
