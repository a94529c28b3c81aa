// JPEG through libjpeg: encoding and decoding at every depth, reduced-size decoding, file
// and memory sources, and streams that are cut short or are not JPEG at all.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/image_source.h"
#include "tests/support/test_support.h"
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace {

using test_support::Bytes;

// A smooth picture that JPEG keeps close: gradients in each channel.
Bytes Gradient(int width, int height, int channels) {
    Bytes pixels(static_cast<size_t>(width) * height * channels);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * channels];
            p[0] = static_cast<unsigned char>(x * 255 / width);
            if (channels > 1) p[1] = static_cast<unsigned char>(y * 255 / height);
            if (channels > 2) p[2] = static_cast<unsigned char>(128 + (x - y) / 4);
            if (channels > 3) p[3] = 200;
        }
    }
    return pixels;
}

Bytes Encode(const Bytes& pixels, int width, int height, int depth, int quality, int options = 0) {
    test_support::TempDir dir;
    std::string path = dir.File("x.jpg");
    ImageSink* sink = OpenFileSink(path.c_str());
    EXPECT_NE(sink, nullptr);
    EXPECT_TRUE(WriteJpeg(sink, pixels.data(), width, height, quality, depth, options));
    EXPECT_EQ(CloseSink(sink), 0);
    return test_support::ReadFileBytes(path);
}

struct Decoded {
    bool ok = false;
    int error = 0;
    int width = 0;
    int height = 0;
    Bytes pixels;
};

Decoded Decode(const Bytes& file, int depth, int minimumWidth = -1, int minimumHeight = -1) {
    Decoded result;
    static const unsigned char kNothing = 0;
    ImageSource* source = OpenMemorySource(file.empty() ? &kNothing : file.data(), file.size());
    RgbImage image;
    result.ok = minimumWidth < 0 ? DecodeJpeg(source, depth, image)
                                 : DecodeJpegScaled(source, minimumWidth, minimumHeight, image);
    result.error = GetLastCodecError();
    CloseSource(source);
    if (result.ok) {
        result.width = image.width;
        result.height = image.height;
        result.pixels.assign(image.pixels, image.pixels + static_cast<size_t>(image.width) * image.height * depth / 8);
        CodecFree(image.pixels);
    }
    return result;
}

double MeanDifference(const Bytes& a, const Bytes& b) {
    EXPECT_EQ(a.size(), b.size());
    if (a.size() != b.size() || a.empty()) return 1e9;
    double total = 0;
    for (size_t i = 0; i < a.size(); ++i) total += std::abs(a[i] - b[i]);
    return total / static_cast<double>(a.size());
}

TEST(JpegCodec, RoundTripsAtEveryDepth) {
    const int width = 67, height = 45;
    Bytes rgb = Gradient(width, height, 3);
    Bytes jpeg = Encode(rgb, width, height, 24, 95);
    ASSERT_GT(jpeg.size(), 100u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);

    Decoded colour = Decode(jpeg, 24);
    ASSERT_TRUE(colour.ok) << colour.error;
    EXPECT_EQ(colour.width, width);
    EXPECT_EQ(colour.height, height);
    EXPECT_LT(MeanDifference(colour.pixels, rgb), 2.0);

    Decoded wide = Decode(jpeg, 32);
    ASSERT_TRUE(wide.ok);
    for (size_t p = 0; p < static_cast<size_t>(width) * height; ++p) {
        ASSERT_EQ(wide.pixels[p * 4 + 1], colour.pixels[p * 3 + 1]);
        ASSERT_EQ(wide.pixels[p * 4 + 3], 255);
    }

    Bytes grey = Gradient(width, height, 1);
    Decoded greyBack = Decode(Encode(grey, width, height, 8, 90), 8);
    ASSERT_TRUE(greyBack.ok);
    EXPECT_LT(MeanDifference(greyBack.pixels, grey), 2.0);

    // Colour decoded as grey: a red-free, green-free picture of blue comes out dark.
    Decoded asGrey = Decode(jpeg, 8);
    ASSERT_TRUE(asGrey.ok);
    EXPECT_EQ(asGrey.pixels.size(), static_cast<size_t>(width) * height);

    // CMYK input (as Adobe writes it, inverted) comes back as its RGB colours.
    Bytes cmyk(static_cast<size_t>(16) * 16 * 4);
    for (size_t i = 0; i < cmyk.size(); i += 4) {
        cmyk[i] = 255;      // no cyan: full red
        cmyk[i + 1] = 0;    // full magenta: no green
        cmyk[i + 2] = 255;  // no yellow: full blue
        cmyk[i + 3] = 255;  // no black
    }
    Decoded fromCmyk = Decode(Encode(cmyk, 16, 16, 32, 100), 24);
    ASSERT_TRUE(fromCmyk.ok);
    EXPECT_NEAR(fromCmyk.pixels[0], 255, 3);
    EXPECT_NEAR(fromCmyk.pixels[1], 0, 3);
    EXPECT_NEAR(fromCmyk.pixels[2], 255, 3);
}

