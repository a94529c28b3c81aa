// The picture an empty collection shows instead of a slideshow, in the current language, from
// the data-resource file: the normal picture centred on black, or on a canvas too small for
// it (a preview) the small one stretched over the whole canvas.
#pragma once

#include "codec/pixels/owned_rgb_image.h"

// False, leaving `out` empty, when the picture is missing from the data-resource file, does
// not decode or cannot be laid out.
[[nodiscard]] bool MakeNoImagesPicture(int canvasWidth, int canvasHeight, const char* languageCode, OwnedRgbImage& out);
