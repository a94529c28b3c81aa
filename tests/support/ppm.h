// Pictures exchanged with the independent tools of the differential tests (ImageMagick,
// Pillow) as binary PPM: 8-bit RGB, rows top-down, no padding.
#pragma once

#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace test_support {

struct PpmImage {
    int width = 0;
    int height = 0;
    Bytes pixels;
};

// Runs a shell command that prints `count` P6 pictures one after the other and reads them.
// False when the command does not start or prints fewer whole pictures.
bool ReadPpmsFromCommand(const std::string& command, size_t count, std::vector<PpmImage>& images);
bool ReadPpmFromCommand(const std::string& command, PpmImage& image);
void WritePpm(const std::string& path, const PpmImage& image);

}  // namespace test_support
