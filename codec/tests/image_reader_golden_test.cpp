// The golden table of the generic read: every small file of tests/data with its detected
// format, the size it decodes to and a hash of its pixels, or the error it fails with.
// Runs in every build (under Wine too), so the Windows builds of libjpeg, libpng and libtiff
// are held to the same results. With TQ_PRINT_GOLDEN=1 the test prints the table it sees.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/image_reader.h"
#include "codec/image_size.h"
#include "codec/image_source.h"
#include "tests/support/test_support.h"

namespace {

uint32_t HashPixels(const RgbImage& image) {
    uint32_t hash = 2166136261u;
    size_t count = static_cast<size_t>(image.width) * image.height * 3;
    for (size_t i = 0; i < count; ++i) hash = (hash ^ image.pixels[i]) * 16777619u;
    return hash;
}

struct Outcome {
    int format = 0;
    int width = 0;
    int height = 0;
    int error = 0;
    uint32_t hash = 0;
};

Outcome ReadOutcome(const std::string& path, bool fromMemory) {
    Outcome outcome;
    test_support::Bytes bytes = test_support::ReadFileBytes(path);
    ImageSource* source = fromMemory ? OpenMemorySource(bytes.data(), bytes.size()) : OpenFileSource(path.c_str());
    EXPECT_NE(source, nullptr) << path;
    if (source == nullptr) return outcome;
    outcome.format = GuessFormat(source);
    RgbImage image;
    if (ReadImageRgb24(source, image)) {
        outcome.width = image.width;
        outcome.height = image.height;
        outcome.hash = HashPixels(image);
        FreeImageRgb24(image);
        // The headers alone tell the size that decoding gives.
        int width = 0, height = 0;
        EXPECT_TRUE(ReadImageSize(source, width, height)) << path;
        EXPECT_EQ(width, outcome.width) << path;
        EXPECT_EQ(height, outcome.height) << path;
    } else {
        outcome.error = GetLastCodecError();
        EXPECT_EQ(image.pixels, nullptr);
    }
    CloseSource(source);
    return outcome;
}

TEST(ImageReaderGolden, EveryFileGivesItsRecordedResult) {
    const std::string folder = test_support::SourcePath("codec/tests/data");
    test_support::Bytes table = test_support::ReadFileBytes(folder + "/golden.csv");
    ASSERT_FALSE(table.empty());
    std::istringstream lines(std::string(table.begin(), table.end()));
    std::string line;
    bool print = std::getenv("TQ_PRINT_GOLDEN") != nullptr;
    int checked = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        char name[128] = {};
        Outcome expected;
        ASSERT_EQ(std::sscanf(line.c_str(), "%127[^,],%d,%d,%d,%d,%x", name, &expected.format, &expected.width,
                              &expected.height, &expected.error, &expected.hash),
                  6)
            << line;
        Outcome actual = ReadOutcome(folder + "/" + name, false);
        if (print) {
            std::printf("%s,%d,%d,%d,%d,%08x\n", name, actual.format, actual.width, actual.height, actual.error,
                        actual.hash);
        }
        EXPECT_EQ(actual.format, expected.format) << name;
        EXPECT_EQ(actual.width, expected.width) << name;
        EXPECT_EQ(actual.height, expected.height) << name;
        EXPECT_EQ(actual.error, expected.error) << name;
        EXPECT_EQ(actual.hash, expected.hash) << name;
        ++checked;
    }
    EXPECT_GE(checked, 40);
}

TEST(ImageReaderGolden, MemorySourcesReadLikeFiles) {
    // Without a file name only the content decides; these files need no extension rule.
    const std::string folder = test_support::SourcePath("codec/tests/data");
    for (const char* name : {"bmp_rle8.bmp", "png_interlaced.png", "tiff_tiled.tif", "jpeg_progressive.jpg"}) {
        Outcome file = ReadOutcome(folder + "/" + name, false);
        Outcome memory = ReadOutcome(folder + "/" + name, true);
        EXPECT_EQ(memory.error, 0) << name;
        EXPECT_EQ(memory.hash, file.hash) << name;
    }
    // Unknown content: a name says which decoder fails, a memory source has no name at all.
    EXPECT_EQ(ReadOutcome(folder + "/broken_text.png", false).error, kCodecCannotOpen);
    EXPECT_EQ(ReadOutcome(folder + "/broken_text.png", true).error, kCodecCannotOpen);
}

TEST(ImageReaderGolden, ThreadsDecodeAtTheSameTime) {
    const std::string folder = test_support::SourcePath("codec/tests/data");
    const char* names[] = {"png_rgba16.png", "tiff_lzw.tif", "jpeg_420.jpg", "bmp_8.bmp"};
    Outcome alone[4];
    for (int i = 0; i < 4; ++i) alone[i] = ReadOutcome(folder + "/" + names[i], false);
    Outcome together[4][8];
    std::thread workers[4];
    for (int i = 0; i < 4; ++i) {
        workers[i] = std::thread([&, i] {
            for (int round = 0; round < 8; ++round) together[i][round] = ReadOutcome(folder + "/" + names[i], false);
        });
    }
    for (std::thread& worker : workers) worker.join();
    for (int i = 0; i < 4; ++i) {
        for (int round = 0; round < 8; ++round) EXPECT_EQ(together[i][round].hash, alone[i].hash) << names[i];
    }
}

}  // namespace
