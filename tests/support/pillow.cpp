#include "tests/support/pillow.h"

#include <cstdlib>

namespace test_support {

namespace {

std::string PillowCommand(const std::string& arguments) {
    return std::string(TQ_PYTHON_PROGRAM) + " '" + TQ_PILLOW_SCRIPT + "' " + arguments + " 2>/dev/null";
}

}  // namespace

::testing::AssertionResult HavePillow() {
    std::string check = std::string(TQ_PYTHON_PROGRAM) + " -c 'import PIL.Image' 2>/dev/null";
    if (std::system(check.c_str()) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Pillow does not load in " << TQ_PYTHON_PROGRAM
                                         << ": tools/setup.sh installs python3-pil";
}

bool DecodeWithPillow(const std::string& path, PpmImage& image) {
    return ReadPpmFromCommand(PillowCommand("'" + path + "'"), image);
}

bool ResizeWithPillow(const std::string& path,
                      const std::vector<PillowResize>& resizes,
                      std::vector<PpmImage>& images) {
    std::string arguments = "'" + path + "'";
    for (const PillowResize& resize : resizes) {
        arguments += " " + resize.filter + " " + std::to_string(resize.width) + " " + std::to_string(resize.height);
    }
    return ReadPpmsFromCommand(PillowCommand(arguments), resizes.size(), images);
}

}  // namespace test_support
