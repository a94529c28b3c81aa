// Pictures for the wallpaper tests: JPEG payloads made on the spot, read back pixel by pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "codec/pixels/rgb_view.h"
#include "collection/picture_record.h"

namespace wallpaper_test {

struct Colour {
    unsigned char red, green, blue;
};

// A picture record whose payload is a JPEG (quality 95, no chroma subsampling) of width x
// height pixels coloured by `colourAt`. The payload is std::malloc'ed, as read records are.
PictureRecord MakePicture(const char* title, int width, int height, const std::function<Colour(int, int)>& colourAt);
// The same picture as a whole JPEG file. `colourAt` is called row by row, left to right.
// Photographs usually subsample chroma; the tests keep it full so colours stay exact.
std::vector<unsigned char> MakeJpeg(int width,
                                    int height,
                                    const std::function<Colour(int, int)>& colourAt,
                                    int quality = 95,
                                    bool subsampleChroma = false);

Colour PixelAt(const ConstRgbView& image, int x, int y);
// Exactly this COLORREF (0x00BBGGRR).
bool IsColour(const ConstRgbView& image, int x, int y, uint32_t colourRef);
// Within `tolerance` of the colour in every channel (for pixels that went through JPEG).
bool IsNear(const ConstRgbView& image, int x, int y, Colour colour, int tolerance = 6);
std::string Describe(const ConstRgbView& image, int x, int y);

}  // namespace wallpaper_test
