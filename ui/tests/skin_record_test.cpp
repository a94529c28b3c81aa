#include "ui/skin_record.h"

#include <gtest/gtest.h>

#include "ui/skin_builder.h"
#include "ui/tests/resource_test_files.h"

using resource_test::AppendLe32;
using resource_test::AppendText;
using resource_test::Block;
using resource_test::Bytes;

namespace {

// Element fields in file order, written byte by byte.
struct RawElement {
    std::string text = "Import";
    std::string language = "**";
    uint8_t kind = kSkinLabel;
    uint32_t id = 103;
    int32_t x = 10, y = -20, width = 80, height = 24;
    uint32_t style = 0x00010000, extendedStyle = 0x200;
    uint8_t cursor = 1;
    uint32_t next = 105, previous = 122;
    Bytes kindData;
};

Bytes Header(bool withBackground, const std::string& name = "Default") {
    Bytes record;
    AppendText(record, "TapestriqueSkin v1.00");
    record.push_back(0);
    AppendLe32(record, static_cast<uint32_t>(name.size()));
    AppendText(record, name);
    if (withBackground) {
        Bytes background = Block("BM background");
        record.insert(record.end(), background.begin(), background.end());
    }
    return record;
}

void Append(Bytes& record, const RawElement& element) {
    AppendLe32(record, static_cast<uint32_t>(element.text.size()));
    AppendText(record, element.text);
    AppendText(record, element.language);
    record.push_back(element.kind);
    for (uint32_t value : {element.id, static_cast<uint32_t>(element.x), static_cast<uint32_t>(element.y),
                           static_cast<uint32_t>(element.width), static_cast<uint32_t>(element.height), element.style,
                           element.extendedStyle}) {
        AppendLe32(record, value);
    }
    record.push_back(element.cursor);
    AppendLe32(record, element.next);
    AppendLe32(record, element.previous);
    record.insert(record.end(), element.kindData.begin(), element.kindData.end());
}

Bytes LabelData(uint8_t font, uint32_t textColour, uint32_t background) {
    Bytes data{font};
    AppendLe32(data, textColour);
    AppendLe32(data, background);
    return data;
}

Bytes CustomData(const std::string& className, uint8_t font) {
    Bytes data;
    AppendLe32(data, static_cast<uint32_t>(className.size()));
    AppendText(data, className);
    data.push_back(font);
    return data;
}

Bytes ButtonData(const std::vector<std::pair<uint8_t, std::string>>& states) {
    Bytes data;
    for (const auto& [state, picture] : states) {
        AppendLe32(data, 0xA5A5A5A5);  // any non-zero marker
        data.push_back(state);
        Bytes block = Block(picture);
        data.insert(data.end(), block.begin(), block.end());
    }
    AppendLe32(data, 0);
    return data;
}

// A record with one element of every kind, in four languages where it matters.
Bytes EveryKind() {
    Bytes record = Header(true);
    RawElement list;
    list.text = "Pictures";
    list.kind = kSkinCustom;
    list.id = 107;
    list.kindData = CustomData("listbox", 2);
    Append(record, list);
    for (const char* language : {"CA", "en", "ES", "FR"}) {
        RawElement button;
        button.text = std::string("Import ") + language;
        button.language = language;
        button.kind = kSkinButton;
        button.kindData = ButtonData({{1, "normal"}, {5, "hover " + button.text}, {1, "normal again"}});
        Append(record, button);
        RawElement preview;
        preview.text = std::string("Preview ") + language;
        preview.language = language;
        preview.kind = kSkinPicture;
        preview.id = 106;
        Bytes block = Block("BM preview");
        preview.kindData = block;
        Append(record, preview);
    }
    RawElement label;
    label.text = "No image selected";
    label.id = 101;
    label.cursor = 0;
    label.kindData = LabelData(4, 0x00112233, kSkinNoBackgroundColour);
    Append(record, label);
    AppendLe32(record, 0);
    return record;
}

}  // namespace

TEST(SkinRecord, LanguageFilterStepsOverForeignElements) {
    Bytes record = EveryKind();
    struct Case {
        const char* language;
        const char* expectedButton;
    } cases[] = {{"EN", "Import en"}, {"es", "Import ES"}, {"Ca", "Import CA"}, {"FR", "Import FR"}};
    for (const Case& c : cases) {
        SkinRecord skin;
        ASSERT_EQ(ReadSkinRecord(record.data(), record.size(), true, c.language, skin), 0) << c.language;
        ASSERT_EQ(skin.elements.size(), 4u) << c.language;
        EXPECT_STREQ(skin.elements[0].className, "listbox");
        EXPECT_STREQ(skin.elements[1].text, c.expectedButton);
        EXPECT_EQ(skin.elements[2].controlId, 106u);
        EXPECT_STREQ(skin.elements[3].text, "No image selected");
    }
    SkinRecord everything;
    ASSERT_EQ(ReadSkinRecord(record.data(), record.size(), true, nullptr, everything), 0);
    EXPECT_EQ(everything.elements.size(), 10u);
}

