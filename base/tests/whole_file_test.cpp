#include "base/whole_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/test_support.h"

using test_support::Bytes;
using test_support::TempDir;

TEST(WholeFile, ReadResults) {
    TempDir folder;
    unsigned char* data = nullptr;
    size_t size = 0;
    EXPECT_EQ(ReadWholeFile(folder.File("missing").c_str(), &data, &size), 2);

    test_support::WriteFileBytes(folder.File("empty"), {});
    EXPECT_EQ(ReadWholeFile(folder.File("empty").c_str(), &data, &size), 6);

    Bytes contents = test_support::PseudoRandomBytes(70000, 9);
    test_support::WriteFileBytes(folder.File("full"), contents);
    ASSERT_EQ(ReadWholeFile(folder.File("full").c_str(), &data, &size), 0);
    EXPECT_EQ(Bytes(data, data + size), contents);
    std::free(data);
}

TEST(WholeFile, WriteCreatesAndReplaces) {
    TempDir folder;
    std::string path = folder.File("out.jpg");
    Bytes first = {1, 2, 3, 4, 5};
    Bytes second = {9};
    ASSERT_EQ(WriteWholeFile(path.c_str(), first.data(), first.size()), 0);
    EXPECT_EQ(test_support::ReadFileBytes(path), first);
    ASSERT_EQ(WriteWholeFile(path.c_str(), second.data(), second.size()), 0);
    EXPECT_EQ(test_support::ReadFileBytes(path), second);
    EXPECT_EQ(test_support::ListFolder(folder.Path()).size(), 1u);

    EXPECT_EQ(WriteWholeFile(folder.File("no/such/folder.jpg").c_str(), first.data(), first.size()), 1);
}