TEST(JpegCodec, QualityAndOptionsShapeTheStream) {
    Bytes rgb = test_support::PseudoRandomBytes(64 * 64 * 3, 7);
    Bytes low = Encode(rgb, 64, 64, 24, 10);
    Bytes high = Encode(rgb, 64, 64, 24, 100);
    EXPECT_LT(low.size() * 2, high.size());
    Bytes progressive = Encode(rgb, 64, 64, 24, 80, kJpegWriteProgressive);
    bool hasProgressiveFrame = false;
    for (size_t i = 0; i + 1 < progressive.size(); ++i) {
        if (progressive[i] == 0xFF && progressive[i + 1] == 0xC2) hasProgressiveFrame = true;
    }
    EXPECT_TRUE(hasProgressiveFrame);
    EXPECT_TRUE(Decode(progressive, 24).ok);
}

TEST(JpegCodec, ScaledDecodingPicksTheSmallestCoveringSize) {
    Bytes jpeg = Encode(Gradient(800, 600, 3), 800, 600, 24, 85);
    struct ScaleCase {
        int minimumWidth, minimumHeight, width, height;
    };
    const ScaleCase cases[] = {
        {0, 0, 100, 75},     {100, 75, 100, 75},   {101, 10, 200, 150}, {200, 150, 200, 150},
        {10, 151, 400, 300}, {400, 300, 400, 300}, {401, 1, 800, 600},  {5000, 5000, 800, 600},
    };
    for (const ScaleCase& c : cases) {
        Decoded decoded = Decode(jpeg, 24, c.minimumWidth, c.minimumHeight);
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.width, c.width) << c.minimumWidth << "x" << c.minimumHeight;
        EXPECT_EQ(decoded.height, c.height) << c.minimumWidth << "x" << c.minimumHeight;
    }
}

TEST(JpegCodec, BrokenStreamsFailWithTheirCodes) {
    Bytes jpeg = Encode(Gradient(64, 64, 3), 64, 64, 24, 90);
    Bytes withoutEnd(jpeg.begin(), jpeg.end() - 2);
    Bytes half(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2));
    Bytes headerOnly(jpeg.begin(), jpeg.begin() + 200);
    Bytes notJpeg = test_support::PseudoRandomBytes(500, 3);
    notJpeg[0] = 'B';
    // A frame header announcing a giant picture on a file of a few hundred bytes.
    Bytes giant = jpeg;
    for (size_t i = 0; i + 8 < giant.size(); ++i) {
        if (giant[i] == 0xFF && giant[i + 1] == 0xC0) {
            giant[i + 5] = giant[i + 7] = 0xC0;
            giant[i + 6] = giant[i + 8] = 0x00;
            break;
        }
    }
    struct BrokenCase {
        const char* name;
        Bytes file;
        bool ok;
        int error;
    };
    const BrokenCase cases[] = {
        {"missing end marker only", withoutEnd, true, 0},    {"cut in half", half, false, kCodecReadError},
        {"header only", headerOnly, false, kCodecReadError}, {"not a jpeg", notJpeg, false, kCodecCannotOpen},
        {"giant frame", giant, false, kCodecReadError},      {"empty", {}, false, kCodecReadError},
    };
    for (const BrokenCase& c : cases) {
        Decoded decoded = Decode(c.file, 24);
        EXPECT_EQ(decoded.ok, c.ok) << c.name;
        EXPECT_EQ(decoded.error, c.error) << c.name;
    }
}

// Encodes grey pixels with libjpeg directly, in the codings that WriteJpeg does not offer.
Bytes EncodeGrey(const Bytes& pixels, int width, int height, bool arithmetic, bool progressive) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    info.arith_code = arithmetic ? TRUE : FALSE;
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&pixels[static_cast<size_t>(info.next_scanline) * width]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

size_t FindMarker(const Bytes& file, unsigned char marker, size_t from = 0) {
    for (size_t i = from; i + 1 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == marker) return i;
    }
    return file.size();
}

// Rewrites the frame header's size (any start-of-frame marker).
Bytes WithFrameSize(Bytes file, int width, int height) {
    for (size_t i = 0; i + 8 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] >= 0xC0 && file[i + 1] <= 0xCB && file[i + 1] != 0xC4 &&
            file[i + 1] != 0xC8) {
            file[i + 5] = static_cast<unsigned char>(height >> 8);
            file[i + 6] = static_cast<unsigned char>(height);
            file[i + 7] = static_cast<unsigned char>(width >> 8);
            file[i + 8] = static_cast<unsigned char>(width);
            break;
        }
    }
    return file;
}

