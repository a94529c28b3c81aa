// Data-resource files from memory: the lookup without a name, of a present-looking name, of
// the last entry's name in any letter case, and the listing of the tools.
#include <cstdlib>
#include <string>
#include <vector>

#include "base/text_case.h"
#include "ui/data_resource.h"
#include "ui/data_resource_builder.h"

namespace {

void Look(const uint8_t* data, size_t size, const char* name) {
    MemoryDataResourceInput input(data, size);
    unsigned char* content = nullptr;
    uint32_t contentSize = 0;
    int result = FindDataResource(input, name, &content, &contentSize);
    if (result == kDataResourceOk && name != nullptr) {
        if (content == nullptr) __builtin_trap();
        if (contentSize != 0) {
            volatile unsigned char last = content[contentSize - 1];
            (void)last;
        }
    } else if (content != nullptr || contentSize != 0) {
        __builtin_trap();
    }
    std::free(content);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Look(data, size, nullptr);
    Look(data, size, "SkinDefault");
    std::vector<DataResourceEntryInfo> entries;
    (void)ListDataResourceEntries(data, size, entries);
    if (!entries.empty()) {
        std::string name = entries.back().name;
        for (char& c : name) c = FoldCaseAscii(c);
        Look(data, size, name.c_str());
    }
    return 0;
}
