// The generic read's decoder choice and its allocation rule: detected formats go to their
// decoder, unknown and decoder-less ones by extension, metafiles need a file, and the
// result always lives in global memory whatever the thread installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "codec/formats/tests/bmp_test_files.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

Bytes Text(const std::string& text, size_t size) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(size, ' ');
    return bytes;
}

TEST(ImageReader, SelectsTheDecoderByFormatThenByExtension) {
    struct SelectCase {
        int detected;
        const char* path;
        int decoder;
    };
    const SelectCase cases[] = {
        {kFormatGif, "photo.jpg", kFormatGif},
        {kFormatPng, nullptr, kFormatPng},
        {kFormatUnknown, "photo.JPG", kFormatJpeg},
        {kFormatUnknown, "photo.jpeg", kFormatJpeg},
        {kFormatUnknown, "scan.TIFF", kFormatTiff},
        {kFormatUnknown, "a.b.wbm", kFormatWbmp},
        {kFormatUnknown, "disc.pcd", kFormatPhotoCd},
        {kFormatUnknown, "drawing.emf", kFormatEnhancedMetafile},
        {kFormatUnknown, "archive.tar.gz", kFormatUnknown},
        {kFormatUnknown, "noextension", kFormatUnknown},
        {kFormatUnknown, "folder.png/file", kFormatUnknown},
        {kFormatUnknown, nullptr, kFormatUnknown},
        {kFormatPax, "picture.png", kFormatPng},
        {kFormatJpeg2000, "picture.jp2", kFormatUnknown},
        {kFormatCompoundDocument, "picture.bmp", kFormatBmp},
        {kFormatPhotoCdOverview, "overview.pcd", kFormatPhotoCd},
        {kFormatTlaFirstVariant, "x.png", kFormatTlaFirstVariant},
    };
    for (const SelectCase& c : cases) {
        EXPECT_EQ(SelectDecoder(c.detected, c.path), c.decoder) << c.detected << " " << (c.path ? c.path : "-");
    }
}

struct ReadCase {
    const char* name;
    Bytes content;
    const char* fileName;  // nullptr: memory source
    int error;
};

int ReadError(const ReadCase& c) {
    test_support::TempDir dir;
    ImageSource* source = nullptr;
    if (c.fileName != nullptr) {
        test_support::WriteFileBytes(dir.File(c.fileName), c.content);
        source = OpenFileSource(dir.File(c.fileName).c_str());
    } else {
        source = OpenMemorySource(c.content.data(), c.content.size());
    }
    EXPECT_NE(source, nullptr);
    RgbImage image;
    bool read = ReadImageRgb24(source, image);
    int error = GetLastCodecError();
    if (read) FreeImageRgb24(image);
    CloseSource(source);
    return read ? 0 : error;
}

TEST(ImageReader, FailsWithTheChosenDecodersOwnError) {
    Bytes emf(100, 0);
    emf[40] = ' ';
    emf[41] = 'E';
    emf[42] = 'M';
    emf[43] = 'F';
    const ReadCase cases[] = {
        {"text named .bmp goes to the BMP reader", Text("plain words", 3000), "a.bmp", kCodecNotBmp},
        {"text named .jpg goes to the JPEG decoder", Text("plain words", 3000), "a.jpg", kCodecCannotOpen},
        {"text named .psd goes to the PSD reader", Text("plain words", 3000), "a.psd", kCodecNotPsd},
        {"text with another name", Text("plain words", 3000), "a.txt", kCodecCannotOpen},
        {"text in memory", Text("plain words", 3000), nullptr, kCodecCannotOpen},
        {"TLA has no decoder", Text("TLAU", 3000), "a.tla", kCodecNoDecoder},
        {"first TLA variant has no decoder", Text("TLA\x01", 3000), nullptr, kCodecNoDecoder},
        {"metafile from memory", emf, nullptr, kCodecSourceUnusable},
        {"PAX content named .gif goes to the GIF reader", Text("PAX", 3000), "a.gif", kCodecNotGif},
        {"empty file", {}, "a.png", kCodecCannotOpen},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(ReadError(c), c.error) << c.name;
}

struct CountingHeap {
    int allocations = 0;
};

TEST(ImageReader, ResultIsGlobalMemoryAndTheThreadsFunctionsComeBack) {
    CountingHeap heap;
    auto allocate = [](size_t size, void* user) -> void* {
        ++static_cast<CountingHeap*>(user)->allocations;
        return std::malloc(size);
    };
    auto release = [](void* buffer, void*) {
        std::free(buffer);
        return 1;
    };
    SetCodecAllocators(allocate, nullptr, release, &heap);
    Bytes bmp = bmp_test::BuildBmp({.width = 3, .height = 2, .depth = 24, .pixels = Bytes(24, 9)});
    ImageSource* source = OpenMemorySource(bmp.data(), bmp.size());
    RgbImage image;
    ASSERT_TRUE(ReadImageRgb24(source, image));
    CloseSource(source);
    EXPECT_EQ(heap.allocations, 0);
    EXPECT_EQ(image.pixels[0], 9);
    FreeImageRgb24(image);
    // The thread's own functions serve it again afterwards.
    CodecFree(CodecAllocate(10));
    EXPECT_EQ(heap.allocations, 1);
    SetCodecAllocators(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