// A comment segment of `size` bytes after the start-of-image marker.
Bytes WithPadding(Bytes file, size_t size) {
    Bytes segment = {0xFF, 0xFE, static_cast<unsigned char>((size + 2) >> 8), static_cast<unsigned char>(size + 2)};
    segment.resize(segment.size() + size, 'x');
    file.insert(file.begin() + 2, segment.begin(), segment.end());
    return file;
}

// Hostile files that once cost seconds to minutes and gigabytes, and arithmetic-coded
// files cut short, which once decoded as complete pictures.
TEST(JpegCodec, HostileStreamsAreRefused) {
    Bytes noise = test_support::PseudoRandomBytes(128 * 128, 11);
    Bytes arithmetic = EncodeGrey(noise, 128, 128, true, false);
    Bytes progressive = EncodeGrey(noise, 128, 128, false, true);
    ASSERT_TRUE(Decode(arithmetic, 8).ok);
    ASSERT_TRUE(Decode(EncodeGrey(noise, 128, 128, true, true), 8).ok);

    Bytes arithmeticCut(arithmetic.begin(), arithmetic.begin() + static_cast<long>(arithmetic.size() * 2 / 3));
    Bytes tinyArithmetic = EncodeGrey(Bytes(16 * 16, 90), 16, 16, true, false);
    // The last scan (up to the end-of-image marker) repeated until the file has 400 scans.
    Bytes manyScans = progressive;
    size_t lastScan = 0;
    for (size_t at = FindMarker(progressive, 0xDA); at < progressive.size();
         at = FindMarker(progressive, 0xDA, at + 2)) {
        lastScan = at;
    }
    Bytes scan(progressive.begin() + static_cast<long>(lastScan), progressive.end() - 2);
    for (int i = 0; i < 400; ++i) manyScans.insert(manyScans.end() - 2, scan.begin(), scan.end());
    // A frame 64 times larger than its data: enough file for one bit per block, padded with
    // a comment, but far too little in the first scan for one bit per block.
    Bytes starvedScan = WithPadding(WithFrameSize(progressive, 1024, 1024), 3 * 16384 / 8);

    struct HostileCase {
        const char* name;
        Bytes file;
        int error;
    };
    const HostileCase cases[] = {
        {"arithmetic-coded, cut after two thirds", arithmeticCut, kCodecReadError},
        {"arithmetic-coded 16 x 16 claiming 26000 x 27000", WithFrameSize(tinyArithmetic, 26000, 27000),
         kCodecReadError},
        {"progressive with 400 scans", manyScans, kCodecUnsupportedVariant},
        {"a scan with less data than its blocks need", starvedScan, kCodecReadError},
    };
    for (const HostileCase& c : cases) {
        Decoded decoded = Decode(c.file, 24);
        EXPECT_FALSE(decoded.ok) << c.name;
        EXPECT_EQ(decoded.error, c.error) << c.name;
    }
}

TEST(JpegCodec, DecodesFromFilesAndRefusesBadArguments) {
    test_support::TempDir dir;
    Bytes rgb = Gradient(20, 10, 3);
    std::string path = dir.File("a.jpg");
    test_support::WriteFileBytes(path, Encode(rgb, 20, 10, 24, 90));
    ImageSource* source = OpenFileSource(path.c_str());
    ASSERT_NE(source, nullptr);
    RgbImage image;
    ASSERT_TRUE(DecodeJpeg(source, 24, image));
    EXPECT_EQ(image.width, 20);
    EXPECT_EQ(image.height, 10);
    CodecFree(image.pixels);
    EXPECT_FALSE(DecodeJpeg(source, 16, image));
    EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_FALSE(DecodeJpeg(nullptr, 24, image));
    CloseSource(source);

    ImageSink* sink = OpenFileSink(dir.File("b.jpg").c_str());
    ASSERT_NE(sink, nullptr);
    for (int quality : {0, 101}) {
        EXPECT_FALSE(WriteJpeg(sink, rgb.data(), 20, 10, quality, 24, 0));
        EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
    }
    EXPECT_FALSE(WriteJpeg(sink, rgb.data(), 20, 10, 90, 16, 0));
    EXPECT_FALSE(WriteJpeg(sink, rgb.data(), 0, 10, 90, 24, 0));
    EXPECT_FALSE(WriteJpeg(sink, nullptr, 20, 10, 90, 24, 0));
    CloseSink(sink);
}

}  // namespace
