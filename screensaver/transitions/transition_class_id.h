// The class identifier that names a transition effect: a 128-bit identifier laid out like a
// Windows GUID, written in the catalogue in its registry form and parsed at compile time, so
// a mistyped identifier fails the build instead of an effect at run time.
#pragma once

#include <cstdint>

struct TransitionClassId {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};

    friend constexpr bool operator==(const TransitionClassId&, const TransitionClassId&) = default;
};

namespace transition_class_id_detail {

// Never defined: reaching a call while parsing at compile time stops the build there.
void NotAClassIdentifier(const char* reason);

consteval uint32_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return uint32_t(c - '0');
    if (c >= 'A' && c <= 'F') return uint32_t(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return uint32_t(c - 'a' + 10);
    NotAClassIdentifier("a character that is not a hexadecimal digit");
    return 0;
}

consteval uint32_t Hex(const char* text, int digits) {
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i) value = value * 16 + HexDigit(text[i]);
    return value;
}

}  // namespace transition_class_id_detail

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" as an identifier; anything else does not compile.
consteval TransitionClassId ParseTransitionClassId(const char (&text)[39]) {
    using transition_class_id_detail::Hex;
    if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' || text[37] != '}') {
        transition_class_id_detail::NotAClassIdentifier("braces and dashes out of place");
    }
    TransitionClassId id;
    id.data1 = Hex(text + 1, 8);
    id.data2 = uint16_t(Hex(text + 10, 4));
    id.data3 = uint16_t(Hex(text + 15, 4));
    id.data4[0] = uint8_t(Hex(text + 20, 2));
    id.data4[1] = uint8_t(Hex(text + 22, 2));
    for (int i = 0; i < 6; ++i) id.data4[2 + i] = uint8_t(Hex(text + 25 + 2 * i, 2));
    return id;
}
