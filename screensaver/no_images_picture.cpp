#include "screensaver/no_images_picture.h"

#include <cstdio>
#include <cstdlib>

#include "codec/pixels/pixel_ops.h"
#include "codec/resample/resample.h"
#include "screensaver/slideshow_rules.h"
#include "ui/bmp_image.h"
#include "ui/data_resource.h"

namespace {

bool LoadBitmapEntry(const char* pattern, const char* languageCode, OwnedRgbImage& image) {
    char name[kDataResourceMaxNameLength];
    std::snprintf(name, sizeof name, pattern, languageCode);
    unsigned char* content = nullptr;
    uint32_t size = 0;
    if (LoadDataResource(name, &content, &size) != kDataResourceOk) return false;
    const bool decoded = DecodeBmpImage(content, size, image);
    std::free(content);
    return decoded;
}

}  // namespace

bool MakeNoImagesPicture(int canvasWidth, int canvasHeight, const char* languageCode, OwnedRgbImage& out) {
    out = OwnedRgbImage();
    if (UsesSmallNoImagesPicture(canvasWidth, canvasHeight)) {
        return LoadBitmapEntry(kNoImagesSmallPattern, languageCode, out) &&
               ResizeRgbImage(out, canvasWidth, canvasHeight, kFilterLanczos3) == kRgbImageOk;
    }
    OwnedRgbImage picture;
    if (CreateRgbCanvas(canvasWidth, canvasHeight, 0, out) != kRgbImageOk ||
        !LoadBitmapEntry(kNoImagesNormalPattern, languageCode, picture) ||
        !OverlayRgb(picture.View(), out.View(), (canvasWidth - picture.Width()) / 2,
                    (canvasHeight - picture.Height()) / 2, 1.0)) {
        out = OwnedRgbImage();
        return false;
    }
    return true;
}
