#include "collection/picture_import.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/file_io.h"
#include "base/whole_file.h"
#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/image_reader.h"
#include "codec/image_size.h"
#include "codec/image_source.h"
#include "collection/picture_title.h"

namespace {

constexpr int kImportJpegQuality = 100;

ImportResult ResultForCodecError(int error) {
    switch (error) {
        case kCodecOutOfMemory:
            return ImportResult::kOutOfMemory;
        case kCodecCannotOpen:
        case kCodecReadError:
            return ImportResult::kCannotOpen;
        default:
            return ImportResult::kNotAnImage;
    }
}

// The file name without its folder.
const char* FileName(const char* path) {
    const char* name = path;
    for (const char* c = path; *c != '\0'; ++c) {
        if (*c == '/' || *c == '\\') name = c + 1;
    }
    return name;
}

// Encodes the picture as a JPEG file of its own; false when it cannot be written.
bool WriteJpegFile(const char* path, const RgbImage& image) {
    ImageSink* sink = OpenFileSink(path);
    if (sink == nullptr) return false;
    bool written = WriteJpeg(sink, image.pixels, image.width, image.height, kImportJpegQuality, 24, 0);
    return CloseSink(sink) == kCodecOk && written;
}

// A JPEG file is its own payload: decoding it only has to prove that the whole stream
// decodes, and the decoder's largest reduction (1/8) reads every byte of it through the same
// checks at a fraction of the cost of the full picture.
ImportResult CheckJpegDecodes(ImageSource* source) {
    RgbImage reduced;
    const bool decoded = DecodeJpegScaled(source, 1, 1, reduced);
    OwnedRgbImage released = AdoptCodecPicture(reduced);
    return decoded ? ImportResult::kImported : ResultForCodecError(GetLastCodecError());
}

// Decodes any other picture and encodes it as a JPEG file in `temporaryFolder`; `temporary`
// names it (a failure to write it shows when it is read), and the size becomes the decoded one.
ImportResult DecodeToTemporaryJpeg(ImageSource* source,
                                   const char* path,
                                   const char* temporaryFolder,
                                   std::string& temporary,
                                   int& width,
                                   int& height) {
    RgbImage image;
    if (!ReadImageRgb24(source, image)) return ResultForCodecError(GetLastCodecError());
    width = image.width;
    height = image.height;
    ImportResult result = ImportResult::kImported;
    if (!IsImportableSize(image.width, image.height)) {
        result = ImportResult::kSizeRefused;  // a file whose headers lied about its size
    } else {
        // The name keeps the source's own extension, so photo.png becomes photo.png.jpg.
        temporary = std::string(temporaryFolder) + "/" + FileName(path) + ".jpg";
        (void)WriteJpegFile(temporary.c_str(), image);
    }
    FreeImageRgb24(image);
    return result;
}

// Checks the opened file by decoding it and reads the payload: the file itself when it is a
// JPEG file, else a JPEG made of it in `temporaryFolder`.
ImportResult DecodeAndReadPayload(ImageSource* source,
                                  const char* path,
                                  const char* temporaryFolder,
                                  int width,
                                  int height,
                                  PictureRecord& record) {
    const bool isJpeg = SeekSource(source, 0, kSourceFromStart) && GuessFormat(source) == kFormatJpeg;
    if (!SeekSource(source, 0, kSourceFromStart)) return ImportResult::kCannotOpen;
    std::string temporary;
    const ImportResult result = isJpeg ? CheckJpegDecodes(source)
                                       : DecodeToTemporaryJpeg(source, path, temporaryFolder, temporary, width, height);
    if (result != ImportResult::kImported) return result;

    unsigned char* payload = nullptr;
    size_t payloadSize = 0;
    FileResult read = ReadWholeFile(isJpeg ? path : temporary.c_str(), &payload, &payloadSize);
    if (!temporary.empty()) DeleteFilePath(temporary.c_str());
    if (read != kFileOk) return ImportResult::kCannotOpen;
    if (payloadSize > UINT32_MAX) {
        std::free(payload);
        return ImportResult::kCannotOpen;
    }
    const std::string title = TitleFromFileName(FileName(path));
    std::memcpy(record.title, title.c_str(), title.size() + 1);  // at most 127 characters
    record.width = width;
    record.height = height;
    record.payload = payload;
    record.payloadSize = static_cast<uint32_t>(payloadSize);
    return ImportResult::kImported;
}

}  // namespace

bool IsImportableSize(int width, int height) {
    return width >= kImportSmallestSide && width <= kImportLargestSide && height >= kImportSmallestSide &&
           height <= kImportLargestSide;
}

ImportResult PreparePictureImport(const char* path, const char* temporaryFolder, PictureRecord& record) {
    ImageSource* source = OpenFileSource(path);
    if (source == nullptr) return ImportResult::kCannotOpen;
    int width = 0;
    int height = 0;
    ImportResult result = ImportResult::kImported;
    if (!ReadImageSize(source, width, height)) {
        result = ResultForCodecError(GetLastCodecError());
    } else if (!IsImportableSize(width, height)) {
        result = ImportResult::kSizeRefused;
    } else {
        result = DecodeAndReadPayload(source, path, temporaryFolder, width, height, record);
    }
    (void)CloseSource(source);
    return result;
}
