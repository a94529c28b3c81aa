#include "codec/pixels/pixel_ops.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TQ_PIXEL_OPS_X86 1
#endif

#include "codec/codec_errors.h"
#include "codec/codec_state.h"

namespace {

// Plain loops the compiler turns into vector code (this file is built with -O3).
unsigned char Grey(unsigned red, unsigned green, unsigned blue) {
    return static_cast<unsigned char>((306u * red + 601u * green + 117u * blue) >> 10);
}

// Red, green, blue.
void GreyRow3(unsigned char* row, int width) {
    for (int x = 0; x < width; ++x, row += 3) {
        unsigned char grey = Grey(row[0], row[1], row[2]);
        row[0] = row[1] = row[2] = grey;
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
__attribute__((target("ssse3"))) void GreyRow3Ssse3(unsigned char* row, int width) {
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
        __m128i red = channel[0], green = channel[1], blue = channel[2];
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
    GreyRow3(row, width - x);
}
#endif

// Blue, green, red, unused.
void GreyRow4(unsigned char* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        unsigned char grey = Grey(row[2], row[1], row[0]);
        row[0] = row[1] = row[2] = grey;
    }
}

// A picture the operations can work on: pixels, a size that is not negative and rows that
// fit their stride.
bool IsUsable(const unsigned char* pixels, int width, int height, int stride, int bytesPerPixel) {
    return pixels != nullptr && width >= 0 && height >= 0 &&
           static_cast<long long>(stride) >= static_cast<long long>(width) * bytesPerPixel;
}

void BlendRow(const unsigned char* source, unsigned char* target, size_t count, unsigned weight) {
    // target + (source - target) × weight / 256, rounded; weight is 1..255.
    for (size_t i = 0; i < count; ++i) {
        int difference = static_cast<int>(source[i]) - static_cast<int>(target[i]);
        target[i] = static_cast<unsigned char>(target[i] + ((difference * static_cast<int>(weight) + 128) >> 8));
    }
}

}  // namespace

bool GreyscaleRgb(const RgbView& picture) {
    if (!BeginCodecCall()) return false;
    if (!IsUsable(picture.pixels, picture.width, picture.height, picture.stride, 3)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    for (int y = 0; y < picture.height; ++y) {
        unsigned char* row = picture.pixels + static_cast<size_t>(y) * static_cast<size_t>(picture.stride);
#ifdef TQ_PIXEL_OPS_X86
        if (HasSsse3()) {
            GreyRow3Ssse3(row, picture.width);
            continue;
        }
#endif
        GreyRow3(row, picture.width);
    }
    return true;
}

bool GreyscaleFrame(const Frame& frame) {
    if (!BeginCodecCall()) return false;
    if (!IsUsable(frame.pixels, frame.width, frame.height, frame.stride, 4)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    for (int y = 0; y < frame.height; ++y) {
        GreyRow4(frame.pixels + static_cast<size_t>(y) * static_cast<size_t>(frame.stride), frame.width);
    }
    return true;
}

bool OverlayRgb(const ConstRgbView& source, const RgbView& target, int x, int y, double opacity) {
    if (!BeginCodecCall()) return false;
    if (!IsUsable(source.pixels, source.width, source.height, source.stride, 3) ||
        !IsUsable(target.pixels, target.width, target.height, target.stride, 3)) {
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
    long long right = static_cast<long long>(x) + source.width;
    long long bottom = static_cast<long long>(y) + source.height;
    if (right > target.width) right = target.width;
    if (bottom > target.height) bottom = target.height;
    if (left >= right || top >= bottom) return true;

    size_t count = static_cast<size_t>(right - left) * 3;
    for (long long row = top; row < bottom; ++row) {
        const unsigned char* in = source.pixels + static_cast<size_t>(row - y) * static_cast<size_t>(source.stride) +
                                  static_cast<size_t>(left - x) * 3;
        unsigned char* out = target.pixels + static_cast<size_t>(row) * static_cast<size_t>(target.stride) +
                             static_cast<size_t>(left) * 3;
        if (weight >= 256) {
            std::memcpy(out, in, count);
        } else {
            BlendRow(in, out, count, weight);
        }
    }
    return true;
}

void FillRgb(const RgbView& target, uint32_t colour, int left, int top, int right, int bottom) {
    left = std::clamp(left, 0, target.width);
    right = std::clamp(right, left, target.width);
    top = std::clamp(top, 0, target.height);
    bottom = std::clamp(bottom, top, target.height);
    if (left == right || top == bottom) return;
    const size_t stride = static_cast<size_t>(target.stride);
    const size_t count = static_cast<size_t>(right - left) * 3;
    // The first row is filled pixel by pixel, the others copy it.
    unsigned char* first = target.pixels + static_cast<size_t>(top) * stride + static_cast<size_t>(left) * 3;
    const unsigned char rgb[3] = {static_cast<unsigned char>(colour), static_cast<unsigned char>(colour >> 8),
                                  static_cast<unsigned char>(colour >> 16)};
    for (size_t i = 0; i < count; i += 3) std::memcpy(first + i, rgb, 3);
    for (int y = top + 1; y < bottom; ++y) {
        std::memcpy(first + static_cast<size_t>(y - top) * stride, first, count);
    }
}

RgbImageResult CreateRgbCanvas(int width, int height, uint32_t colour, OwnedRgbImage& out) {
    RgbImageResult result = AllocateCanvas(width, height, out);
    if (result == kRgbImageOk) FillRgb(out.View(), colour, 0, 0, width, height);
    return result;
}
