// The BMP reader and writer: every depth and compression, both row orders, the requested
// output depths, and the files the reader must refuse without reading out of bounds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/formats/bmp_codec.h"
#include "codec/formats/tests/bmp_test_files.h"
#include "codec/image_source.h"
#include "tests/support/test_support.h"

namespace {

using bmp_test::BmpLayout;
using bmp_test::BuildBmp;
using bmp_test::Bytes;

struct Decoded {
    bool ok = false;
    int error = 0;
    RgbImage image;
    ImagePalette palette;
    Bytes pixels;  // copy of the decoded bytes
};

Decoded DecodeBytes(const Bytes& file, int depth) {
    Decoded result;
    ImageSource* source = OpenMemorySource(file.data(), file.size());
    EXPECT_NE(source, nullptr);
    result.ok = DecodeBmp(source, depth, result.image, &result.palette);
    result.error = GetLastCodecError();
    CloseSource(source);
    if (result.ok) {
        size_t bytes = static_cast<size_t>(result.image.height) *
                       (depth == 1 ? (result.image.width + 7) / 8 : result.image.width * (depth / 8));
        result.pixels.assign(result.image.pixels, result.image.pixels + bytes);
        CodecFree(result.image.pixels);
    } else {
        EXPECT_EQ(result.image.pixels, nullptr);
    }
    return result;
}

Bytes Rgb(std::initializer_list<int> values) {
    Bytes bytes;
    for (int v : values) bytes.push_back(static_cast<unsigned char>(v));
    return bytes;
}

struct ReadCase {
    const char* name;
    BmpLayout layout;
    int width;
    int height;
    Bytes rgb;  // expected 24-bit output, top-down
};

TEST(BmpReader, DecodesEveryDepthAndCompression) {
    const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF, black = 0;
    ReadCase cases[] = {
        {"24-bit bottom-up",
         {.width = 2, .height = 2, .depth = 24, .pixels = Rgb({255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0})},
         2,
         2,
         Rgb({0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 255, 0})},
        {"24-bit top-down",
         {.width = 1, .height = -2, .depth = 24, .pixels = Rgb({1, 2, 3, 0, 4, 5, 6, 0})},
         1,
         2,
         Rgb({3, 2, 1, 6, 5, 4})},
        {"32-bit",
         {.width = 2, .height = 1, .depth = 32, .pixels = Rgb({10, 20, 30, 0, 40, 50, 60, 99})},
         2,
         1,
         Rgb({30, 20, 10, 60, 50, 40})},
        {"16-bit 5-5-5",
         {.width = 2, .height = 1, .depth = 16, .pixels = Rgb({0x00, 0x7C, 0x1F, 0x00})},
         2,
         1,
         Rgb({255, 0, 0, 0, 0, 255})},
        {"16-bit 5-6-5 bit fields",
         {.width = 2,
          .height = 1,
          .depth = 16,
          .compression = 3,
          .masks = {0xF800, 0x07E0, 0x001F},
          .pixels = Rgb({0xE0, 0x07, 0x10, 0x84})},
         2,
         1,
         Rgb({0, 255, 0, 132, 130, 132})},
        {"32-bit bit fields",
         {.width = 1,
          .height = 1,
          .depth = 32,
          .compression = 3,
          .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
          .pixels = Rgb({1, 2, 3, 4})},
         1,
         1,
         Rgb({1, 2, 3})},
        {"1-bit with padding",
         {.width = 9, .height = 1, .depth = 1, .palette = {black, white}, .pixels = Rgb({0xA5, 0x80, 0, 0})},
         9,
         1,
         Rgb({255, 255, 255, 0,   0, 0, 255, 255, 255, 0,   0,   0,   0,  0,
              0,   255, 255, 255, 0, 0, 0,   255, 255, 255, 255, 255, 255})},
        {"4-bit",
         {.width = 3,
          .height = 1,
          .depth = 4,
          .coloursUsed = 3,
          .palette = {red, green, blue},
          .pixels = Rgb({0x12, 0x00, 0, 0})},
         3,
         1,
         Rgb({0, 255, 0, 0, 0, 255, 255, 0, 0})},
        {"8-bit, index past the palette is black",
         {.width = 2, .height = 1, .depth = 8, .coloursUsed = 2, .palette = {red, green}, .pixels = Rgb({1, 7, 0, 0})},
         2,
         1,
         Rgb({0, 255, 0, 0, 0, 0})},
        {"8-bit run-length: runs, absolute run, end of line, end of bitmap",
         {.width = 4,
          .height = 2,
          .depth = 8,
          .compression = 1,
          .coloursUsed = 3,
          .palette = {black, red, green},
          // bottom row: 3 × index 1, then 1 × index 2; end of line; top row: absolute 2,1,2 (padded), end.
          .pixels = Rgb({3, 1, 1, 2, 0, 0, 0, 3, 2, 1, 2, 0, 0, 1})},
         4,
         2,
         Rgb({0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0})},
        {"8-bit run-length: delta skips, long runs are cut at the row's end",
         {.width = 3,
          .height = 2,
          .depth = 8,
          .compression = 1,
          .coloursUsed = 2,
          .palette = {black, white},
          .pixels = Rgb({0, 2, 1, 1, 9, 1, 0, 1})},
         3,
         2,
         Rgb({0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"4-bit run-length",
         {.width = 5,
          .height = 1,
          .depth = 4,
          .compression = 2,
          .coloursUsed = 2,
          .palette = {black, white},
          .pixels = Rgb({3, 0x10, 0, 3, 0x01, 0x00, 0, 1})},
         5,
         1,
         Rgb({255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255})},
        {"version 5 header with bit fields inside",
         {.width = 1,
          .height = 1,
          .depth = 32,
          .compression = 3,
          .infoSize = 124,
          .pixels = Rgb({1, 2, 3, 4}),
          .headerMasks = {0x00FF0000, 0x0000FF00, 0x000000FF}},
         1,
         1,
         Rgb({3, 2, 1})},
        {"version 4 header, 24 bits",
         {.width = 1, .height = 1, .depth = 24, .infoSize = 108, .pixels = Rgb({5, 6, 7, 0})},
         1,
         1,
         Rgb({7, 6, 5})},
        {"pixel offset behind a gap",
         {.width = 1, .height = 1, .depth = 24, .pixels = Rgb({7, 8, 9, 0}), .pixelOffset = 80},
         1,
         1,
         Rgb({9, 8, 7})},
    };
    for (const ReadCase& c : cases) {
        Decoded decoded = DecodeBytes(BuildBmp(c.layout), 24);
        ASSERT_TRUE(decoded.ok) << c.name << " error " << decoded.error;
        EXPECT_EQ(decoded.image.width, c.width) << c.name;
        EXPECT_EQ(decoded.image.height, c.height) << c.name;
        EXPECT_EQ(decoded.pixels, c.rgb) << c.name;

        Decoded wide = DecodeBytes(BuildBmp(c.layout), 32);
        ASSERT_TRUE(wide.ok) << c.name;
        for (size_t p = 0; p * 3 < c.rgb.size(); ++p) {
            EXPECT_EQ(wide.pixels[p * 4 + 2], c.rgb[p * 3 + 2]) << c.name;
            EXPECT_EQ(wide.pixels[p * 4 + 3], 255) << c.name;
        }
    }
}

TEST(BmpReader, PaletteDepthsKeepTheirIndices) {
    BmpLayout layout{
        .width = 10, .height = 1, .depth = 1, .palette = {0x123456, 0xABCDEF}, .pixels = Rgb({0xC1, 0x40, 0, 0})};
    Decoded asIndices = DecodeBytes(BuildBmp(layout), 8);
    ASSERT_TRUE(asIndices.ok);
    EXPECT_EQ(asIndices.pixels, Rgb({1, 1, 0, 0, 0, 0, 0, 1, 0, 1}));
    EXPECT_EQ(asIndices.palette.count, 2);
    EXPECT_EQ(asIndices.palette.colours[1][0], 0xAB);
    EXPECT_EQ(asIndices.palette.colours[1][2], 0xEF);

    Decoded asBits = DecodeBytes(BuildBmp(layout), 1);
    ASSERT_TRUE(asBits.ok);
    EXPECT_EQ(asBits.pixels, Rgb({0xC1, 0x40}));

    layout.depth = 4;
    layout.coloursUsed = 2;
    layout.pixels = Rgb({0x12, 0, 0, 0});
    layout.width = 2;
    EXPECT_EQ(DecodeBytes(BuildBmp(layout), 1).error, kCodecDepthTooHigh);
    EXPECT_TRUE(DecodeBytes(BuildBmp(layout), 8).ok);
    BmpLayout deep{.width = 1, .height = 1, .depth = 24, .pixels = Rgb({1, 2, 3, 0})};
    EXPECT_EQ(DecodeBytes(BuildBmp(deep), 8).error, kCodecDepthTooHigh);
}

struct RefusedCase {
    const char* name;
    Bytes file;
    int error;
};

Bytes Truncate(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

TEST(BmpReader, RefusesMalformedFiles) {
    BmpLayout good{.width = 2, .height = 2, .depth = 24, .pixels = Bytes(16, 0x40)};
    auto with = [&](auto change) {
        BmpLayout layout = good;
        change(layout);
        return BuildBmp(layout);
    };
    Bytes wrongSignature = BuildBmp(good);
    wrongSignature[1] = 'A';
    const RefusedCase cases[] = {
        {"wrong signature", wrongSignature, kCodecNotBmp},
        {"one byte", Rgb({'B'}), kCodecNotBmp},
        {"core header", with([](BmpLayout& s) { s.infoSize = 12; }), kCodecNotBmp},
        {"os/2 version 2 header", with([](BmpLayout& s) { s.infoSize = 64; }), kCodecNotBmp},
        {"version 5 header cut short", Truncate(with([](BmpLayout& s) { s.infoSize = 124; }), 100), kCodecReadError},
        {"zero width", with([](BmpLayout& s) { s.width = 0; }), kCodecNotBmp},
        {"negative width", with([](BmpLayout& s) { s.width = -2; }), kCodecNotBmp},
        {"zero height", with([](BmpLayout& s) { s.height = 0; }), kCodecNotBmp},
        {"smallest height", with([](BmpLayout& s) { s.height = INT32_MIN; }), kCodecNotBmp},
        {"depth 2", with([](BmpLayout& s) { s.depth = 2; }), kCodecNotBmp},
        {"depth 48", with([](BmpLayout& s) { s.depth = 48; }), kCodecNotBmp},
        {"8-bit run-length on 24 bits", with([](BmpLayout& s) { s.compression = 1; }), kCodecNotBmp},
        {"4-bit run-length on 8 bits", with([](BmpLayout& s) { s.compression = 2, s.depth = 8; }), kCodecNotBmp},
        {"bit fields on 24 bits", with([](BmpLayout& s) { s.compression = 3; }), kCodecNotBmp},
        {"embedded jpeg", with([](BmpLayout& s) { s.compression = 4; }), kCodecNotBmp},
        {"header cut short", Truncate(BuildBmp(good), 30), kCodecReadError},
        {"pixels cut short", Truncate(BuildBmp(good), 54 + 10), kCodecReadError},
        {"pixel offset past the end", Truncate(with([](BmpLayout& s) { s.pixelOffset = 5000; }), 100), kCodecReadError},
        {"palette cut short", Truncate(BuildBmp({.width = 1, .height = 1, .depth = 8, .coloursUsed = 200}), 100),
         kCodecReadError},
        {"giant picture on a tiny file", with([](BmpLayout& s) { s.width = 40000, s.height = 40000; }),
         kCodecReadError},
        {"picture above the allocation limit", with([](BmpLayout& s) { s.width = 0x7FFFFFFF, s.height = 0x7FFFFFFF; }),
         kCodecReadError},
        {"giant run-length picture on a few bytes",
         BuildBmp(
             {.width = 30000, .height = 30000, .depth = 8, .compression = 1, .palette = {0, 1}, .pixels = Rgb({0, 1})}),
         kCodecReadError},
        {"run-length runs that cannot cover the picture (12 KB for 10000 x 10000)",
         BuildBmp({.width = 10000,
                   .height = 10000,
                   .depth = 8,
                   .compression = 1,
                   .palette = {0, 1},
                   .pixels =
                       [] {
                           Bytes runs;
                           for (int i = 0; i < 6000; ++i) runs.insert(runs.end(), {255, 1});
                           return runs;
                       }()}),
         kCodecReadError},
        {"run-length data ends early",
         BuildBmp({.width = 4, .height = 4, .depth = 8, .compression = 1, .palette = {0, 1}, .pixels = Rgb({2, 1})}),
         kCodecReadError},
        {"absolute run past the end",
         BuildBmp(
             {.width = 4, .height = 4, .depth = 8, .compression = 1, .palette = {0, 1}, .pixels = Rgb({0, 200, 1, 1})}),
         kCodecReadError},
    };
    for (const RefusedCase& c : cases) {
        Decoded decoded = DecodeBytes(c.file, 24);
        EXPECT_FALSE(decoded.ok) << c.name;
        EXPECT_EQ(decoded.error, c.error) << c.name;
    }
    EXPECT_EQ(DecodeBytes(BuildBmp(good), 16).error, kCodecBadArgument);
}

TEST(BmpWriter, WrittenFilesReadBackUnchanged) {
    test_support::TempDir dir;
    struct WriteCase {
        int depth;
        int width;
        int height;
    };
    const WriteCase cases[] = {{24, 1, 1}, {24, 5, 3}, {32, 3, 2}, {8, 7, 3}, {1, 13, 2}};
    for (const WriteCase& c : cases) {
        size_t rowBytes = c.depth == 1 ? (c.width + 7) / 8 : static_cast<size_t>(c.width) * (c.depth / 8);
        Bytes pixels = test_support::PseudoRandomBytes(rowBytes * c.height, static_cast<unsigned>(c.depth + c.width));
        if (c.depth == 32) {
            for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
        }
        if (c.depth == 1) {
            for (int y = 0; y < c.height; ++y) pixels[y * rowBytes + rowBytes - 1] &= 0xF8;  // 13 bits used
        }
        std::string path = dir.File("out" + std::to_string(c.depth) + ".bmp");
        ImageSink* sink = OpenFileSink(path.c_str());
        ASSERT_NE(sink, nullptr);
        ASSERT_TRUE(WriteBmp(sink, pixels.data(), c.width, c.height, c.depth));
        ASSERT_EQ(CloseSink(sink), 0);

        Bytes file = test_support::ReadFileBytes(path);
        size_t fileRow = (static_cast<size_t>(c.width) * c.depth + 31) / 32 * 4;
        size_t palette = c.depth <= 8 ? (4u << c.depth) : 0;
        ASSERT_EQ(file.size(), 54 + palette + fileRow * c.height) << c.depth;
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[10], (54 + palette) & 0xFF);
        Decoded decoded = DecodeBytes(file, c.depth);
        ASSERT_TRUE(decoded.ok) << c.depth;
        EXPECT_EQ(decoded.pixels, pixels) << c.depth;
        if (c.depth == 8) {
            EXPECT_EQ(decoded.palette.colours[200][1], 200);  // the grey ramp
        }
    }
}

TEST(BmpWriter, RefusesBadArguments) {
    test_support::TempDir dir;
    ImageSink* sink = OpenFileSink(dir.File("x.bmp").c_str());
    ASSERT_NE(sink, nullptr);
    unsigned char pixel[4] = {};
    EXPECT_FALSE(WriteBmp(sink, pixel, 1, 1, 16));
    EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
    EXPECT_FALSE(WriteBmp(sink, pixel, 0, 1, 24));
    EXPECT_FALSE(WriteBmp(sink, nullptr, 1, 1, 24));
    EXPECT_FALSE(WriteBmp(nullptr, pixel, 1, 1, 24));
    EXPECT_EQ(CloseSink(sink), 0);
}

}  // namespace
