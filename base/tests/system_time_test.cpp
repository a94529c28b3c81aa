#include "base/system_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

struct FileTimeCase {
    SystemTime time;
    int64_t fileTime;
    int dayOfWeek;
};

TEST(SystemTimeTest, ConvertsBothWaysWithTheDayOfTheWeek) {
    const FileTimeCase cases[] = {
        {MakeUtcTime(1601, 1, 1), 0, 1},
        {MakeUtcTime(1970, 1, 1), 116444736000000000LL, 4},
        {MakeUtcTime(2002, 1, 1), 126543168000000000LL, 2},
        {MakeUtcTime(2000, 2, 29, 12), 125962992000000000LL, 2},
        {MakeUtcTime(2026, 12, 7, 7, 30, 15, 123), 134411022151230000LL, 1},
    };
    for (const FileTimeCase& c : cases) {
        int64_t fileTime = -1;
        ASSERT_TRUE(SystemTimeToFileTime(c.time, fileTime)) << c.time.wYear;
        EXPECT_EQ(fileTime, c.fileTime) << c.time.wYear;
        SystemTime back;
        ASSERT_TRUE(FileTimeToSystemTime(c.fileTime, back));
        SystemTime expected = c.time;
        expected.wDayOfWeek = static_cast<uint16_t>(c.dayOfWeek);
        EXPECT_EQ(0, std::memcmp(&back, &expected, sizeof back)) << c.time.wYear;
    }
}

TEST(SystemTimeTest, RefusesTimesThatAreNotOnTheCalendar) {
    const SystemTime invalid[] = {
        MakeUtcTime(1600, 12, 31),
        MakeUtcTime(2023, 2, 29),
        MakeUtcTime(2100, 2, 29),
        MakeUtcTime(2024, 13, 1),
        MakeUtcTime(2024, 0, 1),
        MakeUtcTime(2024, 4, 31),
        MakeUtcTime(2024, 1, 0),
        MakeUtcTime(2024, 1, 1, 24),
        MakeUtcTime(2024, 1, 1, 0, 60),
        MakeUtcTime(2024, 1, 1, 0, 0, 60),
        MakeUtcTime(2024, 1, 1, 0, 0, 0, 1000),
        MakeUtcTime(30828, 1, 1),
    };
    for (const SystemTime& time : invalid) {
        int64_t fileTime = 0;
        EXPECT_FALSE(SystemTimeToFileTime(time, fileTime)) << time.wYear << "-" << time.wMonth << "-" << time.wDay;
    }
    int64_t fileTime = 0;
    EXPECT_TRUE(SystemTimeToFileTime(MakeUtcTime(2000, 2, 29), fileTime));
    EXPECT_TRUE(SystemTimeToFileTime(MakeUtcTime(30827, 12, 31, 23, 59, 59, 999), fileTime));
    SystemTime time;
    EXPECT_FALSE(FileTimeToSystemTime(-1, time));
    EXPECT_FALSE(FileTimeToSystemTime(fileTime + 10000, time));
}

TEST(SystemTimeTest, RoundTripsEveryDayOfALeapCentury) {
    // Walks day by day over 1999-2101, crossing 2000 (leap) and 2100 (not leap).
    int64_t fileTime = 0;
    ASSERT_TRUE(SystemTimeToFileTime(MakeUtcTime(1999, 1, 1, 13, 14, 15, 16), fileTime));
    int expectedDayOfWeek = 5;  // 1 January 1999 was a Friday
    for (int day = 0; day < 103 * 366; ++day) {
        SystemTime time;
        ASSERT_TRUE(FileTimeToSystemTime(fileTime, time));
        ASSERT_EQ(time.wDayOfWeek, expectedDayOfWeek);
        int64_t again = 0;
        ASSERT_TRUE(SystemTimeToFileTime(time, again));
        ASSERT_EQ(again, fileTime);
        fileTime += 86400LL * kFileTimeUnitsPerSecond;
        expectedDayOfWeek = (expectedDayOfWeek + 1) % 7;
    }
}

