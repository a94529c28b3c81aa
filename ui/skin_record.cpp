#include "ui/skin_record.h"

#include <cstring>
#include <string_view>

#include "base/text_case.h"

namespace {

// A u32 length (1..127 unless `allowEmpty`) and that many bytes into a NUL-terminated field.
bool ReadString(BoundedReader& in, char (&out)[kSkinMaxString + 1], bool allowEmpty) {
    uint32_t length = 0;
    if (!in.ReadLe32(length) || length > kSkinMaxString || (length == 0 && !allowEmpty)) return false;
    if (!in.Read(out, length)) return false;
    out[length] = '\0';
    return true;
}

// An inflatable block: u32 C, u32 U and C stream bytes, all inside the buffer.
bool ReadBlock(BoundedReader& in, SkinBlockView& block) {
    const unsigned char* start = in.Current();
    size_t startPosition = in.Position();
    uint32_t compressedSize = 0, inflatedSize = 0;
    if (!in.ReadLe32(compressedSize) || !in.ReadLe32(inflatedSize) || !in.Skip(compressedSize)) return false;
    block.data = start;
    block.size = in.Position() - startPosition;
    return true;
}

bool ReadSigned(BoundedReader& in, int32_t& value) {
    uint32_t word = 0;
    if (!in.ReadLe32(word)) return false;
    std::memcpy(&value, &word, sizeof value);
    return true;
}

bool ReadKindData(BoundedReader& in, SkinElementRecord& element) {
    switch (element.kind) {
        case kSkinCustom:
            return ReadString(in, element.className, false) && in.ReadU8(element.fontIndex);
        case kSkinLabel:
            std::memcpy(element.className, "static", 7);
            return in.ReadU8(element.fontIndex) && in.ReadLe32(element.textColour) &&
                   in.ReadLe32(element.backgroundColour);
        case kSkinPicture:
            std::memcpy(element.className, "static", 7);
            return ReadBlock(in, element.picture);
        case kSkinButton:
            std::memcpy(element.className, "button", 7);
            for (;;) {
                uint32_t marker = 0;
                if (!in.ReadLe32(marker)) return false;
                if (marker == 0) return true;
                SkinStatePictureRecord statePicture;
                if (!in.ReadU8(statePicture.state) || !ReadBlock(in, statePicture.picture)) return false;
                element.statePictures.push_back(statePicture);
            }
        default:
            return false;
    }
}

// One element after its text length `textLength` (already read, not zero).
bool ReadElement(BoundedReader& in, uint32_t textLength, SkinElementRecord& element) {
    if (textLength > kSkinMaxString || !in.Read(element.text, textLength)) return false;
    element.text[textLength] = '\0';
    if (!in.Read(element.language, 2) || !in.ReadU8(element.kind) || element.kind > kSkinButton) return false;
    element.language[2] = '\0';
    if (!in.ReadLe32(element.controlId) || !ReadSigned(in, element.x) || !ReadSigned(in, element.y) ||
        !ReadSigned(in, element.width) || !ReadSigned(in, element.height) || !in.ReadLe32(element.style) ||
        !in.ReadLe32(element.extendedStyle) || !in.ReadU8(element.cursor) || !in.ReadLe32(element.nextId) ||
        !in.ReadLe32(element.previousId)) {
        return false;
    }
    element.style |= SkinKindStyle(element.kind);
    return ReadKindData(in, element);
}

}  // namespace

bool SkinLanguageMatches(const char* language, const char* languageCode) {
    if (language[0] == '*' && language[1] == '*') return true;
    if (languageCode == nullptr) return true;
    if (languageCode[0] == '\0' || languageCode[1] == '\0') return false;
    return EqualNoCaseAscii(std::string_view(language, 2), std::string_view(languageCode, 2));
}

uint32_t SkinKindStyle(uint8_t kind) {
    switch (kind) {
        case kSkinLabel:
            return kSkinLabelStyle;
        case kSkinPicture:
            return kSkinPictureStyle;
        case kSkinButton:
            return kSkinButtonStyle;
        default:
            return 0;
    }
}

int ReadSkinHeader(BoundedReader& in, bool withBackground, SkinRecordHeader& header) {
    header = SkinRecordHeader();
    const unsigned char* magic = nullptr;
    if (!in.View(kSkinMagicSize, magic) || std::memcmp(magic, kSkinMagic, kSkinMagicSize) != 0) {
        return kSkinWrongFormat;
    }
    if (!ReadString(in, header.name, true)) return kSkinWrongFormat;
    if (withBackground) {
        if (!ReadBlock(in, header.background)) return kSkinNoBackground;
        header.hasBackground = true;
    }
    return kSkinOk;
}

int ReadSkinElements(BoundedReader& in, const char* languageCode, std::vector<SkinElementRecord>& elements) {
    elements.clear();
    for (;;) {
        uint32_t textLength = 0;
        if (!in.ReadLe32(textLength)) break;
        if (textLength == 0) return kSkinOk;
        SkinElementRecord element;
        if (!ReadElement(in, textLength, element)) break;
        // Elements of other languages are read in full too: that is how their data is stepped over.
        if (SkinLanguageMatches(element.language, languageCode)) elements.push_back(std::move(element));
    }
    elements.clear();
    return kSkinWrongFormat;
}

int ReadSkinRecord(const unsigned char* data,
                   size_t size,
                   bool withBackground,
                   const char* languageCode,
                   SkinRecord& record) {
    record = SkinRecord();
    BoundedReader in(data, size);
    int result = ReadSkinHeader(in, withBackground, record.header);
    if (result != kSkinOk) return result;
    result = ReadSkinElements(in, languageCode, record.elements);
    if (result != kSkinOk) record = SkinRecord();
    return result;
}

bool GetSkinFontStyle(uint8_t index, SkinFontStyle& style) {
    if (index >= kSkinFontCount) return false;
    // Point sizes at 96 dots per inch, rounded to the nearest pixel: 18 -> 24, 9 -> 12, 8 -> 11, 7 -> 9.
    static constexpr int kPoints[4] = {18, 9, 8, 7};
    int points = kPoints[(index >> 1) & 3];
    style.height = -((points * 96 + 36) / 72);
    style.bold = (index & 1) != 0;
    style.underline = (index & 8) != 0;
    return true;
}
