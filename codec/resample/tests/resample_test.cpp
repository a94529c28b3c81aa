// The resamplers against plain floating-point versions of their formulas, with the kernels
// written from their definitions (bicubic as a 4 × 4 neighbourhood per pixel, the filters with
// mirrored edges), flat colours, the vector and portable loops against each other, and the
// argument rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/pixels/pixel_ops.h"
#include "codec/resample/resample.h"
#include "codec/resample/resample_filters.h"
#include "codec/resample/resample_passes.h"
#include "codec/resample/tests/reference_kernels.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

RgbView ViewOf(Bytes& bytes, int width, int height, int stride) {
    return {bytes.data(), width, height, stride};
}

// A picture with detail at every scale: noise over gradients, kept to the middle of the
// range. The passes keep 8-bit samples in between, so ringing beyond 0..255 would be cut
// there and not in a single-step reference; photographs rarely ring that far.
Bytes TestPicture(int width, int height, unsigned seed) {
    Bytes noise = test_support::PseudoRandomBytes(static_cast<size_t>(width) * height * 3, seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &noise[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = static_cast<unsigned char>(80 + p[0] / 8 + x * 63 / width);
            p[1] = static_cast<unsigned char>(80 + p[1] / 8 + y * 63 / height);
            p[2] = static_cast<unsigned char>(80 + p[2] / 4);
        }
    }
    return noise;
}

unsigned char ToByte(double value) {
    value = std::floor(value + 0.5);
    return static_cast<unsigned char>(std::clamp(value, 0.0, 255.0));
}

Bytes ReferenceBicubic(const Bytes& in, int sw, int sh, int tw, int th) {
    // Tap k lies at source index i - 1 + k, a distance t + 1 - k from the sample point.
    auto weight = [](double t, int k) { return reference_kernels::KeysCubic(-1.0, t + 1 - k); };
    Bytes out(static_cast<size_t>(tw) * th * 3);
    for (int y = 0; y < th; ++y) {
        double v = y * (static_cast<double>(sh) / th);
        int j = static_cast<int>(std::floor(v));
        double ty = v - j;
        for (int x = 0; x < tw; ++x) {
            double u = x * (static_cast<double>(sw) / tw);
            int i = static_cast<int>(std::floor(u));
            double tx = u - i;
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int a = 0; a < 4; ++a) {
                    int row = std::clamp(j - 1 + a, 0, sh - 1);
                    for (int b = 0; b < 4; ++b) {
                        int column = std::clamp(i - 1 + b, 0, sw - 1);
                        sum += weight(ty, a) * weight(tx, b) * in[(static_cast<size_t>(row) * sw + column) * 3 + c];
                    }
                }
                out[(static_cast<size_t>(y) * tw + x) * 3 + c] = ToByte(sum);
            }
        }
    }
    return out;
}

int Mirror(int j, int n) {
    if (j < 0) j = -j;
    if (j >= n) j = 2 * n - j - 1;
    return std::clamp(j, 0, n - 1);
}

// One axis of the filtered resampler in doubles, normalised, edges mirrored.
std::vector<double> FilterAxis(const std::vector<double>& in,
                               int stride,
                               int count,
                               int n,
                               int target,
                               const ResampleKernel& kernel) {
    double scale = static_cast<double>(target) / n;
    double filterScale = std::min(scale, 1.0);
    double width = kernel.support / filterScale;
    std::vector<double> out(static_cast<size_t>(target) * count);
    for (int i = 0; i < target; ++i) {
        double centre = (i + 0.5) / scale - 0.5;
        std::vector<double> sums(static_cast<size_t>(count), 0.0);
        double total = 0;
        for (int j = static_cast<int>(std::floor(centre - width)); j <= static_cast<int>(std::ceil(centre + width));
             ++j) {
            double w = kernel.function((centre - j) * filterScale) * filterScale;
            total += w;
            int m = Mirror(j, n);
            for (int c = 0; c < count; ++c) sums[c] += w * in[static_cast<size_t>(m) * stride + c];
        }
        for (int c = 0; c < count; ++c) out[static_cast<size_t>(i) * count + c] = sums[c] / total;
    }
    return out;
}

Bytes ReferenceFiltered(const Bytes& in, int sw, int sh, int tw, int th, int filter) {
    const reference_kernels::Kernel& reference = reference_kernels::kKernels[filter];
    const ResampleKernel kernel{reference.function, reference.support};
    std::vector<double> source(in.begin(), in.end());
    // Rows: each row is one sample sequence of sw pixels × 3 channels.
    std::vector<double> across(static_cast<size_t>(sh) * tw * 3);
    for (int y = 0; y < sh; ++y) {
        std::vector<double> row(source.begin() + static_cast<long>(y) * sw * 3,
                                source.begin() + static_cast<long>(y + 1) * sw * 3);
        std::vector<double> filtered = FilterAxis(row, 3, 3, sw, tw, kernel);
        std::copy(filtered.begin(), filtered.end(), across.begin() + static_cast<long>(y) * tw * 3);
    }
    std::vector<double> down = FilterAxis(across, tw * 3, tw * 3, sh, th, kernel);
    Bytes out(down.size());
    for (size_t i = 0; i < down.size(); ++i) out[i] = ToByte(down[i]);
    return out;
}

