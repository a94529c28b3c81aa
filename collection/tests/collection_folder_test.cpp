#include "collection/collection_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/directory_listing.h"
#include "base/file_io.h"
#include "collection/picture_title.h"
#include "collection/tqi_file.h"
#include "tests/support/test_support.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

using test_support::Bytes;
using test_support::TempDir;

namespace {

// A record that owns a copy of its payload.
struct TestPicture {
    Bytes payload;
    PictureRecord record;

    TestPicture(const char* title, Bytes bytes) : payload(std::move(bytes)) {
        std::strcpy(record.title, title);
        record.width = 800;
        record.height = 600;
        record.payload = payload.data();
        record.payloadSize = static_cast<uint32_t>(payload.size());
    }
};

std::vector<std::string> SortedNames(const std::string& folder) {
    std::vector<std::string> names = test_support::ListFolder(folder);
    std::sort(names.begin(), names.end());
    return names;
}

// Makes every write of a new file into the collection fail while it lives, the way a full
// disk or a locked picture would: on Windows the old file is held open without sharing, so it
// can neither be replaced nor deleted; elsewhere (where the tests may run as root, whom no
// permission stops) a file may not grow beyond `limit` bytes.
class WriteBlocker {
public:
    WriteBlocker(const std::string& heldFile, size_t limit) {
#ifdef _WIN32
        (void)limit;
        EXPECT_TRUE(held_.OpenForSequentialRead(heldFile.c_str()));
#else
        (void)heldFile;
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &previous_), 0);
        rlimit limited = previous_;
        limited.rlim_cur = limit;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
#endif
    }
    ~WriteBlocker() {
#ifndef _WIN32
        (void)setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
#endif
    }
    WriteBlocker(const WriteBlocker&) = delete;
    WriteBlocker& operator=(const WriteBlocker&) = delete;

private:
#ifdef _WIN32
    File held_;
#else
    rlimit previous_{};
    void (*previousSignal_)(int) = SIG_DFL;
#endif
};

}  // namespace

