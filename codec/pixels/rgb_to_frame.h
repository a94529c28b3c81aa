// A 24-bit picture (red, green, blue) into a frame (blue, green, red, unused): how a decoded
// or composed picture reaches what the screen shows. The picture lands with its top-left
// corner on the frame's; whatever of it lies outside the frame is left out, and the frame's
// pixels outside the picture are left as they were. The unused byte is written as 0.
#pragma once

#include "codec/pixels/frame.h"
#include "codec/pixels/rgb_view.h"

void ConvertRgbToFrame(const ConstRgbView& picture, const Frame& frame);
