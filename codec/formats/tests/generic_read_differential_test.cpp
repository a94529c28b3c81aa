// The corpus through the generic read (detection, decoder choice, palette expansion) against
// ImageMagick's decode made now, not recorded: identical pixels for every file. Photo CD packs
// are written by ImageMagick at test time (too big to keep) and compared within one level.
// Host only: needs ImageMagick.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "tests/support/imagemagick.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

// Largest difference of any byte, or -1 when the sizes differ.
int LargestDifference(const RgbImage& image, const test_support::PpmImage& reference) {
    if (image.width != reference.width || image.height != reference.height) return -1;
    int largest = 0;
    for (size_t i = 0; i < reference.pixels.size(); ++i) {
        largest = std::max(largest, std::abs(image.pixels[i] - reference.pixels[i]));
    }
    return largest;
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> names;
    std::ifstream manifest(test_support::SourcePath("codec/formats/tests/corpus/expected.txt"));
    std::string line;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#') continue;
        names.push_back(line.substr(0, line.find(' ')));
    }
    return names;
}

// Reads through the generic read from a file source or from memory; returns the error code.
int ReadGeneric(const std::string& path, bool fromMemory, RgbImage& image) {
    Bytes bytes;
    ImageSource* source = nullptr;
    if (fromMemory) {
        bytes = test_support::ReadFileBytes(path);
        source = OpenMemorySource(bytes.data(), bytes.size());
    } else {
        source = OpenFileSource(path.c_str());
    }
    if (source == nullptr) return GetLastCodecError();
    bool read = ReadImageRgb24(source, image);
    int error = read ? kCodecOk : GetLastCodecError();
    CloseSource(source);
    return error;
}

}  // namespace

TEST(GenericReadDifferential, CorpusMatchesImageMagickExactly) {
    ASSERT_TRUE(test_support::HaveImageMagick());
    std::vector<std::string> names = CorpusFiles();
    ASSERT_GE(names.size(), 40u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string path = test_support::SourcePath("codec/formats/tests/corpus/" + name);
        test_support::PpmImage reference;
        ASSERT_TRUE(test_support::DecodeWithImageMagick(path + "[0]", "-auto-orient -type TrueColor", reference));
        RgbImage image;
        ASSERT_EQ(ReadGeneric(path, false, image), kCodecOk);
        EXPECT_EQ(LargestDifference(image, reference), 0);
        FreeImageRgb24(image);
    }
}

TEST(GenericReadDifferential, PhotoCdPacksMatchImageMagickWithinOneLevel) {
    ASSERT_TRUE(test_support::HaveImageMagick());
    test_support::TempDir folder;
    // ImageMagick stores a portrait picture turned on its side and marks the pack so.
    const char* sources[] = {"rose:", "logo:", "-seed 5 -size 300x200 plasma:fractal",
                             "-seed 6 -size 200x300 plasma:fractal"};
    int n = 0;
    for (const char* picture : sources) {
        SCOPED_TRACE(picture);
        const bool portrait = n == 3;
        std::string path = folder.File("pack" + std::to_string(n++) + ".pcd");
        ASSERT_TRUE(test_support::RunConvert(std::string(picture) + " '" + path + "'"));
        test_support::PpmImage reference;
        ASSERT_TRUE(test_support::DecodeWithImageMagick(path + "[3]", "-auto-orient -type TrueColor",
                                                        reference));  // sub-image 3: the base picture
        for (bool fromMemory : {false, true}) {
            RgbImage image;
            ASSERT_EQ(ReadGeneric(path, fromMemory, image), kCodecOk) << "from memory: " << fromMemory;
            EXPECT_EQ(image.width, portrait ? 512 : 768);
            EXPECT_EQ(image.height, portrait ? 768 : 512);
            int largest = LargestDifference(image, reference);
            EXPECT_GE(largest, 0);
            EXPECT_LE(largest, 1);
            FreeImageRgb24(image);
        }
    }
}

TEST(GenericReadDifferential, RefusalsReachTheCaller) {
    ASSERT_TRUE(test_support::HaveImageMagick());
    test_support::TempDir folder;
    std::string pack = folder.File("pack.pcd");
    ASSERT_TRUE(test_support::RunConvert("rose: '" + pack + "'"));
    Bytes bytes = test_support::ReadFileBytes(pack);
    Bytes overview = bytes;
    std::memcpy(overview.data(), "PCD_OPA", 7);
    Bytes withoutSignature = bytes;
    withoutSignature[2048] = 'X';
    std::string pcx32 = folder.File("deep.pcx");
    ASSERT_TRUE(test_support::RunConvert("rose: -alpha set 'PCX:" + pcx32 + "'"));
    Bytes pcxBytes = test_support::ReadFileBytes(pcx32);
    ASSERT_EQ(pcxBytes[65], 4);  // four planes of 8 bits

    struct Case {
        const char* name;
        Bytes bytes;
        int expected;
    };
    const Case cases[] = {
        {"overview.pcd", overview, kCodecPhotoCdOverview},
        {"unsigned.pcd", withoutSignature, kCodecNotPhotoCd},
        {"short.pcd", Bytes(bytes.begin(), bytes.begin() + 5000), kCodecNotPhotoCd},
        {"cut.pcd", Bytes(bytes.begin(), bytes.begin() + 300000), kCodecReadError},
        {"deep.pcx", pcxBytes, kCodecDepthTooHigh},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = folder.File(c.name);
        test_support::WriteFileBytes(path, c.bytes);
        RgbImage image;
        EXPECT_EQ(ReadGeneric(path, false, image), c.expected);
        EXPECT_EQ(image.pixels, nullptr);
    }
}
