#include "screensaver/transitions/effects/curl_geometry.h"

#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr int kArcSteps = 256;         // resolution of the arc sine table
constexpr float kShadowWidth = 0.8f;   // of the radius
constexpr float kShadowDepth = 0.45f;  // darkening right at the cylinder
constexpr uint32_t kPaperBack = FramePixel(246, 243, 236);
constexpr uint32_t kThroughPaper = 90;  // weight of the paper's colour over the picture, of 256

// Per frame: the curl's position and the arc sine of the offset across the cylinder, so a
// pixel costs a table look-up instead of a call.
struct CurlFrame {
    const CurlSheet* sheet;
    float directionX, directionY;  // unit length
    float radius;
    float contact;  // c: where the cylinder touches the table, in u
    float length;   // the largest u on the sheet
    float arc[kArcSteps + 1];
};

// The angle a in [0, pi/2] with sin a = offset / radius, offset in [0, radius].
float ArcAngle(const CurlFrame& curl, float offset) {
    float position = std::clamp(offset / curl.radius, 0.0f, 1.0f) * kArcSteps;
    int step = std::min(int(position), kArcSteps - 1);
    float t = position - float(step);
    return curl.arc[step] + (curl.arc[step + 1] - curl.arc[step]) * t;
}

// The paper that was at u = u' (arc length `wound` behind the contact line), seen at the
// pixel (x, y) whose own u is `u`. False when no paper lies there: the sheet ends before.
bool PaperAt(const CurlFrame& curl,
             float x,
             float y,
             float u,
             float wound,
             bool backFace,
             float brightness,
             uint32_t& pixel) {
    const CurlSheet& sheet = *curl.sheet;
    float shift = curl.contact - wound - u;
    float paperX = x + shift * curl.directionX;
    float paperY = y + shift * curl.directionY;
    if (paperX < float(sheet.left) || paperX >= float(sheet.right) || paperY < float(sheet.top) ||
        paperY >= float(sheet.bottom)) {
        return false;
    }
    pixel = SampleBilinear(*sheet.paper, ToFixed(paperX - 0.5f), ToFixed(paperY - 0.5f));
    if (backFace) pixel = LerpPixel(pixel, kPaperBack, kFullWeight - kThroughPaper);
    pixel = ScalePixel(pixel, ShadeOf(brightness));
    return true;
}

// One pixel near the cylinder; `behind` is c - u (positive: the sheet has lifted there).
uint32_t CurlPixel(const CurlFrame& curl, int x, int y, float u, float behind) {
    const CurlSheet& sheet = *curl.sheet;
    const float radius = curl.radius;
    float px = float(x) + 0.5f, py = float(y) + 0.5f;
    uint32_t pixel = 0;
    if (behind > radius) {
        uint32_t below = sheet.beneath->Row(y)[x];
        float distance = (behind - radius) / (kShadowWidth * radius);
        if (distance >= 1.0f) return below;
        return ScalePixel(below, ShadeOf(1.0f - kShadowDepth * (1.0f - distance) * (1.0f - distance)));
    }
    if (behind >= 0.0f) {
        // The cylinder's side facing the lifted part: its outside above, its inside below.
        float angle = ArcAngle(curl, behind);
        float lit = std::cos(angle);
        if (PaperAt(curl, px, py, u, radius * (kPi - angle), true, 0.45f + 0.55f * lit, pixel)) return pixel;
        if (PaperAt(curl, px, py, u, radius * angle, false, 0.35f + 0.5f * lit, pixel)) return pixel;
        return sheet.beneath->Row(y)[x];
    }
    if (sheet.style == CurlStyle::Fold) {
        // The flap folded back over the flat sheet.
        if (PaperAt(curl, px, py, u, radius * kPi - behind, true, 0.93f, pixel)) return pixel;
    } else if (-behind < radius) {
        // The roll's side facing the flat sheet.
        float angle = ArcAngle(curl, -behind);
        float lit = std::cos(angle);
        if (PaperAt(curl, px, py, u, radius * (kPi + angle), true, 0.45f + 0.55f * lit, pixel)) return pixel;
        if (PaperAt(curl, px, py, u, radius * (2.0f * kPi - angle), false, 0.35f + 0.5f * lit, pixel)) return pixel;
    }
    return sheet.paper->Row(y)[x];
}

