// tqtool's asset commands: skins from their readable descriptions, and data-resource files.
//   skin-build SOURCE.json OUT.tqs [--pictures DIR]...   description + BMP pictures -> skin record
//   skin-dump FILE [NAME]                                every element of a .tqs file or a skin entry
//   dat-build MANIFEST OUT.dat                           entries listed in a manifest -> Tapestrique.dat
//       one entry per line: NAME PATH [text|ansi]; PATH relative to the manifest's folder; "text"
//       stores UTF-8 as code page 1252 with CR LF and a NUL, "ansi" stores the bytes and a NUL;
//       lines starting with # are comments
//   dat-list FILE.dat                                    name, compressed and inflated size of each entry
//   dat-get FILE.dat NAME OUT                            one entry's content
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/byte_order.h"
#include "base/payload_block.h"
#include "base/whole_file.h"
#include "base/windows1252_text.h"
#include "codec/formats/bmp_codec.h"
#include "tools/tqtool/command.h"
#include "ui/data_resource.h"
#include "ui/data_resource_builder.h"
#include "ui/skin_description.h"
#include "ui/skin_record.h"

namespace {

namespace fs = std::filesystem;

bool ReadFileText(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

int WriteOutput(const char* path, const void* data, size_t size) {
    FileResult result = WriteWholeFile(path, data, size);
    if (result != kFileOk) std::fprintf(stderr, "tqtool: cannot write %s (result %d)\n", path, result);
    return result;
}

int RunSkinBuild(int argc, char** argv) {
    const char* usage = "skin-build SOURCE.json OUT.tqs [--pictures DIR]...";
    if (argc < 2 || (argc - 2) % 2 != 0) return ToolUsage(usage);
    SkinDescriptionOptions options;
    for (int i = 2; i < argc; i += 2) {
        if (std::strcmp(argv[i], "--pictures") != 0) return ToolUsage(usage);
        options.pictureFolders.push_back(argv[i + 1]);
    }
    std::string text;
    if (!ReadFileText(argv[0], text)) {
        std::fprintf(stderr, "tqtool: cannot read %s\n", argv[0]);
        return kFileCannotOpen;
    }
    SkinSource skin;
    std::string error;
    ByteVector record;
    if (!ReadSkinDescription(text, argv[0], options, skin, error) || !BuildSkinRecord(skin, record, error)) {
        std::fprintf(stderr, "tqtool: %s: %s\n", argv[0], error.c_str());
        return kFileDamaged;
    }
    return WriteOutput(argv[1], record.data(), record.size());
}

// "inflated size, width x height" of a picture block, or what is wrong with it.
std::string DescribePicture(const SkinBlockView& block) {
    uint32_t size = 0;
    unsigned char* bmp = InflatePayload(block.data, block.size, &size);
    if (bmp == nullptr) return "does not inflate";
    char text[96];
    if (size >= 26 && bmp[0] == 'B' && bmp[1] == 'M') {
        auto width = static_cast<int32_t>(ReadLe32(bmp + 18));
        uint32_t rows = BmpRowCount(static_cast<int32_t>(ReadLe32(bmp + 22)));
        std::snprintf(text, sizeof text, "BMP %dx%u, %u bytes", width, rows, size);
    } else {
        std::snprintf(text, sizeof text, "not a BMP, %u bytes", size);
    }
    std::free(bmp);
    return text;
}

void PrintElement(const SkinElementRecord& element) {
    static const char* const kKinds[] = {"custom", "label", "picture", "button"};
    std::printf("element %u: %s \"%s\" language %s\n", element.controlId, kKinds[element.kind], element.text,
                element.language);
    std::printf("  class %s, at %d,%d size %dx%d, style 0x%08X, extended style 0x%08X\n", element.className, element.x,
                element.y, element.width, element.height, element.style, element.extendedStyle);
    std::printf("  cursor %s, next %u, previous %u\n", element.cursor == kSkinHandCursor ? "hand" : "arrow",
                element.nextId, element.previousId);
    if (element.kind == kSkinCustom) std::printf("  font %u\n", element.fontIndex);
    if (element.kind == kSkinLabel) {
        std::printf("  font %u, text colour 0x%06X, background ", element.fontIndex, element.textColour);
        if (element.backgroundColour == kSkinNoBackgroundColour) {
            std::printf("transparent\n");
        } else {
            std::printf("0x%06X\n", element.backgroundColour);
        }
    }
    if (element.kind == kSkinPicture) std::printf("  picture: %s\n", DescribePicture(element.picture).c_str());
    for (const SkinStatePictureRecord& state : element.statePictures) {
        std::printf("  state %u: %s\n", state.state, DescribePicture(state.picture).c_str());
    }
}

int RunSkinDump(int argc, char** argv) {
    if (argc != 1 && argc != 2) return ToolUsage("skin-dump FILE.tqs | skin-dump FILE.dat SKIN-ENTRY");
    unsigned char* data = nullptr;
    size_t size = 0;
    int result = 0;
    if (argc == 2) {
        uint32_t inflated = 0;
        result = LoadDataResourceFromFile(argv[0], argv[1], &data, &inflated);
        size = inflated;
    } else {
        result = ReadWholeFile(argv[0], &data, &size);
    }
    if (result != kFileOk) {
        std::fprintf(stderr, "tqtool: cannot read %s%s%s (result %d)\n", argv[0], argc == 2 ? " " : "",
                     argc == 2 ? argv[1] : "", result);
        return result;
    }
    // A window skin has a background; a picture set has none. Neither is marked: a record is
    // taken as a window skin when it reads as one and its background inflates.
    SkinRecord skin;
    result = ReadSkinRecord(data, size, true, nullptr, skin);
    bool backgroundInflates = false;
    if (result == kSkinOk) {
        unsigned char* background = InflatePayload(skin.header.background.data, skin.header.background.size);
        backgroundInflates = background != nullptr;
        std::free(background);
    }
    if (!backgroundInflates) {
        SkinRecord pictureSet;
        if (ReadSkinRecord(data, size, false, nullptr, pictureSet) == kSkinOk) {
            skin = pictureSet;
            result = kSkinOk;
        }
    }
    if (result == kSkinOk) {
        std::printf("skin \"%s\"\n", skin.header.name);
        if (skin.header.hasBackground) {
            std::printf("background: %s\n", DescribePicture(skin.header.background).c_str());
        } else {
            std::printf("background: none (picture set)\n");
        }
        std::printf("elements: %zu\n", skin.elements.size());
        for (const SkinElementRecord& element : skin.elements) PrintElement(element);
    } else {
        std::fprintf(stderr, "tqtool: not a valid skin record (result %d)\n", result);
    }
    std::free(data);
    return result;
}

// A text entry: UTF-8 source, stored in code page 1252 with CR LF line ends and its NUL.
bool MakeTextEntry(const std::string& source, std::string& entry) {
    std::string crlf;
    for (size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\n' && (i == 0 || source[i - 1] != '\r')) crlf.push_back('\r');
        crlf.push_back(source[i]);
    }
    if (!Utf8ToWindows1252(crlf, entry)) return false;
    entry.push_back('\0');
    return true;
}

int RunDatBuild(int argc, char** argv) {
    if (argc != 2) return ToolUsage("dat-build MANIFEST OUT.dat");
    std::string manifest;
    if (!ReadFileText(argv[0], manifest)) {
        std::fprintf(stderr, "tqtool: cannot read %s\n", argv[0]);
        return kFileCannotOpen;
    }
    fs::path base = fs::path(argv[0]).parent_path();
    ByteVector file;
    BeginDataResourceFile(file);
    std::istringstream lines(manifest);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream fields(line);
        std::string name, path, mode, extra;
        if (!(fields >> name) || name[0] == '#') continue;
        if (!(fields >> path) || ((fields >> mode) && mode != "text" && mode != "ansi") || (fields >> extra)) {
            std::fprintf(stderr, "tqtool: %s:%d: expected NAME PATH [text|ansi]\n", argv[0], lineNumber);
            return kToolExitUsage;
        }
        fs::path source = fs::path(path).is_absolute() ? fs::path(path) : base / path;
        std::string content;
        if (!ReadFileText(source.string(), content)) {
            std::fprintf(stderr, "tqtool: %s:%d: cannot read %s\n", argv[0], lineNumber, source.string().c_str());
            return kFileCannotOpen;
        }
        if (mode == "text") {
            std::string converted;
            if (!MakeTextEntry(content, converted)) {
                std::fprintf(stderr, "tqtool: %s: not UTF-8 text within Windows code page 1252\n",
                             source.string().c_str());
                return kFileDamaged;
            }
            content = converted;
        } else if (mode == "ansi") {
            content.push_back('\0');  // already in the code page; stored with its terminating NUL
        }
        if (!AppendDataResourceEntry(file, name, reinterpret_cast<const unsigned char*>(content.data()),
                                     content.size())) {
            std::fprintf(stderr, "tqtool: %s:%d: cannot store entry %s\n", argv[0], lineNumber, name.c_str());
            return kFileDamaged;
        }
    }
    return WriteOutput(argv[1], file.data(), file.size());
}

int RunDatList(int argc, char** argv) {
    if (argc != 1) return ToolUsage("dat-list FILE.dat");
    unsigned char* data = nullptr;
    size_t size = 0;
    int result = ReadWholeFile(argv[0], &data, &size);
    if (result != kFileOk) {
        std::fprintf(stderr, "tqtool: cannot read %s (result %d)\n", argv[0], result);
        return result;
    }
    std::vector<DataResourceEntryInfo> entries;
    bool complete = ListDataResourceEntries(data, size, entries);
    std::free(data);
    std::printf("%-56s %12s %12s\n", "name", "compressed", "inflated");
    for (const DataResourceEntryInfo& entry : entries) {
        std::printf("%-56s %12u %12u\n", entry.name.c_str(), entry.compressedSize, entry.inflatedSize);
    }
    if (!complete) {
        std::fprintf(stderr, "tqtool: %s is not a complete data-resource file\n", argv[0]);
        return kFileDamaged;
    }
    return kFileOk;
}

int RunDatGet(int argc, char** argv) {
    if (argc != 3) return ToolUsage("dat-get FILE.dat NAME OUT");
    unsigned char* content = nullptr;
    uint32_t size = 0;
    int result = LoadDataResourceFromFile(argv[0], argv[1], &content, &size);
    if (result != kFileOk) {
        std::fprintf(stderr, "tqtool: %s: no readable entry %s (result %d)\n", argv[0], argv[1], result);
        return result;
    }
    result = WriteOutput(argv[2], content, size);
    std::free(content);
    return result;
}

const ToolCommandRegistrar kSkinBuild({"skin-build", "skin-build SOURCE.json OUT.tqs [--pictures DIR]...",
                                       RunSkinBuild});
const ToolCommandRegistrar kSkinDump({"skin-dump", "skin-dump FILE.tqs | skin-dump FILE.dat SKIN-ENTRY", RunSkinDump});
const ToolCommandRegistrar kDatBuild({"dat-build", "dat-build MANIFEST OUT.dat", RunDatBuild});
const ToolCommandRegistrar kDatList({"dat-list", "dat-list FILE.dat", RunDatList});
const ToolCommandRegistrar kDatGet({"dat-get", "dat-get FILE.dat NAME OUT", RunDatGet});

}  // namespace
