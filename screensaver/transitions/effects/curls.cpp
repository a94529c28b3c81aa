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

CurlSheet WholeFrame(const Frame& paper,
                     const Frame& beneath,
                     CurlPoint origin,
                     CurlPoint toward,
                     float radius,
                     CurlStyle style) {
    return {&paper, &beneath, 0, 0, paper.width, paper.height, origin, toward, radius, style};
}

// The whole old picture lifted at the bottom right corner towards the top left one.
void CurlFromCorner(const EffectFrames& frames, float progress, float radius, CurlStyle style) {
    const Frame& out = frames.out;
    DrawCurl(out,
             WholeFrame(frames.from, frames.to, {float(out.width), float(out.height)}, {0.0f, 0.0f}, radius, style),
             progress);
}

// The old picture as four sheets, the quarters of the frame, each curling on its own: from
// the centre towards its corner, or from its corner towards the centre. Quarter k starts
// `stagger` x k later than the first, and all end together.
void CurlQuarters(const EffectFrames& frames,
                  float progress,
                  bool fromCentre,
                  float stagger,
                  float radius,
                  CurlStyle style) {
    const Frame& out = frames.out;
    int middleX = out.width / 2, middleY = out.height / 2;
    CurlPoint centre{0.5f * out.width, 0.5f * out.height};
    // Clockwise from the top left: A, B, C, D.
    for (int index = 0; index < 4; ++index) {
        bool rightSide = index == 1 || index == 2, lowerSide = index >= 2;
        CurlPoint corner{rightSide ? float(out.width) : 0.0f, lowerSide ? float(out.height) : 0.0f};
        CurlSheet sheet{&frames.from,
                        &frames.to,
                        rightSide ? middleX : 0,
                        lowerSide ? middleY : 0,
                        rightSide ? out.width : middleX,
                        lowerSide ? out.height : middleY,
                        fromCentre ? centre : corner,
                        fromCentre ? corner : centre,
                        radius,
                        style};
        DrawCurl(out, sheet, Clamp01((progress - stagger * float(index)) / (1.0f - 3.0f * stagger)));
    }
}

}  // namespace

// The old picture rolls up like a scroll from the bottom right corner to the top left.
void DrawCurls(const EffectFrames& frames, float progress) {
    CurlFromCorner(frames, progress, 0.07f * Diagonal(frames.out), CurlStyle::Roll);
}

// The old picture tears into quarters at the centre and each rolls away towards its corner.
void DrawCenterCurls(const EffectFrames& frames, float progress) {
    CurlQuarters(frames, progress, true, 0.0f, 0.05f * Diagonal(frames.out), CurlStyle::Roll);
}

// The old picture turns like a page, lifted at the bottom right corner and folded back.
void DrawPageCurl(const EffectFrames& frames, float progress) {
    CurlFromCorner(frames, progress, 0.06f * Diagonal(frames.out), CurlStyle::Fold);
}

// The old picture is four labels on a sheet, A, B, C and D, peeled off one after the other
// from their outer corners.
void DrawPeelAbcd(const EffectFrames& frames, float progress) {
    CurlQuarters(frames, progress, false, kPeelStagger, 0.04f * Diagonal(frames.out), CurlStyle::Fold);
}

// The new picture unrolls down over the old one like a blind let down from the top.
void DrawRollDown(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    // Rolling the new picture up from its bottom edge, played backwards.
    DrawCurl(out,
             WholeFrame(frames.to, frames.from, {0.0f, float(out.height)}, {0.0f, 0.0f}, 0.05f * Diagonal(out),
                        CurlStyle::Roll),
             1.0f - progress);
}
