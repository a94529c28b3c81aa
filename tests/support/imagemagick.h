// ImageMagick as an independent decoder for differential tests (host only: /usr/bin/convert).
#pragma once

#include <string>

#include "tests/support/test_support.h"

namespace test_support {

// A decoded picture: 8-bit RGB, rows top-down, no padding.
struct PpmImage {
    int width = 0;
    int height = 0;
    Bytes pixels;
};

bool HaveImageMagick();

// Decodes `input` (a path, optionally with ImageMagick's "[scene]" suffix) with `options`
// applied after reducing to 8 bits per channel, e.g. "-type TrueColor". False when convert fails or prints no P6.
bool DecodeWithImageMagick(const std::string& input, const std::string& options, PpmImage& image);

}  // namespace test_support
