#include "app/online/transfer_body.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/online/transfer_address.h"

namespace {

TEST(TransferBody, KeepsAZeroBehindTheDataAndRefusesWhatPassesTheLimit) {
    ReceivedBody body;
    EXPECT_EQ(body.Text(), "");
    const std::string part(10000, 'a');
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(body.Append(part.data(), part.size()));
    EXPECT_EQ(body.Size(), 50000u);
    EXPECT_EQ(body.Data()[body.Size()], 0);
    EXPECT_EQ(body.Text().size(), 50000u);

    ReceivedBody moved = std::move(body);
    EXPECT_TRUE(body.Empty());
    EXPECT_EQ(moved.Size(), 50000u);

    // The limit is inclusive; one byte more throws the whole body away.
    ReceivedBody limited;
    ASSERT_TRUE(limited.Append(part.data(), 100, 150));
    ASSERT_TRUE(limited.Append(part.data(), 50, 150));
    EXPECT_FALSE(limited.Append(part.data(), 1, 150));
    EXPECT_TRUE(limited.Empty());
    EXPECT_EQ(limited.Data(), nullptr);
    EXPECT_FALSE(limited.Append(part.data(), SIZE_MAX, 150)) << "a count that would wrap the sum";

    ReceivedBody text;
    ASSERT_TRUE(text.Append("ERROR_FILE\0rest", 15));
    EXPECT_EQ(text.Text(), "ERROR_FILE") << "text ends at a NUL";
    EXPECT_EQ(text.Size(), 15u);
}

TEST(TransferBody, ResultAndProgressFollowTheAnnouncedLength) {
    struct Case {
        size_t received;
        ContentLength announced;
        TransferResult result;
        int32_t position;
    };
    const Case cases[] = {
        {0, {false, 0}, TransferResult::NoBody, -1},
        {0, {true, 0}, TransferResult::NoBody, -1},
        {10, {false, 0}, TransferResult::Complete, -1},
        {10, {true, 10}, TransferResult::Complete, 100},
        {11, {true, 10}, TransferResult::Complete, 100},
        {9, {true, 10}, TransferResult::Truncated, 90},
        {1, {true, 3}, TransferResult::Truncated, 33},
        {size_t{64} << 20, {true, uint64_t{1} << 32}, TransferResult::Truncated, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FinalTransferResult(c.received, c.announced), c.result) << c.received;
        EXPECT_EQ(TransferProgressPosition(c.received, c.announced), c.position) << c.received;
    }
}

TEST(TransferBody, OnlyAddressesOfThisMachineSkipTheConnectivityCheck) {
    for (const char* address : {"http://localhost:8642/", "HTTP://LOCALHOST/x", "http://127.0.0.1:9/a",
                                "https://127.1.2.3/", "http://[::1]:80/", "http://user@127.0.0.1/"}) {
        EXPECT_TRUE(IsLoopbackAddress(address)) << address;
    }
    for (const char* address :
         {"http://pictures.example/", "http://127.0.0.1.example/", "http://128.0.0.1/", "http://127.0.0.256/",
          "http://localhost.example/", "ftp://127.0.0.1/", "http://example/?127.0.0.1", "127.0.0.1", ""}) {
        EXPECT_FALSE(IsLoopbackAddress(address)) << address;
    }
}

}  // namespace
