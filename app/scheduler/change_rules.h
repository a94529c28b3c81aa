// The wallpaper change scheduler's decisions, free of windows and timers so they can be
// tested on their own. The main window feeds them the current UTC time, the picture list and
// the foreground window's measurements, and carries out what they decide.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/random.h"
#include "base/system_time.h"
#include "collection/picture_title.h"  // FindPictureIndex: where the current picture stands
#include "settings/settings.h"
#include "settings/settings_store.h"

// Whether an automatic change is due at `utcNow` (the decision of IsChangeDue):
//  - mode 2 (every new day): due when the UTC calendar day differs from that of
//    stLastWallpaperChange;
//  - mode 3 (every interval): due when the signed whole seconds since stLastWallpaperChange
//    reach (hours x 60 + minutes) x 60; a stamp in the future gives a negative time and no
//    change. A stamp that is not a calendar time at all counts as long past, so a damaged
//    value cannot stop the changes for good;
//  - modes 0 and 1, and any other value: never due.
[[nodiscard]] bool IsChangeDueAt(const Settings& settings, const SystemTime& utcNow);

// The stamp a scheduled change records: `utcNow` minus 10 seconds, day of week recomputed.
[[nodiscard]] SystemTime ScheduledChangeStamp(const SystemTime& utcNow);

// Records a scheduled change at `utcNow`: sets stLastWallpaperChange to the stamp and writes
// it (16 bytes, REG_BINARY). A failed write is ignored; the stamp in memory still governs.
void RecordScheduledChange(SettingsStore& store, Settings& settings, const SystemTime& utcNow);

// The picture ChangeToNextPicture changes to, or -1 when there is nothing to change to:
//  - with fewer than two pictures nothing, except one picture when there is no current name;
//  - random selection (mode not 0), or no current picture in the list: Random(count) drawn
//    until it differs from the current position;
//  - alphabetical with a current picture: the next entry, wrapping to the first.
[[nodiscard]] int ChooseNextPicture(int count,
                                    int currentIndex,
                                    bool hasCurrentName,
                                    uint8_t selectionMode,
                                    RandomState& random);

// Whether a foreground window of this client size covers the screen: a normal window must be
// at least the screen's size, a topmost one at least half of it in each direction.
[[nodiscard]] bool IsFullScreenClientArea(int clientWidth,
                                          int clientHeight,
                                          bool topmost,
                                          int screenWidth,
                                          int screenHeight);

// What follows a change to the next picture: the change sound and the full-screen preview
// come only after an automatic change (`notify`), each when its setting asks for it, and the
// preview never while a full-screen program is in front.
struct AfterChange {
    bool playSound = false;
    bool showPicture = false;
};
[[nodiscard]] AfterChange DecideAfterChange(const Settings& settings, bool notify, bool fullScreenInFront);

// What the application does with the wallpaper at its start, once the settings, the list and
// the current picture are loaded and IsChangeDue has been asked (`changeRequested` is its
// answer).
enum class StartUpWallpaper : uint8_t {
    Nothing,          // the changer is off, or IsChangeDue already requested a change
    ScheduledChange,  // mode 1: a change at every start
    ReapplyCurrent,   // compose the current picture again for the present screen
};
[[nodiscard]] StartUpWallpaper DecideStartUpWallpaper(const Settings& settings, bool changeRequested);
