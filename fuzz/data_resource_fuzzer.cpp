// Data-resource files from memory: the lookup without a name, of a present-looking name, of
// the last entry's name in any letter case, and the listing of the tools. Property of a
// successful lookup of a listed entry: its content is exactly what its stream inflates to.
#include <cstdlib>
#include <string>
#include <vector>

#include "base/byte_source.h"
#include "base/text_case.h"
#include "fuzz/inflate_property.h"
#include "ui/data_resource.h"
#include "ui/data_resource_builder.h"

namespace {

// Looks `name` up; returns the content of a successful lookup (freed by the caller).
unsigned char* Look(const uint8_t* data, size_t size, const char* name, uint32_t& contentSize) {
    ByteSource input;
    input.OpenMemory(data, size);
    unsigned char* content = nullptr;
    contentSize = 0;
    int result = FindDataResource(input, name, &content, &contentSize);
    if (result == kDataResourceOk && name != nullptr) {
        if (content == nullptr) __builtin_trap();
        return content;
    }
    if (content != nullptr || contentSize != 0) __builtin_trap();
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t contentSize = 0;
    (void)Look(data, size, nullptr, contentSize);
    std::free(Look(data, size, "SkinDefault", contentSize));
    std::vector<DataResourceEntryInfo> entries;
    (void)ListDataResourceEntries(data, size, entries);
    if (entries.empty()) return 0;
    // The first entry of this name is the one a lookup finds.
    std::string name = entries.back().name;
    size_t blockOffset = entries.back().blockOffset;
    for (const DataResourceEntryInfo& entry : entries) {
        if (EqualNoCaseAscii(entry.name.c_str(), name.c_str())) {
            blockOffset = entry.blockOffset;
            break;
        }
    }
    for (char& c : name) c = FoldCaseAscii(c);
    if (name.find('\0') != std::string::npos) return 0;  // a NUL cuts the name a lookup asks for
    unsigned char* content = Look(data, size, name.c_str(), contentSize);
    if (content != nullptr) CheckInflatedBlock(data + blockOffset, size - blockOffset, content, contentSize);
    std::free(content);
    return 0;
}
