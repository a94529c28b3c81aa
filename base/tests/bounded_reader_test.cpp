#include "base/bounded_reader.h"

#include <gtest/gtest.h>

TEST(BoundedReader, NeverMovesPastTheEnd) {
    const unsigned char data[] = {1, 2, 3, 4, 5, 6};
    BoundedReader reader(data, sizeof data);
    uint32_t word = 0;
    ASSERT_TRUE(reader.ReadLe32(word));
    EXPECT_EQ(word, 0x04030201u);
    EXPECT_FALSE(reader.ReadLe32(word)) << "only two bytes remain";
    EXPECT_EQ(reader.Position(), 4u) << "a failed read leaves the cursor";
    uint16_t half = 0;
    ASSERT_TRUE(reader.ReadLe16(half));
    EXPECT_EQ(half, 0x0605);
    uint8_t byte = 0;
    EXPECT_FALSE(reader.ReadU8(byte));
    EXPECT_FALSE(reader.Skip(1));
    EXPECT_TRUE(reader.Seek(6));
    EXPECT_FALSE(reader.Seek(7));
    const unsigned char* view = nullptr;
    ASSERT_TRUE(reader.Seek(1));
    EXPECT_FALSE(reader.View(static_cast<size_t>(-1), view)) << "a huge count must not wrap around";
    ASSERT_TRUE(reader.View(5, view));
    EXPECT_EQ(view[4], 6);
}
