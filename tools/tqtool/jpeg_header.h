// Reads a JPEG file's frame size through libjpeg's header parser, without decoding.
#pragma once

#include <cstddef>

[[nodiscard]] bool ReadJpegDimensions(const unsigned char* data, size_t size, int* width, int* height);
