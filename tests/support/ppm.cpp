#include "tests/support/ppm.h"

#include <cstdio>
#include <string>
#include <utility>

namespace test_support {

namespace {

bool ReadPpm(std::FILE* pipe, PpmImage& image) {
    int maximum = 0;
    if (std::fscanf(pipe, " P6 %d %d %d", &image.width, &image.height, &maximum) != 3 || maximum != 255 ||
        image.width <= 0 || image.height <= 0 || std::fgetc(pipe) == EOF) {
        return false;
    }
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
    return std::fread(image.pixels.data(), 1, image.pixels.size(), pipe) == image.pixels.size();
}

}  // namespace

bool ReadPpmsFromCommand(const std::string& command, size_t count, std::vector<PpmImage>& images) {
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    images.assign(count, PpmImage{});
    bool ok = true;
    for (PpmImage& image : images) ok = ok && ReadPpm(pipe, image);
    // The pictures are what counts: ImageMagick reports warnings through its exit status.
    pclose(pipe);
    return ok;
}

bool ReadPpmFromCommand(const std::string& command, PpmImage& image) {
    std::vector<PpmImage> images;
    if (!ReadPpmsFromCommand(command, 1, images)) return false;
    image = std::move(images[0]);
    return true;
}

void WritePpm(const std::string& path, const PpmImage& image) {
    std::string header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    Bytes bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), image.pixels.begin(), image.pixels.end());
    WriteFileBytes(path, bytes);
}

}  // namespace test_support
