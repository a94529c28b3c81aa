#include "screensaver/slideshow_rules.h"

int NextPictureIndex(int previous, int count, bool randomOrder, RandomState& random) {
    if (count <= 0) return -1;
    if (randomOrder && count != 1) {
        int next;
        do {
            next = Random(random, count);
        } while (next == previous);
        return next;
    }
    return previous + 1 >= count ? 0 : previous + 1;
}

bool TickChangesPicture(uint32_t& secondsCounted, uint32_t secondsBetweenChanges, bool pictureReady) {
    ++secondsCounted;
    if (secondsCounted < secondsBetweenChanges || !pictureReady) return false;
    secondsCounted = 0;
    return true;
}

ComposeRequest SlideshowComposeRequest(const Settings& settings, int canvasWidth, int canvasHeight, bool preview) {
    ComposeRequest request;
    request.targetWidth = canvasWidth;
    request.targetHeight = canvasHeight;
    request.resizeFilter = kResizeBicubic;
    request.backgroundColour = 0;
    if (preview) {
        request.presentation = kPresentationKeepAspect;
        return request;
    }
    request.presentation = settings.btScreensaverImagesPresentation;
    if (settings.btScreensaverImagesShowTitles != 0) request.flags |= kComposeTitle;
    if (settings.btScreensaverImagesBlackWhite != 0) request.flags |= kComposeGreyscale;
    return request;
}
