// The skin record: the face of one window (a background picture and its child controls), or
// a set of button pictures without background. All integers little-endian.
//
//   22 bytes "TapestriqueSkin v1.00" and a NUL; u32 N (0..127) and N bytes of skin name;
//   the background block (window skins only; the caller says whether to expect it):
//     u32 C, u32 U, C bytes of a zlib stream of a U-byte BMP file image;
//   elements back to back, closed by a u32 zero where a text length would stand:
//     u32 T (1..127), T bytes of text, 2 bytes language ("**" or CA, EN, ES, FR),
//     u8 kind, u32 control id, i32 x, y, width, height, u32 style, u32 extended style,
//     u8 cursor (1 hand), u32 next id, u32 previous id, then the kind's data:
//       0 custom   u32 K (1..127), K bytes of window class name, u8 font index
//       1 label    u8 font index, u32 text colour, u32 background colour (0xFFFFFFFF: none)
//       2 picture  one block holding a BMP file image
//       3 button   state pictures {u32 marker (non-zero), u8 state, one block}..., u32 zero
//
// This module reads records into a model that still points into the caller's buffer (the
// picture blocks are views); the Windows layer (ui/skin_win32.h) turns the model into bitmaps and
// windows before the buffer goes away. Reading never passes the end of the buffer: a record
// that ends early, a string longer than 127 bytes or a kind above 3 is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/bounded_reader.h"

constexpr char kSkinMagic[] = "TapestriqueSkin v1.00";
constexpr size_t kSkinMagicSize = sizeof(kSkinMagic);  // 22, with the NUL
constexpr size_t kSkinMaxString = 127;

enum SkinResult : int {
    kSkinOk = 0,
    kSkinNoBackground = 1,  // the background picture cannot be made
    kSkinWrongFormat = 3,   // wrong magic, or a malformed record
};

enum SkinKind : uint8_t {
    kSkinCustom = 0,
    kSkinLabel = 1,
    kSkinPicture = 2,
    kSkinButton = 3,
};

// Window style bits that each kind adds to the stored ones.
constexpr uint32_t kSkinChildStyle = 0x50000000;  // WS_CHILD | WS_VISIBLE, every control
constexpr uint32_t kSkinLabelStyle = 0x180;       // SS_NOTIFY | SS_NOPREFIX
constexpr uint32_t kSkinPictureStyle = 0x10E;     // SS_BITMAP | SS_NOTIFY
constexpr uint32_t kSkinButtonStyle = 0x0B;       // BS_OWNERDRAW
constexpr uint32_t kSkinNoBackgroundColour = 0xFFFFFFFF;
constexpr uint8_t kSkinHandCursor = 1;
constexpr uint8_t kSkinFontCount = 16;

// Button state numbers.
enum SkinButtonState : uint8_t {
    kButtonDisabled = 0,
    kButtonNormal = 1,
    kButtonNormalFocused = 2,
    kButtonHover = 5,
    kButtonHoverFocused = 6,
    kButtonPressed = 7,
    kButtonPressedFocused = 8,
};

// An inflatable block inside the record (u32 C, u32 U, stream), 8 + C bytes.
struct SkinBlockView {
    const unsigned char* data = nullptr;
    size_t size = 0;
};

struct SkinStatePictureRecord {
    uint8_t state = 0;
    SkinBlockView picture;
};

struct SkinElementRecord {
    char text[kSkinMaxString + 1] = {};
    char language[3] = {};
    uint8_t kind = 0;
    uint32_t controlId = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    uint32_t style = 0;  // with the bits the kind adds
    uint32_t extendedStyle = 0;
    uint8_t cursor = 0;
    uint32_t nextId = 0, previousId = 0;
    char className[kSkinMaxString + 1] = {};  // the stored class, "static" or "button"
    uint8_t fontIndex = 0xFF;                 // kinds 0 and 1; above 15: the class's font
    uint32_t textColour = 0;
    uint32_t backgroundColour = kSkinNoBackgroundColour;
    SkinBlockView picture;                              // kind 2
    std::vector<SkinStatePictureRecord> statePictures;  // kind 3, file order
};

struct SkinRecordHeader {
    char name[kSkinMaxString + 1] = {};
    bool hasBackground = false;
    SkinBlockView background;
};

// Reads the magic, the name and, when `withBackground`, the background block. Returns 0;
// 3 for a wrong magic or a bad name; 1 when the background block runs past the end of the
// buffer. On success the reader stands on the first element.
[[nodiscard]] int ReadSkinHeader(BoundedReader& in, bool withBackground, SkinRecordHeader& header);

// Reads the element list up to its end marker. Elements whose language is neither "**" nor
// `languageCode` (compared without regard to case) are stepped over; a null `languageCode`
// keeps them all. Returns 0, or 3 for a malformed list (then `elements` is empty).
[[nodiscard]] int ReadSkinElements(BoundedReader& in,
                                   const char* languageCode,
                                   std::vector<SkinElementRecord>& elements);

struct SkinRecord {
    SkinRecordHeader header;
    std::vector<SkinElementRecord> elements;
};

// Header and elements in one step: 0, 1 or 3 as above.
[[nodiscard]] int ReadSkinRecord(const unsigned char* data,
                                 size_t size,
                                 bool withBackground,
                                 const char* languageCode,
                                 SkinRecord& record);

// True when an element of `language` is shown in `languageCode`.
[[nodiscard]] bool SkinLanguageMatches(const char* language, const char* languageCode);

// The style bits that `kind` adds (0 for custom controls and for unknown kinds).
[[nodiscard]] uint32_t SkinKindStyle(uint8_t kind);

// The shared interface font of an index 0..15: Arial, height in pixels (negative: character
// height) at a fixed 96 dots per inch, bold, underline. False above 15.
struct SkinFontStyle {
    int height = 0;
    bool bold = false;
    bool underline = false;
};
[[nodiscard]] bool GetSkinFontStyle(uint8_t index, SkinFontStyle& style);
