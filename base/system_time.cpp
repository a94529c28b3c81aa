#include "base/system_time.h"

#include <climits>

namespace {

constexpr int64_t kUnitsPerMillisecond = 10000;
constexpr int64_t kUnitsPerDay = 86400 * kFileTimeUnitsPerSecond;
constexpr int kLastYear = 30827;  // the largest year a SYSTEMTIME can hold

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January 1601 to the given date (proleptic Gregorian calendar), by the
// era-based civil-date formula shifted to the 1601 epoch.
int64_t DaysSince1601(int year, int month, int day) {
    int64_t y = year - (month <= 2 ? 1 : 0);
    int64_t era = y / 400;  // years are >= 1600 here, so no negative rounding
    int64_t yearOfEra = y - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    int64_t daysSince0000March = era * 146097 + dayOfEra;
    // 1 January 1601 counted the same way.
    constexpr int64_t k1601 = 4 * 146097 + (0 * 365) + 306;  // era 4, year-of-era 0 (1600), 1 Jan 1601 is day 306
    return daysSince0000March - k1601;
}

}  // namespace

bool SystemTimeToFileTime(const SystemTime& time, int64_t& fileTime) {
    if (time.wYear < 1601 || time.wYear > kLastYear || time.wMonth < 1 || time.wMonth > 12 || time.wDay < 1 ||
        time.wDay > DaysInMonth(time.wYear, time.wMonth) || time.wHour > 23 || time.wMinute > 59 || time.wSecond > 59 ||
        time.wMilliseconds > 999) {
        return false;
    }
    int64_t days = DaysSince1601(time.wYear, time.wMonth, time.wDay);
    int64_t seconds = days * 86400 + time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
    fileTime = seconds * kFileTimeUnitsPerSecond + time.wMilliseconds * kUnitsPerMillisecond;
    return true;
}

bool FileTimeToSystemTime(int64_t fileTime, SystemTime& time) {
    if (fileTime < 0) return false;
    int64_t days = fileTime / kUnitsPerDay;
    int64_t rest = fileTime % kUnitsPerDay;
    // Back from days since 1601 to a civil date (inverse of DaysSince1601).
    int64_t z = days + 4 * 146097 + 306;
    int64_t era = z / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    if (year > kLastYear) return false;

    time.wYear = static_cast<uint16_t>(year);
    time.wMonth = static_cast<uint16_t>(month);
    time.wDay = static_cast<uint16_t>(day);
    time.wDayOfWeek = static_cast<uint16_t>((days + 1) % 7);  // 1 January 1601 was a Monday
    int64_t milliseconds = rest / kUnitsPerMillisecond;
    time.wMilliseconds = static_cast<uint16_t>(milliseconds % 1000);
    int64_t seconds = milliseconds / 1000;
    time.wSecond = static_cast<uint16_t>(seconds % 60);
    time.wMinute = static_cast<uint16_t>(seconds / 60 % 60);
    time.wHour = static_cast<uint16_t>(seconds / 3600);
    return true;
}

bool ElapsedWholeSeconds(const SystemTime& from, const SystemTime& to, int32_t& seconds) {
    int64_t fromTime = 0;
    int64_t toTime = 0;
    if (!SystemTimeToFileTime(from, fromTime) || !SystemTimeToFileTime(to, toTime)) return false;
    int64_t whole = (toTime - fromTime) / kFileTimeUnitsPerSecond;  // C++ division truncates toward zero
    // A plain 32-bit cast would turn a stamp 69 years away into the opposite sign.
    if (whole > INT32_MAX) whole = INT32_MAX;
    if (whole < INT32_MIN) whole = INT32_MIN;
    seconds = static_cast<int32_t>(whole);
    return true;
}

bool TenSecondsEarlier(const SystemTime& time, SystemTime& earlier) {
    int64_t fileTime = 0;
    if (!SystemTimeToFileTime(time, fileTime)) return false;
    return FileTimeToSystemTime(fileTime - 10 * kFileTimeUnitsPerSecond, earlier);
}
