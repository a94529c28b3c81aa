// The frame: the 32-bit picture that windows and transition effects draw into and that the
// screen shows. Each pixel is four bytes in the order blue, green, red, unused (the layout of
// a top-down 32-bit DIB section), so a frame backed by a DIB section reaches the screen with
// one BitBlt and no conversion; rows run top-down, `stride` bytes apart (a multiple of 4, at
// least width * 4).
//
// A Frame is a view: it never owns its pixels. The Windows build backs frames with DIB
// sections (win32/dib_frame_win32.h); portable code and tests use OwnedFrame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct Frame {
    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes from one row to the next

    [[nodiscard]] uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(pixels + ptrdiff_t(y) * stride); }
    [[nodiscard]] bool IsEmpty() const { return pixels == nullptr || width <= 0 || height <= 0; }
};

// A pixel value of a frame: 0x00RRGGBB, which is blue, green, red, unused in memory on the
// little-endian machines we run on.
[[nodiscard]] constexpr uint32_t FramePixel(uint8_t red, uint8_t green, uint8_t blue) {
    return (uint32_t(red) << 16) | (uint32_t(green) << 8) | uint32_t(blue);
}

// A frame with its own heap buffer (stride = width * 4), for portable code and tests.
class OwnedFrame {
public:
    OwnedFrame() = default;
    // An empty frame when the size is not positive or too large for memory.
    OwnedFrame(int width, int height) {
        if (width <= 0 || height <= 0 || size_t(width) > SIZE_MAX / 4 / size_t(height)) return;
        buffer_.reset(new (std::nothrow) uint8_t[size_t(width) * size_t(height) * 4]());
        if (buffer_ != nullptr) frame_ = {buffer_.get(), width, height, width * 4};
    }
    [[nodiscard]] const Frame& View() const { return frame_; }
    [[nodiscard]] bool IsEmpty() const { return frame_.IsEmpty(); }

private:
    std::unique_ptr<uint8_t[]> buffer_;
    Frame frame_;
};
