// What the client does when one of the service's transfers has ended: the decision only, as a
// function of the event (which transfer, whether it succeeded, its reply, whether a full-screen
// program is in front), so that the main window carries it out without deciding anything:
//
//     TransferDoneEvent event{tag, succeeded, body.Text(), CurrentUtcTime(), IsFullScreenForeground()};
//     TransferDoneAction action = DecideTransferDone(settings, event, announcedIndex);
//     if (action.writeLastCheck) ... write stLastCheckNewestImages
//     if (action.showAnnouncement) ... compose the thumbnail, fill the window, ring, slide in
//     if (action.startPictureDownload && !started) ... AfterPictureDownloadRefused(action)
//
// The settings in memory are updated here (time stamps, the announcement list); what must reach
// the settings store is named in the action.
#pragma once

#include <string>
#include <string_view>

#include "app/online/newest_images.h"

// One ended transfer as the main window sees it after joining the worker.
struct TransferDoneEvent {
    uint32_t tag = 0;                   // a TransferTag, or anything the window was sent
    bool succeeded = false;             // the transfer's result was Complete
    std::string_view reply;             // the body as text (empty after a failure)
    SystemTime utcNow{};                // when the completion is handled
    bool fullScreenForeground = false;  // a full-screen program is in front
};

// What the notification's headline (control 123) becomes.
enum class HeadlineChange : uint8_t {
    Unchanged,
    NewImageAvailable,  // the current language's "New image available:"
    Text,               // TransferDoneAction::headlineText, as it stands
};

struct TransferDoneAction {
    OnlineState nextState = OnlineState::Idle;
    bool writeLastCheck = false;     // stLastCheckNewestImages was stamped
    bool writeNewestImages = false;  // a new list was taken: the sixteen strings and the mask
    bool writeLastPopup = false;     // stLastPopupNewestImages was stamped
    // Compose the received thumbnail, fill the notification with it and the announced
    // picture's description, play "WavBellTree" and slide the window in.
    bool showAnnouncement = false;
    HeadlineChange headline = HeadlineChange::Unchanged;
    std::string headlineText;
    // Download the announced picture (nextState is then PictureFile); the parts name it.
    bool startPictureDownload = false;
    PictureIdentifierParts picture;
    bool startHideTimer = false;  // the notification's 30-second timer, unless it runs
    // Read the reply as a picture file, show it full screen, then close the announcement.
    bool openPicture = false;
};

// The decision for one ended transfer; `announcedIndex` is the picture a thumbnail or picture
// file was fetched for. An unknown tag, or an announced index outside the list, only ends the
// transfer (state Idle).
[[nodiscard]] TransferDoneAction DecideTransferDone(Settings& settings,
                                                    const TransferDoneEvent& event,
                                                    int announcedIndex);

// The automatic download did not start: the announcement stays until its timer ends it.
void AfterPictureDownloadRefused(TransferDoneAction& action);
