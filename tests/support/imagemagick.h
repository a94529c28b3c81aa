// ImageMagick as an independent decoder for differential tests (host only). The program is
// the one tools/tool_paths.sh names; set-up installs it, so its absence fails a test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ppm.h"

namespace test_support {

// Success, or a failure that says what is missing: ASSERT_TRUE(HaveImageMagick()).
::testing::AssertionResult HaveImageMagick();

// Runs convert with `arguments` (shell words); true when it succeeds.
bool RunConvert(const std::string& arguments);

// Decodes `input` (a path, optionally with ImageMagick's "[scene]" suffix) with `options`
// applied after reducing to 8 bits per channel, e.g. "-type TrueColor". False when convert fails or prints no P6.
bool DecodeWithImageMagick(const std::string& input, const std::string& options, PpmImage& image);

}  // namespace test_support
