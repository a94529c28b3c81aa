// The new picture appears through a falling threshold: its brightest parts first, its
// darkest last, in a fine dither so even an even-toned picture comes in gradually. Just
// ahead of the threshold the old picture turns to pure black and white, the look of a
// picture pushed through a threshold.
#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"

namespace {

constexpr float kDitherShare = 0.4f;  // how much of a pixel's turn comes from the dither
constexpr float kEdgeBand = 0.1f;     // width of the black-and-white band, in threshold units

// The 8 x 8 ordered dither, 0 to 63: each cell's place in the order that spreads the
// pixels of a threshold evenly.
int Bayer8(int x, int y) {
    int mixed = x ^ y;
    return ((mixed & 1) << 5) | ((y & 1) << 4) | ((mixed & 2) << 2) | ((y & 2) << 1) | ((mixed & 4) >> 1) |
           ((y & 4) >> 2);
}

}  // namespace

void DrawThreshold(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    // Starts a band above the brightest turn, so the band too enters gradually.
    float threshold = (1.0f + kEdgeBand) * (1.0f - progress);
    for (int y = 0; y < out.height; ++y) {
        const uint32_t* from = frames.from.Row(y);
        const uint32_t* to = frames.to.Row(y);
        uint32_t* row = out.Row(y);
        for (int x = 0; x < out.width; ++x) {
            float turn = (1.0f - kDitherShare) * float(Luminance(to[x])) / 256.0f +
                         kDitherShare * float(Bayer8(x & 7, y & 7)) / 64.0f;
            if (turn >= threshold) {
                row[x] = to[x];
            } else if (turn >= threshold - kEdgeBand) {
                row[x] = Luminance(from[x]) >= 128 ? FramePixel(255, 255, 255) : FramePixel(0, 0, 0);
            } else {
                row[x] = from[x];
            }
        }
    }
}
