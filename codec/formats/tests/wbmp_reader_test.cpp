#include <gtest/gtest.h>

#include <vector>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

int Decode(const Bytes& bytes, PaletteImage& image) {
    BoundedReader in(bytes.data(), bytes.size());
    return ReadWbmpImage(in, image);
}

}  // namespace

TEST(WbmpReader, ReadsMultiByteSizesAndPaddedRows) {
    // 130 = 0x81 0x02; rows of 17 bytes, the last one holding 2 pixels and 6 padding bits.
    Bytes bytes = {0, 0, 0x81, 0x02, 3};
    for (int y = 0; y < 3; ++y) {
        for (int i = 0; i < 17; ++i) bytes.push_back(static_cast<unsigned char>(y == 1 ? 0xFF : 0xA5 ^ i));
    }
    PaletteImage image;
    ASSERT_EQ(Decode(bytes, image), kCodecOk);
    ASSERT_EQ(image.width, 130);
    ASSERT_EQ(image.height, 3);
    EXPECT_EQ(image.paletteSize, 2);
    EXPECT_EQ(image.palette[0][0] | image.palette[0][1] | image.palette[0][2], 0);
    EXPECT_EQ(image.palette[1][0] & image.palette[1][1] & image.palette[1][2], 255);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 130; ++x) {
            unsigned char byte = y == 1 ? 0xFF : 0xA5 ^ (x / 8);
            ASSERT_EQ(image.indices[y * 130 + x], (byte >> (7 - x % 8)) & 1) << x << "," << y;
        }
    }
    ReleasePaletteImage(image);
}

TEST(WbmpReader, FailsOnBadHeadersAndShortData) {
    struct Case {
        const char* name;
        Bytes bytes;
        int expected;
    };
    const Case cases[] = {
        {"empty", {}, kCodecReadError},
        {"type 1", {1, 0, 8, 1, 0xFF}, kCodecUnsupportedVariant},
        {"extension headers", {0, 0x80, 8, 1, 0xFF}, kCodecUnsupportedVariant},
        {"zero width", {0, 0, 0, 1, 0xFF}, kCodecUnsupportedVariant},
        {"zero height", {0, 0, 8, 0, 0xFF}, kCodecUnsupportedVariant},
        {"size ends inside its integer", {0, 0, 0x81}, kCodecReadError},
        {"width beyond int", {0, 0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 1}, kCodecUnsupportedVariant},
        {"last row missing", {0, 0, 9, 2, 0xFF, 0xFF, 0xFF}, kCodecReadError},
        {"huge size from a few bytes", {0, 0, 0x87, 0xFF, 0x7F, 0x87, 0xFF, 0x7F, 0}, kCodecReadError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaletteImage image;
        EXPECT_EQ(Decode(c.bytes, image), c.expected);
        EXPECT_EQ(image.indices, nullptr);
    }
}
