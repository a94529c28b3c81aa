#include "collection/tqi_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "collection/tests/tqi_test_files.h"
#include "tests/support/test_support.h"

using test_support::Bytes;
using test_support::TempDir;
using tqi_test::BuildFile;
using tqi_test::FileParts;

namespace {

int ReadFromMemory(const Bytes& bytes, PictureRecord& record, bool withPayload) {
    return ReadPictureFile(PictureSource::FromMemory(bytes.data(), bytes.size()), record, withPayload);
}

int ReadFromFile(const TempDir& folder, const Bytes& bytes, PictureRecord& record, bool withPayload) {
    std::string path = folder.File("picture.tqi");
    test_support::WriteFileBytes(path, bytes);
    return ReadPictureFile(PictureSource::FromPath(path.c_str()), record, withPayload);
}

// Both sources must agree on every file; each case runs through both.
struct BothSources {
    int memory;
    int file;
};

BothSources ReadBoth(const Bytes& bytes, bool withPayload) {
    TempDir folder;
    PictureRecord fromMemory;
    PictureRecord fromFile;
    BothSources results{ReadFromMemory(bytes, fromMemory, withPayload),
                        ReadFromFile(folder, bytes, fromFile, withPayload)};
    FreePicturePayload(fromMemory);
    FreePicturePayload(fromFile);
    return results;
}

}  // namespace

TEST(TqiRead, FullReadDeliversEveryField) {
    FileParts parts;
    Bytes bytes = BuildFile(parts);
    TempDir folder;
    for (bool fromFile : {false, true}) {
        PictureRecord record;
        int result = fromFile ? ReadFromFile(folder, bytes, record, true) : ReadFromMemory(bytes, record, true);
        ASSERT_EQ(result, 0) << "from file: " << fromFile;
        EXPECT_STREQ(record.title, "Sunset");
        EXPECT_EQ(record.width, 640);
        EXPECT_EQ(record.height, 480);
        ASSERT_EQ(record.payloadSize, parts.payload.size());
        EXPECT_EQ(Bytes(record.payload, record.payload + record.payloadSize), parts.payload);
        FreePicturePayload(record);
    }
}

TEST(TqiRead, HeaderReadLeavesPayloadUntouched) {
    Bytes bytes = BuildFile({});
    PictureRecord record;
    unsigned char sentinel = 0;
    record.payload = &sentinel;
    record.payloadSize = 77;
    ASSERT_EQ(ReadFromMemory(bytes, record, false), 0);
    EXPECT_STREQ(record.title, "Sunset");
    EXPECT_EQ(record.payload, &sentinel);
    EXPECT_EQ(record.payloadSize, 77u);
}

TEST(TqiRead, RejectsWrongMagic) {
    FileParts lowerCase;
    lowerCase.magic = std::string("tapestriqueimage v1.00", 22) + '\0';
    FileParts noNul;
    noNul.magic = "TapestriqueImage v1.00X";
    FileParts otherVersion;
    otherVersion.magic = std::string("TapestriqueImage v1.01", 22) + '\0';
    for (const FileParts& parts : {lowerCase, noNul, otherVersion}) {
        BothSources header = ReadBoth(BuildFile(parts), false);
        EXPECT_EQ(header.memory, 3);
        EXPECT_EQ(header.file, 3);
    }
}

TEST(TqiRead, TitleLengthBounds) {
    struct Case {
        uint32_t length;
        int expected;
    } cases[] = {{0, 3}, {1, 0}, {127, 0}, {128, 3}, {0xFFFFFFFF - 1, 3}, {0x80000000, 3}};
    for (const Case& c : cases) {
        FileParts parts;
        parts.title = std::string(c.length <= 200 ? c.length : 5, 'T');
        parts.titleLength = c.length;
        BothSources result = ReadBoth(BuildFile(parts), true);
        EXPECT_EQ(result.memory, c.expected) << c.length;
        EXPECT_EQ(result.file, c.expected) << c.length;
    }
    FileParts longest;
    longest.title = std::string(127, 'x');
    PictureRecord record;
    ASSERT_EQ(ReadFromMemory(BuildFile(longest), record, false), 0);
    EXPECT_EQ(std::strlen(record.title), 127u);
}

TEST(TqiRead, FileCutAfterHeightServesHeaderReadsOnly) {
    Bytes bytes = BuildFile({});
    bytes.resize(27 + 6 + 8);
    BothSources header = ReadBoth(bytes, false);
    EXPECT_EQ(header.memory, 0);
    EXPECT_EQ(header.file, 0);
    BothSources full = ReadBoth(bytes, true);
    EXPECT_EQ(full.memory, 3);
    EXPECT_EQ(full.file, 3);
}

