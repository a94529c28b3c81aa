// tqtool import: picture files into a collection, checked and converted as the application's
// import does (sizes from the headers first, then a full decode, JPEG files stored unchanged
// and other formats as quality-100 JPEG files), one line per file with its outcome.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/windows1252_text.h"
#include "collection/collection_folder.h"
#include "collection/picture_import.h"
#include "tools/tqtool/collection_arguments.h"
#include "tools/tqtool/command.h"

namespace {

const char* Reason(ImportResult result) {
    switch (result) {
        case ImportResult::kCannotOpen:
            return "the file could not be opened or read";
        case ImportResult::kOutOfMemory:
            return "out of memory";
        case ImportResult::kNotAnImage:
            return "not a valid picture file";
        case ImportResult::kSizeRefused:
            return "the picture is too small or too large (64x64 to 4096x4096 pixels)";
        case ImportResult::kImported:
            break;
    }
    return "imported";
}

// The host's file names are UTF-8: the title is made of the name in the collection's code page.
std::string TitleOfHostFile(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return TitleFromFileName(Utf8ToWindows1252Replacing(name, '_'));
}

// Imports one file into the collection whose titles are `titles` (kept up to date); true
// when the picture was stored.
bool ImportOne(const std::string& path,
               const CollectionArguments& arguments,
               const std::string& temporaryFolder,
               std::vector<std::string>& titles) {
    PictureRecord record;
    const ImportResult result = PreparePictureImport(path.c_str(), temporaryFolder.c_str(), record);
    if (result != ImportResult::kImported) {
        std::fprintf(stderr, "tqtool: %s: %s\n", path.c_str(), Reason(result));
        return false;
    }
    std::string title = TitleOfHostFile(path);
    const int listed = FindPictureIndex(titles, title);
    if (listed >= 0 && !arguments.overwrite) {
        std::fprintf(stderr, "tqtool: %s: \"%s\" is already in the collection (--overwrite replaces it)\n",
                     path.c_str(), PrintedTitle(titles[static_cast<size_t>(listed)]).c_str());
        FreePicturePayload(record);
        return false;
    }
    // An existing picture is replaced under its listed title, which names its file on every system.
    if (listed >= 0) title = titles[static_cast<size_t>(listed)];
    std::memcpy(record.title, title.c_str(), title.size() + 1);
    const FileResult written = StoreCollectionPicture(arguments.folder.c_str(), record);
    FreePicturePayload(record);
    if (written != kFileOk) {
        std::fprintf(stderr, "tqtool: %s: cannot store \"%s\" (result %d)\n", path.c_str(), PrintedTitle(title).c_str(),
                     written);
        return false;
    }
    if (listed < 0) titles.push_back(title);
    std::printf("%s: %s \"%s\" %dx%d\n", path.c_str(), listed >= 0 ? "replaced" : "imported",
                PrintedTitle(title).c_str(), record.width, record.height);
    return true;
}

int RunImport(int argc, char** argv) {
    constexpr const char* kUsage = "import --collection DIR [--overwrite] FILE...";
    CollectionArguments arguments;
    if (!ParseCollectionArguments(argc, argv, true, arguments) || arguments.operands.empty()) {
        return ToolUsage(kUsage);
    }
    std::error_code error;
    std::string temporaryFolder = std::filesystem::temp_directory_path(error).string();
    if (error) temporaryFolder = arguments.folder;
    std::vector<std::string> titles = ListedTitles(arguments.folder);
    bool everyOne = true;
    for (const std::string& path : arguments.operands) {
        everyOne = ImportOne(path, arguments, temporaryFolder, titles) && everyOne;
    }
    return everyOne ? kFileOk : kFileNotWritten;
}

const ToolCommandRegistrar kImport(
    {"import",
     "import --collection DIR [--overwrite] FILE...\n"
     "                                       import pictures as the application does, one line\n"
     "                                       each; a title already in the collection is kept\n"
     "                                       unless --overwrite; exit code 1 when any file was not imported",
     RunImport});

}  // namespace
