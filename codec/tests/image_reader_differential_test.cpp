// Our decoders against ImageMagick's on the same files (host only: needs /usr/bin/convert).
// The lossless formats must agree byte for byte; JPEG within a level or two.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "codec/codec_state.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

struct Ppm {
    int width = 0;
    int height = 0;
    Bytes pixels;
};

// Reads one binary PPM (P6, maximum 255) from ImageMagick's output.
bool ConvertToPpm(const std::string& path, Ppm& ppm) {
    std::string command = "/usr/bin/convert '" + path + "[0]' -depth 8 ppm:- 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    int maximum = 0;
    bool ok = std::fscanf(pipe, "P6 %d %d %d", &ppm.width, &ppm.height, &maximum) == 3 && maximum == 255 &&
              std::fgetc(pipe) != EOF;
    if (ok) {
        ppm.pixels.resize(static_cast<size_t>(ppm.width) * ppm.height * 3);
        ok = std::fread(ppm.pixels.data(), 1, ppm.pixels.size(), pipe) == ppm.pixels.size();
    }
    pclose(pipe);
    return ok;
}

TEST(ImageReaderDifferential, AgreesWithImageMagick) {
    if (std::system("/usr/bin/convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ImageMagick";
    const std::string folder = test_support::SourcePath("codec/tests/data");
    int compared = 0;
    for (const std::string& name : test_support::ListFolder(folder)) {
        if (name.rfind("broken_", 0) == 0 || name.find('.') == std::string::npos ||
            name.find(".sh") != std::string::npos || name.find(".csv") != std::string::npos || name == "bmp_os2.bmp") {
            continue;
        }
        std::string path = folder + "/" + name;
        Ppm reference;
        ASSERT_TRUE(ConvertToPpm(path, reference)) << name;
        ImageSource* source = OpenFileSource(path.c_str());
        ASSERT_NE(source, nullptr) << name;
        RgbImage image;
        bool read = ReadImageRgb24(source, image);
        int error = GetLastCodecError();
        CloseSource(source);
        ASSERT_TRUE(read) << name << " error " << error;
        EXPECT_EQ(image.width, reference.width) << name;
        EXPECT_EQ(image.height, reference.height) << name;
        bool lossy = name.find("jpeg") != std::string::npos;
        // ImageMagick truncates 16-bit grey and 16-bit colour tables to 8 bits; we round.
        bool truncatedThere = name == "png_grey16.png" || name == "tiff_grey16.tif" || name == "tiff_palette.tif";
        int largest = 0;
        size_t differing = 0;
        for (size_t i = 0; i < reference.pixels.size(); ++i) {
            int difference = std::abs(image.pixels[i] - reference.pixels[i]);
            if (difference > largest) largest = difference;
            if (difference != 0) ++differing;
        }
        EXPECT_LE(largest, lossy ? 2 : (truncatedThere ? 1 : 0))
            << name << " (" << differing << " bytes differ, largest " << largest << ")";
        FreeImageRgb24(image);
        ++compared;
    }
    EXPECT_GE(compared, 30);
}

}  // namespace