TEST(SkinRecord, KeepsEveryFieldAndAddsTheKindsStyle) {
    Bytes record = EveryKind();
    SkinRecord skin;
    ASSERT_EQ(ReadSkinRecord(record.data(), record.size(), true, "EN", skin), 0);
    EXPECT_STREQ(skin.header.name, "Default");
    ASSERT_TRUE(skin.header.hasBackground);
    EXPECT_EQ(skin.header.background.size, Block("BM background").size());

    const SkinElementRecord& list = skin.elements[0];
    EXPECT_EQ(list.kind, kSkinCustom);
    EXPECT_EQ(list.style, 0x00010000u);  // nothing added to custom controls
    EXPECT_EQ(list.fontIndex, 2);

    const SkinElementRecord& button = skin.elements[1];
    EXPECT_STREQ(button.language, "en");
    EXPECT_STREQ(button.className, "button");
    EXPECT_EQ(button.style, 0x0001000Bu);
    EXPECT_EQ(button.extendedStyle, 0x200u);
    EXPECT_EQ(button.x, 10);
    EXPECT_EQ(button.y, -20);
    EXPECT_EQ(button.width, 80);
    EXPECT_EQ(button.height, 24);
    EXPECT_EQ(button.cursor, 1);
    EXPECT_EQ(button.nextId, 105u);
    EXPECT_EQ(button.previousId, 122u);
    ASSERT_EQ(button.statePictures.size(), 3u);  // file order; the last state 1 is the one drawn
    EXPECT_EQ(button.statePictures[0].state, 1);
    EXPECT_EQ(button.statePictures[1].state, 5);
    EXPECT_EQ(button.statePictures[2].state, 1);
    EXPECT_EQ(button.statePictures[2].picture.size, Block("normal again").size());

    const SkinElementRecord& preview = skin.elements[2];
    EXPECT_STREQ(preview.className, "static");
    EXPECT_EQ(preview.style, 0x0001010Eu);
    EXPECT_EQ(preview.picture.size, Block("BM preview").size());

    const SkinElementRecord& label = skin.elements[3];
    EXPECT_STREQ(label.className, "static");
    EXPECT_EQ(label.style, 0x00010180u);
    EXPECT_EQ(label.fontIndex, 4);
    EXPECT_EQ(label.textColour, 0x00112233u);
    EXPECT_EQ(label.backgroundColour, kSkinNoBackgroundColour);
}

TEST(SkinRecord, EmptyListsAndPictureSets) {
    Bytes onlyBackground = Header(true);
    AppendLe32(onlyBackground, 0);
    SkinRecord skin;
    ASSERT_EQ(ReadSkinRecord(onlyBackground.data(), onlyBackground.size(), true, "EN", skin), 0);
    EXPECT_TRUE(skin.header.hasBackground);
    EXPECT_TRUE(skin.elements.empty());

    Bytes pictureSet = Header(false, "");
    for (uint32_t id : {128u, 129u, 130u, 131u}) {
        RawElement button;
        button.kind = kSkinButton;
        button.id = id;
        button.kindData = ButtonData({{0, "off"}, {1, "on"}});
        Append(pictureSet, button);
    }
    AppendLe32(pictureSet, 0);
    ASSERT_EQ(ReadSkinRecord(pictureSet.data(), pictureSet.size(), false, "FR", skin), 0);
    EXPECT_FALSE(skin.header.hasBackground);
    EXPECT_STREQ(skin.header.name, "");
    ASSERT_EQ(skin.elements.size(), 4u);
    EXPECT_EQ(skin.elements[3].controlId, 131u);
    EXPECT_EQ(skin.elements[3].statePictures.size(), 2u);
    // Read as a window skin, the first element's bytes make no background block.
    EXPECT_NE(ReadSkinRecord(pictureSet.data(), pictureSet.size(), true, "FR", skin), 0);
}