int LargestDifference(const Bytes& a, const Bytes& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

struct Size {
    int sw, sh, tw, th;
};

const Size kSizes[] = {
    {40, 30, 17, 13},  // shrink both
    {17, 13, 40, 30},  // enlarge both
    {40, 13, 17, 30},  // shrink across, enlarge down
    {5, 4, 23, 21},    // tiny source: windows wider than the picture
    {64, 48, 64, 20},  // one axis only
    {97, 3, 31, 5},
};

TEST(ResizeRgbTest, MatchesTheBicubicFormula) {
    for (const Size& s : kSizes) {
        Bytes in = TestPicture(s.sw, s.sh, 11);
        Bytes out(static_cast<size_t>(s.tw) * s.th * 3);
        ASSERT_TRUE(ResizeRgb(ViewOf(in, s.sw, s.sh, s.sw * 3), ViewOf(out, s.tw, s.th, s.tw * 3)));
        // Rounding between the two passes may move a value by one or two levels.
        EXPECT_LE(LargestDifference(out, ReferenceBicubic(in, s.sw, s.sh, s.tw, s.th)), 2)
            << s.sw << "x" << s.sh << " -> " << s.tw << "x" << s.th;
    }
}

TEST(ResampleRgbTest, EveryFilterMatchesItsFormulaWithMirroredEdges) {
    for (int filter = 0; filter < kFilterCount; ++filter) {
        for (const Size& s : kSizes) {
            if (s.tw < 4 || s.th < 4) continue;  // the widest supports need 4 target pixels
            Bytes in = TestPicture(s.sw, s.sh, static_cast<unsigned>(filter));
            Bytes out(static_cast<size_t>(s.tw) * s.th * 3);
            ASSERT_TRUE(ResampleRgb(ViewOf(in, s.sw, s.sh, s.sw * 3), ViewOf(out, s.tw, s.th, s.tw * 3), filter))
                << filter;
            EXPECT_LE(LargestDifference(out, ReferenceFiltered(in, s.sw, s.sh, s.tw, s.th, filter)), 2)
                << "filter " << filter << " " << s.sw << "x" << s.sh << " -> " << s.tw << "x" << s.th;
        }
    }
}

TEST(ResampleRgbTest, VectorAndPortableLoopsAgree) {
    const Size sizes[] = {{300, 200, 123, 77}, {123, 77, 300, 200}, {1000, 10, 333, 7}};
    for (const Size& s : sizes) {
        Bytes in = TestPicture(s.sw, s.sh, 5);
        for (int filter : {kResizeBicubic, static_cast<int>(kFilterLanczos3), static_cast<int>(kFilterBox),
                           static_cast<int>(kFilterSinc)}) {
            Bytes fast(static_cast<size_t>(s.tw) * s.th * 3), portable(fast.size());
            auto run = [&](Bytes& out) {
                return ResizeRgbWithFilter(ViewOf(in, s.sw, s.sh, s.sw * 3), ViewOf(out, s.tw, s.th, s.tw * 3), filter);
            };
            ASSERT_TRUE(run(fast));
            SetResampleVectorCode(false);
            bool done = run(portable);
            SetResampleVectorCode(true);
            ASSERT_TRUE(done);
            EXPECT_EQ(fast, portable) << "filter " << filter << " " << s.sw << " -> " << s.tw;
        }
    }
}

TEST(ResampleRgbTest, FlatColoursStayFlatAndEqualSizesCopy) {
    Bytes flat(static_cast<size_t>(37) * 29 * 3);
    for (size_t i = 0; i < flat.size(); i += 3) {
        flat[i] = 200;
        flat[i + 1] = 17;
        flat[i + 2] = 255;
    }
    for (int filter = -1; filter < kFilterCount; ++filter) {
        for (const Size& s : {Size{37, 29, 11, 9}, Size{37, 29, 80, 61}, Size{37, 29, 37, 29}}) {
            Bytes out(static_cast<size_t>(s.tw) * s.th * 3);
            ASSERT_TRUE(ResizeRgbWithFilter(ViewOf(flat, 37, 29, 37 * 3), ViewOf(out, s.tw, s.th, s.tw * 3), filter));
            for (size_t i = 0; i < out.size(); i += 3) {
                ASSERT_EQ(out[i], 200) << filter;
                ASSERT_EQ(out[i + 1], 17) << filter;
                ASSERT_EQ(out[i + 2], 255) << filter;
            }
        }
    }
    Bytes picture = TestPicture(31, 7, 1);
    for (int filter : {kResizeBicubic, static_cast<int>(kFilterLanczos3), static_cast<int>(kFilterBox)}) {
        Bytes out(picture.size());
        ASSERT_TRUE(ResizeRgbWithFilter(ViewOf(picture, 31, 7, 93), ViewOf(out, 31, 7, 93), filter));
        EXPECT_EQ(out, picture) << filter;
    }
}

TEST(ResampleRgbTest, StridesLeavePaddingAlone) {
    Bytes in = TestPicture(20, 10, 2);
    Bytes padded(static_cast<size_t>(10) * 64, 0);
    for (int y = 0; y < 10; ++y)
        std::copy_n(&in[static_cast<size_t>(y) * 60], 60, &padded[static_cast<size_t>(y) * 64]);
    Bytes target(static_cast<size_t>(5) * 40, 0xEE), plain(static_cast<size_t>(5) * 30);
    ASSERT_TRUE(ResampleRgb(ViewOf(padded, 20, 10, 64), ViewOf(target, 10, 5, 40), kFilterLanczos3));
    ASSERT_TRUE(ResampleRgb(ViewOf(in, 20, 10, 60), ViewOf(plain, 10, 5, 30), kFilterLanczos3));
    for (int y = 0; y < 5; ++y) {
        EXPECT_TRUE(std::equal(plain.begin() + y * 30, plain.begin() + y * 30 + 30, target.begin() + y * 40));
        for (int x = 30; x < 40; ++x) EXPECT_EQ(target[static_cast<size_t>(y) * 40 + x], 0xEE);
    }
}

TEST(ResampleRgbTest, ArgumentRules) {
    Bytes in = TestPicture(8, 8, 3);
    Bytes out(static_cast<size_t>(8) * 8 * 3);
    struct ArgumentCase {
        const char* name;
        int tw, th, filter, sourceStride;
        int error;
    };
    const ArgumentCase cases[] = {
        {"lanczos to 2 pixels wide", 2, 8, kFilterLanczos3, 24, kCodecTargetTooSmall},
        {"lanczos to 2 pixels high", 8, 2, kFilterLanczos3, 24, kCodecTargetTooSmall},
        {"lanczos to 3 pixels", 3, 3, kFilterLanczos3, 24, kCodecOk},
        {"sinc to 3 pixels", 3, 8, kFilterSinc, 24, kCodecTargetTooSmall},
        {"gaussian to 1 pixel", 1, 8, kFilterGaussian, 24, kCodecTargetTooSmall},
        {"box to 1 pixel", 1, 1, kFilterBox, 24, kCodecOk},
        {"filter 14", 4, 4, 14, 24, kCodecBadArgument},
        {"filter -1", 4, 4, -1, 24, kCodecBadArgument},
        {"stride too short", 4, 4, kFilterBox, 23, kCodecBadArgument},
        {"zero target", 0, 4, kFilterBox, 24, kCodecBadArgument},
    };
    for (const ArgumentCase& c : cases) {
        bool done = ResampleRgb(ViewOf(in, 8, 8, c.sourceStride), ViewOf(out, c.tw, c.th, 24), c.filter);
        EXPECT_EQ(done, c.error == kCodecOk) << c.name;
        EXPECT_EQ(GetLastCodecError(), c.error) << c.name;
    }
    EXPECT_FALSE(ResizeRgb(ConstRgbView(nullptr, 8, 8, 24), ViewOf(out, 4, 4, 12)));
    EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
    EXPECT_TRUE(ResizeRgb(ViewOf(in, 8, 8, 24), ViewOf(out, 1, 1, 3)));
}

TEST(ResizeRgbImageTest, ReplacesThePictureOrLeavesItAlone) {
    OwnedRgbImage image;
    ASSERT_EQ(CreateRgbCanvas(40, 20, 0x00336699, image), kRgbImageOk);
    const unsigned char* before = image.View().pixels;
    EXPECT_EQ(ResizeRgbImage(image, 40, 20, kFilterLanczos3), kRgbImageOk);
    EXPECT_EQ(image.View().pixels, before);

    EXPECT_EQ(ResizeRgbImage(image, 2, 2, kFilterLanczos3), kRgbImageFailed);
    EXPECT_EQ(image.View().pixels, before);
    EXPECT_EQ(image.Width(), 40);

    EXPECT_EQ(ResizeRgbImage(image, 10, 5, kFilterLanczos3), kRgbImageOk);
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(image.Height(), 5);
    EXPECT_EQ(image.View().pixels[0], 0x99);
    EXPECT_EQ(image.View().pixels[2], 0x33);

    EXPECT_EQ(ResizeRgbImage(image, 25, 11, kResizeBicubic), kRgbImageOk);
    EXPECT_EQ(image.Width(), 25);
    EXPECT_EQ(image.View().pixels[25 * 11 * 3 - 2], 0x66);
}

}  // namespace