struct ElapsedCase {
    SystemTime from;
    SystemTime to;
    int32_t seconds;
};

TEST(SystemTimeTest, ElapsedSecondsAreSignedAndTruncatedTowardZero) {
    const ElapsedCase cases[] = {
        {MakeUtcTime(2026, 3, 1, 9, 59, 50), MakeUtcTime(2026, 3, 1, 10, 29, 50), 1800},
        {MakeUtcTime(2026, 3, 1, 9, 59, 50), MakeUtcTime(2026, 3, 1, 10, 29, 49, 999), 1799},
        {MakeUtcTime(2026, 3, 1, 10, 0, 0, 500), MakeUtcTime(2026, 3, 1, 10, 0, 0), 0},
        {MakeUtcTime(2026, 3, 1, 10, 0, 1, 500), MakeUtcTime(2026, 3, 1, 10, 0, 0), -1},
        {MakeUtcTime(2026, 3, 1, 23, 59, 55), MakeUtcTime(2026, 3, 2, 0, 0, 5), 10},
        {MakeUtcTime(2002, 1, 1), MakeUtcTime(2026, 12, 7), 786758400},
        // Far apart: limited to the int32 range, never wrapped to the other sign.
        {MakeUtcTime(1601, 1, 1), MakeUtcTime(2026, 1, 1), INT32_MAX},
        {MakeUtcTime(2026, 1, 1), MakeUtcTime(1601, 1, 1), INT32_MIN},
    };
    for (const ElapsedCase& c : cases) {
        int32_t seconds = 12345;
        ASSERT_TRUE(ElapsedWholeSeconds(c.from, c.to, seconds));
        EXPECT_EQ(seconds, c.seconds) << c.from.wYear << " " << c.to.wYear;
    }
    int32_t seconds = 0;
    EXPECT_FALSE(ElapsedWholeSeconds(MakeUtcTime(2026, 2, 30), MakeUtcTime(2026, 3, 1), seconds));
}

struct EarlierCase {
    SystemTime time;
    SystemTime expected;
    int dayOfWeek;
};

TEST(SystemTimeTest, TenSecondsEarlierRecomputesTheDay) {
    const EarlierCase cases[] = {
        {MakeUtcTime(2026, 3, 1, 10, 0, 0), MakeUtcTime(2026, 3, 1, 9, 59, 50), 0},
        {MakeUtcTime(2024, 3, 1, 0, 0, 5, 250), MakeUtcTime(2024, 2, 29, 23, 59, 55, 250), 4},
        {MakeUtcTime(2027, 1, 1, 0, 0, 9), MakeUtcTime(2026, 12, 31, 23, 59, 59), 4},
    };
    for (const EarlierCase& c : cases) {
        SystemTime time = c.time;
        time.wDayOfWeek = 6;  // a wrong day of the week must not survive
        SystemTime earlier;
        ASSERT_TRUE(TenSecondsEarlier(time, earlier));
        SystemTime expected = c.expected;
        expected.wDayOfWeek = static_cast<uint16_t>(c.dayOfWeek);
        EXPECT_EQ(0, std::memcmp(&earlier, &expected, sizeof earlier)) << c.time.wDay;
    }
    SystemTime earlier;
    EXPECT_FALSE(TenSecondsEarlier(MakeUtcTime(2026, 13, 1), earlier));
    EXPECT_FALSE(TenSecondsEarlier(MakeUtcTime(1601, 1, 1, 0, 0, 5), earlier));
}

TEST(SystemTimeTest, CurrentTimeIsAValidRecentTime) {
    SystemTime now = CurrentUtcTime();
    int64_t fileTime = 0;
    EXPECT_TRUE(SystemTimeToFileTime(now, fileTime));
    EXPECT_GE(now.wYear, 2024);
}

}  // namespace