TEST(PictureTitle, AcceptsOnlyPlainFileNamesInsideTheFolder) {
    struct Case {
        const char* title;
        size_t maxLength;
        TitleCheck expected;
    };
    const std::string typedLongest(120, 'x');
    const std::string storedLongest(127, 'x');
    const Case cases[] = {
        {"Evening Sky", 120, TitleCheck::kValid},
        {"\xC9t\xE9 \xE0 l'\xEEle (2) #1 ~{}", 120, TitleCheck::kValid},  // Windows-1252 letters and signs
        {"...dots first", 120, TitleCheck::kValid},
        {"CONSOLE", 120, TitleCheck::kValid},
        {"COM10", 120, TitleCheck::kValid},
        {"Lpt", 120, TitleCheck::kValid},
        {"my CON", 120, TitleCheck::kValid},
        {"", 120, TitleCheck::kEmpty},
        {typedLongest.c_str(), 120, TitleCheck::kValid},
        {storedLongest.c_str(), 120, TitleCheck::kTooLong},
        {storedLongest.c_str(), 127, TitleCheck::kValid},
        {"a?b", 120, TitleCheck::kInvalidCharacters},
        {"..\\..\\evil", 127, TitleCheck::kInvalidCharacters},
        {"../evil", 127, TitleCheck::kInvalidCharacters},
        {"C:evil", 127, TitleCheck::kInvalidCharacters},
        {"tab\there", 127, TitleCheck::kInvalidCharacters},
        {"euro \x80", 127, TitleCheck::kInvalidCharacters},
        {"nbsp\xA0", 127, TitleCheck::kInvalidCharacters},
        {"del\x7F", 127, TitleCheck::kInvalidCharacters},
        {"CON", 127, TitleCheck::kInvalidCharacters},
        {"con.txt", 127, TitleCheck::kInvalidCharacters},
        {"Nul .backup", 127, TitleCheck::kInvalidCharacters},
        {"aux", 127, TitleCheck::kInvalidCharacters},
        {"PRN.a.b", 127, TitleCheck::kInvalidCharacters},
        {"com1", 127, TitleCheck::kInvalidCharacters},
        {"LPT9.jpg", 127, TitleCheck::kInvalidCharacters},
        {"COM\xB9", 127, TitleCheck::kInvalidCharacters},
        {"conout$", 127, TitleCheck::kInvalidCharacters},
        {"ends in a dot.", 127, TitleCheck::kInvalidCharacters},
        {"ends in a blank ", 127, TitleCheck::kInvalidCharacters},
        {"..", 127, TitleCheck::kInvalidCharacters},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckTitle(c.title, c.maxLength), c.expected) << '"' << c.title << '"';
    }

    // Imported names are repaired instead, and whatever comes in, a valid title comes out.
    const std::pair<std::string, std::string> repairs[] = {
        {"a?b*c", "a_b_c"},
        {"CON", "CON_"},
        {"com1.old", "com1_.old"},
        {"Nul .x", "Nul_ .x"},
        {"dots...", "dots"},
        {"blank. .", "blank"},
        {"...", "Image"},
        {"", "Image"},
        {"..\\..\\evil", ".._.._evil"},
        {std::string(200, 'y'), std::string(127, 'y')},
    };
    for (const auto& [name, title] : repairs) EXPECT_EQ(MakeValidTitle(name), title) << name;
    for (unsigned seed = 0; seed < 200; ++seed) {
        Bytes noise = test_support::PseudoRandomBytes(seed % 140, seed);
        std::string name(noise.begin(), noise.end());
        EXPECT_EQ(CheckTitle(MakeValidTitle(name), kStoredTitleLength), TitleCheck::kValid) << "seed " << seed;
    }

    EXPECT_EQ(TitleFromFileName("beach.png"), "beach");
    EXPECT_EQ(TitleFromFileName("C:\\My Pictures\\photo.2020.jpg"), "photo.2020");
    EXPECT_EQ(TitleFromFileName("/home/u/.hidden"), ".hidden");
    EXPECT_EQ(TitleFromFileName("lpt1.tga"), "lpt1_");
    EXPECT_EQ(TitleFromFileName("What?.jpg"), "What_");

    const std::vector<std::string> titles = {"Harbour", "\xC9t\xE9"};
    EXPECT_TRUE(CollectionHasTitle(titles, "\xE9T\xC9"));
    EXPECT_TRUE(CollectionHasTitle(titles, "HARBOUR"));
    EXPECT_FALSE(CollectionHasTitle(titles, "Harbou"));
    EXPECT_FALSE(CollectionHasTitle(titles, ""));
}

TEST(CollectionFolder, RefusedTitlesTouchNothingInsideOrOutsideTheFolder) {
    TempDir root;
    const std::string folder = root.File("Images");
    const std::string exported = root.File("Exported");
    TestPicture keeper("keeper", {0xFF, 0xD8, 0xFF, 0xD9});
    ASSERT_EQ(StoreCollectionPicture(folder.c_str(), keeper.record), kFileOk);
    const Bytes keeperFile = test_support::ReadFileBytes(PathInFolder(folder, "keeper.tqi"));

    for (const char* title : {"..\\..\\evil", "../evil", "CON", "nul.x", "dot.", "a:b", ""}) {
        TestPicture picture(title, {1, 2, 3});
        std::string path;
        EXPECT_EQ(StoreCollectionPicture(folder.c_str(), picture.record), kFileInvalidName) << title;
        EXPECT_EQ(ReadCollectionPicture(folder.c_str(), title, picture.record, false), kFileInvalidName) << title;
        EXPECT_EQ(DeleteCollectionPicture(folder.c_str(), title), kFileInvalidName) << title;
        EXPECT_EQ(RenameCollectionPicture(folder.c_str(), "keeper", title), kFileInvalidName) << title;
        EXPECT_EQ(RenameCollectionPicture(folder.c_str(), title, "other"), kFileInvalidName) << title;
        EXPECT_EQ(ExportCollectionPicture(folder.c_str(), title, exported.c_str(), path), kFileInvalidName) << title;
    }
    // Titles that name one file on Windows are not a rename either.
    EXPECT_EQ(RenameCollectionPicture(folder.c_str(), "keeper", "KEEPER"), kFileInvalidName);
    EXPECT_EQ(RenameCollectionPicture(folder.c_str(), "keeper", "keeper"), kFileInvalidName);

    EXPECT_EQ(SortedNames(root.Path()), (std::vector<std::string>{"Images"}));
    EXPECT_EQ(SortedNames(folder), (std::vector<std::string>{"keeper.tqi"}));
    EXPECT_EQ(test_support::ReadFileBytes(PathInFolder(folder, "keeper.tqi")), keeperFile);
}

