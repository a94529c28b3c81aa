// Our decoders against ImageMagick's on the same files (host only: needs ImageMagick).
// The lossless formats must agree byte for byte; JPEG within a level or two.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "codec/codec_state.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "tests/support/imagemagick.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

TEST(ImageReaderDifferential, AgreesWithImageMagick) {
    ASSERT_TRUE(test_support::HaveImageMagick());
    const std::string folder = test_support::SourcePath("codec/tests/data");
    int compared = 0;
    for (const std::string& name : test_support::ListFolder(folder)) {
        if (name.rfind("broken_", 0) == 0 || name.find('.') == std::string::npos ||
            name.find(".sh") != std::string::npos || name.find(".csv") != std::string::npos || name == "bmp_os2.bmp") {
            continue;
        }
        std::string path = folder + "/" + name;
        test_support::PpmImage reference;
        ASSERT_TRUE(test_support::DecodeWithImageMagick(path + "[0]", "", reference)) << name;
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
