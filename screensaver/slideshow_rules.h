// The slideshow's decisions, free of windows and threads: which picture comes next, when the
// one-second tick changes the picture, how pictures are composed for the window, and which
// no-images picture an empty collection shows. The screensaver's threads only carry out what
// these say.
#pragma once

#include <cstdint>

#include "app/wallpaper/compose_picture.h"
#include "base/random.h"
#include "settings/settings.h"

// The picture after `previous` (-1 before the first) among `count` pictures: in random order
// Random(count) drawn until it differs from `previous`, so no picture comes twice in a row
// (with one picture there is nothing to draw); otherwise the next in the list, wrapping to
// the first. -1 when there are no pictures.
[[nodiscard]] int NextPictureIndex(int previous, int count, bool randomOrder, RandomState& random);

// The one-second tick: raises `secondsCounted` and says whether the picture changes now,
// which is when `secondsBetweenChanges` (0 counts as 1) have passed and a picture is ready.
// A change resets the count; without a ready picture the count keeps growing, so the change
// comes with the first tick at which one is ready.
[[nodiscard]] bool TickChangesPicture(uint32_t& secondsCounted, uint32_t secondsBetweenChanges, bool pictureReady);

// How every picture is composed at the canvas size: black background, the settings'
// presentation, title and greyscale; a preview always fits the picture, without title or grey.
[[nodiscard]] ComposeRequest SlideshowComposeRequest(const Settings& settings,
                                                     int canvasWidth,
                                                     int canvasHeight,
                                                     bool preview);

// The no-images picture that an empty collection shows: the normal one centred on black when
// the canvas can hold it, the small one stretched over a smaller canvas (a preview).
constexpr int kNoImagesNormalWidth = 484;
constexpr int kNoImagesNormalHeight = 121;
[[nodiscard]] constexpr bool UsesSmallNoImagesPicture(int canvasWidth, int canvasHeight) {
    return canvasWidth < kNoImagesNormalWidth || canvasHeight < kNoImagesNormalHeight;
}

// The data-resource names of the two pictures in a language ("EN", ...).
constexpr char kNoImagesSmallPattern[] = "BitmapNoImagesAvailablePreview_%s";
constexpr char kNoImagesNormalPattern[] = "BitmapNoImagesAvailableNormal_%s";
