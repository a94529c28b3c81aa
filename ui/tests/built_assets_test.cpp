// The Tapestrique.dat that the build makes: every entry the programs ask for is there and
// usable, every skin parses in every language with the controls its window expects, and
// every picture decodes at the size its user draws it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <span>
#include <string>

#include "tests/support/test_support.h"
#include "ui/bmp_image.h"
#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/data_resource_builder.h"
#include "ui/skin_record.h"

namespace {

const char* const kLanguages[] = {"CA", "EN", "ES", "FR"};

std::string BuiltDataResourcePath() {
    std::string path = TQ_BUILT_DATA_RESOURCE;
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') path = "Z:" + path;  // the Unix root under Wine
#endif
    return path;
}

// One entry's content, or an empty string with a test failure.
std::string Entry(const char* name) {
    unsigned char* content = nullptr;
    uint32_t size = 0;
    int result = LoadDataResourceFromFile(BuiltDataResourcePath().c_str(), name, &content, &size);
    EXPECT_EQ(result, 0) << name;
    std::string bytes(reinterpret_cast<char*>(content), content != nullptr ? size : 0);
    std::free(content);
    return bytes;
}

struct PictureSize {
    int width = 0;
    int height = 0;
};

PictureSize DecodedSize(const unsigned char* bmp, size_t size) {
    OwnedRgbImage image;
    if (!DecodeBmpImage(bmp, size, image)) return {};
    return {image.Width(), image.Height()};
}

PictureSize BlockSize(const SkinBlockView& block) {
    OwnedRgbImage image;
    if (!DecodeBmpBlock(block.data, block.size, image)) return {};
    return {image.Width(), image.Height()};
}

struct SkinCase {
    const char* entry;
    bool withBackground;
    PictureSize background;
    std::span<const uint32_t> controls;
};

const SkinCase kSkins[] = {
    {"SkinDefault", true, {620, 440}, kMainWindowControls},
    {"SkinInitialization", true, {320, 110}, kInitializationControls},
    {"SkinNewImage", true, {300, 210}, kNewImageControls},
    {"SkinDialogSettingsScreensaver", false, {}, kScreensaverButtonPictures},
};

}  // namespace

TEST(BuiltAssets, TheFileIsValid) {
    EXPECT_EQ(LoadDataResourceFromFile(BuiltDataResourcePath().c_str(), nullptr, nullptr, nullptr), 0)
        << BuiltDataResourcePath();
}

TEST(BuiltAssets, EverySkinHasItsControlsInEveryLanguage) {
    for (const SkinCase& c : kSkins) {
        std::string record = Entry(c.entry);
        const auto* data = reinterpret_cast<const unsigned char*>(record.data());
        for (const char* language : kLanguages) {
            SCOPED_TRACE(std::string(c.entry) + " " + language);
            SkinRecord skin;
            ASSERT_EQ(ReadSkinRecord(data, record.size(), c.withBackground, language, skin), 0);
            if (c.withBackground) {
                PictureSize background = BlockSize(skin.header.background);
                EXPECT_EQ(background.width, c.background.width);
                EXPECT_EQ(background.height, c.background.height);
            }
            std::multiset<uint32_t> ids;
            for (const SkinElementRecord& element : skin.elements) {
                ids.insert(element.controlId);
                // Every control lies inside the window.
                if (c.withBackground) {
                    EXPECT_GE(element.x, 0) << element.controlId;
                    EXPECT_GE(element.y, 0) << element.controlId;
                    EXPECT_LE(element.x + element.width, c.background.width) << element.controlId;
                    EXPECT_LE(element.y + element.height, c.background.height) << element.controlId;
                }
                if (element.kind == kSkinPicture) {
                    PictureSize picture = BlockSize(element.picture);
                    EXPECT_EQ(picture.width, element.width) << element.controlId;
                    EXPECT_EQ(picture.height, element.height) << element.controlId;
                }
                if (element.kind == kSkinButton) {
                    std::set<int> states;
                    for (const SkinStatePictureRecord& state : element.statePictures) {
                        states.insert(state.state);
                        PictureSize picture = BlockSize(state.picture);
                        EXPECT_EQ(picture.width, element.width) << element.controlId << " state " << int(state.state);
                        EXPECT_EQ(picture.height, element.height) << element.controlId;
                    }
                    EXPECT_EQ(states, (std::set<int>{0, 1, 2, 5, 6, 7, 8})) << element.controlId;
                }
            }
            // Exactly one element per control id once the language filter has run.
            EXPECT_EQ(std::set<uint32_t>(ids.begin(), ids.end()),
                      std::set<uint32_t>(c.controls.begin(), c.controls.end()));
            EXPECT_EQ(ids.size(), c.controls.size());
        }
    }
}

