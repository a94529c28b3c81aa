// Calendar times in the layout of the Windows SYSTEMTIME structure (eight 16-bit fields,
// 16 bytes), so settings can store them byte for byte, and the arithmetic the wallpaper
// scheduler needs: conversion to and from 64-bit file times (100-nanosecond units since
// 1 January 1601), the signed whole seconds between two times and "ten seconds earlier".
//
// The arithmetic is portable; only CurrentUtcTime asks the system (GetSystemTime on
// Windows, the real-time clock elsewhere). All times here are UTC.
#pragma once

#include <cstdint>

struct SystemTime {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;  // 0 Sunday to 6 Saturday
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};
static_assert(sizeof(SystemTime) == 16, "SystemTime must keep the 16-byte SYSTEMTIME layout");

constexpr int64_t kFileTimeUnitsPerSecond = 10000000;

// A time from its calendar fields; the day of the week is left 0 (the arithmetic ignores it).
constexpr SystemTime
MakeUtcTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int milliseconds = 0) {
    SystemTime time;
    time.wYear = static_cast<uint16_t>(year);
    time.wMonth = static_cast<uint16_t>(month);
    time.wDay = static_cast<uint16_t>(day);
    time.wHour = static_cast<uint16_t>(hour);
    time.wMinute = static_cast<uint16_t>(minute);
    time.wSecond = static_cast<uint16_t>(second);
    time.wMilliseconds = static_cast<uint16_t>(milliseconds);
    return time;
}

// The current time in UTC.
[[nodiscard]] SystemTime CurrentUtcTime();

// False for fields out of range (month 13, 30 February, year before 1601, ...); the day of
// the week is not checked, as the system's own conversion does not check it either.
[[nodiscard]] bool SystemTimeToFileTime(const SystemTime& time, int64_t& fileTime);
// False for a negative file time or one beyond year 30827.
[[nodiscard]] bool FileTimeToSystemTime(int64_t fileTime, SystemTime& time);

// Whole seconds from `from` to `to`: the signed difference of their file times divided by
// 10 000 000, truncated toward zero, then limited to the int32 range. False when either
// time is not a valid calendar time.
[[nodiscard]] bool ElapsedWholeSeconds(const SystemTime& from, const SystemTime& to, int32_t& seconds);

// `time` minus ten seconds, with the day of the week recomputed. False for an invalid time.
[[nodiscard]] bool TenSecondsEarlier(const SystemTime& time, SystemTime& earlier);

// True when the two times fall on the same calendar day (year, month and day equal).
[[nodiscard]] inline bool IsSameCalendarDay(const SystemTime& a, const SystemTime& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}
