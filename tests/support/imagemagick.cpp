#include "tests/support/imagemagick.h"

#include <cstdio>
#include <cstdlib>

namespace test_support {

bool HaveImageMagick() {
    return std::system("/usr/bin/convert -version >/dev/null 2>&1") == 0;
}

bool DecodeWithImageMagick(const std::string& input, const std::string& options, PpmImage& image) {
    std::string command = "/usr/bin/convert '" + input + "' -depth 8 " + options + " ppm:- 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    int maximum = 0;
    bool ok = std::fscanf(pipe, "P6 %d %d %d", &image.width, &image.height, &maximum) == 3 && maximum == 255 &&
              std::fgetc(pipe) != EOF;
    if (ok) {
        image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
        ok = std::fread(image.pixels.data(), 1, image.pixels.size(), pipe) == image.pixels.size();
    }
    pclose(pipe);
    return ok;
}

}  // namespace test_support
