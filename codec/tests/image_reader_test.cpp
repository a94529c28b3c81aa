// The generic read's decoder choice and its allocation rule: detected formats go to their
// decoder, unknown and decoder-less ones by extension, metafiles need a file, and the
// result always lives in global memory whatever the thread installed, and goes back there
// from any thread.
#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/formats/tests/bmp_test_files.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "codec/resample/resample.h"
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

// A heap that knows its own blocks, so that a block it is asked to free but never made (the
// wrong heap) is counted instead of freed.
struct TrackingHeap {
    std::mutex lock;
    std::set<void*> blocks;
    int allocations = 0;
    int frees = 0;
    int foreignFrees = 0;
};

void* TrackingAllocate(size_t size, void* user) {
    auto* heap = static_cast<TrackingHeap*>(user);
    std::lock_guard<std::mutex> guard(heap->lock);
    void* block = std::malloc(size);
    heap->blocks.insert(block);
    ++heap->allocations;
    return block;
}

int TrackingFree(void* block, void* user) {
    auto* heap = static_cast<TrackingHeap*>(user);
    std::lock_guard<std::mutex> guard(heap->lock);
    if (heap->blocks.erase(block) == 0) {
        ++heap->foreignFrees;
        return 0;
    }
    ++heap->frees;
    std::free(block);
    return 1;
}

TEST(ImageReader, PicturesGoBackToTheHeapThatMadeThem) {
    TrackingHeap heap;
    SetCodecAllocators(TrackingAllocate, nullptr, TrackingFree, &heap);
    Bytes bmp = bmp_test::BuildBmp({.width = 40, .height = 30, .depth = 24, .pixels = Bytes(30 * 120, 9)});
    ImageSource* source = OpenMemorySource(bmp.data(), bmp.size());
    OwnedRgbImage picture;
    ASSERT_TRUE(ReadImageRgb24(source, picture));
    CloseSource(source);
    EXPECT_EQ(heap.allocations, 0);  // the generic read's result is global memory
    EXPECT_EQ(picture.View().pixels[0], 9);

    // The resized pixels come from this thread's functions, which serve it again after the
    // read; the global ones go back to global memory.
    ASSERT_EQ(ResizeRgbImage(picture, 20, 15, kFilterLanczos3), kRgbImageOk);
    EXPECT_EQ(heap.allocations, 1);
    EXPECT_EQ(heap.foreignFrees, 0);

    // A thread without functions of its own releases the picture into the heap that made it.
    std::thread other([moved = std::move(picture)]() mutable { moved.Reset(); });
    other.join();
    EXPECT_EQ(heap.frees, 1);
    EXPECT_EQ(heap.foreignFrees, 0);
    SetCodecAllocators(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
