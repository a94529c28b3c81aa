#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t kBaseOffset = 96 * 2048;
constexpr int kWidth = 768;
constexpr int kHeight = 512;
constexpr size_t kPairSize = 2 * kWidth + kWidth;  // two luma rows, two half-width chroma rows

// An image pack whose base picture has luma `luma(x, y)` and chroma given per stored sample.
template <typename Luma, typename Chroma1, typename Chroma2>
Bytes BuildPack(Luma luma, Chroma1 chroma1, Chroma2 chroma2) {
    Bytes bytes(kBaseOffset + kPairSize * (kHeight / 2), 0);
    std::memset(bytes.data(), 0xFF, 2048);
    std::memcpy(&bytes[2048], "PCD_IPI", 7);
    for (int pair = 0; pair < kHeight / 2; ++pair) {
        unsigned char* rows = &bytes[kBaseOffset + pair * kPairSize];
        for (int x = 0; x < kWidth; ++x) {
            rows[x] = static_cast<unsigned char>(luma(x, pair * 2));
            rows[kWidth + x] = static_cast<unsigned char>(luma(x, pair * 2 + 1));
        }
        for (int x = 0; x < kWidth / 2; ++x) {
            rows[2 * kWidth + x] = static_cast<unsigned char>(chroma1(x, pair));
            rows[2 * kWidth + kWidth / 2 + x] = static_cast<unsigned char>(chroma2(x, pair));
        }
    }
    return bytes;
}

int Decode(const Bytes& bytes, RgbImage& image) {
    BoundedReader in(bytes.data(), bytes.size());
    return ReadPhotoCdImage(in, image);
}

const unsigned char* Pixel(const RgbImage& image, int x, int y) {
    return image.pixels + (y * image.width + x) * 3;
}

}  // namespace

TEST(PhotoCdReader, NeutralChromaGivesTheLumaAsGrey) {
    Bytes pack = BuildPack([](int x, int y) { return (x + 3 * y) % 256; }, [](int, int) { return 156; },
                           [](int, int) { return 137; });
    RgbImage image;
    ASSERT_EQ(Decode(pack, image), kCodecOk);
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    for (int y : {0, 1, 200, 511}) {
        for (int x : {0, 1, 383, 767}) {
            const unsigned char* p = Pixel(image, x, y);
            unsigned char expected = static_cast<unsigned char>((x + 3 * y) % 256);
            EXPECT_EQ(p[0], expected);
            EXPECT_EQ(p[1], expected);
            EXPECT_EQ(p[2], expected);
        }
    }
    ReleaseRgbImage(image);
}

TEST(PhotoCdReader, ChromaTintsAndIsInterpolatedBetweenSamples) {
    // Chroma 2 rises to the right of column pair 10: red grows, green falls, blue stays.
    Bytes pack = BuildPack([](int, int) { return 100; }, [](int, int) { return 156; },
                           [](int x, int) { return x < 10 ? 137 : 177; });
    RgbImage image;
    ASSERT_EQ(Decode(pack, image), kCodecOk);
    const unsigned char* plain = Pixel(image, 18, 5);    // sample 9
    const unsigned char* between = Pixel(image, 19, 5);  // halfway between samples 9 and 10
    const unsigned char* tinted = Pixel(image, 20, 5);   // sample 10
    EXPECT_EQ(plain[0], 100);
    EXPECT_EQ(tinted[0], 154);  // 100 + 1.340762 * 40
    EXPECT_EQ(tinted[1], 73);   // 100 - 0.682243 * 40
    EXPECT_EQ(tinted[2], 100);
    EXPECT_EQ(between[0], 127);  // chroma 157: 100 + 1.340762 * 20
    ReleaseRgbImage(image);
}

TEST(PhotoCdReader, PacksAreTurnedUprightAsTheirAttributesSay) {
    // Every stored pixel has a grey of its own along the edges and corners checked.
    auto luma = [](int x, int y) { return (x * 7 + y * 13) % 256; };
    const Bytes landscape = BuildPack(
        luma, [](int, int) { return 156; }, [](int, int) { return 137; });
    struct Case {
        int quarterTurns;  // counterclockwise
        int width;
        int height;
    };
    for (const Case c : {Case{1, kHeight, kWidth}, Case{2, kWidth, kHeight}, Case{3, kHeight, kWidth}}) {
        SCOPED_TRACE(c.quarterTurns);
        Bytes pack = landscape;
        pack[0x0E02] = static_cast<unsigned char>(0xFC | c.quarterTurns);  // the other attribute bits stay set
        BoundedReader header(pack.data(), pack.size());
        int width = 0;
        int height = 0;
        ASSERT_EQ(ReadPhotoCdSize(header, width, height), kCodecOk);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        RgbImage image;
        ASSERT_EQ(Decode(pack, image), kCodecOk);
        ASSERT_EQ(image.width, c.width);
        ASSERT_EQ(image.height, c.height);
        for (int y : {0, 1, 255, kHeight - 1}) {
            for (int x : {0, 2, 400, kWidth - 1}) {
                // The stored (x, y) turned counterclockwise.
                int tx = x, ty = y;
                if (c.quarterTurns == 1) tx = y, ty = kWidth - 1 - x;
                if (c.quarterTurns == 2) tx = kWidth - 1 - x, ty = kHeight - 1 - y;
                if (c.quarterTurns == 3) tx = kHeight - 1 - y, ty = x;
                EXPECT_EQ(Pixel(image, tx, ty)[0], luma(x, y)) << x << "," << y;
            }
        }
        ReleaseRgbImage(image);
    }
}

TEST(PhotoCdReader, FailsWithTheDocumentedCodes) {
    Bytes valid = BuildPack([](int, int) { return 0; }, [](int, int) { return 156; }, [](int, int) { return 137; });
    Bytes overview(8192, 0);
    std::memcpy(overview.data(), "PCD_OPA", 7);
    Bytes withoutSignature = valid;
    std::memcpy(&withoutSignature[2048], "XCD", 3);
    struct Case {
        const char* name;
        Bytes bytes;
        int expected;
    };
    const Case cases[] = {
        {"shorter than the header", Bytes(valid.begin(), valid.begin() + 6143), kCodecNotPhotoCd},
        {"overview pack", overview, kCodecPhotoCdOverview},
        {"no signature at 2048", withoutSignature, kCodecNotPhotoCd},
        {"header only", Bytes(valid.begin(), valid.begin() + 6144), kCodecReadError},
        {"base picture cut", Bytes(valid.begin(), valid.end() - 1), kCodecReadError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage image;
        EXPECT_EQ(Decode(c.bytes, image), c.expected);
        EXPECT_EQ(image.pixels, nullptr);
    }
}
