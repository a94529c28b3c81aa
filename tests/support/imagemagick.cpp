#include "tests/support/imagemagick.h"

#include <cstdlib>

namespace test_support {

namespace {

const std::string kConvert = TQ_CONVERT_PROGRAM;

}  // namespace

::testing::AssertionResult HaveImageMagick() {
    if (RunConvert("-version >/dev/null")) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << kConvert << " does not run: tools/setup.sh installs ImageMagick";
}

bool RunConvert(const std::string& arguments) {
    return std::system((kConvert + " " + arguments + " 2>/dev/null").c_str()) == 0;
}

bool DecodeWithImageMagick(const std::string& input, const std::string& options, PpmImage& image) {
    return ReadPpmFromCommand(kConvert + " '" + input + "' -depth 8 " + options + " ppm:- 2>/dev/null", image);
}

}  // namespace test_support
