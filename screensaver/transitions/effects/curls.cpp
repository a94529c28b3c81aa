// Effects in which the old picture is paper that rolls or folds away (or, for Roll Down,
// the new picture is paper that unrolls over the old one).
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/curl_geometry.h"
#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"

namespace {

constexpr float kPeelStagger = 0.15f;  // delay between one quarter's peel and the next

float Diagonal(const Frame& frame) {
    return std::hypot(float(frame.width), float(frame.height));
}

// One quarter of the frame, 0 top left, 1 top right, 2 bottom right, 3 bottom left.
struct Quarter {
    int left, top, right, bottom;
    float outerX, outerY;  // the frame's corner in this quarter
};

Quarter QuarterOf(const Frame& frame, int index) {
    int middleX = frame.width / 2, middleY = frame.height / 2;
    bool rightSide = index == 1 || index == 2, lowerSide = index >= 2;
    return {rightSide ? middleX : 0,
            lowerSide ? middleY : 0,
            rightSide ? frame.width : middleX,
            lowerSide ? frame.height : middleY,
            rightSide ? float(frame.width) : 0.0f,
            lowerSide ? float(frame.height) : 0.0f};
}

}  // namespace

// The old picture rolls up like a scroll from the bottom right corner to the top left.
void DrawCurls(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    CurlSheet sheet = MakeCurlSheet(frames.from, frames.to, 0, 0, out.width, out.height, float(out.width),
                                    float(out.height), 0.0f, 0.0f, 0.07f * Diagonal(out), CurlStyle::Roll);
    DrawCurl(out, sheet, progress);
}

// The old picture tears into quarters at the centre and each rolls away towards its corner.
void DrawCenterCurls(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float centreX = 0.5f * out.width, centreY = 0.5f * out.height;
    for (int index = 0; index < 4; ++index) {
        Quarter quarter = QuarterOf(out, index);
        CurlSheet sheet =
            MakeCurlSheet(frames.from, frames.to, quarter.left, quarter.top, quarter.right, quarter.bottom, centreX,
                          centreY, quarter.outerX, quarter.outerY, 0.05f * Diagonal(out), CurlStyle::Roll);
        DrawCurl(out, sheet, progress);
    }
}

// The old picture turns like a page, lifted at the bottom right corner and folded back.
void DrawPageCurl(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    CurlSheet sheet = MakeCurlSheet(frames.from, frames.to, 0, 0, out.width, out.height, float(out.width),
                                    float(out.height), 0.0f, 0.0f, 0.06f * Diagonal(out), CurlStyle::Fold);
    DrawCurl(out, sheet, progress);
}

// The old picture is four labels on a sheet, A, B, C and D, peeled off one after the other
// from their outer corners.
void DrawPeelAbcd(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float centreX = 0.5f * out.width, centreY = 0.5f * out.height;
    for (int index = 0; index < 4; ++index) {
        Quarter quarter = QuarterOf(out, index);
        float own = Clamp01((progress - kPeelStagger * float(index)) / (1.0f - 3.0f * kPeelStagger));
        CurlSheet sheet =
            MakeCurlSheet(frames.from, frames.to, quarter.left, quarter.top, quarter.right, quarter.bottom,
                          quarter.outerX, quarter.outerY, centreX, centreY, 0.04f * Diagonal(out), CurlStyle::Fold);
        DrawCurl(out, sheet, own);
    }
}

// The new picture unrolls down over the old one like a blind let down from the top.
void DrawRollDown(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    // Rolling the new picture up from its bottom edge, played backwards.
    CurlSheet sheet = MakeCurlSheet(frames.to, frames.from, 0, 0, out.width, out.height, 0.0f, float(out.height), 0.0f,
                                    0.0f, 0.05f * Diagonal(out), CurlStyle::Roll);
    DrawCurl(out, sheet, 1.0f - progress);
}
