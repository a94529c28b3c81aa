// The current UTC time from the real-time clock.
#include <ctime>

#include "base/system_time.h"

SystemTime CurrentUtcTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    // 11 644 473 600 seconds lie between 1 January 1601 and 1 January 1970.
    int64_t fileTime = (static_cast<int64_t>(now.tv_sec) + 11644473600LL) * kFileTimeUnitsPerSecond + now.tv_nsec / 100;
    SystemTime time;
    if (!FileTimeToSystemTime(fileTime, time)) return SystemTime{};
    return time;
}
