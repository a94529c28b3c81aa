#include "app/online/transfer_done_rules.h"

namespace {

bool IsNewestImageIndex(int index) {
    return index >= 0 && index < kNewestImageSlots;
}

void OnNewestList(Settings& settings, const TransferDoneEvent& event, TransferDoneAction& action) {
    if (!event.succeeded) return;  // asked again on the next tick
    settings.stLastCheckNewestImages = event.utcNow;
    action.writeLastCheck = true;
    action.writeNewestImages = UpdateNewestImages(settings, event.reply);
}

void OnThumbnail(Settings& settings, const TransferDoneEvent& event, int index, TransferDoneAction& action) {
    if (!event.succeeded || !IsNewestImageIndex(index)) return;
    settings.stLastPopupNewestImages = event.utcNow;
    action.writeLastPopup = true;
    // The picture stays not shown and comes up again an hour later.
    if (settings.btNewImageNotificationsNoFullScreen == 1 && event.fullScreenForeground) return;
    action.showAnnouncement = true;
    action.headline = HeadlineChange::NewImageAvailable;
    if (settings.btNewImageNotificationsAutoDownload == 1 &&
        SplitPictureIdentifier(settings.szNewestImageIdString[index], action.picture)) {
        action.startPictureDownload = true;
        action.nextState = OnlineState::PictureFile;
        return;
    }
    action.startHideTimer = true;
}

void OnPictureFile(const TransferDoneEvent& event, TransferDoneAction& action) {
    if (event.succeeded && !IsServiceErrorToken(event.reply)) {
        action.openPicture = true;
        return;
    }
    // The service's own word for the refusal, as it sent it.
    action.headline = HeadlineChange::Text;
    action.headlineText = event.succeeded ? std::string(event.reply) : std::string(kErrorServer);
    action.startHideTimer = true;
}

}  // namespace

TransferDoneAction DecideTransferDone(Settings& settings, const TransferDoneEvent& event, int announcedIndex) {
    TransferDoneAction action;
    switch (event.tag) {
        case kTransferTagNewestList:
            OnNewestList(settings, event, action);
            break;
        case kTransferTagThumbnail:
            OnThumbnail(settings, event, announcedIndex, action);
            break;
        case kTransferTagPictureFile:
            OnPictureFile(event, action);
            break;
        default:
            break;
    }
    return action;
}

void AfterPictureDownloadRefused(TransferDoneAction& action) {
    action.startPictureDownload = false;
    action.nextState = OnlineState::Idle;
    action.startHideTimer = true;
}
