// Writing skin records (layout in ui/skin_record.h) from a description held in memory. Used
// by tqtool skin-build and by tests that need skin fixtures. Pictures are BMP file images;
// they are compressed here.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ui/data_resource_builder.h"
#include "ui/skin_record.h"

struct SkinElementSource {
    std::string text;
    std::string language = "**";
    uint8_t kind = kSkinLabel;
    uint32_t controlId = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    uint32_t style = 0;  // stored as given; the kind's own bits are added when it is read
    uint32_t extendedStyle = 0;
    uint8_t cursor = 0;
    uint32_t nextId = 0, previousId = 0;
    std::string className;  // kind 0
    uint8_t fontIndex = 0xFF;
    uint32_t textColour = 0;
    uint32_t backgroundColour = kSkinNoBackgroundColour;
    ByteVector picture;                                         // kind 2
    std::vector<std::pair<uint8_t, ByteVector>> statePictures;  // kind 3
};

struct SkinSource {
    std::string name;
    bool hasBackground = false;
    ByteVector background;
    std::vector<SkinElementSource> elements;
};

// Serialises `skin`. False, with a reason in `error`, when a field cannot be stored (a text of
// 0 or more than 127 bytes, a language that is not two characters, a class name outside
// 1..127 bytes, a kind above 3, a failed compression).
[[nodiscard]] bool BuildSkinRecord(const SkinSource& skin, ByteVector& out, std::string& error);
