#include "ui/progress_record.h"

int32_t StartupProgressPosition(int filesRead, int filesCounted) {
    if (filesCounted <= 0 || filesRead >= filesCounted) return kStartupListCompletePosition;
    if (filesRead <= 0) return kStartupListReadingPosition;
    constexpr int64_t span = kStartupListCompletePosition - kStartupListReadingPosition;
    // In 64 bits: 95 × a count near the int limit does not fit in 32.
    return static_cast<int32_t>(kStartupListReadingPosition + span * filesRead / filesCounted);
}
