// The client's side of the online picture service: reading its replies, the announcement list
// it keeps (the NewestImages key of the settings) and the decision of each timer tick. All of
// it is free of windows and of the network, so the main window only carries out what these
// functions decide:
//
//     OnlineTickAction action = DecideOnlineTick(settings, CurrentUtcTime(), state, random);
//     if (action.start == OnlineStart::NewestList) ... start a transfer of NewestListAddress(settings)
//
//     // the newest list arrived (tag kTransferTagNewestList, result 0):
//     settings.stLastCheckNewestImages = CurrentUtcTime();
//     if (UpdateNewestImages(settings, body.Text())) (void)WriteNewestImages(store, settings);
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/online/service_protocol.h"
#include "base/random.h"
#include "base/system_time.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

// What each transfer is for; it comes back as the completion message's wParam.
enum TransferTag : uint32_t {
    kTransferTagNewestList = 1,
    kTransferTagThumbnail = 2,
    kTransferTagPictureFile = 3,
};

// WinINet request flags of the service's transfers: the list and the picture file always come
// from the server (RELOAD, NO_CACHE_WRITE, KEEP_CONNECTION, NO_COOKIES, NO_AUTH, RESYNCHRONIZE,
// HYPERLINK, NO_UI, PRAGMA_NOCACHE); a thumbnail may come from the cache.
constexpr uint32_t kReloadTransferFlags = 0x844C0F00;
constexpr uint32_t kCachedTransferFlags = 0x4C0E00;

// Which transfer of the service runs (OnlineState); while one runs no other starts.
enum class OnlineState : uint8_t {
    Idle = 0,
    NewestList = 1,
    Thumbnail = 2,
    PictureFile = 3,
};

// An announced picture's strings hold at most this many characters (their settings slot).
constexpr size_t kNewestImageTextLength = kNewestImageSlot - 1;

// The newest list as read from one reply: eight description and identifier slots, empty where
// the reply listed nothing, and how many pictures it announced.
struct NewestList {
    std::string description[kNewestImageSlots];
    std::string identifier[kNewestImageSlots];
    int count = 0;
};

// Reads a reply of the newest-list request. False, leaving `list` empty, when the reply does
// not begin with kNewestListPrefix (exact case). Then up to eight entries, each: optional white
// space, an identifier (no white space), white space, and a description of one or more
// characters between double quotes. Reading stops at the first entry that does not match;
// an entry whose identifier was read but whose description was not keeps its identifier in
// its slot but is not counted. A description longer than its slot is cut to
// kNewestImageTextLength; an identifier longer than that cannot name the picture and ends the
// reading like a malformed entry. The reply ends at its first NUL.
[[nodiscard]] bool ParseNewestListReply(std::string_view reply, NewestList& list);

// Category, Gallery and Image of a picture's identifier ("Nature/Alps/Eiger").
struct PictureIdentifierParts {
    std::string category;
    std::string gallery;
    std::string image;
};

// Splits an identifier into three non-empty parts separated by "/"; the image ends at a further
// "/" or at the end. False (an identifier without two slashes, or with an empty part) when the
// picture cannot be downloaded.
[[nodiscard]] bool SplitPictureIdentifier(std::string_view identifier, PictureIdentifierParts& parts);

// Whether a picture download's whole reply is one of the service's error tokens, in any letter
// case; the reply is then shown as sent.
[[nodiscard]] bool IsServiceErrorToken(std::string_view reply);

// Takes a parsed newest list into the settings when it is new: its first description or first
// identifier differs (ignoring letter case) from the stored one. Then all sixteen strings are
// replaced (empty slots included) and the not-shown mask gets one bit per announced picture.
// True when the settings changed; an unchanged first entry leaves everything as it was.
[[nodiscard]] bool TakeNewestList(Settings& settings, const NewestList& list);

// ParseNewestListReply and TakeNewestList in one: false, changing nothing, for a reply without
// the prefix or a list that is not new.
[[nodiscard]] bool UpdateNewestImages(Settings& settings, std::string_view reply);

// Writes the sixteen strings and the not-shown mask to the NewestImages key. False when any
// value could not be written (the settings in memory still hold them).
[[nodiscard]] bool WriteNewestImages(SettingsStore& store, const Settings& settings);

// Clears the announced picture's bit of the not-shown mask (an index outside 0 to 7 changes
// nothing); the caller writes btNewestImagesNotShownYet.
void MarkNewestImageShown(Settings& settings, int index);

// What a timer tick starts.
enum class OnlineStart : uint8_t {
    Nothing,
    NewestList,  // the newest list is due (six hours since the last successful query)
    Thumbnail,   // announce picture `index` (an hour since the last announcement)
};
struct OnlineTickAction {
    OnlineStart start = OnlineStart::Nothing;
    int index = -1;  // the announced picture, for a thumbnail
};

// The decision of a timer tick, given that the notification window exists (the caller checks
// that): nothing unless btNewImageNotifications is 1 and `state` is Idle; the newest list when
// more than 21 599 seconds have passed since stLastCheckNewestImages; otherwise a thumbnail when
// more than 3 599 seconds have passed since stLastPopupNewestImages and the not-shown mask has
// a bit set, its index drawn with Random(8) until it names such a bit. A stamp that is not a
// calendar time (never set) counts as long past.
[[nodiscard]] OnlineTickAction DecideOnlineTick(const Settings& settings,
                                                const SystemTime& utcNow,
                                                OnlineState state,
                                                RandomState& random);
