// A sheet of paper lifting off the frame: rolled up around a cylinder like a scroll, or
// folded back over itself around one like a page being turned. The sheet carries a picture
// (`paper`); what it uncovers is `beneath`.
//
// The sheet lifts from `origin` towards `toward`: positions are measured by u, the
// distance from the origin along the direction. At curl progress q the cylinder touches the
// sheet at u = c(q); everything before c has left the table. Seen from above, each point
// shows the highest layer of paper over it (the cylinder's outside, a folded-back flap, the
// cylinder's inside, the flat sheet) or else what is beneath, shaded by a soft shadow near
// the cylinder. Outer faces show the back of the paper: its picture faintly, through the
// paper, mirrored by the geometry itself.
#pragma once

#include "codec/pixels/frame.h"

enum class CurlStyle { Roll, Fold };

struct CurlPoint {
    float x = 0, y = 0;
};

struct CurlSheet {
    const Frame* paper = nullptr;
    const Frame* beneath = nullptr;
    // The sheet's rectangle on the frame, which is also all this sheet draws.
    int left = 0, top = 0, right = 0, bottom = 0;
    CurlPoint origin;  // u = 0 here (a corner or an edge of the sheet)
    CurlPoint toward;  // lifting travels from the origin towards this point
    float radius = 1;
    CurlStyle style = CurlStyle::Roll;
};

// Draws the sheet's rectangle of `out` at curl progress q: 0 the flat sheet, 1 the sheet
// gone (rolled or folded away beyond its far end), continuous in between.
void DrawCurl(const Frame& out, const CurlSheet& sheet, float q);