// The range of x on row y (pixel centres) where `behind` lies within [low, high]; the
// pixels left and right of it are plain paper or plain beneath.
void PixelRange(const CurlFrame& curl, int y, float low, float high, int& x0, int& x1) {
    const CurlSheet& sheet = *curl.sheet;
    float rowU = (float(y) + 0.5f - sheet.origin.y) * curl.directionY - sheet.origin.x * curl.directionX;
    if (std::fabs(curl.directionX) < 1e-6f) {
        float behind = curl.contact - rowU;
        bool inside = behind >= low && behind <= high;
        x0 = inside ? sheet.left : sheet.right;
        x1 = sheet.right;
        return;
    }
    // behind(x) = contact - rowU - (x + 0.5) * directionX
    float atLow = (curl.contact - rowU - low) / curl.directionX - 0.5f;
    float atHigh = (curl.contact - rowU - high) / curl.directionX - 0.5f;
    x0 = std::clamp(int(std::floor(std::min(atLow, atHigh))) - 1, sheet.left, sheet.right);
    x1 = std::clamp(int(std::ceil(std::max(atLow, atHigh))) + 2, x0, sheet.right);
}

// The plain pixels of [x0, x1) on row y: all of them on one side of the curl.
void CopyPlain(const Frame& out, const CurlFrame& curl, int y, int x0, int x1) {
    if (x1 <= x0) return;
    const CurlSheet& sheet = *curl.sheet;
    float u =
        (float(x0) + 0.5f - sheet.origin.x) * curl.directionX + (float(y) + 0.5f - sheet.origin.y) * curl.directionY;
    bool lifted = curl.contact - u > 0.0f;
    CopySpan(out, y, x0, x1, lifted ? *sheet.beneath : *sheet.paper);
}

}  // namespace

void DrawCurl(const Frame& out, const CurlSheet& sheet, float q) {
    if (sheet.right <= sheet.left || sheet.bottom <= sheet.top) return;
    CurlFrame curl;
    curl.sheet = &sheet;
    float towardX = sheet.toward.x - sheet.origin.x, towardY = sheet.toward.y - sheet.origin.y;
    float distance = std::hypot(towardX, towardY);
    curl.directionX = distance > 0.0f ? towardX / distance : 0.0f;
    curl.directionY = distance > 0.0f ? towardY / distance : 1.0f;
    curl.length = 0.0f;
    for (float cornerX : {float(sheet.left), float(sheet.right)}) {
        for (float cornerY : {float(sheet.top), float(sheet.bottom)}) {
            float u = (cornerX - sheet.origin.x) * curl.directionX + (cornerY - sheet.origin.y) * curl.directionY;
            curl.length = std::max(curl.length, u);
        }
    }
    curl.radius = std::max(sheet.radius, 1.0f);
    const float radius = curl.radius;
    // The cylinder leaves the sheet once it is a radius beyond its far end (a roll), or once
    // the fold has carried the last paper over the top (a fold).
    float travel = curl.length + (sheet.style == CurlStyle::Roll ? radius : kPi * radius);
    curl.contact = q * travel;
    for (int step = 0; step <= kArcSteps; ++step) curl.arc[step] = std::asin(float(step) / kArcSteps);
    // Pixels outside [low, high] of `behind` are plain: beneath with no shadow, or flat paper
    // with nothing over it.
    float high = radius * (1.0f + kShadowWidth);
    float low = sheet.style == CurlStyle::Roll ? -radius : std::min(-radius, kPi * radius - curl.contact);
    low = std::min(low, 0.0f);
    for (int y = sheet.top; y < sheet.bottom; ++y) {
        int x0 = 0, x1 = 0;
        PixelRange(curl, y, low, high, x0, x1);
        CopyPlain(out, curl, y, sheet.left, x0);
        CopyPlain(out, curl, y, x1, sheet.right);
        uint32_t* row = out.Row(y);
        float u = (float(x0) + 0.5f - sheet.origin.x) * curl.directionX +
                  (float(y) + 0.5f - sheet.origin.y) * curl.directionY;
        for (int x = x0; x < x1; ++x, u += curl.directionX) row[x] = CurlPixel(curl, x, y, u, curl.contact - u);
    }
}
