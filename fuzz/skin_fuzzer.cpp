// Skin records from memory: read as window skins and as picture sets, with and without the
// language filter, then every picture block the reader hands out is inflated within its view.
#include <cstdlib>
#include <initializer_list>

#include "base/payload_block.h"
#include "ui/skin_record.h"

namespace {

void InflateWithin(const SkinBlockView& block, const uint8_t* data, size_t size) {
    // A view must lie inside the input.
    if (block.data < data || block.size > size || block.data + block.size > data + size) __builtin_trap();
    std::free(InflatePayload(block.data, block.size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool withBackground : {true, false}) {
        for (const char* language : {static_cast<const char*>(nullptr), "EN", "fr"}) {
            SkinRecord skin;
            if (ReadSkinRecord(data, size, withBackground, language, skin) != kSkinOk) {
                if (!skin.elements.empty()) __builtin_trap();
                continue;
            }
            if (skin.header.hasBackground) InflateWithin(skin.header.background, data, size);
            for (const SkinElementRecord& element : skin.elements) {
                if (element.kind > kSkinButton) __builtin_trap();
                if (element.kind == kSkinPicture) InflateWithin(element.picture, data, size);
                for (const SkinStatePictureRecord& state : element.statePictures) {
                    InflateWithin(state.picture, data, size);
                }
            }
        }
    }
    return 0;
}
