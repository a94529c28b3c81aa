// The online picture service on the main window: every timer tick may start the newest list or
// the announcement of a picture not shown yet (app/online/newest_images.h decides which), and
// the end of each transfer is carried out here: the list stored, the thumbnail shown in the
// notification, the picture downloaded and opened full screen. One transfer at a time; the
// service is never reported by message box, a failed transfer simply comes again on a later
// tick.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_window/main_window_win32.h"
#include "app/startup/application_flags.h"
#include "app/wallpaper/compose_picture.h"
#include "collection/tqi_file.h"
#include "settings/settings_loader.h"
#include "ui/control_ids.h"
#include "ui/localization/text_table.h"
#include "ui/resource_bitmap_win32.h"
#include "ui/resource_sound.h"

namespace {

constexpr int kThumbnailWidth = 120;
constexpr int kThumbnailHeight = 90;

RECT WorkArea(const MainWindow& state) {
    const AreaRect& area = state.screen.workArea;
    return {area.left, area.top, area.right, area.bottom};
}

bool StartServiceTransfer(MainWindow& state,
                          std::string address,
                          uint32_t flags,
                          TransferTag tag,
                          uintptr_t progressCode) {
    TransferRequest request;
    request.address = std::move(address);
    request.requestFlags = flags;
    request.tag = tag;
    request.progressCode = progressCode;
    request.owner = state.window;
    return StartTransfer(state.online.transfer, request);
}

void StampNow(MainWindow& state, SystemTime& stamp) {
    stamp = CurrentUtcTime();
    (void)WriteSetting(state.store, state.settings(), stamp);
}

void OnNewestList(MainWindow& state, const TransferOutcome& outcome) {
    if (outcome.result != TransferResult::Complete) return;  // asked again on the next tick
    Settings& settings = state.settings();
    StampNow(state, settings.stLastCheckNewestImages);
    if (UpdateNewestImages(settings, outcome.body.Text())) (void)WriteNewestImages(state.store, settings);
}

// The received picture at thumbnail size in the desktop's colour, or none when it does not
// compose.
OwnedBitmap ComposeThumbnail(const MainWindow& state, const ReceivedBody& jpeg, const char* description) {
    PictureRecord record;
    std::snprintf(record.title, sizeof record.title, "%s", description);
    // Borrowed for the composition only; the body keeps it.
    record.payload = const_cast<unsigned char*>(jpeg.Data());
    record.payloadSize = static_cast<uint32_t>(jpeg.Size());
    ComposeRequest request;
    request.targetWidth = kThumbnailWidth;
    request.targetHeight = kThumbnailHeight;
    request.resizeFilter = kFilterLanczos3;
    request.presentation = kPresentationKeepAspect;
    request.backgroundColour = state.screen.desktopColour;
    OwnedRgbImage thumbnail;
    if (ComposePicture(record, request, thumbnail) != kComposeOk) return {};
    return MakeBitmapFromImage(thumbnail.View(), state.window).bitmap;
}

// The thumbnail has arrived: the notification shows it, and the picture itself follows when
// the user wants it downloaded at once. Returns the state the client goes on in.
OnlineState OnThumbnail(MainWindow& state, const TransferOutcome& outcome) {
    if (outcome.result != TransferResult::Complete) return OnlineState::Idle;
    Settings& settings = state.settings();
    OnlineClient& online = state.online;
    StampNow(state, settings.stLastPopupNewestImages);
    // The picture stays not shown and comes up again an hour later.
    if (settings.btNewImageNotificationsNoFullScreen == 1 && IsFullScreenForeground(state)) return OnlineState::Idle;

    const int index = online.announcedIndex;
    const char* description = settings.szNewestImageDescription[index];
    // The new thumbnail takes the old one's place in the control before the old one goes.
    OwnedBitmap thumbnail = ComposeThumbnail(state, outcome.body, description);
    SetAnnouncementHeadline(online.announcement, Text(TextId::NewImageAvailable));
    SetAnnouncementPicture(online.announcement, thumbnail.Get());
    online.thumbnail = std::move(thumbnail);
    SetAnnouncementDescription(online.announcement, description);
    (void)PlayResourceSound("WavBellTree");
    ShowAnnouncement(online.announcement);

    PictureIdentifierParts parts;
    if (settings.btNewImageNotificationsAutoDownload == 1 &&
        SplitPictureIdentifier(settings.szNewestImageIdString[index], parts) &&
        StartServiceTransfer(state, PictureFileAddress(settings, parts.category, parts.gallery, parts.image),
                             kReloadTransferFlags, kTransferTagPictureFile, kProgressDownload)) {
        return OnlineState::PictureFile;
    }
    StartAnnouncementHideTimer(online.announcement);
    return OnlineState::Idle;
}

// The downloaded picture opens full screen with its Save button; a failure shows the service's
// word for it in the headline until the notification slides out.
void OnPictureFile(MainWindow& state, const TransferOutcome& outcome) {
    NewImageWindow& announcement = state.online.announcement;
    const std::string_view reply = outcome.body.Text();
    const bool failed = outcome.result != TransferResult::Complete;
    if (failed || IsServiceErrorToken(reply)) {
        SetAnnouncementHeadline(announcement, failed ? kErrorServer : std::string(reply).c_str());
        StartAnnouncementHideTimer(announcement);
        return;
    }
    // The title is checked like every title from outside when Save makes it a file name.
    OwnedPicture record = MakeOwnedPicture();
    const FileResult result =
        ReadPictureFile(PictureSource::FromMemory(outcome.body.Data(), outcome.body.Size()), *record, true);
    if (result != kFileOk) record.reset();
    PostPictureToShow(state, result, std::move(record));
    CloseAnnouncement(state);
}

}  // namespace

