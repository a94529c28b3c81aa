#include "service/catalogue_commands.h"

#include <cstring>

#include "base/file_io.h"
#include "base/text_case.h"
#include "collection/picture_import.h"
#include "collection/picture_title.h"
#include "collection/tqi_file.h"
#include "service/catalogue_names.h"
#include "service/service_store.h"

namespace {

std::string_view FileNameOf(std::string_view path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view StemOf(std::string_view fileName) {
    size_t dot = fileName.find_last_of('.');
    return dot == std::string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

bool IsPictureFileName(std::string_view fileName) {
    return fileName.size() > 4 && EqualNoCaseAscii(fileName.substr(fileName.size() - 4), ".tqi");
}

// The picture of `path` with its payload, or why not.
const char* LoadPicture(const std::string& path, const std::string& temporaryFolder, PictureRecord& record) {
    if (IsPictureFileName(FileNameOf(path))) {
        return ReadPictureFile(PictureSource::FromPath(path.c_str()), record, true) == kFileOk
                   ? nullptr
                   : "not a readable .tqi file";
    }
    switch (PreparePictureImport(path.c_str(), temporaryFolder.c_str(), record)) {
        case ImportResult::kImported:
            return nullptr;
        case ImportResult::kCannotOpen:
            return "cannot be opened";
        case ImportResult::kOutOfMemory:
            return "out of memory";
        case ImportResult::kNotAnImage:
            return "not a picture";
        case ImportResult::kSizeRefused:
            return "a side is outside 64 to 4096 pixels";
    }
    return "not a picture";
}

bool AddOne(ServiceStore& store, const CatalogueAddition& addition, const std::string& path, FILE* report) {
    std::string folder = addition.pictures + "/" + addition.category + "/" + addition.gallery;
    PictureRecord record;
    if (const char* why = LoadPicture(path, folder, record)) {
        std::fprintf(report, "%s: %s\n", path.c_str(), why);
        return false;
    }
    std::string title = addition.title.empty() ? TitleFromFileName(FileNameOf(path)) : addition.title;
    title.resize(std::min(title.size(), kStoredTitleLength));
    std::memset(record.title, 0, sizeof record.title);
    std::memcpy(record.title, title.data(), title.size());

    CataloguePicture picture{addition.category, addition.gallery, MakeCatalogueName(StemOf(FileNameOf(path))), title};
    std::string target = PictureFilePath(addition.pictures, picture.category, picture.gallery, picture.image);
    bool written = WritePictureFile(target.c_str(), record) == kFileOk;
    FreePicturePayload(record);
    if (!written) {
        std::fprintf(report, "%s: cannot write %s\n", path.c_str(), target.c_str());
        return false;
    }
    // A picture added again under the same name gets a new thumbnail.
    (void)DeleteFilePath(
        ThumbnailFilePath(addition.pictures, picture.category, picture.gallery, picture.image).c_str());
    if (!store.AddPicture(picture)) {
        std::fprintf(report, "%s: the database refused the picture\n", path.c_str());
        return false;
    }
    std::fprintf(report, "%s: added as %s \"%s\"\n", path.c_str(),
                 PictureIdentifier(picture.category, picture.gallery, picture.image).c_str(), title.c_str());
    return true;
}

}  // namespace

bool AddToCatalogue(ServiceStore& store, const CatalogueAddition& addition, FILE* report) {
    if (!IsCatalogueName(addition.category) || !IsCatalogueName(addition.gallery)) {
        std::fprintf(report, "category and gallery must be names of letters, digits, '-', '_' and '.'\n");
        return false;
    }
    std::string category = addition.pictures + "/" + addition.category;
    std::string gallery = category + "/" + addition.gallery;
    if (!CreateFolder(addition.pictures.c_str()) || !CreateFolder(category.c_str()) || !CreateFolder(gallery.c_str())) {
        std::fprintf(report, "cannot create the folder %s\n", gallery.c_str());
        return false;
    }
    bool all = true;
    for (const std::string& file : addition.files) all = AddOne(store, addition, file, report) && all;
    return all;
}
