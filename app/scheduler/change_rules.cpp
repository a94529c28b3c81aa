#include "app/scheduler/change_rules.h"

#include "settings/settings_loader.h"

bool IsChangeDueAt(const Settings& settings, const SystemTime& utcNow) {
    if (settings.btChangeWallpaper == kChangeEveryDay) {
        return !IsSameCalendarDay(utcNow, settings.stLastWallpaperChange);
    }
    if (settings.btChangeWallpaper != kChangeEveryInterval) return false;
    int32_t elapsed = 0;
    if (!ElapsedWholeSeconds(settings.stLastWallpaperChange, utcNow, elapsed)) return true;
    // Hours and minutes are bounded on load (360 and 59), but a caller may hand in anything:
    // compute in 64 bits so a large interval cannot wrap into a small or negative one.
    int64_t interval = (static_cast<int64_t>(settings.dwChangeWallpaperHours) * 60 +
                        static_cast<int64_t>(settings.dwChangeWallpaperMinutes)) *
                       60;
    return elapsed >= interval;
}

SystemTime ScheduledChangeStamp(const SystemTime& utcNow) {
    SystemTime stamp;
    if (!TenSecondsEarlier(utcNow, stamp)) return utcNow;
    return stamp;
}

void RecordScheduledChange(SettingsStore& store, Settings& settings, const SystemTime& utcNow) {
    settings.stLastWallpaperChange = ScheduledChangeStamp(utcNow);
    (void)WriteSetting(store, settings, settings.stLastWallpaperChange);
}

int ChooseNextPicture(int count, int currentIndex, bool hasCurrentName, uint8_t selectionMode, RandomState& random) {
    if (count < 2 && !(count == 1 && !hasCurrentName)) return -1;
    if (!hasCurrentName || currentIndex >= count) currentIndex = -1;
    if (selectionMode != 0 || currentIndex < 0) {
        // Terminates: with two or more pictures other positions exist, and with one the
        // current position is -1.
        int next;
        do {
            next = Random(random, count);
        } while (next == currentIndex);
        return next;
    }
    int next = currentIndex + 1;
    return next >= count ? 0 : next;
}

bool IsFullScreenClientArea(int clientWidth, int clientHeight, bool topmost, int screenWidth, int screenHeight) {
    if (!topmost) return clientWidth >= screenWidth && clientHeight >= screenHeight;
    return clientWidth >= screenWidth / 2 && clientHeight >= screenHeight / 2;
}

AfterChange DecideAfterChange(const Settings& settings, bool notify, bool fullScreenInFront) {
    AfterChange after;
    after.playSound = notify && settings.btWallpaperChangePlaySound == 1;
    after.showPicture = notify && settings.btWallpaperChangeShowImage == 1 && !fullScreenInFront;
    return after;
}

StartUpWallpaper DecideStartUpWallpaper(const Settings& settings, bool changeRequested) {
    if (settings.btEnableWallpaperChanger == 0 || changeRequested) return StartUpWallpaper::Nothing;
    return settings.btChangeWallpaper == kChangeAtStart ? StartUpWallpaper::ScheduledChange
                                                        : StartUpWallpaper::ReapplyCurrent;
}
