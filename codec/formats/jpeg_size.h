// The frame size of a JPEG file held in memory, read by libjpeg's header parser without
// decoding: enough to describe a picture (its .tqi record, a size check before decoding).
// False for data that is not a JPEG file up to its first scan.
#pragma once

#include <cstddef>

[[nodiscard]] bool ReadJpegSize(const unsigned char* data, size_t size, int& width, int& height);
