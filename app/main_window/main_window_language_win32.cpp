// The language switch at run time: the main window and the new-image notification are hidden,
// their skins made again in the new language (their controls with them), and the list, the
// selection, the count and the announced picture come back as they were. Dialogs take the
// new language the next time they open.
#include "app/main_window/main_window_win32.h"
#include "collection/picture_title.h"
#include "ui/control_ids.h"
#include "ui/localization/language.h"
#include "ui/localization/language_setting.h"
#include "ui/window_helpers_win32.h"

namespace {

constexpr DWORD kHide = AW_HIDE | AW_BLEND;
constexpr DWORD kShow = AW_ACTIVATE | AW_BLEND;

}  // namespace

bool SwitchLanguage(MainWindow& state, int language) {
    if (!SetLanguageIndex(language)) return false;
    const bool hidden = ShowWindowAnimated(state.window, 200, kHide);
    HWND announcement = state.online.announcement.window;
    const bool announcementHidden = announcement != nullptr && ShowWindowAnimated(announcement, 200, kHide);
    const std::string selected = state.selectedName;

    state.skinned.hovered = nullptr;
    state.skinned.focused = nullptr;
    (void)StoreLanguage(state.store, state.settings());  // a failed write still switches this run
    LoadMainSkin(state);                                 // frees the old skin and its controls first
    state.previewBitmap.Reset();
    PlaceMainWindow(state);

    ShowTitlesInList(state);
    SelectPicture(state, FindPictureIndex(state.titles, selected));
    state.skinned.focused = MainControl(state, kMainPictureList);
    RestoreAnnouncementAfterLanguageSwitch(state);
    if (hidden) (void)ShowWindowAnimated(state.window, 200, kShow);
    if (announcementHidden) (void)ShowWindowAnimated(announcement, 200, kShow);
    return true;
}
