#include "app/online/transfer_done_rules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const SystemTime kNow = MakeUtcTime(2026, 12, 7, 18, 0, 0);
const SystemTime kEarlier = MakeUtcTime(2026, 12, 7, 9, 0, 0);

// A client that announced picture 1 of three ("Nature/Alps/Eiger" among them), both stamps old.
Settings AnnouncingSettings() {
    Settings settings = DefaultSettings();
    const char* identifiers[] = {"Nature/Alps/Peak", "Nature/Alps/Eiger", "Alps"};
    for (int i = 0; i < 3; ++i) {
        std::strcpy(settings.szNewestImageIdString[i], identifiers[i]);
        std::strcpy(settings.szNewestImageDescription[i], identifiers[i] + (i < 2 ? 12 : 0));
    }
    settings.btNewestImagesNotShownYet = 0x07;
    settings.stLastCheckNewestImages = kEarlier;
    settings.stLastPopupNewestImages = kEarlier;
    return settings;
}

TransferDoneEvent Event(uint32_t tag, bool succeeded, std::string_view reply = {}, bool fullScreen = false) {
    return TransferDoneEvent{tag, succeeded, reply, kNow, fullScreen};
}

bool SameTime(const SystemTime& a, const SystemTime& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(TransferDone, EachEndedTransferLeadsToItsStepsAndAFailureOnlyEndsIt) {
    // Every failure ends the transfer; only a failed picture download says so, in the headline.
    for (uint32_t tag : {1u, 2u, 3u, 7u}) {
        Settings settings = AnnouncingSettings();
        const TransferDoneAction action = DecideTransferDone(settings, Event(tag, false), 1);
        EXPECT_EQ(action.nextState, OnlineState::Idle) << tag;
        EXPECT_FALSE(action.writeLastCheck || action.writeLastPopup || action.writeNewestImages) << tag;
        EXPECT_FALSE(action.showAnnouncement || action.startPictureDownload || action.openPicture) << tag;
        EXPECT_TRUE(SameTime(settings.stLastCheckNewestImages, kEarlier) &&
                    SameTime(settings.stLastPopupNewestImages, kEarlier))
            << tag;
        EXPECT_EQ(action.startHideTimer, tag == kTransferTagPictureFile) << tag;
        EXPECT_EQ(action.headlineText, tag == kTransferTagPictureFile ? "ERROR_SERVER" : "") << tag;
    }

    // The newest list: stamped; a new first entry replaces the list, the same one in another
    // case changes nothing, a reply without the prefix neither.
    Settings settings = AnnouncingSettings();
    TransferDoneAction action = DecideTransferDone(
        settings, Event(kTransferTagNewestList, true, "GETNEWESTIMAGES_OK: NATURE/alps/peak \"peak\""), -1);
    EXPECT_TRUE(action.writeLastCheck && !action.writeNewestImages && action.nextState == OnlineState::Idle);
    EXPECT_TRUE(SameTime(settings.stLastCheckNewestImages, kNow));
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 0x07);
    action = DecideTransferDone(settings, Event(kTransferTagNewestList, true, "<html>busy</html>"), -1);
    EXPECT_TRUE(action.writeLastCheck && !action.writeNewestImages);
    action = DecideTransferDone(settings, Event(kTransferTagNewestList, true, "GETNEWESTIMAGES_OK: A/B/C \"d\""), -1);
    EXPECT_TRUE(action.writeNewestImages);
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 0x01);
    EXPECT_STREQ(settings.szNewestImageIdString[1], "");

    // The thumbnail with a full-screen program in front with the no-full-screen setting: stamped, nothing shown,
    // the picture still to announce.
    settings = AnnouncingSettings();
    settings.btNewImageNotificationsNoFullScreen = 1;
    action = DecideTransferDone(settings, Event(kTransferTagThumbnail, true, "jpeg", true), 1);
    EXPECT_TRUE(action.writeLastPopup && SameTime(settings.stLastPopupNewestImages, kNow));
    EXPECT_FALSE(action.showAnnouncement || action.startHideTimer || action.startPictureDownload);
    EXPECT_EQ(action.headline, HeadlineChange::Unchanged);
    EXPECT_EQ(action.nextState, OnlineState::Idle);
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 0x07);
    // Without the setting the full-screen program does not matter.
    settings.btNewImageNotificationsNoFullScreen = 0;
    EXPECT_TRUE(DecideTransferDone(settings, Event(kTransferTagThumbnail, true, "jpeg", true), 1).showAnnouncement);

    // The automatic download of a picture whose identifier splits, and of one whose does not.
    settings.btNewImageNotificationsAutoDownload = 1;
    action = DecideTransferDone(settings, Event(kTransferTagThumbnail, true, "jpeg"), 1);
    EXPECT_TRUE(action.showAnnouncement && action.startPictureDownload && !action.startHideTimer);
    EXPECT_EQ(action.headline, HeadlineChange::NewImageAvailable);
    EXPECT_EQ(action.nextState, OnlineState::PictureFile);
    EXPECT_EQ(action.picture.image, "Eiger");
    AfterPictureDownloadRefused(action);
    EXPECT_TRUE(action.startHideTimer && action.nextState == OnlineState::Idle);

    action = DecideTransferDone(settings, Event(kTransferTagThumbnail, true, "jpeg"), 2);
    EXPECT_TRUE(action.showAnnouncement && !action.startPictureDownload && action.startHideTimer);
    EXPECT_EQ(action.nextState, OnlineState::Idle);
    // No announced picture to speak of: nothing is stamped or shown.
    settings = AnnouncingSettings();
    action = DecideTransferDone(settings, Event(kTransferTagThumbnail, true, "jpeg"), -1);
    EXPECT_FALSE(action.showAnnouncement || action.writeLastPopup);

    // The picture file: an error token in any case is shown as sent, anything else opens.
    action = DecideTransferDone(settings, Event(kTransferTagPictureFile, true, "error_tqclientid"), 1);
    EXPECT_EQ(action.headline, HeadlineChange::Text);
    EXPECT_EQ(action.headlineText, "error_tqclientid");
    EXPECT_TRUE(action.startHideTimer && !action.openPicture);
    EXPECT_EQ(action.nextState, OnlineState::Idle);

    action = DecideTransferDone(settings, Event(kTransferTagPictureFile, true, "TQI..."), 1);
    EXPECT_TRUE(action.openPicture && !action.startHideTimer);
    EXPECT_EQ(action.headline, HeadlineChange::Unchanged);
    EXPECT_EQ(action.nextState, OnlineState::Idle);
    // The bit is cleared by closing the announcement, which opening the picture does.
    EXPECT_EQ(settings.btNewestImagesNotShownYet, 0x07);
}

}  // namespace
