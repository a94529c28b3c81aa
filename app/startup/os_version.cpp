#include "app/startup/os_version.h"

int OsVersionCode(uint32_t major, uint32_t minor, bool ntPlatform) {
    if (major < 4) return 0;
    if (major == 4) {
        if (minor >= 90) return 3;
        if (minor >= 10) return 2;
        return ntPlatform ? 4 : 1;
    }
    if (major >= 6) return 7;
    if (minor == 0) return 5;
    return minor == 1 ? 6 : 7;
}
