#include "service/thumbnails.h"

#include <mutex>

#include "app/wallpaper/compose_picture.h"
#include "base/file_io.h"
#include "base/round_half_down.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/image_source.h"
#include "collection/tqi_file.h"
#include "service/catalogue_names.h"

namespace {

// One thumbnail at a time in this process: a burst of requests for a new picture makes it once.
std::mutex thumbnailMutex;

// The largest size inside kThumbnailWidth × kThumbnailHeight with the picture's proportions.
void FittedSize(int width, int height, int& fittedWidth, int& fittedHeight) {
    if (static_cast<int64_t>(width) * kThumbnailHeight >= static_cast<int64_t>(height) * kThumbnailWidth) {
        fittedWidth = kThumbnailWidth;
        fittedHeight = RoundHalfDown(static_cast<double>(height) * kThumbnailWidth / width);
    } else {
        fittedHeight = kThumbnailHeight;
        fittedWidth = RoundHalfDown(static_cast<double>(width) * kThumbnailHeight / height);
    }
    if (fittedWidth < 1) fittedWidth = 1;
    if (fittedHeight < 1) fittedHeight = 1;
}

bool ComposeThumbnail(const PictureRecord& record, OwnedRgbImage& out) {
    ComposeRequest request;
    request.resizeFilter = kFilterLanczos3;
    request.presentation = 3;  // stretched keeping the aspect ratio
    FittedSize(record.width, record.height, request.targetWidth, request.targetHeight);
    if (ComposePicture(record, request, out) == kComposeOk) return true;
    // A sliver too thin for the filter: the full box, the picture centred in it.
    request.targetWidth = kThumbnailWidth;
    request.targetHeight = kThumbnailHeight;
    return ComposePicture(record, request, out) == kComposeOk;
}

bool WriteThumbnail(const OwnedRgbImage& thumbnail, const std::string& path) {
    char temporary[4096];
    if (!MakeSiblingTempPath(path.c_str(), temporary, sizeof temporary)) return false;
    ImageSink* sink = OpenFileSink(temporary);
    if (sink == nullptr) return false;
    ConstRgbView view = thumbnail.View();
    bool written = WriteJpeg(sink, view.pixels, view.width, view.height, kThumbnailQuality, 24, 0);
    written = CloseSink(sink) == 0 && written;
    if (written && ReplaceFileWith(path.c_str(), temporary)) return true;
    (void)DeleteFilePath(temporary);
    return false;
}

}  // namespace

ThumbnailResult EnsureThumbnail(std::string_view pictures,
                                std::string_view category,
                                std::string_view gallery,
                                std::string_view image,
                                std::string& path) {
    path = ThumbnailFilePath(pictures, category, gallery, image);
    if (IsExistingFile(path.c_str())) return ThumbnailResult::kReady;
    std::lock_guard lock(thumbnailMutex);
    if (IsExistingFile(path.c_str())) return ThumbnailResult::kReady;

    std::string picturePath = PictureFilePath(pictures, category, gallery, image);
    PictureRecord record;
    FileResult read = ReadPictureFile(PictureSource::FromPath(picturePath.c_str()), record, true);
    if (read == kFileCannotOpen) return ThumbnailResult::kNoPicture;
    if (read != kFileOk) return ThumbnailResult::kFailed;
    OwnedRgbImage thumbnail;
    bool composed = ComposeThumbnail(record, thumbnail);
    FreePicturePayload(record);
    return composed && WriteThumbnail(thumbnail, path) ? ThumbnailResult::kReady : ThumbnailResult::kFailed;
}