TEST(SkinRecord, RefusesMalformedRecords) {
    auto withElement = [](RawElement element) {
        Bytes record = Header(true);
        Append(record, element);
        AppendLe32(record, 0);
        return record;
    };
    RawElement label;
    label.kindData = LabelData(4, 0, 0);
    struct Case {
        const char* description;
        Bytes record;
        bool withBackground;
        int expected;
    } cases[] = {
        {"wrong magic",
         [] {
             Bytes r = Header(true);
             r[0] = 't';
             AppendLe32(r, 0);
             return r;
         }(),
         true, 3},
        {"skin name of 128 bytes",
         [] {
             Bytes r = Header(false, std::string(128, 'n'));
             AppendLe32(r, 0);
             return r;
         }(),
         false, 3},
        {"skin name of 127 bytes",
         [] {
             Bytes r = Header(false, std::string(127, 'n'));
             AppendLe32(r, 0);
             return r;
         }(),
         false, 0},
        {"background block cut short",
         [] {
             Bytes r = Header(true);
             r.resize(r.size() - 2);
             return r;
         }(),
         true, 1},
        {"text of 128 bytes",
         [&] {
             RawElement e = label;
             e.text = std::string(128, 't');
             return withElement(e);
         }(),
         true, 3},
        {"text of 127 bytes",
         [&] {
             RawElement e = label;
             e.text = std::string(127, 't');
             return withElement(e);
         }(),
         true, 0},
        {"kind 4",
         [&] {
             RawElement e = label;
             e.kind = 4;
             return withElement(e);
         }(),
         true, 3},
        {"kind 4 in a foreign language",
         [&] {
             RawElement e = label;
             e.kind = 4;
             e.language = "ES";
             return withElement(e);
         }(),
         true, 3},
        {"class name of 128 bytes",
         [&] {
             RawElement e = label;
             e.kind = 0;
             e.kindData = CustomData(std::string(128, 'c'), 1);
             return withElement(e);
         }(),
         true, 3},
        {"empty class name",
         [&] {
             RawElement e = label;
             e.kind = 0;
             e.kindData = CustomData("", 1);
             return withElement(e);
         }(),
         true, 3},
        {"no end marker",
         [&] {
             Bytes r = withElement(label);
             r.resize(r.size() - 4);
             return r;
         }(),
         true, 3},
        {"state picture running past the end",
         [&] {
             RawElement e = label;
             e.kind = kSkinButton;
             e.kindData = ButtonData({{1, "normal"}});
             Bytes r = Header(true);
             Append(r, e);
             r.resize(r.size() - 5);
             return r;
         }(),
         true, 3},
    };
    for (const Case& c : cases) {
        SkinRecord skin;
        EXPECT_EQ(ReadSkinRecord(c.record.data(), c.record.size(), c.withBackground, "EN", skin), c.expected)
            << c.description;
        if (c.expected != 0) {
            EXPECT_TRUE(skin.elements.empty()) << c.description;
        }
    }
}

TEST(SkinRecord, EveryTruncationIsRefused) {
    Bytes record = EveryKind();
    for (size_t size = 0; size < record.size(); ++size) {
        // A copy of exactly `size` bytes, so the sanitizers see any read past it.
        Bytes cut(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(size));
        SkinRecord skin;
        EXPECT_NE(ReadSkinRecord(cut.data(), cut.size(), true, "EN", skin), 0) << size;
    }
}

TEST(SkinRecord, BuilderWritesWhatTheReaderReads) {
    SkinSource source;
    source.name = "Round trip";
    source.hasBackground = true;
    source.background = {'B', 'M', 1, 2, 3};
    SkinElementSource close;
    close.text = "Close";
    close.kind = kSkinButton;
    close.controlId = 122;
    close.statePictures = {{1, {'B', 'M'}}, {7, {'B', 'M', 7}}};
    SkinElementSource status;
    status.text = "Initializing...";
    status.language = "EN";
    status.kind = kSkinLabel;
    status.controlId = 126;
    status.fontIndex = 3;
    status.backgroundColour = 0x00FFEEDD;
    SkinElementSource progress;
    progress.text = "progress";
    progress.kind = kSkinCustom;
    progress.className = "msctls_progress32";
    progress.controlId = 127;
    source.elements = {close, status, progress};
    ByteVector record;
    std::string error;
    ASSERT_TRUE(BuildSkinRecord(source, record, error)) << error;

    SkinRecord skin;
    ASSERT_EQ(ReadSkinRecord(record.data(), record.size(), true, "en", skin), 0);
    EXPECT_STREQ(skin.header.name, "Round trip");
    ASSERT_EQ(skin.elements.size(), 3u);
    EXPECT_EQ(skin.elements[0].statePictures.size(), 2u);
    EXPECT_EQ(skin.elements[1].backgroundColour, 0x00FFEEDDu);
    EXPECT_STREQ(skin.elements[2].className, "msctls_progress32");
    ASSERT_EQ(ReadSkinRecord(record.data(), record.size(), true, "FR", skin), 0);
    EXPECT_EQ(skin.elements.size(), 2u);

    SkinSource bad = source;
    bad.elements[1].text = std::string(128, 'x');
    EXPECT_FALSE(BuildSkinRecord(bad, record, error));
    bad = source;
    bad.elements[2].className.clear();
    EXPECT_FALSE(BuildSkinRecord(bad, record, error));
}

TEST(SkinFonts, SizesFollowTheIndexBits) {
    struct Case {
        uint8_t index;
        int height;
        bool bold, underline;
    } cases[] = {{0, -24, false, false}, {1, -24, true, false}, {2, -12, false, false}, {5, -11, true, false},
                 {6, -9, false, false},  {9, -24, true, true},  {10, -12, false, true}, {15, -9, true, true}};
    for (const Case& c : cases) {
        SkinFontStyle style;
        ASSERT_TRUE(GetSkinFontStyle(c.index, style));
        EXPECT_EQ(style.height, c.height) << int(c.index);
        EXPECT_EQ(style.bold, c.bold) << int(c.index);
        EXPECT_EQ(style.underline, c.underline) << int(c.index);
    }
    SkinFontStyle style;
    EXPECT_FALSE(GetSkinFontStyle(16, style));
    EXPECT_FALSE(GetSkinFontStyle(255, style));
}
