// The online picture service on the main window: every timer tick may start the newest list or
// the announcement of a picture not shown yet (app/online/newest_images.h decides which), and
// what the end of each transfer leads to (app/online/transfer_done_rules.h decides) is carried
// out here: the list stored, the thumbnail shown in the notification, the picture downloaded
// and opened full screen. One transfer at a time; the
// service is never reported by message box, a failed transfer simply comes again on a later
// tick.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_window/main_window_win32.h"
#include "app/online/transfer_done_rules.h"
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

// Fills the notification with the thumbnail that arrived and slides it in.
void ShowThumbnail(MainWindow& state, const ReceivedBody& jpeg) {
    OnlineClient& online = state.online;
    const char* description = state.settings().szNewestImageDescription[online.announcedIndex];
    // The new thumbnail takes the old one's place in the control before the old one goes.
    OwnedBitmap thumbnail = ComposeThumbnail(state, jpeg, description);
    SetAnnouncementPicture(online.announcement, thumbnail.Get());
    online.thumbnail = std::move(thumbnail);
    SetAnnouncementDescription(online.announcement, description);
    (void)PlayResourceSound("WavBellTree");
    ShowAnnouncement(online.announcement);
}

// The downloaded picture opens full screen with its Save button.
void OpenDownloadedPicture(MainWindow& state, const ReceivedBody& body) {
    // The title is checked like every title from outside when Save makes it a file name.
    OwnedPicture record = MakeOwnedPicture();
    const FileResult result = ReadPictureFile(PictureSource::FromMemory(body.Data(), body.Size()), *record, true);
    if (result != kFileOk) record.reset();
    PostPictureToShow(state, result, std::move(record));
    CloseAnnouncement(state);
}

void WriteStamps(MainWindow& state, const TransferDoneAction& action) {
    const Settings& settings = state.settings();
    if (action.writeLastCheck) (void)WriteSetting(state.store, settings, settings.stLastCheckNewestImages);
    if (action.writeNewestImages) (void)WriteNewestImages(state.store, settings);
    if (action.writeLastPopup) (void)WriteSetting(state.store, settings, settings.stLastPopupNewestImages);
}

void ChangeHeadline(NewImageWindow& announcement, const TransferDoneAction& action) {
    if (action.headline == HeadlineChange::NewImageAvailable) {
        SetAnnouncementHeadline(announcement, Text(TextId::NewImageAvailable));
    } else if (action.headline == HeadlineChange::Text) {
        SetAnnouncementHeadline(announcement, action.headlineText.c_str());
    }
}

// Carries out what app/online/transfer_done_rules.h decided, in the order the user sees it.
void CarryOut(MainWindow& state, TransferDoneAction& action, const ReceivedBody& body) {
    OnlineClient& online = state.online;
    WriteStamps(state, action);
    ChangeHeadline(online.announcement, action);
    if (action.showAnnouncement) ShowThumbnail(state, body);
    if (action.startPictureDownload) {
        const Settings& settings = state.settings();
        const PictureIdentifierParts& parts = action.picture;
        if (!StartServiceTransfer(state, PictureFileAddress(settings, parts.category, parts.gallery, parts.image),
                                  kReloadTransferFlags, kTransferTagPictureFile, kProgressDownload)) {
            AfterPictureDownloadRefused(action);
        }
    }
    if (action.startHideTimer) StartAnnouncementHideTimer(online.announcement);
    if (action.openPicture) OpenDownloadedPicture(state, body);
    online.state = action.nextState;
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
    const TransferDoneEvent event{static_cast<uint32_t>(tag), outcome.result == TransferResult::Complete,
                                  outcome.body.Text(), CurrentUtcTime(), IsFullScreenForeground(state)};
    TransferDoneAction action = DecideTransferDone(state.settings(), event, state.online.announcedIndex);
    CarryOut(state, action, outcome.body);
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