TEST(BuiltAssets, MainWindowControlsBehaveAsTheWindowExpects) {
    std::string record = Entry("SkinDefault");
    SkinRecord skin;
    ASSERT_EQ(ReadSkinRecord(reinterpret_cast<const unsigned char*>(record.data()), record.size(), true, "EN", skin),
              0);
    std::map<uint32_t, const SkinElementRecord*> byId;
    for (const SkinElementRecord& element : skin.elements) byId[element.controlId] = &element;

    const SkinElementRecord& list = *byId.at(kMainPictureList);
    EXPECT_EQ(list.kind, kSkinCustom);
    EXPECT_STREQ(list.className, "listbox");
    EXPECT_EQ(list.style & 0x3u, 0x3u) << "a sorted list that notifies its parent";
    EXPECT_EQ(byId.at(kMainDetailsLabel)->kind, kSkinLabel);
    EXPECT_EQ(byId.at(kMainCountLabel)->kind, kSkinLabel);
    EXPECT_EQ(byId.at(kMainPreviewPicture)->kind, kSkinPicture);
    for (uint32_t id : kMainWindowControls) {
        if (id == kMainPictureList || id == kMainDetailsLabel || id == kMainCountLabel || id == kMainPreviewPicture) {
            continue;
        }
        EXPECT_EQ(byId.at(id)->kind, kSkinButton) << id;
        EXPECT_EQ(byId.at(id)->cursor, kSkinHandCursor) << id;
    }

    // Tab visits every keyboard control once and comes back; Shift+Tab walks the same ring backwards.
    std::set<uint32_t> visited;
    uint32_t id = kMainPictureList;
    do {
        ASSERT_TRUE(byId.count(id)) << "the chain leads to the missing control " << id;
        ASSERT_TRUE(visited.insert(id).second) << "the chain loops early at " << id;
        uint32_t next = byId.at(id)->nextId;
        ASSERT_TRUE(byId.count(next)) << next;
        EXPECT_EQ(byId.at(next)->previousId, id) << "previous of " << next;
        id = next;
    } while (id != kMainPictureList);
    // Every control but the labels and the preview takes the keyboard.
    std::set<uint32_t> expected(std::begin(kMainWindowControls), std::end(kMainWindowControls));
    for (uint32_t passive : {kMainDetailsLabel, kMainCountLabel, kMainPreviewPicture}) expected.erase(passive);
    EXPECT_EQ(visited, expected);
}

TEST(BuiltAssets, EveryBitmapDecodesAtItsSize) {
    std::string file;
    {
        test_support::Bytes bytes = test_support::ReadFileBytes(BuiltDataResourcePath());
        file.assign(bytes.begin(), bytes.end());
    }
    std::vector<DataResourceEntryInfo> entries;
    ASSERT_TRUE(ListDataResourceEntries(reinterpret_cast<const unsigned char*>(file.data()), file.size(), entries));
    struct Expected {
        const char* prefix;
        PictureSize size;
    } sizes[] = {
        {"BitmapAboutTapestrique_TrFF00FF", {166, 36}},
        {"BitmapWelcomeTrayIconDescription", {262, 44}},
        {"BitmapSettingsGeneralLanguageCa_", {22, 16}},
        {"BitmapSettingsGeneralLanguageEn_", {22, 16}},
        {"BitmapSettingsGeneralLanguageEs_", {22, 16}},
        {"BitmapSettingsGeneralLanguageFr_", {22, 16}},
        {"BitmapSettings", {32, 32}},
        {"BitmapNoImagesAvailablePreview_", {152, 112}},
        {"BitmapNoImagesAvailableNormal_", {484, 121}},
    };
    int bitmaps = 0;
    for (const DataResourceEntryInfo& info : entries) {
        if (info.name.rfind("Bitmap", 0) != 0) continue;
        ++bitmaps;
        std::string content = Entry(info.name.c_str());
        PictureSize size = DecodedSize(reinterpret_cast<const unsigned char*>(content.data()), content.size());
        const Expected* expected = nullptr;
        for (const Expected& e : sizes) {
            if (info.name.rfind(e.prefix, 0) == 0) {
                expected = &e;
                break;
            }
        }
        ASSERT_NE(expected, nullptr) << info.name;
        EXPECT_EQ(size.width, expected->size.width) << info.name;
        EXPECT_EQ(size.height, expected->size.height) << info.name;
    }
    EXPECT_EQ(bitmaps, 3 + 40 + 8);
}

TEST(BuiltAssets, SoundsAndTexts) {
    for (const char* name : {"WavClick", "WavGlock", "WavBellTree"}) {
        std::string wave = Entry(name);
        ASSERT_GT(wave.size(), 44u) << name;
        EXPECT_EQ(wave.substr(0, 4), "RIFF") << name;
        EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ") << name;
    }
    for (const char* language : kLanguages) {
        std::string text = Entry((std::string("TextLicenseTQ10_") + language).c_str());
        ASSERT_GT(text.size(), 100u) << language;
        EXPECT_EQ(text.back(), '\0') << language;
        EXPECT_EQ(text.find('\0'), text.size() - 1) << language;
    }
}