TEST(TqiRead, EveryTruncationFailsCleanly) {
    FileParts parts;
    parts.payload = test_support::PseudoRandomBytes(3000, 7);
    Bytes bytes = BuildFile(parts);
    size_t headerEnd = 27 + parts.title.size() + 8;
    for (size_t length = 0; length < bytes.size(); ++length) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        PictureRecord record;
        int full = ReadFromMemory(cut, record, true);
        EXPECT_EQ(full, 3) << "cut at " << length;
        EXPECT_EQ(record.payload, nullptr);
        int header = ReadFromMemory(cut, record, false);
        EXPECT_EQ(header, length >= headerEnd ? 0 : 3) << "cut at " << length;
    }
    // The file source sees the same cuts; a sample of them keeps the test quick.
    TempDir folder;
    for (size_t length : {size_t{0}, size_t{22}, size_t{23}, headerEnd - 1, headerEnd + 7, bytes.size() - 1}) {
        PictureRecord record;
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        EXPECT_EQ(ReadFromFile(folder, cut, record, true), 3) << "cut at " << length;
    }
}

TEST(TqiRead, CorruptStreamFailsOnlyTheFullRead) {
    FileParts parts;
    parts.payload = test_support::PseudoRandomBytes(500, 3);
    Bytes bytes = BuildFile(parts);
    bytes[bytes.size() - 20] ^= 0x55;  // inside the deflate data or its checksum
    BothSources header = ReadBoth(bytes, false);
    BothSources full = ReadBoth(bytes, true);
    EXPECT_EQ(header.memory, 0);
    EXPECT_EQ(header.file, 0);
    EXPECT_EQ(full.memory, 3);
    EXPECT_EQ(full.file, 3);
}

TEST(TqiRead, HostileLengthsAreRefusedBeforeAllocating) {
    FileParts hugeCompressed;
    hugeCompressed.compressedSizeOverride = 0xFFFFFFF0;  // far more than the file holds
    FileParts hugeInflated;
    hugeInflated.inflatedSizeOverride = 0xFFFFFFF0;  // more than zlib can make of a few bytes
    FileParts justPastTheBound;
    justPastTheBound.payload = Bytes(20000, 0);
    Bytes compressed = tqi_test::Compress(justPastTheBound.payload);
    justPastTheBound.inflatedSizeOverride = static_cast<uint32_t>(compressed.size() * 1032 + 65);
    for (const FileParts& parts : {hugeCompressed, hugeInflated, justPastTheBound}) {
        BothSources result = ReadBoth(BuildFile(parts), true);
        EXPECT_EQ(result.memory, 3);
        EXPECT_EQ(result.file, 3);
    }
}

// A payload is exactly its declared size: a stream that ends early would hand out heap bytes
// that were never written (a small JPEG declared as 60,000 bytes), and a stream with bytes
// to spare, or a title that hides a NUL, is not a file anyone wrote.
TEST(TqiRead, OnlyExactlyDeclaredContentIsAccepted) {
    FileParts declaredLarger;
    declaredLarger.payload = test_support::PseudoRandomBytes(1041, 5);
    declaredLarger.inflatedSizeOverride = 60000;
    FileParts declaredSmaller;
    declaredSmaller.inflatedSizeOverride = static_cast<uint32_t>(declaredSmaller.payload.size() - 1);
    Bytes withSpareBytes = BuildFile({});
    size_t compressedSizeAt = 27 + 6 + 8;
    withSpareBytes[compressedSizeAt] += 3;  // three more bytes than the stream, present in the file
    withSpareBytes.insert(withSpareBytes.end(), {0, 0, 0});
    FileParts hiddenNul;
    hiddenNul.title = std::string("Sun\0set", 7);

    const Bytes files[] = {BuildFile(declaredLarger), BuildFile(declaredSmaller), withSpareBytes, BuildFile(hiddenNul)};
    for (const Bytes& bytes : files) {
        TempDir folder;
        for (bool fromFile : {false, true}) {
            PictureRecord record;
            int result = fromFile ? ReadFromFile(folder, bytes, record, true) : ReadFromMemory(bytes, record, true);
            EXPECT_EQ(result, 3) << "from file: " << fromFile;
            EXPECT_EQ(record.payload, nullptr);
        }
    }
    PictureRecord record;
    EXPECT_EQ(ReadFromMemory(BuildFile(hiddenNul), record, false), 3) << "the header read sees the title too";
}

TEST(TqiRead, MissingFileGivesTwo) {
    TempDir folder;
    PictureRecord record;
    std::string path = folder.File("absent.tqi");
    EXPECT_EQ(ReadPictureFile(PictureSource::FromPath(path.c_str()), record, false), 2);
    EXPECT_EQ(ReadPictureFile(PictureSource::FromPath(folder.Path().c_str()), record, false), 2);
}

