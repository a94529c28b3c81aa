// The main window's picture list: filled once from the collection folder at start-up, in the
// collection's own alphabetical order, and the details and preview of the selected picture.
#include <cstdio>

#include "app/main_window/main_window_win32.h"
#include "app/wallpaper/compose_picture.h"
#include "collection/collection_folder.h"
#include "collection/collection_list.h"
#include "ui/control_ids.h"
#include "ui/localization/text_table.h"
#include "ui/progress_record.h"
#include "ui/resource_bitmap_win32.h"
#include "ui/worker_thread_win32.h"

namespace {

constexpr int kReadingListPosition = 5;
constexpr int kStartedPosition = 100;

// The preview of the selected picture at the control's size, or nothing when it cannot be
// read or composed.
OwnedBitmap ComposePreview(const MainWindow& state, const PictureRecord& record, HWND control) {
    RECT client = {};
    GetClientRect(control, &client);
    ComposeRequest request;
    request.targetWidth = client.right;
    request.targetHeight = client.bottom;
    request.resizeFilter = kFilterLanczos3;
    request.presentation = kPresentationKeepAspect;
    request.backgroundColour = state.screen.desktopColour;
    OwnedRgbImage preview;
    if (ComposePicture(record, request, preview) != kComposeOk) return {};
    return MakeBitmapFromImage(preview.View(), control).bitmap;
}

// Reads the selected picture: its details text and its preview.
std::string DescribeSelection(MainWindow& state, HWND previewControl, OwnedBitmap& preview) {
    PictureRecord record;
    if (state.selectedName.empty() ||
        ReadCollectionPicture(state.imagesFolder.c_str(), state.selectedName.c_str(), record, true) != kFileOk) {
        return Text(TextId::NoImageSelected);
    }
    char details[64];
    std::snprintf(details, sizeof details, Text(TextId::ImageDetails), record.width, record.height,
                  static_cast<int>(record.payloadSize / 1024));
    if (previewControl != nullptr) preview = ComposePreview(state, record, previewControl);
    FreePicturePayload(record);
    return details;
}

std::string SelectedTitle(HWND list) {
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return {};
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length >= kNameSlot) return {};
    std::string title(static_cast<size_t>(length), '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(title.data()));
    return title;
}

}  // namespace

HWND MainControl(const MainWindow& state, uint32_t controlId) {
    const SkinElement* element = FindElementById(state.skinned.skin, controlId);
    return element != nullptr ? element->window : nullptr;
}

void FillPictureList(MainWindow& state, HWND initializationWindow) {
    (void)SendProgress(initializationWindow, kProgressInitialization, kReadingListPosition,
                       Text(TextId::ReadingImageList));
    int shown = kReadingListPosition;
    CollectionTitles collection = LoadCollectionTitles(state.imagesFolder.c_str(), [&](int percent) {
        if (percent == shown) return;
        shown = percent;
        (void)SendProgress(initializationWindow, kProgressInitialization, percent, nullptr);
    });
    state.titles = std::move(collection.titles);

    ShowTitlesInList(state);
    (void)SendProgress(initializationWindow, kProgressInitialization, kStartedPosition,
                       Text(TextId::StartingTapestrique));
}

void ShowTitlesInList(MainWindow& state) {
    // One pass with the redraw off. Inserting at the end keeps the collection's order even
    // when a skin gives the list box the sorting style.
    HWND list = MainControl(state, kMainPictureList);
    if (list != nullptr) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        SendMessageA(list, LB_INITSTORAGE, state.titles.size(), state.titles.size() * 32);
        for (const std::string& title : state.titles) {
            SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(title.c_str()));
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    UpdateCountLabel(state);
}

void UpdateCountLabel(MainWindow& state) {
    const long long count = static_cast<long long>(state.titles.size());
    char label[64];
    std::snprintf(label, sizeof label, CountText(TextId::ImageCountPlural, count), static_cast<int>(count));
    SetWindowTextA(MainControl(state, kMainCountLabel), label);
}

void SelectPicture(MainWindow& state, int index) {
    SendMessageA(MainControl(state, kMainPictureList), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    OnPictureListSelectionChanged(state);
}

void OnPictureListSelectionChanged(MainWindow& state) {
    state.selectedName = SelectedTitle(MainControl(state, kMainPictureList));
    UpdateMainWindowButtons(state);

    HWND previewControl = MainControl(state, kMainPreviewPicture);
    OwnedBitmap preview;
    const std::string details = DescribeSelection(state, previewControl, preview);
    if (previewControl != nullptr) {
        const SkinElement* element = FindElementById(state.skinned.skin, kMainPreviewPicture);
        HBITMAP shown = preview.IsValid() ? preview.Get() : element->picture.Get();
        SendMessageA(previewControl, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
        state.previewBitmap = std::move(preview);  // the previous preview goes once it is no longer shown
    }
    SetWindowTextA(MainControl(state, kMainDetailsLabel), details.c_str());
}

int InsertPictureTitle(MainWindow& state, const std::string& title) {
    const size_t index = TitleInsertPosition(state.titles, title);
    state.titles.insert(state.titles.begin() + static_cast<std::ptrdiff_t>(index), title);
    SendMessageA(MainControl(state, kMainPictureList), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(title.c_str()));
    UpdateCountLabel(state);
    return static_cast<int>(index);
}

void RemovePictureTitle(MainWindow& state, int index) {
    if (index < 0 || index >= static_cast<int>(state.titles.size())) return;
    state.titles.erase(state.titles.begin() + index);
    SendMessageA(MainControl(state, kMainPictureList), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    UpdateCountLabel(state);
}
