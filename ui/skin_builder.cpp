#include "ui/skin_builder.h"

#include "base/byte_order.h"

namespace {

void AppendLe32(ByteVector& out, uint32_t value) {
    unsigned char word[4];
    WriteLe32(word, value);
    out.insert(out.end(), word, word + 4);
}

void AppendString(ByteVector& out, const std::string& text) {
    AppendLe32(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

bool AppendPicture(ByteVector& out, const ByteVector& picture) {
    return AppendCompressedBlock(out, picture.data(), picture.size());
}

bool AppendElement(ByteVector& out, const SkinElementSource& element, std::string& error) {
    std::string where = "element " + std::to_string(element.controlId) + ": ";
    if (element.text.empty() || element.text.size() > kSkinMaxString) {
        error = where + "the text must have 1 to 127 bytes";
        return false;
    }
    if (element.language.size() != 2) {
        error = where + "the language must be two characters";
        return false;
    }
    if (element.kind > kSkinButton) {
        error = where + "unknown kind";
        return false;
    }
    AppendString(out, element.text);
    out.insert(out.end(), element.language.begin(), element.language.end());
    out.push_back(element.kind);
    for (uint32_t value : {element.controlId, static_cast<uint32_t>(element.x), static_cast<uint32_t>(element.y),
                           static_cast<uint32_t>(element.width), static_cast<uint32_t>(element.height), element.style,
                           element.extendedStyle}) {
        AppendLe32(out, value);
    }
    out.push_back(element.cursor);
    AppendLe32(out, element.nextId);
    AppendLe32(out, element.previousId);
    switch (element.kind) {
        case kSkinCustom:
            if (element.className.empty() || element.className.size() > kSkinMaxString) {
                error = where + "the class name must have 1 to 127 bytes";
                return false;
            }
            AppendString(out, element.className);
            out.push_back(element.fontIndex);
            return true;
        case kSkinLabel:
            out.push_back(element.fontIndex);
            AppendLe32(out, element.textColour);
            AppendLe32(out, element.backgroundColour);
            return true;
        case kSkinPicture:
            if (!AppendPicture(out, element.picture)) {
                error = where + "the picture cannot be compressed";
                return false;
            }
            return true;
        default:
            for (const auto& [state, picture] : element.statePictures) {
                AppendLe32(out, 1);
                out.push_back(state);
                if (!AppendPicture(out, picture)) {
                    error = where + "a state picture cannot be compressed";
                    return false;
                }
            }
            AppendLe32(out, 0);
            return true;
    }
}

}  // namespace

bool BuildSkinRecord(const SkinSource& skin, ByteVector& out, std::string& error) {
    out.assign(kSkinMagic, kSkinMagic + kSkinMagicSize);
    if (skin.name.size() > kSkinMaxString) {
        error = "the skin name must have at most 127 bytes";
        return false;
    }
    AppendString(out, skin.name);
    if (skin.hasBackground && !AppendPicture(out, skin.background)) {
        error = "the background cannot be compressed";
        return false;
    }
    for (const SkinElementSource& element : skin.elements) {
        if (!AppendElement(out, element, error)) return false;
    }
    AppendLe32(out, 0);
    return true;
}
