// Which display modes the screensaver and the settings page offer, and which one of them a
// stored video mode names. The list is gathered from the display driver mode by mode, in the
// order the driver reports them:
//
//     std::vector<DisplayMode> modes;
//     for (each reported mode) if (!RecordDisplayMode(modes, reported)) break;
//     int index = FindDisplayMode(modes, settings.vmDirectXVideoMode);   // -1: keep the mode
#pragma once

#include <cstddef>
#include <vector>

#include "settings/settings.h"

// The list never grows beyond this many modes.
constexpr size_t kMaxDisplayModes = 256;

// Adds `reported` to `modes` when it is at least 640 x 480 pixels at 16 bits per pixel or
// more. False once the list is full: the enumeration should stop.
[[nodiscard]] bool RecordDisplayMode(std::vector<DisplayMode>& modes, const DisplayMode& reported);

// The index of the mode equal to `wanted` in all four numbers (the refresh rate included), or
// -1 when the list has none; the all-zero "current system mode" therefore never matches.
[[nodiscard]] int FindDisplayMode(const std::vector<DisplayMode>& modes, const DisplayMode& wanted);
