#include "base/file_io.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

using test_support::Bytes;
using test_support::TempDir;

TEST(FileIo, ReadWriteSizeAndReplace) {
    TempDir folder;
    std::string target = folder.File("target");
    std::string other = folder.File("other");
    Bytes data = test_support::PseudoRandomBytes(100000, 4);
    {
        File file;
        ASSERT_TRUE(file.CreateExclusive(target.c_str()));
        ASSERT_TRUE(file.WriteAll(data.data(), data.size()));
        ASSERT_TRUE(file.Flush());
    }
    File file;
    ASSERT_TRUE(file.OpenForSequentialRead(target.c_str()));
    uint64_t size = 0;
    ASSERT_TRUE(file.Size(size));
    EXPECT_EQ(size, data.size());
    unsigned char byte = 0;
    ASSERT_TRUE(file.SkipForward(99999));
    ASSERT_TRUE(file.ReadExact(&byte, 1));
    EXPECT_EQ(byte, data[99999]) << "a skip moves the read position, not the data";
    EXPECT_FALSE(file.ReadExact(&byte, 1));
    ASSERT_TRUE(file.OpenForSequentialRead(target.c_str()));
    Bytes back(data.size() + 10);
    EXPECT_EQ(file.Read(back.data(), back.size()), data.size()) << "a read at the end delivers what there is";
    file.Close();

    test_support::WriteFileBytes(other, {7});
    ASSERT_TRUE(ReplaceFileWith(target.c_str(), other.c_str()));
    EXPECT_EQ(test_support::ReadFileBytes(target), Bytes{7});
    EXPECT_FALSE(test_support::FileExists(other));
    EXPECT_TRUE(DeleteFilePath(target.c_str()));
    EXPECT_FALSE(DeleteFilePath(target.c_str()));
    EXPECT_FALSE(file.OpenForSequentialRead(target.c_str()));

    // A temporary name that does not fit is refused, never cut to a path naming another file.
    char temporary[64];
    ASSERT_TRUE(MakeSiblingTempPath("pictures/wall.bmp", temporary, sizeof temporary));
    EXPECT_EQ(std::string(temporary).rfind("pictures/wall.bmp.~tmp", 0), 0u) << temporary;
    EXPECT_FALSE(MakeSiblingTempPath(std::string(60, 'p').c_str(), temporary, sizeof temporary));
    EXPECT_STREQ(temporary, "");
}
