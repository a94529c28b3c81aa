// tqtool import: picture files into a collection folder, checked and converted as the
// application's import does (sizes from the headers first, then a full decode, JPEG files
// stored unchanged and other formats as quality-100 JPEG files).
#include <cstdio>
#include <filesystem>
#include <string>

#include "collection/picture_import.h"
#include "collection/tqi_file.h"
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

// Imports one file; true when its picture file was written.
bool ImportOne(const char* path, const std::string& folder, const std::string& temporaryFolder) {
    PictureRecord record;
    ImportResult result = PreparePictureImport(path, temporaryFolder.c_str(), record);
    if (result != ImportResult::kImported) {
        std::fprintf(stderr, "tqtool: %s: %s\n", path, Reason(result));
        return false;
    }
    std::string target = folder + "/" + record.title + ".tqi";
    FileResult written = WritePictureFile(target.c_str(), record);
    FreePicturePayload(record);
    if (written != kFileOk) {
        std::fprintf(stderr, "tqtool: cannot write %s (result %d)\n", target.c_str(), written);
        return false;
    }
    std::printf("%s: \"%s\" %dx%d\n", path, record.title, record.width, record.height);
    return true;
}

int RunImport(int argc, char** argv) {
    if (argc < 2) return ToolUsage("import FILE... FOLDER");
    std::string folder = argv[argc - 1];
    std::error_code error;
    std::string temporaryFolder = std::filesystem::temp_directory_path(error).string();
    if (error) temporaryFolder = folder;
    bool everyOne = true;
    for (int i = 0; i < argc - 1; ++i) everyOne = ImportOne(argv[i], folder, temporaryFolder) && everyOne;
    return everyOne ? kFileOk : kFileNotWritten;
}

const ToolCommandRegistrar kImport({"import",
                                    "import FILE... FOLDER              store pictures in FOLDER as the import does;\n"
                                    "                                       exit code 1 when any file was refused",
                                    RunImport});

}  // namespace