TEST(TqiWrite, RoundTripIsExactAndSized) {
    TempDir folder;
    PictureRecord original;
    std::strcpy(original.title, "A");
    unsigned char payload[] = {0xFF, 0xD8, 0x42, 0xFF, 0xD9};
    original.payload = payload;
    original.payloadSize = sizeof payload;
    original.width = 3;
    original.height = 2;
    std::string path = folder.File("a.tqi");
    ASSERT_EQ(WritePictureFile(path.c_str(), original), 0);

    Bytes bytes = test_support::ReadFileBytes(path);
    Bytes expected = BuildFile({.title = "A", .width = 3, .height = 2, .payload = Bytes(payload, payload + 5)});
    EXPECT_EQ(bytes, expected) << "the writer's level-1 stream differs from zlib's own";
    uint32_t compressedSize = bytes[36] | bytes[37] << 8 | bytes[38] << 16 | bytes[39] << 24;  // at 35 + N
    EXPECT_EQ(bytes.size(), 43u + 1u + compressedSize);

    PictureRecord back;
    ASSERT_EQ(ReadPictureFile(PictureSource::FromPath(path.c_str()), back, true), 0);
    EXPECT_STREQ(back.title, "A");
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    ASSERT_EQ(back.payloadSize, sizeof payload);
    EXPECT_EQ(std::memcmp(back.payload, payload, sizeof payload), 0);
    FreePicturePayload(back);
}

TEST(TqiWrite, LargePayloadsAreDeflatedOnlyWhenTheyShrink) {
    // Noise stands for a JPEG stream's entropy-coded data; a repeated pattern does shrink.
    const Bytes noise = test_support::PseudoRandomBytes(600000, 7);
    Bytes pattern(600000);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<unsigned char>((i * i) % 251);
    const Bytes* payloads[] = {&noise, &pattern};
    for (const Bytes* payload : payloads) {
        PictureRecord record;
        std::strcpy(record.title, "Large");
        record.payload = const_cast<unsigned char*>(payload->data());
        record.payloadSize = static_cast<uint32_t>(payload->size());
        unsigned char* file = nullptr;
        size_t fileSize = 0;
        ASSERT_EQ(EncodePictureFile(record, &file, &fileSize), kFileOk);
        PictureRecord back;
        ASSERT_EQ(ReadPictureFile(PictureSource::FromMemory(file, fileSize), back, true), kFileOk);
        EXPECT_EQ(Bytes(back.payload, back.payload + back.payloadSize), *payload);
        FreePicturePayload(back);
        std::free(file);
        if (payload == &noise) {
            // Stored blocks cost 5 bytes per 64 KB; deflate falling back to them block by block
            // on its own costs more than three times that.
            EXPECT_LE(fileSize, 43 + 5 + payload->size() + payload->size() / 5000) << "stored, not deflated";
        } else {
            EXPECT_LT(fileSize, payload->size() / 2) << "deflated";
        }
    }
}

TEST(TqiWrite, RefusesRecordsNoReaderWouldAccept) {
    TempDir folder;
    std::string path = folder.File("bad.tqi");
    PictureRecord untitled;
    EXPECT_EQ(WritePictureFile(path.c_str(), untitled), 1);
    PictureRecord unterminated;
    std::memset(unterminated.title, 'x', sizeof unterminated.title);
    EXPECT_EQ(WritePictureFile(path.c_str(), unterminated), 1);
    PictureRecord missingPayload;
    std::strcpy(missingPayload.title, "Gone");
    missingPayload.payloadSize = 10;
    EXPECT_EQ(WritePictureFile(path.c_str(), missingPayload), 1);
    EXPECT_FALSE(test_support::FileExists(path));
}

TEST(TqiWrite, ReplacingLeavesOneCompleteFile) {
    TempDir folder;
    std::string path = folder.File("keep.tqi");
    PictureRecord record;
    std::strcpy(record.title, "Old");
    unsigned char payload[] = {1, 2, 3};
    record.payload = payload;
    record.payloadSize = 3;
    ASSERT_EQ(WritePictureFile(path.c_str(), record), 0);
    Bytes before = test_support::ReadFileBytes(path);

    // A replacement into a folder that does not exist fails and touches nothing.
    std::string impossible = folder.File("missing-folder/keep.tqi");
    EXPECT_EQ(WritePictureFile(impossible.c_str(), record), 1);
    EXPECT_EQ(test_support::ReadFileBytes(path), before);

    std::strcpy(record.title, "New");
    ASSERT_EQ(WritePictureFile(path.c_str(), record), 0);
    PictureRecord back;
    ASSERT_EQ(ReadPictureFile(PictureSource::FromPath(path.c_str()), back, false), 0);
    EXPECT_STREQ(back.title, "New");
    EXPECT_EQ(test_support::ListFolder(folder.Path()).size(), 1u) << "no temporary file is left behind";
}
