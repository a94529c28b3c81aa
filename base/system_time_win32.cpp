// The current UTC time from the system; SYSTEMTIME and SystemTime share their layout.
#include <windows.h>

#include <bit>

#include "base/system_time.h"

static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTime), "SystemTime must mirror SYSTEMTIME");

SystemTime CurrentUtcTime() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return std::bit_cast<SystemTime>(now);
}
