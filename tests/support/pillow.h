// Pillow (Debian's python3-pil) as an independent resampler for differential tests (host
// only). The interpreter is the one tools/tool_paths.sh names; set-up installs Pillow for it,
// so its absence fails a test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ppm.h"

namespace test_support {

// Success, or a failure that says what is missing: ASSERT_TRUE(HavePillow()).
::testing::AssertionResult HavePillow();

// The picture in `path` (any format Pillow reads) as 8-bit RGB.
bool DecodeWithPillow(const std::string& path, PpmImage& image);

// `filter` names one of Pillow's resampling filters: "BOX", "BILINEAR", "HAMMING", "BICUBIC",
// "LANCZOS".
struct PillowResize {
    std::string filter;
    int width = 0;
    int height = 0;
};

// The picture in `path` resized by Pillow once per entry of `resizes`, in one run of Pillow.
bool ResizeWithPillow(const std::string& path, const std::vector<PillowResize>& resizes, std::vector<PpmImage>& images);

}  // namespace test_support