TEST(CollectionFolder, AFailedWriteKeepsTheOldPictureWhole) {
    TempDir root;
    const std::string folder = root.File("Images");
    const std::string oldPath = PathInFolder(folder, "Harbour.tqi");
    TestPicture harbour("Harbour", test_support::PseudoRandomBytes(20000, 1));
    ASSERT_EQ(StoreCollectionPicture(folder.c_str(), harbour.record), kFileOk);
    const Bytes oldFile = test_support::ReadFileBytes(oldPath);

    // Overwriting with a bigger picture, and renaming (a new file, then the old one goes).
    TestPicture bigger("Harbour", test_support::PseudoRandomBytes(200000, 2));
    {
        WriteBlocker blocker(oldPath, 10000);  // below either new file
        EXPECT_NE(StoreCollectionPicture(folder.c_str(), bigger.record), kFileOk);
        EXPECT_NE(RenameCollectionPicture(folder.c_str(), "Harbour", "Quay"), kFileOk);
    }
    EXPECT_EQ(test_support::ReadFileBytes(oldPath), oldFile);
    EXPECT_EQ(SortedNames(folder), (std::vector<std::string>{"Harbour.tqi"})) << "no new or temporary file is left";

    EXPECT_EQ(RenameCollectionPicture(folder.c_str(), "Missing", "Quay"), kFileCannotOpen);
    EXPECT_EQ(DeleteCollectionPicture(folder.c_str(), "Missing"), kFileNotWritten);
    EXPECT_EQ(SortedNames(folder), (std::vector<std::string>{"Harbour.tqi"}));
}

TEST(CollectionFolder, StoresRenamesExportsAndDeletes) {
    TempDir root;
    const std::string folder = root.File("Images");
    const std::string exportFolder = root.File("Exported");
    TestPicture first("\xC9t\xE9", test_support::PseudoRandomBytes(5000, 3));
    TestPicture second("\xC9t\xE9", test_support::PseudoRandomBytes(7000, 4));
    ASSERT_EQ(StoreCollectionPicture(folder.c_str(), first.record), kFileOk);
    ASSERT_EQ(StoreCollectionPicture(folder.c_str(), second.record), kFileOk) << "an existing picture is replaced";

    ASSERT_EQ(RenameCollectionPicture(folder.c_str(), "\xC9t\xE9", "Summer"), kFileOk);
    EXPECT_EQ(SortedNames(folder), (std::vector<std::string>{"Summer.tqi"}));
    PictureRecord renamed;
    ASSERT_EQ(ReadCollectionPicture(folder.c_str(), "Summer", renamed, true), kFileOk);
    EXPECT_STREQ(renamed.title, "Summer") << "the new title is stored inside";
    EXPECT_EQ(renamed.width, 800);
    EXPECT_EQ(Bytes(renamed.payload, renamed.payload + renamed.payloadSize), second.payload);
    FreePicturePayload(renamed);

    std::string exported;
    ASSERT_EQ(ExportCollectionPicture(folder.c_str(), "Summer", exportFolder.c_str(), exported), kFileOk);
    EXPECT_EQ(exported, ExportedPicturePath(exportFolder.c_str(), "Summer"));
    EXPECT_EQ(exported, PathInFolder(exportFolder, "Summer.jpg"));
    EXPECT_EQ(test_support::ReadFileBytes(exported), second.payload) << "the stored JPEG file, byte for byte";

    EXPECT_EQ(DeleteCollectionPicture(folder.c_str(), "Summer"), kFileOk);
    EXPECT_TRUE(SortedNames(folder).empty());
}
