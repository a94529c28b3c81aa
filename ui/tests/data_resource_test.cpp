#include "ui/data_resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "base/byte_source.h"
#include "ui/data_resource_builder.h"
#include "ui/tests/resource_test_files.h"

using resource_test::AppendEntry;
using resource_test::AppendLe32;
using resource_test::Block;
using resource_test::Bytes;
using resource_test::DatMagic;

namespace {

struct LookupCase {
    const char* description;
    std::function<Bytes()> file;
    const char* name;
    int expectedResult;
    std::string expectedContent;
};

Bytes ThreeEntries() {
    Bytes file = DatMagic();
    AppendEntry(file, "WavClick", Block("click"));
    AppendEntry(file, "SkinDefault", Block("first skin"));
    AppendEntry(file, "SkinDefault", Block("second skin"));
    return file;
}

Bytes LatinEntry() {
    Bytes file = DatMagic();
    AppendEntry(file, "Text\xC9", Block("latin"));
    return file;
}

Bytes DamagedThenGood() {
    Bytes file = DatMagic();
    Bytes broken = Block("this stream will not inflate");
    broken[10] ^= 0xFF;
    broken[broken.size() - 1] ^= 0xFF;
    AppendEntry(file, "TextBroken", broken);
    AppendEntry(file, "TextGood", Block("fine"));
    return file;
}

Bytes WithNameLength(uint32_t length) {
    Bytes file = DatMagic();
    AppendEntry(file, "BitmapA", Block("a"));
    AppendLe32(file, length);
    resource_test::AppendText(file, "Hidden");
    AppendEntry(file, "BitmapB", Block("b"));
    return file;
}

const LookupCase kLookups[] = {
    {"lower-case name finds the entry", ThreeEntries, "skindefault", 0, "first skin"},
    {"the first of two equal names wins", ThreeEntries, "SKINDEFAULT", 0, "first skin"},
    {"an entry behind others", ThreeEntries, "wavclick", 0, "click"},
    {"missing name at the exact end of the file", ThreeEntries, "WavGlock", 7, ""},
    {"letters only fold in ASCII", [] { return LatinEntry(); }, "text\xE9", 7, ""},
    {"other bytes compare exactly", [] { return LatinEntry(); }, "TEXT\xC9", 0, "latin"},
    {"a zero name length ends the directory", [] { return WithNameLength(0); }, "BitmapB", 7, ""},
    {"a name length of 129 ends the directory", [] { return WithNameLength(129); }, "BitmapB", 7, ""},
    {"entries ahead of the end are still found", [] { return WithNameLength(0); }, "BitmapA", 0, "a"},
    {"a damaged stream", DamagedThenGood, "TextBroken", 1, ""},
    {"entries behind a damaged stream", DamagedThenGood, "TextGood", 0, "fine"},
    {"magic in another letter case",
     [] {
         Bytes file = ThreeEntries();
         file[0] = 't';
         return file;
     },
     "WavClick", 3, ""},
    {"magic without its NUL",
     [] {
         Bytes file = ThreeEntries();
         file[30] = ' ';
         return file;
     },
     nullptr, 3, ""},
    {"file shorter than the magic",
     [] {
         Bytes magic = DatMagic();
         magic.pop_back();
         return magic;
     },
     nullptr, 3, ""},
    {"no name on a valid file", ThreeEntries, nullptr, 0, ""},
    {"no name on a file of the magic alone", DatMagic, nullptr, 0, ""},
    {"content shorter than announced is damaged",
     [] {
         Bytes file = DatMagic();
         AppendEntry(file, "TextShort", Block("twelve bytes", 40));
         return file;
     },
     "TextShort", 1, ""},
    {"content longer than announced does not inflate",
     [] {
         Bytes file = DatMagic();
         AppendEntry(file, "TextLong", Block("twelve bytes", 11));
         return file;
     },
     "TextLong", 1, ""},
    {"a stream cut by the end of the file",
     [] {
         Bytes file = DatMagic();
         AppendEntry(file, "TextCut", Block("some content that compresses"));
         file.resize(file.size() - 3);
         return file;
     },
     "TextCut", 1, ""},
    {"a compressed length beyond the file is refused before allocation",
     [] {
         Bytes file = DatMagic();
         Bytes block = Block("x");
         block[0] = 0xF0, block[1] = 0xFF, block[2] = 0xFF, block[3] = 0xFF;
         AppendEntry(file, "TextHuge", block);
         return file;
     },
     "TextHuge", 1, ""},
    {"an inflated length zlib cannot reach is refused before allocation",
     [] {
         Bytes file = DatMagic();
         AppendEntry(file, "TextBomb", Block("x", 0xFFFFFFF0u));
         return file;
     },
     "TextBomb", 1, ""},
    {"a skip past the end ends the directory",
     [] {
         Bytes file = DatMagic();
         Bytes block = Block("x");
         block[0] = 0xF0, block[1] = 0xFF, block[2] = 0xFF, block[3] = 0x7F;
         AppendEntry(file, "TextHuge", block);
         return file;
     },
     "WavClick", 7, ""},
    {"a name cut by the end of the file",
     [] {
         Bytes file = DatMagic();
         AppendLe32(file, 20);
         resource_test::AppendText(file, "Skin");
         return file;
     },
     "Skin", 7, ""},
};

void ExpectLookup(const LookupCase& lookup, int result, unsigned char* content, uint32_t size) {
    EXPECT_EQ(result, lookup.expectedResult) << lookup.description;
    if (result == 0 && lookup.name != nullptr) {
        ASSERT_NE(content, nullptr) << lookup.description;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(content), size), lookup.expectedContent) << lookup.description;
    } else {
        EXPECT_EQ(content, nullptr) << lookup.description;
        EXPECT_EQ(size, 0u) << lookup.description;
    }
    std::free(content);
}

}  // namespace