void CreateAnnouncementWindow(MainWindow& state) {
    (void)CreateNewImageWindow(state.online.announcement, state.window, WorkArea(state));
}

void DestroyAnnouncementWindow(MainWindow& state) {
    StopOnlineTransfer(state);
    DestroyNewImageWindow(state.online.announcement);
    state.online.thumbnail.Reset();  // no longer shown anywhere
}

void OnlineTick(MainWindow& state) {
    OnlineClient& online = state.online;
    if (online.announcement.window == nullptr) return;
    const Settings& settings = state.settings();
    const OnlineTickAction action = DecideOnlineTick(settings, CurrentUtcTime(), online.state, state.random);
    if (action.start == OnlineStart::NewestList) {
        if (StartServiceTransfer(state, NewestListAddress(settings), kReloadTransferFlags, kTransferTagNewestList, 0)) {
            online.state = OnlineState::NewestList;
        }
    } else if (action.start == OnlineStart::Thumbnail) {
        online.announcedIndex = action.index;
        if (StartServiceTransfer(state, ThumbnailAddress(settings, settings.szNewestImageIdString[action.index]),
                                 kCachedTransferFlags, kTransferTagThumbnail, 0)) {
            online.state = OnlineState::Thumbnail;
        }
    }
}

LRESULT OnTransferDone(MainWindow& state, WPARAM tag, LPARAM completion) {
    // While the window closes the transfer is being stopped; what it posted before goes with it.
    if (state.HasFlag(kFlagMainWindowClosing)) return 0;
    TransferOutcome outcome;
    if (!FinishTransfer(state.online.transfer, completion, outcome)) return 0;
    OnlineClient& online = state.online;
    switch (tag) {
        case kTransferTagNewestList:
            OnNewestList(state, outcome);
            online.state = OnlineState::Idle;
            break;
        case kTransferTagThumbnail:
            online.state = OnThumbnail(state, outcome);
            break;
        case kTransferTagPictureFile:
            OnPictureFile(state, outcome);
            online.state = OnlineState::Idle;
            break;
        default:
            online.state = OnlineState::Idle;
            break;
    }
    return 0;  // the body goes with `outcome`
}

void OnDownloadProgress(MainWindow& state, WPARAM display, const ProgressRecord* record) {
    if (display != kProgressDownload || record == nullptr || record->position == kProgressUnchanged) return;
    char headline[64];
    std::snprintf(headline, sizeof headline, Text(TextId::Downloading), static_cast<int>(record->position));
    SetAnnouncementHeadline(state.online.announcement, headline);
}

void OnAnnouncementClick(MainWindow& state, UINT controlId) {
    if (controlId == kNewImageCloseButton) {
        CloseAnnouncement(state);
    } else if (controlId == kNewImageThumbnail) {
        (void)PlayResourceSound("WavClick");
        OpenServicePage(state, ServicePage::NewestImages);
        CloseAnnouncement(state);
    }
}

void CloseAnnouncement(MainWindow& state) {
    Settings& settings = state.settings();
    MarkNewestImageShown(settings, state.online.announcedIndex);
    (void)WriteSetting(state.store, settings, settings.btNewestImagesNotShownYet);
    HideAnnouncement(state.online.announcement);
}

void StopOnlineTransfer(MainWindow& state) {
    if (!IsTransferActive(state.online.transfer)) return;
    (void)StopTransfer(state.online.transfer, WorkerStopWait::PumpingMessages);
    state.online.state = OnlineState::Idle;
}

void RestoreAnnouncementAfterLanguageSwitch(MainWindow& state) {
    OnlineClient& online = state.online;
    if (online.announcement.window == nullptr) return;
    ReloadNewImageSkin(online.announcement, WorkArea(state));
    SetAnnouncementPicture(online.announcement, online.thumbnail.Get());
    const int index = online.announcedIndex;
    if (index >= 0 && index < kNewestImageSlots) {
        SetAnnouncementDescription(online.announcement, state.settings().szNewestImageDescription[index]);
    }
}
