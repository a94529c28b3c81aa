// A build step: the built-in skins against the control ids that their windows know
// (ui/control_ids.h). The data-resource file is packed only once this passes.
//
//   skin_controls_check SKIN_FOLDER STAMP
//
// Reads SKIN_FOLDER/<entry>.tqs of every built-in skin and requires, in every language, each
// control id of the skin's window exactly once, no other id, and Tab and Shift+Tab ids that
// are 0 or one of the window's controls. Prints every fault and exits 1, or writes STAMP.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/whole_file.h"
#include "ui/control_ids.h"
#include "ui/localization/language.h"
#include "ui/skin_record.h"

namespace {

bool IsKnown(const SkinControlSet& skin, uint32_t id) {
    return std::find(skin.controls.begin(), skin.controls.end(), id) != skin.controls.end();
}

// Prints the faults of one skin in one language; returns how many there were.
int CheckLanguage(const SkinControlSet& skin, const SkinRecord& record, const char* language) {
    int faults = 0;
    auto fault = [&](const char* what, uint32_t id) {
        std::fprintf(stderr, "skin_controls_check: %s (%s): %s %u\n", skin.entry, language, what, id);
        ++faults;
    };
    for (const SkinElementRecord& element : record.elements) {
        if (!IsKnown(skin, element.controlId))
            fault("names a control id that its window does not know:", element.controlId);
        if (element.nextId != 0 && !IsKnown(skin, element.nextId)) fault("Tab leads to the unknown id", element.nextId);
        if (element.previousId != 0 && !IsKnown(skin, element.previousId)) {
            fault("Shift+Tab leads to the unknown id", element.previousId);
        }
    }
    for (uint32_t id : skin.controls) {
        auto count = std::count_if(record.elements.begin(), record.elements.end(),
                                   [id](const SkinElementRecord& element) { return element.controlId == id; });
        if (count != 1) fault(count == 0 ? "lacks the control" : "has more than one control with the id", id);
    }
    return faults;
}

int CheckSkin(const SkinControlSet& skin, const std::string& folder) {
    const std::string path = folder + "/" + skin.entry + ".tqs";
    unsigned char* bytes = nullptr;
    size_t size = 0;
    if (ReadWholeFile(path.c_str(), &bytes, &size) != 0) {
        std::fprintf(stderr, "skin_controls_check: cannot read %s\n", path.c_str());
        return 1;
    }
    int faults = 0;
    for (int language = 0; language < kLanguageCount; ++language) {
        SkinRecord record;
        const char* code = LanguageCodeAt(language);
        if (ReadSkinRecord(bytes, size, skin.withBackground, code, record) != kSkinOk) {
            std::fprintf(stderr, "skin_controls_check: %s does not read in %s\n", path.c_str(), code);
            ++faults;
            continue;
        }
        faults += CheckLanguage(skin, record, code);
    }
    std::free(bytes);
    return faults;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin_controls_check SKIN_FOLDER STAMP\n");
        return 64;
    }
    int faults = 0;
    for (const SkinControlSet& skin : kBuiltInSkins) faults += CheckSkin(skin, argv[1]);
    if (faults != 0) return 1;
    return WriteWholeFile(argv[2], "ok\n", 3) == 0 ? 0 : 1;
}
