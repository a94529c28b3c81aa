// Format detection: the signature table's order, the provisional WBMP match, the extension
// and footer rules for TGA, the Photo CD mark, and short sources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/image_source.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

Bytes Pad(Bytes bytes, size_t size) {
    bytes.resize(size, 0x55);
    return bytes;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes WithTgaFooter(Bytes bytes) {
    Bytes footer = Text("TRUEVISION-XFILE.");
    footer.push_back(0);
    bytes.insert(bytes.end(), footer.begin(), footer.end());
    return bytes;
}

Bytes WithPhotoCdMark(size_t size) {
    Bytes bytes(size, 0x11);
    const char mark[] = "PCD";
    for (size_t i = 0; i < 3 && 2048 + i < size; ++i) bytes[2048 + i] = static_cast<unsigned char>(mark[i]);
    return bytes;
}

Bytes At(size_t offset, const Bytes& signature, size_t size) {
    Bytes bytes(size, 0x11);
    std::copy(signature.begin(), signature.end(), bytes.begin() + static_cast<long>(offset));
    return bytes;
}

struct DetectionCase {
    const char* name;
    Bytes content;
    const char* fileName;  // nullptr: memory source
    int format;
    int error;
};

int Detect(const DetectionCase& c, int& error) {
    test_support::TempDir dir;
    ImageSource* source = nullptr;
    if (c.fileName != nullptr) {
        std::string path = dir.File(c.fileName);
        test_support::WriteFileBytes(path, c.content);
        source = OpenFileSource(path.c_str());
    } else {
        static const unsigned char kNothing = 0;
        source = OpenMemorySource(c.content.empty() ? &kNothing : c.content.data(), c.content.size());
    }
    EXPECT_NE(source, nullptr);
    if (source == nullptr) return -1;
    int format = GuessFormat(source);
    error = GetLastCodecError();
    EXPECT_EQ(CloseSource(source), 0);
    return format;
}

TEST(FormatDetection, TableOfCases) {
    const DetectionCase cases[] = {
        {"bmp", Pad(Text("BM"), 64), nullptr, kFormatBmp, 0},
        {"pax", Pad({0x50, 0x41, 0x58}, 64), nullptr, kFormatPax, 0},
        {"gif89 under a jpg name", Pad(Text("GIF89a"), 64), "picture.jpg", kFormatGif, 0},
        {"gif87", Pad(Text("GIF87a"), 64), nullptr, kFormatGif, 0},
        {"jfif", Pad({0xFF, 0xD8, 0xFF, 0xE0}, 64), nullptr, kFormatJpeg, 0},
        {"jpeg of three bytes", {0xFF, 0xD8, 0xFF}, nullptr, kFormatJpeg, 0},
        {"pcx 5", Pad({0x0A, 0x05}, 128), nullptr, kFormatPcx, 0},
        {"pcx 0", Pad({0x0A, 0x00}, 128), nullptr, kFormatPcx, 0},
        {"pcx version 4 is not pcx", Pad({0x0A, 0x04}, 3000), nullptr, kFormatUnknown, 0},
        {"tiff big-endian", Pad(Text("MM"), 64), nullptr, kFormatTiff, 0},
        {"tiff little-endian", Pad(Text("II"), 64), nullptr, kFormatTiff, 0},
        {"png", Pad({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, 64), nullptr, kFormatPng, 0},
        {"wmf", Pad({0x01, 0x00, 0x09, 0x00, 0x00}, 64), nullptr, kFormatWindowsMetafile, 0},
        {"placeable wmf", Pad({0xD7, 0xCD, 0xC6, 0x9A}, 64), nullptr, kFormatWindowsMetafile, 0},
        {"emf at offset 40", At(40, Text(" EMF"), 100), nullptr, kFormatEnhancedMetafile, 0},
        {"emf cut before its mark", At(40, Text(" EM"), 43), nullptr, kFormatUnknown, kCodecReadError},
        {"psd", Pad(Text("8BPS"), 64), nullptr, kFormatPsd, 0},
        {"tla first variant", Pad({'T', 'L', 'A', 0x01}, 64), nullptr, kFormatTlaFirstVariant, 0},
        {"tla", Pad(Text("TLAU"), 64), nullptr, kFormatTla, 0},
        {"photo cd overview", Pad(Text("PCD_OPA"), 64), nullptr, kFormatPhotoCdOverview, 0},
        {"jpeg 2000 file", At(4, {'j', 'P', 0x20, 0x20, 0x0D}, 64), nullptr, kFormatJpeg2000, 0},
        {"jpeg 2000 stream", Pad({0xFF, 0x4F}, 64), nullptr, kFormatJpeg2000, 0},
        {"jpeg 2000 stream at 4", At(4, {0xFF, 0x4F}, 64), nullptr, kFormatJpeg2000AtOffset4, 0},
        {"compound document", Pad({0xD0, 0xCF, 0x11, 0xE0}, 64), nullptr, kFormatCompoundDocument, 0},
        // The provisional WBMP match and what overrides it.
        {"zero bytes in memory", Pad({0, 0}, 64), nullptr, kFormatWbmp, 0},
        {"zero bytes named .dat", Pad({0, 0}, 64), "a.dat", kFormatWbmp, 0},
        {"zero bytes named .TGA", Pad({0, 0}, 64), "a.TGA", kFormatTga, 0},
        {"zero bytes with tga footer", WithTgaFooter(Pad({0, 0}, 64)), "a.dat", kFormatTga, 0},
        {"zero bytes shorter than the footer", {0, 0, 1, 2}, nullptr, kFormatUnknown, kCodecReadError},
        {"wbmp extension", Pad({7, 7}, 64), "a.WBmp", kFormatWbmp, 0},
        {"wbm extension", Pad({7, 7}, 64), "a.wbm", kFormatWbmp, 0},
        {"tga by footer only", WithTgaFooter(Pad({1, 1}, 64)), nullptr, kFormatTga, 0},
        {"tga without footer and name", Pad({1, 2}, 3000), nullptr, kFormatUnknown, 0},
        {"photo cd", WithPhotoCdMark(4096), nullptr, kFormatPhotoCd, 0},
        {"photo cd mark cut short", WithPhotoCdMark(2050), nullptr, kFormatUnknown, 0},
        {"unknown and shorter than 2048", Pad({1, 2}, 100), nullptr, kFormatUnknown, kCodecReadError},
        {"empty", {}, nullptr, kFormatUnknown, kCodecReadError},
        {"unknown content named jpg", Pad({1, 2}, 3000), "x.jpg", kFormatUnknown, 0},
    };
    for (const DetectionCase& c : cases) {
        int error = -1;
        EXPECT_EQ(Detect(c, error), c.format) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
}

TEST(FormatDetection, ExtensionsIgnoreLetterCase) {
    EXPECT_TRUE(PathHasExtension("C:\\x\\Photo.JPEG", ".jpeg"));
    EXPECT_TRUE(PathHasExtension("a.tIf", ".tif"));
    EXPECT_FALSE(PathHasExtension("a.tiff", ".tif"));
    EXPECT_FALSE(PathHasExtension("tga", ".tga"));
    EXPECT_FALSE(PathHasExtension(nullptr, ".tga"));
}

TEST(ImageSourceTest, SeeksStayInsideTheSource) {
    const unsigned char data[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ImageSource* source = OpenMemorySource(data, sizeof data);
    ASSERT_NE(source, nullptr);
    unsigned char byte = 0;
    EXPECT_TRUE(SeekSource(source, -3, kSourceFromEnd));
    EXPECT_EQ(ReadSource(source, &byte, 1), 1u);
    EXPECT_EQ(byte, 7);
    EXPECT_TRUE(SeekSource(source, 1, kSourceFromCurrent));
    EXPECT_EQ(ReadSource(source, &byte, 1), 1u);
    EXPECT_EQ(byte, 9);
    EXPECT_FALSE(SeekSource(source, 11, kSourceFromStart));
    EXPECT_EQ(GetLastCodecError(), kCodecReadError);
    EXPECT_FALSE(SeekSource(source, -1, kSourceFromStart));
    EXPECT_FALSE(SeekSource(source, INT64_MAX, kSourceFromEnd));
    EXPECT_TRUE(SeekSource(source, 10, kSourceFromStart));
    EXPECT_EQ(ReadSource(source, &byte, 1), 0u);
    EXPECT_EQ(CloseSource(source), 0);

    EXPECT_EQ(OpenMemorySource(nullptr, 4), nullptr);
    EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
    EXPECT_EQ(OpenFileSource("/nonexistent/folder/picture.bmp"), nullptr);
    EXPECT_EQ(GetLastCodecError(), kCodecCannotOpen);
}

}  // namespace
