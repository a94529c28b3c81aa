// tqtool's collection commands besides import: add a .tqi file, list, rename, delete and
// export pictures, under the rules of the main window's commands (a title already in the
// collection is refused or, where a command takes --overwrite, replaced).
#include <cstdio>
#include <cstring>
#include <string>

#include "base/file_io.h"
#include "collection/collection_folder.h"
#include "collection/tqi_file.h"
#include "tools/tqtool/collection_arguments.h"
#include "tools/tqtool/command.h"

namespace {

int Failed(const char* what, const std::string& title, FileResult result) {
    std::fprintf(stderr, "tqtool: cannot %s \"%s\" (result %d)\n", what, PrintedTitle(title).c_str(), result);
    return result;
}

int RunAdd(int argc, char** argv) {
    CollectionArguments arguments;
    if (!ParseCollectionArguments(argc, argv, true, arguments) || arguments.operands.size() != 1) {
        return ToolUsage("add --collection DIR [--overwrite] FILE.tqi");
    }
    const std::string& path = arguments.operands[0];
    ScopedPictureRecord picture;
    const FileResult read = ReadPictureFile(PictureSource::FromPath(path.c_str()), picture.record, true);
    if (read != kFileOk) {
        std::fprintf(stderr, "tqtool: %s: read failed (result %d)\n", path.c_str(), read);
        return read;
    }
    std::string title = picture.record.title;
    if (!ReportTitleCheck(title, CheckTitle(title, kStoredTitleLength))) return kToolExitTitleRefused;
    const std::vector<std::string> titles = ListedTitles(arguments.folder);
    const int listed = FindPictureIndex(titles, title);
    if (listed >= 0 && !arguments.overwrite) {
        std::fprintf(stderr, "tqtool: \"%s\" is already in the collection (--overwrite replaces it)\n",
                     PrintedTitle(titles[static_cast<size_t>(listed)]).c_str());
        return kToolExitTitleRefused;
    }
    // An existing picture is replaced under its listed title, which names its file on every system.
    if (listed >= 0) title = titles[static_cast<size_t>(listed)];
    std::memcpy(picture.record.title, title.c_str(), title.size() + 1);
    const FileResult stored = StoreCollectionPicture(arguments.folder.c_str(), picture.record);
    if (stored != kFileOk) return Failed("store", title, stored);
    std::printf("%s \"%s\" %dx%d\n", listed >= 0 ? "replaced" : "added", PrintedTitle(title).c_str(),
                picture.record.width, picture.record.height);
    return kFileOk;
}

int RunList(int argc, char** argv) {
    CollectionArguments arguments;
    if (!ParseCollectionArguments(argc, argv, false, arguments) || !arguments.operands.empty()) {
        return ToolUsage("list --collection DIR");
    }
    for (const std::string& title : ListedTitles(arguments.folder)) {
        ScopedPictureRecord picture;
        if (ReadCollectionPicture(arguments.folder.c_str(), title.c_str(), picture.record, true) == kFileOk) {
            std::printf("%s\t%dx%d\t%u\n", PrintedTitle(title).c_str(), picture.record.width, picture.record.height,
                        picture.record.payloadSize);
        } else {
            // Listed by the title stored inside a file that is not named after it.
            std::printf("%s\t(unreadable)\n", PrintedTitle(title).c_str());
        }
    }
    return kFileOk;
}

int RunRename(int argc, char** argv) {
    CollectionArguments arguments;
    std::string oldTitle;
    std::string newTitle;
    if (!ParseCollectionArguments(argc, argv, false, arguments) || arguments.operands.size() != 2) {
        return ToolUsage("rename --collection DIR OLD NEW");
    }
    if (!TitleArgument(arguments.operands[0], oldTitle) || !TitleArgument(arguments.operands[1], newTitle) ||
        !ReportTitleCheck(newTitle, CheckTitle(newTitle, kTypedTitleLength))) {
        return kToolExitTitleRefused;
    }
    const std::vector<std::string> titles = ListedTitles(arguments.folder);
    std::string listed;
    if (!FindListedTitle(titles, oldTitle, listed)) return kToolExitTitleRefused;
    // Any listed title is refused, the old one in any letter case included, as the main window does.
    if (CollectionHasTitle(titles, newTitle)) {
        std::fprintf(stderr, "tqtool: \"%s\": There's already one image with that name in the collection.\n",
                     PrintedTitle(newTitle).c_str());
        return kToolExitTitleRefused;
    }
    const FileResult result = RenameCollectionPicture(arguments.folder.c_str(), listed.c_str(), newTitle.c_str());
    if (result != kFileOk) return Failed("rename", listed, result);
    std::printf("renamed \"%s\" to \"%s\"\n", PrintedTitle(listed).c_str(), PrintedTitle(newTitle).c_str());
    return kFileOk;
}

int RunDelete(int argc, char** argv) {
    CollectionArguments arguments;
    if (!ParseCollectionArguments(argc, argv, false, arguments) || arguments.operands.size() != 1) {
        return ToolUsage("delete --collection DIR TITLE");
    }
    std::string listed;
    if (!ListedTitleArgument(arguments, arguments.operands[0], listed)) return kToolExitTitleRefused;
    const FileResult result = DeleteCollectionPicture(arguments.folder.c_str(), listed.c_str());
    if (result != kFileOk) return Failed("delete", listed, result);
    std::printf("deleted \"%s\"\n", PrintedTitle(listed).c_str());
    return kFileOk;
}

int RunExport(int argc, char** argv) {
    CollectionArguments arguments;
    if (!ParseCollectionArguments(argc, argv, true, arguments) || arguments.operands.size() != 2) {
        return ToolUsage("export --collection DIR [--overwrite] TITLE FOLDER");
    }
    std::string listed;
    if (!ListedTitleArgument(arguments, arguments.operands[0], listed)) return kToolExitTitleRefused;
    const char* exportFolder = arguments.operands[1].c_str();
    std::string path = ExportedPicturePath(exportFolder, listed.c_str());
    if (IsExistingFile(path.c_str()) && !arguments.overwrite) {
        std::fprintf(stderr, "tqtool: %s already exists (--overwrite replaces it)\n", path.c_str());
        return kToolExitTitleRefused;
    }
    const FileResult result = ExportCollectionPicture(arguments.folder.c_str(), listed.c_str(), exportFolder, path);
    if (result != kFileOk) return Failed("export", listed, result);
    std::printf("%s\n", path.c_str());
    return kFileOk;
}

const ToolCommandRegistrar kAdd({"add",
                                 "add --collection DIR [--overwrite] FILE.tqi\n"
                                 "                                       store a picture file under its own title",
                                 RunAdd});
const ToolCommandRegistrar kList({"list",
                                  "list --collection DIR             each picture: title, WIDTHxHEIGHT and payload\n"
                                  "                                       bytes, tab-separated, in the list's order",
                                  RunList});
const ToolCommandRegistrar kRename(
    {"rename", "rename --collection DIR OLD NEW   give a picture a new title (1 to 120 characters)", RunRename});
const ToolCommandRegistrar kDelete({"delete", "delete --collection DIR TITLE     delete a picture", RunDelete});
const ToolCommandRegistrar kExport(
    {"export",
     "export --collection DIR [--overwrite] TITLE FOLDER\n"
     "                                       write the picture's JPEG file as FOLDER/TITLE.jpg",
     RunExport});

}  // namespace
