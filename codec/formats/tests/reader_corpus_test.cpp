// Every file of the corpus decodes to exactly what ImageMagick decodes from it (size and a hash
// of the 24-bit pixels, recorded in corpus/expected.txt by make_corpus.sh).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"
#include "tests/support/test_support.h"

namespace {

struct Expected {
    std::string name;
    int width = 0;
    int height = 0;
    uint64_t hash = 0;
};

std::string CorpusPath(const std::string& name) {
    return test_support::SourcePath("codec/formats/tests/corpus/" + name);
}

std::vector<Expected> ReadManifest() {
    std::vector<Expected> entries;
    std::ifstream manifest(CorpusPath("expected.txt"));
    std::string line;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Expected entry;
        std::string hash;
        fields >> entry.name >> entry.width >> entry.height >> hash;
        entry.hash = std::stoull(hash, nullptr, 16);
        entries.push_back(entry);
    }
    return entries;
}

uint64_t HashPixels(const unsigned char* pixels, size_t size) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < size; ++i) hash = (hash ^ pixels[i]) * 0x100000001b3ull;
    return hash;
}

// Decodes with the reader the file's extension names; palette pictures are expanded through
// their palette, transparency ignored.
int DecodeToRgb(const std::string& name, const test_support::Bytes& bytes, RgbImage& rgb) {
    BoundedReader in(bytes.data(), bytes.size());
    std::string extension = name.substr(name.rfind('.') + 1);
    if (extension == "pcx") return ReadPcxImage(in, 24, rgb);
    if (extension == "psd") return ReadPsdImage(in, rgb);
    if (extension == "tga") return ReadTgaImage(in, rgb);
    PaletteImage palette;
    int result = extension == "gif" ? ReadGifImage(in, palette) : ReadWbmpImage(in, palette);
    if (result != kCodecOk) return result;
    CodecBuffer pixels;
    result = AllocatePixels(palette.width, palette.height, 3, pixels);
    if (result == kCodecOk) {
        for (size_t i = 0; i < static_cast<size_t>(palette.width) * palette.height; ++i) {
            std::memcpy(pixels.Data() + i * 3, palette.palette[palette.indices[i]], 3);
        }
        DeliverRgbImage(pixels, palette.width, palette.height, rgb);
    }
    ReleasePaletteImage(palette);
    return result;
}

// The size the reader of the file's extension finds in the headers alone.
int SizeFromHeaders(const std::string& name, const test_support::Bytes& bytes, int& width, int& height) {
    BoundedReader in(bytes.data(), bytes.size());
    std::string extension = name.substr(name.rfind('.') + 1);
    if (extension == "pcx") return ReadPcxSize(in, width, height);
    if (extension == "psd") return ReadPsdSize(in, width, height);
    if (extension == "tga") return ReadTgaSize(in, width, height);
    return extension == "gif" ? ReadGifSize(in, width, height) : ReadWbmpSize(in, width, height);
}

}  // namespace

TEST(ReaderCorpus, EveryFileMatchesImageMagick) {
    std::vector<Expected> entries = ReadManifest();
    ASSERT_GE(entries.size(), 40u);
    int formats[5] = {};
    for (const Expected& entry : entries) {
        SCOPED_TRACE(entry.name);
        test_support::Bytes bytes = test_support::ReadFileBytes(CorpusPath(entry.name));
        ASSERT_FALSE(bytes.empty());
        RgbImage image;
        ASSERT_EQ(DecodeToRgb(entry.name, bytes, image), kCodecOk);
        EXPECT_EQ(image.width, entry.width);
        EXPECT_EQ(image.height, entry.height);
        EXPECT_EQ(HashPixels(image.pixels, static_cast<size_t>(image.width) * image.height * 3), entry.hash);
        ReleaseRgbImage(image);
        int width = 0, height = 0;
        EXPECT_EQ(SizeFromHeaders(entry.name, bytes, width, height), kCodecOk);
        EXPECT_EQ(width, entry.width);
        EXPECT_EQ(height, entry.height);
        const char* kinds[5] = {".gif", ".pcx", ".psd", ".tga", ".wbmp"};
        for (int k = 0; k < 5; ++k) formats[k] += entry.name.find(kinds[k]) != std::string::npos;
    }
    for (int count : formats) EXPECT_GE(count, 2);
}

// Every prefix of a corpus file is a file cut short: a reader may fail or succeed, but must
// stay inside the data and leave nothing behind when it fails.
TEST(ReaderCorpus, TruncatedFilesFailCleanly) {
    for (const Expected& entry : ReadManifest()) {
        SCOPED_TRACE(entry.name);
        test_support::Bytes bytes = test_support::ReadFileBytes(CorpusPath(entry.name));
        for (size_t size : {size_t{0}, size_t{1}, size_t{17}, bytes.size() / 3, bytes.size() / 2, bytes.size() - 1}) {
            test_support::Bytes cut(bytes.begin(), bytes.begin() + size);
            RgbImage image;
            int result = DecodeToRgb(entry.name, cut, image);
            if (result != kCodecOk) {
                EXPECT_EQ(image.pixels, nullptr) << size;
            }
            ReleaseRgbImage(image);
        }
    }
}
