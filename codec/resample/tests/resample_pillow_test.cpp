// Whole resizes against Pillow's, an independent implementation of the same separable
// filtering, on photographs and on hard synthetic edges. Pillow has four of our filters: BOX,
// BILINEAR (triangle), BICUBIC (Keys' a = -0.5, our Catmull-Rom) and LANCZOS (Lanczos 3).
// Its HAMMING is a Hamming-windowed sinc, not our plain Hamming window, so it is left out.
//
// The two differ where neither is wrong: Pillow clips the kernel at the picture's edges where
// we mirror the picture, so a margin as wide as the widened kernel is not compared; both round
// their fixed-point weights and their 8-bit intermediate rows, so a sample may differ by one
// level. And we may filter the columns first where Pillow always starts with the rows, so
// ringing that overshoots 0..255 is cut in different places: the pictures keep their levels
// inside 32..223, where the ringing of these kernels stays in range.
//
// Agreement: no sample differs by more than one level, and the mean difference stays below
// 0.3 levels (a systematic shift by one level would give about 1).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "codec/resample/resample.h"
#include "codec/resample/tests/reference_kernels.h"
#include "tests/support/pillow.h"

namespace {

using test_support::PpmImage;

struct CorrespondingFilter {
    int filter;
    const char* pillowName;
};

const CorrespondingFilter kCorrespondingFilters[] = {
    {kFilterBox, "BOX"},
    {kFilterTriangle, "BILINEAR"},
    {kFilterCatmullRom, "BICUBIC"},
    {kFilterLanczos3, "LANCZOS"},
};

// Target pixels within this many of an edge take source pixels from beyond it.
int EdgeMargin(int sourceSize, int targetSize, double support) {
    double scale = static_cast<double>(targetSize) / sourceSize;
    double reach = support / std::min(scale, 1.0) + 0.5;
    return static_cast<int>(std::ceil(reach * scale)) + 1;
}

constexpr int kLargestDifference = 1;
constexpr double kMeanDifference = 0.3;

struct Difference {
    int largest = 0;
    double mean = 0;
};

Difference CompareInside(const PpmImage& ours, const PpmImage& theirs, int marginX, int marginY) {
    Difference difference;
    long long total = 0, count = 0;
    for (int y = marginY; y < ours.height - marginY; ++y) {
        for (int x = marginX * 3; x < (ours.width - marginX) * 3; ++x) {
            size_t at = static_cast<size_t>(y) * ours.width * 3 + x;
            int d = std::abs(ours.pixels[at] - theirs.pixels[at]);
            difference.largest = std::max(difference.largest, d);
            total += d;
            ++count;
        }
    }
    difference.mean = count > 0 ? static_cast<double>(total) / count : 0;
    return difference;
}

PpmImage Crop(const PpmImage& image, int left, int top, int width, int height) {
    PpmImage crop{width, height, test_support::Bytes(static_cast<size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        std::copy_n(&image.pixels[(static_cast<size_t>(top + y) * image.width + left) * 3], width * 3,
                    &crop.pixels[static_cast<size_t>(y) * width * 3]);
    }
    return crop;
}

// Two levels only: blocks, one-pixel lines, a diagonal edge and a fine checkerboard, the
// content that rings most and shows a misplaced sample at once.
PpmImage HardEdges(int width, int height) {
    PpmImage image{width, height, test_support::Bytes(static_cast<size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool white = (x > width / 5 && x < width / 2 && y > height / 6 && y < height / 2) || x % 17 == 3 ||
                         y % 13 == 5 || (x > width / 2 && y > height / 2 && (x + y) % 2 == 0) || 3 * x > 4 * y + width;
            std::fill_n(&image.pixels[(static_cast<size_t>(y) * width + x) * 3], 3, white ? 223 : 32);
        }
    }
    return image;
}

struct Resize {
    int width, height;
};

// Levels 0..255 mapped onto 32..223.
void Compress(PpmImage& image) {
    for (unsigned char& level : image.pixels) level = static_cast<unsigned char>(32 + level * 3 / 4);
}

// Resizes `source` with every corresponding filter both ways and compares inside the margins.
void ExpectPillowAgrees(const PpmImage& source, const Resize& size) {
    test_support::TempDir folder;
    std::string path = folder.File("source.ppm");
    test_support::WritePpm(path, source);
    std::vector<test_support::PillowResize> resizes;
    for (const CorrespondingFilter& filter : kCorrespondingFilters) {
        resizes.push_back({filter.pillowName, size.width, size.height});
    }
    std::vector<PpmImage> theirs;
    ASSERT_TRUE(test_support::ResizeWithPillow(path, resizes, theirs));
    for (size_t i = 0; i < std::size(kCorrespondingFilters); ++i) {
        const CorrespondingFilter& filter = kCorrespondingFilters[i];
        SCOPED_TRACE(std::string(filter.pillowName) + " to " + std::to_string(size.width) + "x" +
                     std::to_string(size.height));
        ASSERT_EQ(theirs[i].width, size.width);
        ASSERT_EQ(theirs[i].height, size.height);
        PpmImage ours{size.width, size.height, test_support::Bytes(static_cast<size_t>(size.width) * size.height * 3)};
        ASSERT_TRUE(ResampleRgb(ConstRgbView(source.pixels.data(), source.width, source.height, source.width * 3),
                                RgbView{ours.pixels.data(), size.width, size.height, size.width * 3}, filter.filter));
        double support = reference_kernels::kKernels[filter.filter].support;
        Difference difference = CompareInside(ours, theirs[i], EdgeMargin(source.width, size.width, support),
                                              EdgeMargin(source.height, size.height, support));
        EXPECT_LE(difference.largest, kLargestDifference);
        EXPECT_LE(difference.mean, kMeanDifference);
    }
}

// The sizes keep every box edge off the source pixels' centres, where Pillow and we take
// different neighbours by convention: target / gcd(source, target) is odd when shrinking and
// even when enlarging.
TEST(ResamplePillowTest, PhotographsShrunkAndEnlargedAgree) {
    ASSERT_TRUE(test_support::HavePillow());
    for (const char* name : {"Blinds.jpg", "Dune.jpg", "LadyBird.jpg"}) {
        SCOPED_TRACE(name);
        PpmImage photo;
        ASSERT_TRUE(test_support::DecodeWithPillow(std::string("/usr/share/backgrounds/mate/nature/") + name, photo))
            << "tools/setup.sh installs the photographs (mate-backgrounds)";
        Compress(photo);
        ExpectPillowAgrees(Crop(photo, photo.width / 4, photo.height / 4, 740, 480), {201, 130});
        ExpectPillowAgrees(Crop(photo, photo.width / 2, photo.height / 3, 150, 100), {404, 272});
    }
}

TEST(ResamplePillowTest, HardEdgesShrunkAndEnlargedAgree) {
    ASSERT_TRUE(test_support::HavePillow());
    PpmImage edges = HardEdges(97, 73);
    ExpectPillowAgrees(edges, {41, 29});
    ExpectPillowAgrees(edges, {250, 190});
}

}  // namespace
