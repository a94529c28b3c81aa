// Effects that sweep the new picture in around the centre like the hands of a clock.
//
// Whether a pixel has been swept is decided with cross products against the hand's
// direction rather than with an angle per pixel: two multiplications instead of an arc
// tangent, and a loop the compiler can vectorise.
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"

namespace {

constexpr int kWheelSpokes = 4;

// One row of a sweep. Coordinates are relative to the centre with y pointing up; the hand
// points at (handX, handY) and the swept part lies clockwise from the vertical before it.
// With `perQuadrant`, every quadrant is turned onto the upper right one first, so four
// hands sweep at once (the hand then stays within that quadrant).
void SweepRow(const EffectFrames& frames, int y, float handX, float handY, bool beyondHalf, bool perQuadrant) {
    const Frame& out = frames.out;
    const uint32_t* from = frames.from.Row(y);
    const uint32_t* to = frames.to.Row(y);
    uint32_t* row = out.Row(y);
    float up = 0.5f * out.height - (float(y) + 0.5f);
    float left = 0.5f - 0.5f * out.width;
    for (int x = 0; x < out.width; ++x) {
        float right = left + float(x);
        float px = right, py = up;
        if (perQuadrant) {
            // Quarter turns anticlockwise bring every quadrant onto the first (angles 0 to 90
            // degrees clockwise from the vertical: x >= 0, y > 0).
            float turnedX = px, turnedY = py;
            if (px > 0.0f && py <= 0.0f) {
                turnedX = -py, turnedY = px;
            } else if (px <= 0.0f && py < 0.0f) {
                turnedX = -px, turnedY = -py;
            } else if (px < 0.0f && py >= 0.0f) {
                turnedX = py, turnedY = -px;
            }
            px = turnedX, py = turnedY;
        }
        bool rightHalf = px > 0.0f || (px == 0.0f && py > 0.0f);
        bool beforeHand = px * handY - py * handX < 0.0f;
        bool swept = beyondHalf ? (rightHalf || beforeHand) : (rightHalf && beforeHand);
        row[x] = swept ? to[x] : from[x];
    }
}

void Sweep(const EffectFrames& frames, float angle, bool perQuadrant) {
    float handX = std::sin(angle), handY = std::cos(angle);
    for (int y = 0; y < frames.out.height; ++y) SweepRow(frames, y, handX, handY, angle > kPi, perQuadrant);
}

}  // namespace

// One hand turns clockwise from twelve o'clock through a full circle.
void DrawRadialWipe(const EffectFrames& frames, float progress) {
    Sweep(frames, progress * 2.0f * kPi, false);
}

// Four spokes turn together through a quarter circle each.
void DrawWheel(const EffectFrames& frames, float progress) {
    Sweep(frames, progress * 2.0f * kPi / kWheelSpokes, true);
}