TEST(DataResourceLookup, InMemory) {
    for (const LookupCase& lookup : kLookups) {
        Bytes file = lookup.file();
        ByteSource input;
        input.OpenMemory(file.data(), file.size());
        unsigned char* content = reinterpret_cast<unsigned char*>(1);
        uint32_t size = 99;
        int result = FindDataResource(input, lookup.name, &content, &size);
        ExpectLookup(lookup, result, content, size);
    }
}

TEST(DataResourceLookup, FromAFile) {
    test_support::TempDir folder;
    for (const LookupCase& lookup : kLookups) {
        std::string path = folder.File("Tapestrique.dat");
        test_support::WriteFileBytes(path, lookup.file());
        unsigned char* content = nullptr;
        uint32_t size = 0;
        int result = LoadDataResourceFromFile(path.c_str(), lookup.name, &content, &size);
        ExpectLookup(lookup, result, content, size);
    }
}

TEST(DataResourceLookup, TheInstalledFileIsTheOneSetAtStartUp) {
    test_support::TempDir folder;
    std::string path = folder.File("Tapestrique.dat");
    test_support::WriteFileBytes(path, ThreeEntries());
    SetDataResourcePath(folder.File("absent.dat").c_str());
    unsigned char* content = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(LoadDataResource(nullptr, &content, &size), 2);
    EXPECT_EQ(LoadDataResource("WavClick", &content, &size), 2);
    SetDataResourcePath(path.c_str());
    EXPECT_EQ(LoadDataResource(nullptr, nullptr, nullptr), 0);
    ASSERT_EQ(LoadDataResource("wavCLICK", &content, &size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(content), size), "click");
    std::free(content);
    SetDataResourcePath(folder.Path().c_str());  // a folder is not a file
    EXPECT_EQ(LoadDataResource(nullptr, nullptr, nullptr), 2);
}

TEST(DataResourceLookup, ReadsOnlyLengthsAndNamesOnTheWay) {
    Bytes file = ThreeEntries();
    ByteSource checkOnly;
    checkOnly.OpenMemory(file.data(), file.size());
    EXPECT_EQ(FindDataResource(checkOnly, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(checkOnly.BytesDelivered(), 31u);
    EXPECT_EQ(checkOnly.Position(), 31u);

    ByteSource missing;
    missing.OpenMemory(file.data(), file.size());
    EXPECT_EQ(FindDataResource(missing, "Nothing", nullptr, nullptr), 7);
    // Per entry: name length, name and compressed length are read; the rest is skipped.
    EXPECT_EQ(missing.BytesDelivered(), 31u + 3 * 8 + 8 + 11 + 11);
    EXPECT_EQ(missing.Position(), file.size());
}

TEST(DataResourceBuilder, WritesWhatTheLookupReadsAndListsIt) {
    ByteVector file;
    BeginDataResourceFile(file);
    const std::string text = "Licence\r\ntext\0";
    ASSERT_TRUE(AppendDataResourceEntry(file, "TextLicenseTQ10_EN", reinterpret_cast<const unsigned char*>(text.data()),
                                        text.size() + 1));
    ASSERT_TRUE(AppendDataResourceEntry(file, std::string(128, 'N'), nullptr, 0));
    EXPECT_FALSE(AppendDataResourceEntry(file, std::string(129, 'N'), nullptr, 0));
    EXPECT_FALSE(AppendDataResourceEntry(file, "", nullptr, 0));

    ByteSource input;
    input.OpenMemory(file.data(), file.size());
    unsigned char* content = nullptr;
    uint32_t size = 0;
    ASSERT_EQ(FindDataResource(input, "textlicensetq10_en", &content, &size), 0);
    EXPECT_EQ(size, text.size() + 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(content)), text);
    std::free(content);

    std::vector<DataResourceEntryInfo> entries;
    ASSERT_TRUE(ListDataResourceEntries(file.data(), file.size(), entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "TextLicenseTQ10_EN");
    EXPECT_EQ(entries[0].inflatedSize, text.size() + 1);
    EXPECT_EQ(entries[1].inflatedSize, 0u);
    file.resize(file.size() - 1);
    EXPECT_FALSE(ListDataResourceEntries(file.data(), file.size(), entries));
}
