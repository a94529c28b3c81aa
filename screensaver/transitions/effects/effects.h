// The effect functions, one per look, named after the catalogue entries they draw. Each is
// an EffectFunction (effect_frames.h); the engine's catalogue pairs them with the entries.
#pragma once

#include "screensaver/transitions/effects/effect_frames.h"

// Pictures cut apart by straight or round edges (masks.cpp, sweeps.cpp, cell_orders.cpp).
void DrawBlinds(const EffectFrames& frames, float progress);
void DrawInset(const EffectFrames& frames, float progress);
void DrawIris(const EffectFrames& frames, float progress);
void DrawGrid(const EffectFrames& frames, float progress);
void DrawJaws(const EffectFrames& frames, float progress);
void DrawRadialWipe(const EffectFrames& frames, float progress);
void DrawWheel(const EffectFrames& frames, float progress);
void DrawSpiral(const EffectFrames& frames, float progress);
void DrawZigzag(const EffectFrames& frames, float progress);

// Pictures that move (motions.cpp, curtains.cpp, flow_motion.cpp).
void DrawBarn(const EffectFrames& frames, float progress);
void DrawSlide(const EffectFrames& frames, float progress);
void DrawStretch(const EffectFrames& frames, float progress);
void DrawCurtains(const EffectFrames& frames, float progress);
void DrawFlowMotion(const EffectFrames& frames, float progress);

// Blends (fades.cpp, band_wipes.cpp, pixelate.cpp, threshold.cpp, burn_film.cpp).
void DrawFade(const EffectFrames& frames, float progress);
void DrawColorFade(const EffectFrames& frames, float progress);
void DrawFadeWhite(const EffectFrames& frames, float progress);
void DrawWipeHorizontal(const EffectFrames& frames, float progress);
void DrawWipeVertical(const EffectFrames& frames, float progress);
void DrawLightWipe(const EffectFrames& frames, float progress);
void DrawPixelate(const EffectFrames& frames, float progress);
void DrawThreshold(const EffectFrames& frames, float progress);
void DrawBurnFilm(const EffectFrames& frames, float progress);

// Paper rolled or folded away (curls.cpp over curl_geometry).
void DrawCurls(const EffectFrames& frames, float progress);
void DrawCenterCurls(const EffectFrames& frames, float progress);
void DrawPageCurl(const EffectFrames& frames, float progress);
void DrawPeelAbcd(const EffectFrames& frames, float progress);
void DrawRollDown(const EffectFrames& frames, float progress);

// Warps around the centre (radial_warps.cpp over radial_warp).
void DrawLens(const EffectFrames& frames, float progress);
void DrawRipple(const EffectFrames& frames, float progress);
void DrawTwister(const EffectFrames& frames, float progress);
void DrawVacuum(const EffectFrames& frames, float progress);
void DrawWormHole(const EffectFrames& frames, float progress);

// Surfaces of water and glass (water.cpp, liquid.cpp, glass_block.cpp).
void DrawWater(const EffectFrames& frames, float progress);
void DrawLiquid(const EffectFrames& frames, float progress);
void DrawGlassBlock(const EffectFrames& frames, float progress);
